// Memory canvases over DIB sections.
#include "OMMemCanvas.h"

#include "OMPixelCopy.h"

std::int32_t OMMemCanvas::anyCreated = 0;

OMMemCanvas::OMMemCanvas(std::int32_t pixelsWide, std::int32_t pixelsHigh, std::int32_t bitsPerPixel,
                         std::uint32_t flags)
    : OMCanvas(bitsPerPixel), canvasHeight(pixelsHigh), canvasWidth(pixelsWide), surfaceFlags(flags) {
    anyCreated = 1;
    createSection();
    erase(backgroundColor);
}

// The section's colour table is the palette; the rows run top-down (negative height).
void OMMemCanvas::createSection() {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[kPaletteSize];
    } info{};
    PALETTEENTRY entries[kPaletteSize];
    GetPaletteEntries(palette, 0, kPaletteSize, entries);
    info.header = {sizeof(BITMAPINFOHEADER), canvasWidth, -canvasHeight, 1, static_cast<WORD>(depth), BI_RGB,
                   static_cast<DWORD>(canvasHeight * rowSize()), 0, 0, depth == 8 ? 256u : 0u, 0};
    for (int i = 0; i < kPaletteSize; ++i) info.colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    void* memory = nullptr;
    section = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<std::uint8_t*>(memory);
    previousBitmap = SelectObject(dc, section);
    ReleaseDC(nullptr, screen);
    if (depth == 8) previousPalette = SelectPalette(dc, palette, FALSE);
}

OMMemCanvas::~OMMemCanvas() {
    if (previousPalette) SelectPalette(dc, previousPalette, FALSE);
    SelectObject(dc, previousBitmap);
    DeleteObject(section);
    DeleteDC(dc);
    dc = nullptr;
}

bool OMMemCanvas::lockBits(std::uint8_t*& pixels, std::int32_t& pitch) {
    GdiFlush();
    pixels = bits;
    pitch = bits ? rowSize() : 0;
    return bits != nullptr;
}

void OMMemCanvas::erase(const OMColorRecord& color) {
    backgroundColor = color;
    if (color.index == kNoColor) return;
    SelectClipRgn(dc, nullptr);
    HBRUSH brush = CreateSolidBrush(colorRef(color));
    const RECT all{0, 0, canvasWidth, canvasHeight};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectClipRgn(dc, clip.handle());
}

bool OMMemCanvas::getDC() {
    SelectClipRgn(dc, clip.handle());
    GdiFlush();
    return dc != nullptr;
}

void OMMemCanvas::releaseDC() { SelectClipRgn(dc, nullptr); }

bool OMMemCanvas::getDCClipped(HRGN region, bool) {
    SelectClipRgn(dc, region);
    return true;
}

void OMMemCanvas::clearClip() { SelectClipRgn(dc, nullptr); }

void OMMemCanvas::applyPalette(const PALETTEENTRY* entries) {
    if (depth != 8 || !entries) return;
    RGBQUAD quads[kPaletteSize];
    for (int i = 0; i < kPaletteSize; ++i) quads[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    SetDIBColorTable(dc, 0, kPaletteSize, quads);
}

void copyMemCanvasRows(OMMemCanvas& source, const OMRect& from, OMMemCanvas& destination, const OMRect& to) {
    OMPixelView in{nullptr, 0, source.depth};
    OMPixelView out{nullptr, 0, destination.depth};
    if (source.lockBits(in.pixels, in.pitch) && destination.lockBits(out.pixels, out.pitch)) {
        copyPixelRows(in, from, out, to);
    }
    destination.unlockBits();
    source.unlockBits();
}
