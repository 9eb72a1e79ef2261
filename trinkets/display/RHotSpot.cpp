// Hot spots: construction from corners or a rectangle, copying, and the script class "RHotSpot".
#include "RHotSpot.h"

#include <algorithm>
#include <cstdlib>

#include "OMSParameter.h"
#include "OMTrinketWindow.h"

namespace {

// Arguments: x1, y1, x2, y2, flag; missing ones read as 0.
OMScriptableObject* makeHotSpot() {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    std::int32_t values[5];
    for (std::int32_t& value : values) value = std::atoi(popParameter());
    return new RHotSpot(POINT{values[0], values[1]}, POINT{values[2], values[3]}, values[4], window);
}

}  // namespace

OMSR RHotSpot::classRecord{"RHotSpot", makeHotSpot};

RHotSpot::RHotSpot(POINT corner, POINT opposite, std::int32_t flag, OMTrinketWindow* owner)
    : RHotSpot(OMRect{std::min(corner.x, opposite.x), std::min(corner.y, opposite.y), std::max(corner.x, opposite.x),
                      std::max(corner.y, opposite.y)},
               flag, owner) {}

RHotSpot::RHotSpot(const OMRect& rect, std::int32_t flag, OMTrinketWindow* owner)
    : OMTrinket(owner, kRedrawRegion), showsCursor(flag == 0 ? 1 : 0) {
    setBounds(rect);
}

OMScriptableObject* RHotSpot::clone() {
    OMTrinketWindow* main = OMTrinketWindow::mainTrinketWindow;
    if (!main) return nullptr;
    auto* copy = new RHotSpot(bounds, 0, main);
    copyPropertiesTo(copy);
    return copy;
}

void RHotSpot::registerProperties() {
    const OMLinkToObj<RHotSpot> top(this, &RHotSpot::topVerb);
    addMethodProperty("top", &top);
    addEventProperty("hit");
    addEventProperty("dblClick");
}

void RHotSpot::showCursor() {
    if (showsCursor) return OMTrinket::showCursor();
    showDefaultCursor();
}
