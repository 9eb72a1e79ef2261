// Stamps on the background picture: the covered pixels saved and put back row by row.
#include <cstring>

#include "OMMemCanvas.h"
#include "OMTBackground.h"

namespace {

// The background's picture when it is an 8-bit off-screen canvas, locked; null otherwise.
OMMemCanvas* lockPicture(OMTBackground& background, std::uint8_t*& bits, std::int32_t& pitch) {
    OMCanvas* canvas = background.canvas();
    if (!canvas || canvas->typeName() != kMemCanvasType || canvas->depth != 8) return nullptr;
    auto* picture = static_cast<OMMemCanvas*>(canvas);
    return picture->lockBits(bits, pitch) ? picture : nullptr;
}

}  // namespace

bool OMTBackground::saveStamp(const OMRect& area) {
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    OMMemCanvas* picture = lockPicture(*this, bits, pitch);
    if (!picture) return false;
    StampCanvas stamp{area & OMRect{0, 0, picture->width(), picture->height()}, {}};
    const std::int32_t width = stamp.area.hasNoArea() ? 0 : stamp.area.right - stamp.area.left;
    for (std::int32_t y = stamp.area.top; width > 0 && y < stamp.area.bottom; ++y) {
        const std::uint8_t* row = bits + static_cast<std::ptrdiff_t>(y) * pitch + stamp.area.left;
        stamp.pixels.insert(stamp.pixels.end(), row, row + width);
    }
    picture->unlockBits();
    stamps.push_back(std::move(stamp));
    return true;
}

void OMTBackground::restoreStamp() {
    if (stamps.empty()) return;
    const StampCanvas stamp = std::move(stamps.back());
    stamps.pop_back();
    std::uint8_t* bits = nullptr;
    std::int32_t pitch = 0;
    OMMemCanvas* picture = lockPicture(*this, bits, pitch);
    if (!picture) return;
    const std::int32_t width = stamp.area.hasNoArea() ? 0 : stamp.area.right - stamp.area.left;
    const std::uint8_t* from = stamp.pixels.data();
    for (std::int32_t y = stamp.area.top; width > 0 && y < stamp.area.bottom; ++y, from += width)
        std::memcpy(bits + static_cast<std::ptrdiff_t>(y) * pitch + stamp.area.left, from, static_cast<std::size_t>(width));
    picture->unlockBits();
}
