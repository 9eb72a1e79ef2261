// The off-screen canvas: a top-down DIB section with a device context of its own, or in DirectDraw mode
// a surface, whose pixels its users lock and write directly.
#pragma once

#include <cstdint>

#include "OMCanvas.h"

// Surface flags: where a DirectDraw surface may live, video memory tried first.
inline constexpr std::uint32_t kSystemMemorySurface = 1;
inline constexpr std::uint32_t kVideoMemorySurface = 2;

class OMMemCanvas : public OMCanvas {
public:
    // A canvas of `depth` bits (8 indexes the shared palette), filled with white. It is a surface when
    // the application makes memory canvases through DirectDraw (its gdiMemoryCanvases is 0).
    OMMemCanvas(std::int32_t pixelsWide, std::int32_t pixelsHigh, std::int32_t bitsPerPixel, std::uint32_t flags);
    ~OMMemCanvas() override;

    // The top-down rows and the bytes per row (the surface's pitch); false with null and 0 when there
    // is no DIB section or surface, or the surface is lost for good.
    bool lockBits(std::uint8_t*& pixels, std::int32_t& pitch);
    void unlockBits();
    // Makes the canvas's surface where `flags` allow, with the DirectDraw palette at 8 bits; the canvas
    // has none when both places fail.
    void createSurface(std::uint32_t flags);

    const char* typeName() const override { return kMemCanvasType; }
    std::int32_t height() override { return canvasHeight; }
    std::int32_t width() override { return canvasWidth; }
    void erase(const OMColorRecord& color) override;
    bool getDC() override;
    void releaseDC() override;
    bool getDCClipped(HRGN region, bool selectPalette) override;
    void clearClip() override;
    // 8-bit canvases take the entries as their DIB colour table.
    void applyPalette(const PALETTEENTRY* entries) override;
    void unrealizePalette() override {}

    // 0 until the first memory canvas is made, then 1: rows of locked pixels run top-down.
    static std::int32_t anyCreated;

    std::int32_t canvasHeight;
    std::int32_t canvasWidth;
    std::uint8_t* bits = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    // Where a DirectDraw surface may live: bit 1 video memory, bit 0 system memory.
    std::uint32_t surfaceFlags;

private:
    std::int32_t rowSize() const { return ((canvasWidth * depth) / 8 + 3) & ~3; }
    void createSection();
    void deleteSection();
};

// The plain row copy between two memory canvases of equal depth.
void copyMemCanvasRows(OMMemCanvas& source, const OMRect& from, OMMemCanvas& destination, const OMRect& to);
