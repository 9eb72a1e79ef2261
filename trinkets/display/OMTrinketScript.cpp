// The script face of every trinket: its five events, the verbs "place" and "offset" and its data
// properties, read and set through the virtual accessors.
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinket.h"

std::int32_t integerOf(OMArg text) { return text ? std::atoi(reinterpret_cast<const char*>(text)) : 0; }

void writeInteger(OMArg buffer, std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    static_cast<void>(writePropertyText(buffer, text));
}

void OMTrinket::registerProperties() {
    for (const char* event : {"mouseDown", "mouseUp", "dblClick", "flyOn", "flyOff"}) addEventProperty(event);
    const OMLinkToObj<OMTrinket> place(this, &OMTrinket::placeVerb), offset(this, &OMTrinket::offsetVerb);
    addMethodProperty("place", &place);
    addMethodProperty("offset", &offset);
    const auto data = [this](const char* name, void (OMTrinket::*setter)(OMArg), void (OMTrinket::*getter)(OMArg)) {
        const OMLinkToObj<OMTrinket> set(this, nullptr, setter), get(this, nullptr, getter);
        addDataProperty(name, &set, &get);
    };
    data("x", &OMTrinket::setXText, &OMTrinket::getXText);
    data("y", &OMTrinket::setYText, &OMTrinket::getYText);
    data("visible", &OMTrinket::setVisibleText, &OMTrinket::getVisibleText);
    data("movable", &OMTrinket::setMovableText, &OMTrinket::getMovableText);
    data("z", &OMTrinket::setZText, &OMTrinket::getZText);
    data("touchy", &OMTrinket::setTouchyText, &OMTrinket::getTouchyText);
    data("tag", &OMTrinket::setTagText, &OMTrinket::getTagText);
}

void OMTrinket::placeVerb() {
    const std::int32_t x = std::atoi(popParameter());
    place(x, std::atoi(popParameter()));
}

void OMTrinket::offsetVerb() {
    std::int32_t dx = std::atoi(popParameter());
    std::int32_t dy = std::atoi(popParameter());
    offsetBy(dx, dy);
}

void OMTrinket::setXText(OMArg text) { setX(integerOf(text)); }
void OMTrinket::getXText(OMArg buffer) { writeInteger(buffer, getX()); }
void OMTrinket::setYText(OMArg text) { setY(integerOf(text)); }
void OMTrinket::getYText(OMArg buffer) { writeInteger(buffer, getY()); }
void OMTrinket::setVisibleText(OMArg text) { setVisible(integerOf(text)); }
void OMTrinket::getVisibleText(OMArg buffer) { writeInteger(buffer, isVisible()); }
void OMTrinket::setMovableText(OMArg text) { setMovable(integerOf(text)); }
void OMTrinket::getMovableText(OMArg buffer) { writeInteger(buffer, isMovable()); }
void OMTrinket::setZText(OMArg text) { setZ(integerOf(text)); }
void OMTrinket::getZText(OMArg buffer) { writeInteger(buffer, getZ()); }
void OMTrinket::setTouchyText(OMArg text) { setTouchy(integerOf(text)); }
void OMTrinket::getTouchyText(OMArg buffer) { writeInteger(buffer, isTouchy()); }
void OMTrinket::setTagText(OMArg text) { tag = integerOf(text); }
void OMTrinket::getTagText(OMArg buffer) { writeInteger(buffer, tag); }
