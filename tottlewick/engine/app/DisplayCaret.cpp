// The caret. It is drawn with the palette's last static colour (white).
#include "DisplayCaret.h"

#include "CanvasCopy.h"
#include "DisplayCanvas.h"

namespace {

constexpr std::int16_t kCaretWidth = 12;
constexpr std::int16_t kCaretHeight = 2;
constexpr int kBlinkCalls = 6;
constexpr std::uint8_t kCaretColour = 255;

struct Caret {
    bool enabled = false;
    std::int16_t x = 0;
    std::int16_t y = 0;
    bool visible = false;
    std::int16_t showCount = 0;
    int blinkCount = 0;

    Rect rect() const {
        return {x, y, static_cast<std::int16_t>(x + kCaretWidth), static_cast<std::int16_t>(y + kCaretHeight)};
    }
};

Caret caret;

// Erases, moves and draws again when shown.
template <class Move>
void moveCaret(Move move) {
    const bool shown = CaretIsShown();
    if (shown) CaretErase();
    move();
    if (shown) CaretDraw();
}

}  // namespace

void CaretEnable(std::int16_t on) { caret.enabled = on != 0; }

void CaretSetPosition(std::int16_t x, std::int16_t y) {
    moveCaret([&] {
        caret.x = x;
        caret.y = y;
    });
}

void CaretMoveBy(std::int16_t dx) { CaretSetX(static_cast<std::int16_t>(caret.x + dx)); }

void CaretSetX(std::int16_t x) {
    moveCaret([&] { caret.x = x; });
}

void CaretShow() {
    if (!caret.enabled) return;
    caret.showCount = 1;
    caret.visible = true;
    caret.blinkCount = 0;
    CaretDraw();
}

void CaretHide() {
    CaretErase();
    caret.showCount = 0;
    caret.visible = false;
}

void CaretBlink() {
    if (caret.showCount <= 0 || ++caret.blinkCount % kBlinkCalls != 0) return;
    caret.visible = !caret.visible;
    if (caret.visible) CaretDraw();
    else CaretErase();
}

std::int16_t CaretGetShowCount() { return caret.showCount; }

bool CaretIsShown() { return caret.showCount > 0 && caret.visible; }

void CaretDraw() {
    const Rect r = caret.rect();
    DisplayFillWindowRect(&r, kCaretColour);
}

void CaretErase() {
    const Canvas window = DisplayGetWindowCanvas();
    const Canvas offscreen = DisplayGetOffscreenCanvas();
    if (!window || !offscreen) return;
    const Rect r = caret.rect();
    CanvasCopy(window, r.left, r.top, offscreen, &r);
}
