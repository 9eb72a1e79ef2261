// Shape and system fonts, their metrics and the current-font stack.
#include "Font.h"

#include <cstring>

#include "FontMap.h"
#include "FontRecord.h"

namespace {

constexpr int kCharCount = 256;

struct FaceAlias {
    const char* name;
    const char* face;
};
constexpr FaceAlias kFaceAliases[] = {
    {"xHelv", "Arial"}, {"xTimes", "Times New Roman"}, {"xCourier", "Courier"}, {"xSystem", "System"}};

Font current = 0;
Font stack[kFontStackSize];
int stackDepth = 0;

Font newRecord(const FontRecord& record) {
    Font font = MemHandleAlloc(sizeof(FontRecord));
    auto* stored = font ? static_cast<FontRecord*>(MemHandleLock(font)) : nullptr;
    if (!stored) {
        if (font) MemHandleFree(&font);
        return 0;
    }
    *stored = record;
    MemHandleUnlock(font);
    return font;
}

const char* faceOf(const char* name) {
    for (const FaceAlias& alias : kFaceAliases)
        if (std::strcmp(name, alias.name) == 0) return alias.face;
    return name;
}

std::int16_t imageWidth(ShapeBank bank, std::uint16_t index) {
    Rect image{};
    ShapeGetImageRect(&image, bank, index, 0, 0, 0);
    return RectWidth(&image);
}

// A shape font's tables: per character its shape index and the width of that shape's packed image (the
// space width for the blank; 0 for NUL, CR, LF and characters without a shape).
void fillTables(FontRecord& record) {
    for (int c = 0; c < kCharCount; ++c) {
        const auto character = static_cast<std::uint8_t>(c);
        record.indexes[c] = static_cast<std::uint8_t>(FontShapeIndex(record.bank, character));
        const bool drawn = character != '\r' && character != '\n' && FontHasChar(record.bank, character);
        record.widths[c] = static_cast<std::uint8_t>(drawn ? imageWidth(record.bank, record.indexes[c]) : 0);
    }
    record.widths[' '] = static_cast<std::uint8_t>(record.spaceWidth);
}

template <typename T>
T field(Font font, T FontRecord::*member, std::uint16_t kind = 0) {
    const FontAccess access(font);
    return access && (!kind || access->kind == kind) ? access.operator->()->*member : T{};
}

template <typename T>
void setField(Font font, T FontRecord::*member, T value, std::uint16_t kind = 0) {
    const FontAccess access(font);
    if (access && (!kind || access->kind == kind)) access.operator->()->*member = value;
}

}  // namespace

Font FontNewSystem(const char* face, std::uint16_t style, std::int16_t size) {
    LOGFONTA log{};
    log.lfHeight = -size;
    log.lfWeight = style & kFontBold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = style & kFontItalic ? 1 : 0;
    log.lfUnderline = style & kFontUnderline ? 1 : 0;
    log.lfCharSet = ANSI_CHARSET;
    log.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = PROOF_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(log.lfFaceName, faceOf(face), LF_FACESIZE - 1);
    const HFONT system = CreateFontIndirectA(&log);
    if (!system) return 0;
    FontRecord record{};
    record.kind = kFontSystem;
    record.systemFont = system;
    record.size = size;
    record.style = style;
    record.lineHeight = size;
    Font font = newRecord(record);
    if (!font) DeleteObject(system);
    return font;
}

Font FontNewShape(std::uint16_t bankId) {
    FontRecord record{};
    record.kind = kFontShape;
    record.bankId = bankId;
    record.bank = ShapeBankLoad(bankId);
    record.widths = static_cast<std::uint8_t*>(MemPtrAlloc(kCharCount));
    record.indexes = static_cast<std::uint8_t*>(MemPtrAlloc(kCharCount));
    Font font = record.bank && record.widths && record.indexes ? newRecord(record) : 0;
    if (!font) {
        void* tables[] = {record.widths, record.indexes};
        for (void*& table : tables)
            if (table) MemPtrFree(&table);
        ShapeBankFree(&record.bank);
        return 0;
    }
    const FontAccess access(font);
    FontRecord& r = *access.operator->();
    r.spaceWidth = imageWidth(r.bank, kFontSpaceShape);
    r.spacing = static_cast<std::int16_t>(imageWidth(r.bank, kFontSpacingShape) / 4 - 1);
    Rect image{}, frame{};
    ShapeGetImageRect(&image, r.bank, kFontHeightShape, 0, 0, 0);
    ShapeGetFrameRect(&frame, r.bank, kFontHeightShape, 0, 0, 0);
    r.capHeight = RectHeight(&image);
    r.lineHeight = RectHeight(&frame);
    fillTables(r);
    return font;
}

