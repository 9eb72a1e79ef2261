// Text box records, settings and measures.
#include "TextBoxRecord.h"

#include <algorithm>
#include <cstring>

#include "Port.h"

namespace {

constexpr std::uint32_t kTextModeShift = 2;
constexpr std::uint32_t kTextBackShift = 6;

template <typename Change>
void change(TextBox box, Change apply) {
    TextBoxRecord record{};
    if (!readRecord(box, &record)) return;
    apply(record);
    writeRecord(box, record);
}

TextBoxRecord recordOf(TextBox box) {
    TextBoxRecord record{};
    readRecord(box, &record);
    return record;
}

void setBits(TextBox box, std::uint32_t mask, std::uint32_t value) {
    change(box, [&](TextBoxRecord& r) { r.flags = (r.flags & ~mask) | (value & mask); });
}

std::size_t lengthOf(const char* text, std::int16_t count) {
    return !text ? 0 : count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
}

}  // namespace

bool readRecord(TextBox box, TextBoxRecord* record) {
    const void* data = box ? MemHandleLock(box) : nullptr;
    if (!data) return false;
    std::memcpy(record, data, sizeof *record);
    MemHandleUnlock(box);
    return true;
}

void writeRecord(TextBox box, const TextBoxRecord& record) {
    if (void* data = box ? MemHandleLock(box) : nullptr) {
        std::memcpy(data, &record, sizeof record);
        MemHandleUnlock(box);
    }
}

Rect boxArea(const TextBoxRecord& record) {
    Rect area = record.rect;
    if (!(record.flags & kTextOwnRect)) CanvasGetBounds(&area, PortGet());
    return area;
}

int BoxAdvances::glyphWidth(std::uint8_t character) const {
    if (FontGetKind(record_.font) == kFontSystem) {
        const char text = static_cast<char>(character);
        return systemExtent(FontGetSystemFont(record_.font), &text, 1).cx;
    }
    return FontCharWidth(record_.font, character);
}

int BoxAdvances::advance(std::uint8_t character, std::size_t index) const {
    switch (record_.layout()) {
    case kTextCentredCells:
    case kTextCells:
        return record_.tabUnit;
    case kTextSpaced:
        if (record_.spacingProc) return record_.spacingProc(box_, character, static_cast<std::int16_t>(index));
        [[fallthrough]];
    default:
        return glyphWidth(character) + FontGetSpacing(record_.font);
    }
}

int BoxAdvances::trim() const {
    // Proportional runs end without the spacing after their last character; cells and callbacks do not.
    const bool proportional =
        record_.layout() == kTextProportional || (record_.layout() == kTextSpaced && !record_.spacingProc);
    return proportional ? FontGetSpacing(record_.font) : 0;
}

int boxTextWidth(TextBox box, const TextBoxRecord& record, const char* text, std::size_t count) {
    if (record.layout() == kTextProportional && FontGetKind(record.font) == kFontSystem)
        return systemExtent(FontGetSystemFont(record.font), text, count).cx;
    return BoxAdvances(box, record).width(text, count);
}

std::size_t boxFitChars(TextBox box, const TextBoxRecord& record, const char* text, std::size_t count) {
    const Rect area = boxArea(record);
    const int room = RectWidth(&area) - record.penX;
    if (room <= 0) return 0;
    if (record.layout() == kTextProportional && FontGetKind(record.font) == kFontSystem) {
        HDC dc = PortGetDC();
        const HGDIOBJ previous = SelectObject(dc, FontGetSystemFont(record.font));
        INT fit = 0;
        SIZE size{};
        GetTextExtentExPointA(dc, text, static_cast<int>(count), room, &fit, nullptr, &size);
        SelectObject(dc, previous);
        return static_cast<std::size_t>(std::max(fit, 0));
    }
    return textFitChars(BoxAdvances(box, record), text, count, room);
}

std::size_t boxFitWord(TextBox box, const TextBoxRecord& record, const char* text, std::size_t count) {
    return textFitWord(text, count, boxFitChars(box, record, text, count), record.penX);
}

SIZE systemExtent(HFONT font, const char* text, std::size_t count) {
    HDC dc = PortGetDC();
    const bool own = !dc;
    if (own) dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(count), &size);
    SelectObject(dc, previous);
    if (own) DeleteDC(dc);
    return size;
}

std::int16_t TextBoxNew(TextBox* box) {
    if (!box) return 0;
    *box = MemHandleAlloc(sizeof(TextBoxRecord));
    if (!*box) return 0;
    writeRecord(*box, TextBoxRecord{});
    return 1;
}

void TextBoxFree(TextBox* box) {
    if (box && *box) MemHandleFree(box);
}

void TextBoxSetRect(TextBox box, const Rect* rect) {
    change(box, [&](TextBoxRecord& r) {
        r.rect = *rect;
        r.flags |= kTextOwnRect;
        r.penX = r.penY = 0;
    });
}

