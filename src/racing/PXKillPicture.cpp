// The picture of a counting problem, painted into the window's background: a blue sign of three
// rectangles and the objects of the sheet stamped in one of the layouts, the group centred on the sign.
#include <algorithm>
#include <vector>

#include "OMAnimation.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"
#include "PXKill.h"

namespace {

constexpr OMColorRecord kSignBlue = colorOf(0, 0, 220);
constexpr OMRect kSignParts[3] = {{328, 307, 451, 436}, {303, 334, 473, 405}, {315, 320, 462, 421}};
constexpr POINT kBoxCorner = {303, 307};
constexpr std::int32_t kBoxWidth = 170;
constexpr std::int32_t kBoxHeight = 129;

// Object offsets of layouts 0 and 2..12 (layout 1 is one object, centred).
const std::vector<POINT>& layoutOffsets(std::int32_t layout) {
    static const std::vector<POINT> layouts[13] = {
        {{0, 0}, {30, 0}, {60, 0}, {90, 0}, {120, 0}, {0, 30}, {30, 30}, {60, 30}, {90, 30}, {120, 30}},
        {{0, 0}},
        {{0, 0}, {30, 0}, {60, 0}},
        {{0, 0}, {0, 30}, {0, 60}},
        {{15, 0}, {0, 30}, {30, 30}},
        {{0, 0}, {30, 0}, {60, 0}, {90, 0}},
        {{30, 0}, {0, 30}, {30, 30}, {60, 30}},
        {{0, 0}, {30, 0}, {60, 0}, {30, 30}},
        {{0, 0}, {30, 0}, {0, 30}, {30, 30}},
        {{0, 0}, {30, 0}, {60, 0}, {90, 0}, {120, 0}},
        {{0, 0}, {60, 0}, {30, 30}, {0, 60}, {60, 60}},
        {{15, 0}, {45, 0}, {0, 30}, {30, 30}, {60, 30}},
        {{0, 0}, {30, 0}, {60, 0}, {15, 30}, {45, 30}}};
    return layouts[std::clamp(layout, 0, 12)];
}

}  // namespace

void PXKill::paintPicture(std::int32_t count) {
    OMTBackground* background = window->background;
    auto* canvas = background ? static_cast<OMMemCanvas*>(background->canvas()) : nullptr;
    if (canvas)
        for (const OMRect& part : kSignParts) fillArea(*canvas, regionOf(part), kSignBlue);
    setBounds(OMRect{kSignParts[1].left, kSignParts[0].top, kSignParts[1].right, kSignParts[0].bottom});
    if (canvas && sheet_ && count >= 0) {
        const std::int32_t frame = problem_.picture - 1;
        const std::int32_t width = sheet_->frameWidth(frame);
        const std::int32_t height = sheet_->frameHeight(frame);
        const OMRect clip{0, 0, canvas->width(), canvas->height()};
        sheet_->setFramePosition(problem_.picture, true);
        const std::vector<POINT>& offsets = layoutOffsets(problem_.layout);
        std::int32_t spanX = 0, spanY = 0;
        if (problem_.layout != 1)
            for (std::size_t i = 0; i < offsets.size() && i < std::size_t(count); ++i) {
                spanX = std::max<std::int32_t>(spanX, offsets[i].x);
                spanY = std::max<std::int32_t>(spanY, offsets[i].y);
            }
        const std::int32_t x = kBoxCorner.x + (kBoxWidth - (width + spanX)) / 2;
        const std::int32_t y = kBoxCorner.y + (kBoxHeight - (height + spanY)) / 2;
        const std::size_t objects = problem_.layout == 1 ? 1 : std::min(offsets.size(), std::size_t(count));
        for (std::size_t i = 0; i < objects; ++i)
            sheet_->drawCurrentInto(x + offsets[i].x, y + offsets[i].y, *canvas, clip);
    }
    invalidate();
}
