// The text-style stack and the device-context text states it saves.
#include "TextStyle.h"

#include "Palette.h"
#include "Port.h"
#include "TextBoxRecord.h"

namespace {

DcTextState* levels = nullptr;
int depth = 0;

// A colour whose high byte is 1 is a palette index, taken from the current palette.
COLORREF colourOf(std::uint32_t colour) {
    return (colour & 0xFF000000) == kPalIndexTag ? PalGetEntryColor(0, static_cast<std::uint16_t>(colour & 0xFFFF))
                                                 : colour;
}

}  // namespace

std::int16_t TextInit() {
    if (!levels) levels = static_cast<DcTextState*>(MemPtrAlloc(sizeof(DcTextState) * kTextStyleLevels));
    depth = 0;
    return levels ? 1 : 0;
}

void TextTerm() {
    void* block = levels;
    if (block) MemPtrFree(&block);
    levels = nullptr;
    depth = 0;
}

std::int16_t TextBeginStyle(TextBox box) {
    TextBoxRecord record{};
    if (!levels || depth == kTextStyleLevels || !readRecord(box, &record)) return 0;
    HDC dc = PortGetDC();
    levels[depth++] = dcSaveText(dc);
    if (HFONT font = FontGetSystemFont(record.font))
        dcSelectBoxStyle(dc, font, record.flags, record.textColor, record.backColor);
    return 1;
}

void TextEndStyle() {
    if (levels && depth) dcRestoreText(PortGetDC(), levels[--depth]);
}

DcTextState dcSaveText(HDC dc) {
    return {GetCurrentObject(dc, OBJ_FONT), GetBkMode(dc), GetBkColor(dc), GetTextColor(dc), GetTextAlign(dc)};
}

void dcRestoreText(HDC dc, const DcTextState& state) {
    SelectObject(dc, state.font);
    SetBkMode(dc, state.backMode);
    SetBkColor(dc, state.backColor);
    SetTextColor(dc, state.textColor);
    SetTextAlign(dc, state.align);
}

void dcSelectBoxStyle(HDC dc, HFONT font, std::uint32_t flags, std::uint32_t textColor, std::uint32_t backColor) {
    SelectObject(dc, font);
    SetBkMode(dc, (flags & kTextBackMask) == kTextOpaque ? OPAQUE : TRANSPARENT);
    SetBkColor(dc, colourOf(backColor));
    SetTextColor(dc, colourOf(textColor));
    SetTextAlign(dc, 0);
}
