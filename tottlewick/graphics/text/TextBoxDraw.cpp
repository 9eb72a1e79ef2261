// Laying a text box's text out line by line: pieces, fitting, scrolling, drawing and the pen.
#include <algorithm>
#include <cstring>

#include "Draw.h"
#include "Palette.h"
#include "Port.h"
#include "PortScroll.h"
#include "TextBoxLayout.h"
#include "TextStyle.h"

namespace {

bool isSystem(const TextBoxRecord& r) { return FontGetKind(r.font) == kFontSystem; }

class Layout {
public:
    Layout(TextBox box, TextBoxRecord& record, bool draw, Rect* out, TextLineHooks* hooks)
        : box_(box), r_(record), draw_(draw), out_(out), hooks_(hooks), area_(boxArea(record)) {}

    void run(const char* text);
    void systemDraws(const char* text);

private:
    int lineHeight() const { return hooks_ ? hooks_->lineHeight(r_) : r_.lineHeight; }
    bool scrolls() const { return draw_ && !(r_.flags & kTextNoScroll); }
    void unite(const Rect& rect);
    void scrollUp(int overflow);
    void makeRoom();
    void newLine();
    bool line(const TextPiece& piece, const char*& rest, std::size_t& left);
    void show(const char* text, std::size_t count, int width);
    void paint(const char* text, std::size_t count, int x, int y);

