// Graphic answers: the graphic child, the attribute, value and hot point, and the script class
// "RGraphicAnswer".
#include "RGraphicAnswer.h"

#include <cstdlib>

#include "OMAnimation.h"
#include "DataProperties.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinketWindow.h"
#include "RContainer.h"

namespace {

// home x, home y, z, graphic id, attribute, value.
OMScriptableObject* makeGraphicAnswer() {
    std::string p[6];
    for (std::string& parameter : p) parameter = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    const POINT home{std::atoi(p[0].c_str()), std::atoi(p[1].c_str())};
    return new RGraphicAnswer(home, std::atoi(p[2].c_str()), static_cast<std::int16_t>(std::atoi(p[3].c_str())),
                              p[4].c_str(), std::atoi(p[5].c_str()), window);
}

}  // namespace

OMSR RGraphicAnswer::classRecord{"RGraphicAnswer", makeGraphicAnswer};

RGraphicAnswer::RGraphicAnswer(POINT homePoint, std::int32_t zHome, std::int16_t graphicId, const char* text,
                               std::int32_t number, OMTrinketWindow* owner)
    : RAnswer(homePoint, zHome, owner), attribute(text), value(number) {
    if (OMAnimation* picture = makeGraphic(graphicId, home.x, home.y, window)) addPart(picture, 0, 1);
}

OMAnimation* RGraphicAnswer::graphic() const { return dynamic_cast<OMAnimation*>(getTrinket(1)); }

void RGraphicAnswer::getAttribute(OMArg buffer) { static_cast<void>(writePropertyText(buffer, attribute.c_str())); }

void RGraphicAnswer::setGraphicId(OMArg text) {
    removeTrinket(1);
    const auto id = static_cast<std::int16_t>(integerOf(text));
    if (OMAnimation* picture = makeGraphic(id, home.x, home.y, window)) addPart(picture, 0, 1);
}

void RGraphicAnswer::playAnimationVerb() {
    if (OMAnimation* picture = graphic()) {
        picture->setRepeatCount(-1);
        picture->play();
    }
}

void RGraphicAnswer::stopAnimationVerb() {
    if (OMAnimation* picture = graphic()) picture->pause();
}

void RGraphicAnswer::replacePaletteEntryVerb() {
    const auto from = static_cast<std::uint8_t>(std::atoi(popParameter()));
    const auto to = static_cast<std::uint8_t>(std::atoi(popParameter()));
    if (OMAnimation* picture = graphic()) picture->replacePaletteEntry(from, to, -2);
}

void RGraphicAnswer::registerGraphicFace() {
    const DataProperty<RGraphicAnswer> table[] = {{"attribute", &RGraphicAnswer::setAttribute, &RGraphicAnswer::getAttribute},
                 {"graphicID", &RGraphicAnswer::setGraphicId, &RGraphicAnswer::getNothing},
                 {"value", &RGraphicAnswer::setValue, &RGraphicAnswer::getValue}};
    addDataProperties(this, table);
    const OMLinkToObj<RGraphicAnswer> play(this, &RGraphicAnswer::playAnimationVerb);
    const OMLinkToObj<RGraphicAnswer> stop(this, &RGraphicAnswer::stopAnimationVerb);
    addMethodProperty("playAnimation", &play);
    addMethodProperty("stopAnimation", &stop);
}

void RGraphicAnswer::registerProperties() {
    RAnswer::registerProperties();
    registerGraphicFace();
    const DataProperty<RGraphicAnswer> table[] = {{"hotPointX", &RGraphicAnswer::setHotPointX, &RGraphicAnswer::getHotPointX},
                 {"hotPointY", &RGraphicAnswer::setHotPointY, &RGraphicAnswer::getHotPointY},
                 {"isUsingHotPoint", &RGraphicAnswer::setUsingHotPoint, &RGraphicAnswer::getUsingHotPoint}};
    addDataProperties(this, table);
    const OMLinkToObj<RGraphicAnswer> replace(this, &RGraphicAnswer::replacePaletteEntryVerb);
    addMethodProperty("replacePaletteEntry", &replace);
}
