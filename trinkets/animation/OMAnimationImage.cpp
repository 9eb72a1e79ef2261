// The animation's static operations for backgrounds: RRGB palettes into colour tables, and one-image
// ASEQ pictures drawn over a whole canvas.
#include <vector>

#include "OMAnimation.h"
#include "OMAnimationDeep.h"
#include "RrgbColors.h"

namespace {

// A copy of the locked bytes: a one-image buffer is converted in place, and module data is read-only.
std::vector<std::uint8_t> readWholeResource(OMRes& resource) {
    void* data = nullptr;
    if (resource.lock(&data) != kResLoaded || !data) return {};
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> copy(bytes, bytes + resource.size);
    static_cast<void>(resource.unlock());
    return copy;
}

void convertPalette(const std::vector<std::uint8_t>& data, OMColorRecord* table) {
    if (!table || !convertColorTable(data.data(), data.size(), table)) return;
    // Made current with its creation reference, which nobody gives back.
    if (onDeepDisplay()) static_cast<void>(AOPaletteRecord::createFromTable(table));
}

void drawPicture(OMMemCanvas* canvas, std::vector<std::uint8_t> data) {
    AseqFrame frame;
    if (!canvas || findSingleFrame(data.data(), data.size(), frame) != AseqStatus::ok) return;
    OMColorRecord scratch[256];
    const OMColorRecord* colors = drawingColors(AOPaletteRecord::current(), *canvas, scratch);
    drawFrameInto(*canvas, frame, 0, 0, OMRect{0, 0, canvas->width(), canvas->height()}, colors);
}

}  // namespace

std::vector<std::uint8_t> readWholeStream(OMIStream& stream) {
    stream.setBuffer(kStreamWhole, nullptr);
    stream.seek(0);
    const std::int32_t count = stream.read();
    if (count <= 0 || !stream.current) return {};
    return {stream.current, stream.current + count};
}

void OMAnimation::loadPalette(OMIStream* source, OMColorRecord* table) {
    if (!source) return;
    convertPalette(readWholeStream(*source), table);
    delete source;
}

void OMAnimation::loadPalette(OMRes* source, OMColorRecord* table) {
    if (!source) return;
    convertPalette(readWholeResource(*source), table);
    delete source;
}

void OMAnimation::drawStreamImage(OMMemCanvas* canvas, OMIStream* source, std::uint8_t) {
    if (!source) return;
    drawPicture(canvas, readWholeStream(*source));
    delete source;
}

void OMAnimation::drawResourceImage(OMMemCanvas* canvas, OMRes* source, std::uint8_t) {
    if (!source) return;
    drawPicture(canvas, readWholeResource(*source));
    delete source;
}