    TextBox box_;
    TextBoxRecord& r_;
    bool draw_;
    Rect* out_;
    TextLineHooks* hooks_;
    Rect area_;
};

void Layout::unite(const Rect& rect) {
    if (!out_ || RectIsEmpty(&rect)) return;
    if (RectIsEmpty(out_)) *out_ = rect;
    else RectUnion(out_, out_, &rect);
}

// Scrolls the box's contents up by overflow, filling what is uncovered with the background colour when
// the background is opaque, and moves the pen up with them.
void Layout::scrollUp(int overflow) {
    if (!scrolls() || overflow <= 0) return;
    Rect strip{};
    PortScrollVertical(PortGet(), &strip, &area_, static_cast<std::int16_t>(-overflow));
    if ((r_.flags & kTextBackMask) == kTextOpaque && !RectIsEmpty(&strip)) {
        if ((r_.backColor & 0xFF000000) == kPalIndexTag) DrawFillRectIndex(&strip, std::uint8_t(r_.backColor));
        else DrawFillRect(&strip, r_.backColor);
    }
    unite(area_);
    r_.penY = static_cast<std::int16_t>(r_.penY - overflow);
}

// Before a line is drawn: room for it inside the box. A line is as high as the font's lines, even where a
// paragraph spreads its lines further apart.
void Layout::makeRoom() {
    scrollUp(r_.penY + r_.lineHeight - RectHeight(&area_));
}

// A new line scrolls only a pen that then lies below the box, so that text ending with a line end leaves
// the box as it is; the next line makes its own room.
void Layout::newLine() {
    r_.penX = 0;
    r_.penY = static_cast<std::int16_t>(r_.penY + lineHeight());
    scrollUp(r_.penY - RectHeight(&area_));
}

void Layout::paint(const char* text, std::size_t count, int x, int y) {
    if (r_.layout() != kTextProportional) {
        const BoxAdvances advances(box_, r_);
        TextBoxRecord single = r_;
        single.flags &= ~kTextLayoutMask;
        Layout plain(box_, single, draw_, nullptr, nullptr);
        for (std::size_t i = 0; i < count; ++i) {
            const auto c = static_cast<std::uint8_t>(text[i]);
            const int advance = advances.advance(c, i);
            const int centring = r_.layout() == kTextCentredCells ? (advance - advances.glyphWidth(c)) / 2 : 0;
            plain.paint(text + i, 1, x + centring, y);
            x += advance;
        }
        return;
    }
    if (isSystem(r_)) {
        const Canvas port = PortGet();
        HDC dc = PortGetDC();
        const DcTextState saved = dcSaveText(dc);
        dcSelectBoxStyle(dc, FontGetSystemFont(r_.font), r_.flags, r_.textColor, r_.backColor);
        TextOutA(dc, CanvasXToDevice(std::int16_t(x), port), CanvasYToDevice(std::int16_t(y), port), text, int(count));
        dcRestoreText(dc, saved);
        return;
    }
    if (!FontPush(r_.font)) return;  // the caller filled the font stack
    FontDrawText(std::int16_t(x), std::int16_t(y), std::int16_t(count), text);
    FontPop();
}

// Draws a line at the pen, or hands it to the clip callback when it lies outside the port's clip.
void Layout::show(const char* text, std::size_t count, int width) {
    const int x = area_.left + r_.penX, y = area_.top + r_.penY;
    const Rect line{std::int16_t(x), std::int16_t(y), std::int16_t(x + width), std::int16_t(y + lineHeight())};
    if (draw_) {
        Rect clip{};
        CanvasGetClip(&clip, PortGet());
        if (r_.clipProc && (line.bottom <= clip.top || line.top >= clip.bottom))
            r_.clipProc(box_, text, std::int16_t(count), &line);
        else
            paint(text, count, x, y);
    }
    unite(line);
}

// One line of the piece: as many characters as fit (whole words with word wrap), at least one at the
// start of a line so that the layout always moves on. True when the line ended at a line end.
bool Layout::line(const TextPiece& piece, const char*& rest, std::size_t& left) {
    const bool wrap = r_.flags & kTextWordWrap;
    std::size_t count = wrap ? boxFitWord(box_, r_, rest, left) : boxFitChars(box_, r_, rest, left);
    if (!count && left && r_.penX < 1) count = 1;
    if (!wrap && (r_.flags & kTextLineCallback) && r_.lineProc)
        r_.lineProc(box_, rest, std::int16_t(left), std::int16_t(count));
    if (hooks_) hooks_->beginLine(box_, r_, rest, count, count == left && !piece.cut && piece.end != TextPieceEnd::tab);
    makeRoom();
    const int width = boxTextWidth(box_, r_, rest, count);
    show(rest, count, width);
    r_.penX = static_cast<std::int16_t>(std::min(r_.penX + width, int(RectWidth(&area_))));
    if (hooks_) hooks_->endLine(r_);
    rest += count;
    left -= count;
    const bool atLineEnd = !left && piece.end == TextPieceEnd::lineEnd;
    if (left || atLineEnd) {
        newLine();
    } else if (piece.end == TextPieceEnd::tab) {
        r_.penX = static_cast<std::int16_t>(textTabStop(r_.penX, r_.tabUnit));
        if (r_.penX > RectWidth(&area_)) newLine();  // the pen is relative to the box's area
    }
    if (wrap) {
        const std::size_t blanks = textLeadingBlanks(rest, left);
        rest += blanks;
        left -= blanks;
    }
    return atLineEnd;
}

void Layout::run(const char* text) {
    const std::size_t length = std::strlen(text);
    std::size_t position = 0;
    TextPiece piece;
    while (textNextPiece(text, length, &position, &piece)) {
        const char* rest = piece.text;
        std::size_t left = piece.count;
        do {
            const bool atLineEnd = line(piece, rest, left);
            const bool goesOn = atLineEnd && hooks_ && hooks_->oneLineGoesOnAtLineEnd();
            if ((r_.flags & kTextOneLine) && !goesOn) return;
        } while (left);
    }
}

// The system draws the whole text into the box, breaking words when word wrap is set.
void Layout::systemDraws(const char* text) {
    Rect device = area_;
    CanvasRectToDevice(&device, PortGet());
    RECT target{device.left, device.top, device.right, device.bottom};
    HDC dc = PortGetDC();
    const DcTextState saved = dcSaveText(dc);
    dcSelectBoxStyle(dc, FontGetSystemFont(r_.font), r_.flags, r_.textColor, r_.backColor);
    DrawTextA(dc, text, -1, &target, r_.flags & kTextWordWrap ? DT_WORDBREAK : 0);
    dcRestoreText(dc, saved);
    unite(area_);
}

}  // namespace

void textBoxLayout(TextBox box, TextBoxRecord& record, const char* text, bool draw, Rect* out,
                   TextLineHooks* hooks) {
    Layout layout(box, record, draw, out, hooks);
    if (draw && (record.flags & kTextSystemDraws) && isSystem(record)) layout.systemDraws(text);
    else layout.run(text);
}

void TextBoxDraw(TextBox box, const char* text, Rect* outRect) {
    TextBoxRecord record{};
    if (outRect) *outRect = Rect{};
    if (!text || !readRecord(box, &record)) return;
    textBoxLayout(box, record, text, true, outRect, nullptr);
    TextBoxRecord now{};
    readRecord(box, &now);
    now.penX = record.penX;
    now.penY = record.penY;
    writeRecord(box, now);
}

void TextBoxMeasure(TextBox box, const char* text, Rect* out) {
    TextBoxRecord record{};
    *out = Rect{};
    if (text && readRecord(box, &record)) textBoxLayout(box, record, text, false, out, nullptr);
}