void TextBoxGetRect(TextBox box, Rect* out) { *out = recordOf(box).rect; }
void TextBoxGetArea(TextBox box, Rect* out) { *out = boxArea(recordOf(box)); }
void TextBoxClearRect(TextBox box) { setBits(box, kTextOwnRect, 0); }

Font TextBoxSetFont(TextBox box, Font font) {
    Font previous = 0;
    change(box, [&](TextBoxRecord& r) {
        previous = r.font;
        r.font = font;
        if (FontGetKind(font) == kFontSystem) {
            const SIZE x = systemExtent(FontGetSystemFont(font), "X", 1);
            r.tabUnit = static_cast<std::int16_t>(x.cx);
            r.lineHeight = static_cast<std::int16_t>(x.cy);
        } else {
            r.tabUnit = FontCharWidth(font, 'X');  // FontTextWidth of "X" alone: no spacing
            r.lineHeight = FontGetLineHeight(font);
        }
    });
    return previous;
}

Font TextBoxGetFont(TextBox box) { return recordOf(box).font; }
void TextBoxSetAlign(TextBox box, std::uint32_t align) { setBits(box, kTextLayoutMask, align); }
std::uint32_t TextBoxGetAlign(TextBox box) { return recordOf(box).flags & kTextLayoutMask; }
void TextBoxSetMode(TextBox box, std::uint32_t mode) { setBits(box, kTextModeMask, mode << kTextModeShift); }
std::uint32_t TextBoxGetMode(TextBox box) { return (recordOf(box).flags & kTextModeMask) >> kTextModeShift; }
void TextBoxSetBackMode(TextBox box, std::uint32_t mode) { setBits(box, kTextBackMask, mode << kTextBackShift); }
std::uint32_t TextBoxGetBackMode(TextBox box) { return (recordOf(box).flags & kTextBackMask) >> kTextBackShift; }
void TextBoxSetNoScroll(TextBox box, std::int16_t on) { setBits(box, kTextNoScroll, on ? kTextNoScroll : 0); }
std::int16_t TextBoxGetNoScroll(TextBox box) { return recordOf(box).flags & kTextNoScroll ? 1 : 0; }
void TextBoxSetTextColor(TextBox box, std::uint32_t colour) {
    change(box, [&](TextBoxRecord& r) { r.textColor = colour; });
}
std::uint32_t TextBoxGetTextColor(TextBox box) { return recordOf(box).textColor; }
void TextBoxSetBackColor(TextBox box, std::uint32_t colour) {
    change(box, [&](TextBoxRecord& r) { r.backColor = colour; });
}
std::uint32_t TextBoxGetBackColor(TextBox box) { return recordOf(box).backColor; }
void TextBoxSetClipProc(TextBox box, TextBoxClipProc proc) {
    change(box, [&](TextBoxRecord& r) { r.clipProc = proc; });
}
TextBoxClipProc TextBoxGetClipProc(TextBox box) { return recordOf(box).clipProc; }
void TextBoxSetSpacingProc(TextBox box, TextBoxSpacingProc proc) {
    change(box, [&](TextBoxRecord& r) { r.spacingProc = proc; });
}
TextBoxSpacingProc TextBoxGetSpacingProc(TextBox box) { return recordOf(box).spacingProc; }
void TextBoxSetLineProc(TextBox box, TextBoxLineProc proc) {
    change(box, [&](TextBoxRecord& r) { r.lineProc = proc; });
}
TextBoxLineProc TextBoxGetLineProc(TextBox box) { return recordOf(box).lineProc; }

void TextBoxGetPen(TextBox box, Point* out) {
    const TextBoxRecord r = recordOf(box);
    *out = {r.penX, r.penY};
}

void TextBoxSetPen(TextBox box, const Point* pen) {
    change(box, [&](TextBoxRecord& r) {
        r.penX = pen->h;
        r.penY = pen->v;
    });
}

std::int16_t TextBoxWidth(TextBox box, const char* text, std::int16_t count) {
    TextBoxRecord record{};
    if (!readRecord(box, &record)) return 0;
    return static_cast<std::int16_t>(boxTextWidth(box, record, text, lengthOf(text, count)));
}

std::int16_t TextBoxHeight(TextBox box, const char* text, std::int16_t count) {
    TextBoxRecord record{};
    if (!readRecord(box, &record)) return 0;
    if (FontGetKind(record.font) == kFontSystem)
        return static_cast<std::int16_t>(systemExtent(FontGetSystemFont(record.font), text, lengthOf(text, count)).cy);
    return FontGetLineHeight(record.font);
}

std::int16_t TextBoxFitChars(TextBox box, const char* text) {
    TextBoxRecord record{};
    if (!readRecord(box, &record) || !text) return 0;
    return static_cast<std::int16_t>(boxFitChars(box, record, text, std::strlen(text)));
}

std::int16_t TextBoxFitWord(TextBox box, const char* text) {
    TextBoxRecord record{};
    if (!readRecord(box, &record) || !text) return 0;
    return static_cast<std::int16_t>(boxFitWord(box, record, text, std::strlen(text)));
}
