// The transitions and the table that UpdateSetTransition chooses from. Time is the engine clock's; the
// strips go through the window layer's copy, which cuts them to the screen, so a wipe's last strip may
// pass the rectangle's far edge.
#include "UpdateTransitions.h"

#include "EngineClock.h"
#include "Update.h"
#include "UpdateDisplay.h"

namespace {

constexpr std::uint32_t kBlindsPassMs = 125;
constexpr int kBlindsPasses = 4;
constexpr std::uint32_t kWipeStepMs = 50;
constexpr std::int16_t kWipeStrip = 16;

void waitUntil(std::uint32_t start, std::uint32_t ms) {
    while (ClockMilliseconds() - start < ms) updateDisplayIdle();
}

// The strip a wipe moving by (dx, dy) starts with: 16 pixels at the rectangle's edge it leaves from.
Rect firstStrip(const Rect& r, int dx, int dy) {
    Rect strip = r;
    if (dx > 0) strip.right = std::int16_t(r.left + kWipeStrip);
    if (dx < 0) strip.left = std::int16_t(r.right - kWipeStrip);
    if (dy > 0) strip.bottom = std::int16_t(r.top + kWipeStrip);
    if (dy < 0) strip.top = std::int16_t(r.bottom - kWipeStrip);
    return strip;
}

// Strip by strip while the strip still overlaps the rectangle along the wipe's way.
void runWipe(std::uint16_t count, const Rect* rects, std::int16_t dx, std::int16_t dy) {
    for (std::uint16_t i = 0; i < count; ++i) {
        const Rect& r = rects[i];
        for (Rect strip = firstStrip(r, dx, dy);
             dx ? strip.left < r.right && strip.right > r.left : strip.top < r.bottom && strip.bottom > r.top;
             RectOffset(&strip, dx, dy)) {
            const std::uint32_t start = ClockMilliseconds();
            updateDisplayCopyToWindow(&strip);
            waitUntil(start, kWipeStepMs);
        }
    }
}

void refreshWithFade(std::uint16_t, const Rect*) { updateDisplayRefreshWithFade(); }

}  // namespace

void DisplayRevealBlinds(std::uint16_t count, const Rect* rects) {
    for (int pass = 0; pass < kBlindsPasses; ++pass) {
        const std::uint32_t start = ClockMilliseconds();
        for (std::uint16_t i = 0; i < count; ++i) {
            const Rect& r = rects[i];
            for (int y = r.top + pass; y < r.bottom; y += kBlindsPasses) {
                const Rect row{r.left, std::int16_t(y), r.right, std::int16_t(y + 1)};
                updateDisplayCopyToWindow(&row);
            }
        }
        waitUntil(start, kBlindsPassMs);
    }
}

void DisplayRevealDefault(std::uint16_t count, const Rect* rects) { DisplayRevealBlinds(count, rects); }

void DisplayWipeRight(std::uint16_t count, const Rect* rects) { runWipe(count, rects, kWipeStrip, 0); }
void DisplayWipeLeft(std::uint16_t count, const Rect* rects) { runWipe(count, rects, -kWipeStrip, 0); }
void DisplayWipeUp(std::uint16_t count, const Rect* rects) { runWipe(count, rects, 0, -kWipeStrip); }
void DisplayWipeDown(std::uint16_t count, const Rect* rects) { runWipe(count, rects, 0, kWipeStrip); }

void UpdateSetTransition(std::int16_t kind) {
    static const UpdateProc kTransitions[] = {DisplayRevealDefault, DisplayWipeRight, DisplayWipeLeft,
                                              refreshWithFade,      DisplayWipeUp,    DisplayWipeDown,
                                              DisplayRevealBlinds};
    if (kind >= 1 && kind <= 7) UpdateSetTransitionProc(kTransitions[kind - 1]);
}
