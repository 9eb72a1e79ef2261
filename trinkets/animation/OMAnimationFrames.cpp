// The deep-display path of animations: shared palettes taken on deep displays, frames drawn into locked
// bits through the pixel writer, and each frame pre-rendered once onto a colour-keyed canvas.
#include <memory>
#include <utility>

#include "AseqPixelWriter.h"
#include "AseqRuns.h"
#include "OMAnimation.h"
#include "OMAnimationDeep.h"
#include "OMApp.h"
#include "OMTrinketWindow.h"
#include "OMSystemUtilities.h"

bool onDeepDisplay() { return displayBitsPerPixel(theApp ? theApp->displayNumber : 0) > 8; }

void drawFrameInto(OMMemCanvas& canvas, const AseqFrame& frame, std::int32_t x, std::int32_t y, const OMRect& clip,
                   const OMColorRecord* colors) {
    const OMRect inside = clip & OMRect{0, 0, canvas.width(), canvas.height()};
    OMPixelView view{nullptr, 0, canvas.depth};
    if (inside.hasNoArea() || !canvas.lockBits(view.pixels, view.pitch)) return;
    if (canvas.depth == 8) {
        drawFrame8(frame, view, x, y, inside);
    } else {
        std::uint32_t red = 0;
        std::uint32_t green = 0;
        std::uint32_t blue = 0;
        canvas.getColorMasks(red, green, blue);
        const PixelFormat format = pixelFormatOf(canvas.depth, red, green, blue);
        drawFrameDeep(frame, view, x, y, inside, packColors(colors, format), format);
    }
    canvas.unlockBits();
}

const OMColorRecord* drawingColors(const AOPaletteRecord* palette, const OMCanvas& canvas, OMColorRecord* scratch) {
    if (palette) return palette->colors.data();
    canvas.getColorTable(scratch);
    return scratch;
}

void findAnimationPalette(std::int16_t id, OMIStream* (*paletteHook)(std::int16_t)) {
    if (!onDeepDisplay() || AOPaletteRecord::find(id) || !paletteHook) return;
    const std::unique_ptr<OMIStream> stream(paletteHook(id));
    if (!stream) return;
    const std::vector<std::uint8_t> data = readWholeStream(*stream);
    static_cast<void>(AOPaletteRecord::createFromRrgb(id, data.data(), data.size()));
}

void OMAnimation::attachDeep() {
    if (window->offscreen->depth == 8) return;
    palette = AOPaletteRecord::current();
    if (palette) AOPaletteRecord::use(palette);
    data_->frameCanvases.resize(data_->layout.frames.size());
    if (window->offscreen->drawsOnSurface()) static_cast<void>(frameCanvas(playback.entry(shownEntry).frame));
}

void OMAnimation::drawDeep() {
    OMMemCanvas* source = frameCanvas(playback.entry(shownEntry).frame);
    if (!source) return;
    window->offscreen->copyFrom(*source, 0, 0, source->width(), source->height(), bounds.left, bounds.top,
                                kCopyRop | kColorKeyedCopy, nullptr);
}

OMMemCanvas* OMAnimation::frameCanvas(std::int32_t i) {
    auto& canvases = data_->frameCanvases;
    if (i < 0 || static_cast<std::size_t>(i) >= canvases.size()) return nullptr;
    if (canvases[static_cast<std::size_t>(i)]) return canvases[static_cast<std::size_t>(i)].get();
    const AseqFrame frame = frameImage(data_->layout, i);
    if (frame.width <= 0 || frame.height <= 0) return nullptr;
    auto canvas = std::make_unique<OMMemCanvas>(frame.width, frame.height, window->offscreen->depth, kSystemMemorySurface);
    const OMColorRecord black = colorOf(0, 0, 0);
    canvas->erase(black);
    canvas->setColorKey(black);
    OMColorRecord scratch[256];
    drawFrameInto(*canvas, frame, 0, 0, {0, 0, frame.width, frame.height}, drawingColors(palette, *canvas, scratch));
    canvases[static_cast<std::size_t>(i)] = std::move(canvas);
    return canvases[static_cast<std::size_t>(i)].get();
}
