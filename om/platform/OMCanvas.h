// The abstract drawing surface with the shared 256-colour palette: copies between canvases, bitmaps,
// text, shapes, and reading or replacing the palette.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "OMColorRecord.h"
#include "OMColorTable.h"
#include "OMRect.h"
#include "OMRegion.h"

class OMBitmap;
class OMFont;
class OMNFNTFont;
class OMSysFont;
struct IDirectDrawClipper;
struct IDirectDrawPalette;
struct IDirectDrawSurface;

// The type names of the two kinds; callers tell the kinds apart by comparing the pointers.
inline constexpr char kMemCanvasType[] = "OMMemCanvas";
inline constexpr char kWndCanvasType[] = "OMWndCanvas";

// Raster-op words of copyFrom: the low 24 bits are a GDI ternary raster operation; bit 31 asks for a
// copy that leaves out the source's colour key (DirectDraw mode only: GDI mode copies every pixel).
inline constexpr std::uint32_t kCopyRop = 0x00CC0020;
inline constexpr std::uint32_t kColorKeyedCopy = 0x80000000;
// The colour key of a canvas whose key has no raw pixel value (GDI mode, or the surface could not be read).
inline constexpr std::uint32_t kNoColorKey = 0xFFFFFFFF;

// Fills the system colour table: the 20 static colours at 0-9 and 246-255, the rest zero. Read from
// the system palette when the application's display (0 without an application) is an 8-bit display
// numbered 1 or less, else the fixed table.
void buildSystemColorTable(OMColorRecord* table);

class OMCanvas {
public:
    explicit OMCanvas(std::int32_t bitsPerPixel);
    OMCanvas(const OMCanvas&) = delete;
    OMCanvas& operator=(const OMCanvas&) = delete;

    virtual const char* typeName() const = 0;
    virtual std::int32_t height() = 0;
    virtual std::int32_t width() = 0;
    // Records the colour as backgroundColor and, unless it is "no colour", fills the canvas with it.
    virtual void erase(const OMColorRecord& color) = 0;
    virtual ~OMCanvas();
    // Acquires `dc` with `clip` selected; true on success.
    virtual bool getDC() = 0;
    virtual void releaseDC() = 0;
    // Prepares the canvas as a blit source or destination clipped to `region` (null: unclipped).
    virtual bool getDCClipped(HRGN region, bool selectPalette) = 0;
    virtual void clearClip() = 0;
    // Makes the palette entries take effect on the pixels or the screen.
    virtual void applyPalette(const PALETTEENTRY* entries) = 0;
    virtual void unrealizePalette() = 0;

    // Copies (sourceX, sourceY, width, height) of `source` to (destX, destY), clipped to both canvases,
    // to the destination's clip and to `clipRegion` when given.
    void copyFrom(OMCanvas& source, std::int32_t sourceX, std::int32_t sourceY, std::int32_t copyWidth,
                  std::int32_t copyHeight, std::int32_t destX, std::int32_t destY, std::uint32_t rasterOp,
                  const OMRegion* clipRegion);
    void drawBitmap(std::int32_t x, std::int32_t y, OMBitmap* bitmap);
    // Draws in textColor with `font`, the baseline at y; the background stays.
    void drawText(std::int32_t x, std::int32_t y, const char* text);
    void paintRegion(const OMRegion* region);
    void drawRectangle(const OMRect& rect);
    // The end point is drawn too.
    void drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

    void getColorTable(OMColorRecord* table) const;
    // Black for an index outside 0..255.
    OMColorRecord colorAt(std::int32_t index) const;
    void setColorTable(const OMColorRecord* table);
    // The pixel format's red, green and blue masks (the surface's in DirectDraw mode); 0 for palette
    // canvases.
    void getColorMasks(std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue) const;
    // In DirectDraw mode the colour's raw value becomes the surface's source colour key for blits.
    void setColorKey(const OMColorRecord& color);
    std::uint32_t colorRef(const OMColorRecord& color) const;
    // Whether the canvas draws through DirectDraw (see onSurface).
    bool drawsOnSurface() const { return onSurface; }

    OMRegion clip;
    std::int32_t depth;
    OMColorRecord fillColor;
    OMColorRecord frameColor;
    OMColorRecord backgroundColor = colorOf(255, 255, 255);
    OMColorRecord textColor;
    OMFont* font;
    std::unique_ptr<OMSysFont> ownFont;
    std::int32_t fillEnabled = 1;
    std::int32_t frameEnabled = 1;
    std::int32_t penWidth = 1;
    std::int32_t transparentBitmaps = 0;
    HDC dc = nullptr;
    HPALETTE palette = nullptr;
    HPALETTE previousPalette = nullptr;
    OMColorRecord keyColor;
    std::uint32_t colorKey = 0;
    // The DirectDraw surface, clipper and palette; null in GDI mode.
    IDirectDrawSurface* surface = nullptr;
    IDirectDrawClipper* clipper = nullptr;
    IDirectDrawPalette* ddPalette = nullptr;
    std::int32_t clipperAttached = 0;

protected:
    // True when the canvas draws through DirectDraw: a window canvas in DirectDraw mode, a memory canvas
    // made as a surface. Other canvases draw through GDI, whatever the mode.
    bool onSurface = false;
    // Borrows the surface's device context into `dc`, restoring a lost surface first; with selectPalette
    // the canvas's palette is selected (the previous one kept in previousPalette). False without one.
    bool borrowSurfaceDC(bool selectPalette);
    // Gives the borrowed device context back with no clip and the previous palette.
    void returnSurfaceDC();
    // Prepares the surface as a blit source or destination: a lost surface is restored and a region
    // becomes the clip list of the attached clipper. False when the surface is unusable.
    bool clipSurface(HRGN region);
    void unclipSurface();

private:
    // The clip handle for a copy into this canvas; a temporary intersection lands in `scratch`. False when
    // the given clip leaves nothing to draw.
    bool copyClipHandle(const OMRegion* clipRegion, OMRegion& scratch, HRGN& handle) const;
    // A copy between two surfaces blits them; any other copy goes through device contexts, which a
    // surface canvas lends from its surface.
    bool prepareCopy(HRGN region, bool selectPalette, bool betweenSurfaces);
    void finishCopy(bool betweenSurfaces);
    void blitFrom(OMCanvas& source, const OMRect& from, const OMRect& to, std::uint32_t rasterOp, bool clipped);
    // The raw pixel value of `color` on the surface, found by drawing it; 0xFFFFFFFF without one.
    std::uint32_t computeColorKey(const OMColorRecord& color);
    // In DirectDraw mode: the DirectDraw palette (8-bit canvases) of the palette's entries and a clipper.
    void makeSurfaceObjects(const PALETTEENTRY* entries);
    void releaseSurfaceObjects();
    void drawNFNTText(std::int32_t x, std::int32_t y, const char* text);
    // Draws one glyph of the bitmap font `font` and returns its advance.
    std::int16_t drawGlyph(std::int32_t x, std::int32_t y, unsigned char character, std::uint32_t color);
    void drawGdiText(std::int32_t x, std::int32_t y, const char* text);
};