void FontFree(Font* font) {
    if (!font || !*font) return;
    {
        const FontAccess access(*font);
        if (access && access->kind == kFontShape) {
            ShapeBankFree(&access->bank);
            void* tables[] = {access->widths, access->indexes};
            for (void*& table : tables)
                if (table) MemPtrFree(&table);
        } else if (access && access->systemFont) {
            DeleteObject(access->systemFont);
        }
    }
    MemHandleFree(font);
}

std::uint16_t FontGetKind(Font font) { return field(font, &FontRecord::kind); }
std::int16_t FontGetSpacing(Font font) { return field(font, &FontRecord::spacing, kFontShape); }
void FontSetSpacing(Font font, std::int16_t spacing) { setField(font, &FontRecord::spacing, spacing, kFontShape); }
std::int16_t FontGetCapHeight(Font font) { return field(font, &FontRecord::capHeight, kFontShape); }
void FontSetCapHeight(Font font, std::int16_t height) { setField(font, &FontRecord::capHeight, height, kFontShape); }
std::int16_t FontGetLineHeight(Font font) { return field(font, &FontRecord::lineHeight); }
void FontSetLineHeight(Font font, std::int16_t height) { setField(font, &FontRecord::lineHeight, height); }
std::int16_t FontGetSpaceWidth(Font font) { return field(font, &FontRecord::spaceWidth); }
void FontSetSpaceWidth(Font font, std::int16_t width) { setField(font, &FontRecord::spaceWidth, width); }
HFONT FontGetSystemFont(Font font) { return field(font, &FontRecord::systemFont, kFontSystem); }
ShapeBank FontGetBank(Font font) { return field(font, &FontRecord::bank, kFontShape); }

std::uint8_t FontCharWidth(Font font, std::uint8_t character) {
    const FontAccess access(font);
    return access && access->kind == kFontShape ? access->widths[character] : 0;
}

std::uint16_t FontShapeIndex(ShapeBank bank, std::uint8_t character) {
    return fontShapeIndexIn(ShapeBankCount(bank), character);
}

std::int16_t FontHasChar(ShapeBank bank, std::uint8_t character) {
    std::uint16_t index = 0;
    return character >= 32 && fontMapsToShape(ShapeBankCount(bank), character, &index) ? 1 : 0;
}

Font FontSetCurrent(Font font) {
    const Font previous = current;
    current = font;
    return previous;
}

Font FontGetCurrent() { return current; }

std::int16_t FontPush(Font font) {
    if (stackDepth == kFontStackSize) return 0;
    stack[stackDepth++] = FontSetCurrent(font);
    return 1;
}

Font FontPop() {
    if (!stackDepth) return 0;
    return FontSetCurrent(stack[--stackDepth]);
}

std::int16_t FontTextWidth(const char* text, std::int16_t count) {
    const FontAccess access(current);
    if (!access || access->kind != kFontShape || !text) return 0;
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    if (!length) return 0;
    int width = 0;
    for (std::size_t i = 0; i < length; ++i) width += access->widths[static_cast<std::uint8_t>(text[i])] + access->spacing;
    return static_cast<std::int16_t>(width - access->spacing);
}

void FontDrawText(std::int16_t x, std::int16_t y, std::int16_t count, const char* text) {
    const FontAccess access(current);
    if (!access || access->kind != kFontShape || !text) return;
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    int pen = x;
    for (std::size_t i = 0; i < length; ++i) {
        const auto c = static_cast<std::uint8_t>(text[i]);
        if (c != ' ' && c != '\r' && c != '\n' && c != 0)
            ShapeDraw(nullptr, access->bank, access->indexes[c], static_cast<std::int16_t>(pen), y, 0);
        pen += access->widths[c] + access->spacing;
    }
}

void FontDrawString(std::int16_t x, std::int16_t y, const char* text) { FontDrawText(x, y, -1, text); }
