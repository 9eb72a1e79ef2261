// The base background: white, with four input links.
#include "OMTBackground.h"

#include <initializer_list>

#include "OMCanvas.h"

OMTBackground::~OMTBackground() {
    for (OMLink* link : {mouseDownLink, mouseUpLink, mouseMoveLink, dblClickLink}) delete link;
}

std::int32_t OMTBackground::draw(OMCanvas* target, const OMRegion* area, OMRect*) {
    if (target && area) fillArea(*target, *area, colorOf(255, 255, 255));
    return 0;
}

void fillArea(OMCanvas& canvas, const OMRegion& area, const OMColorRecord& color) {
    if (!area.handle()) return;
    const OMColorRecord fill = canvas.fillColor;
    const std::int32_t fillOn = canvas.fillEnabled;
    const std::int32_t frameOn = canvas.frameEnabled;
    canvas.fillColor = color;
    canvas.fillEnabled = 1;
    canvas.frameEnabled = 0;
    canvas.paintRegion(&area);
    canvas.fillColor = fill;
    canvas.fillEnabled = fillOn;
    canvas.frameEnabled = frameOn;
}
