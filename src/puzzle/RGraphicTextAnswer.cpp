// Graphic answers with a text: the text child, its font, colour and offset, and the script class
// "RGraphicTextAnswer".
#include "RGraphicTextAnswer.h"

#include <cstdlib>
#include <string>

#include "DataProperties.h"
#include "OMFontCache.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinketWindow.h"
#include "RText.h"

namespace {

// home x, home y, z, graphic id, text, attribute, value.
OMScriptableObject* makeGraphicTextAnswer() {
    std::string p[7];
    for (std::string& parameter : p) parameter = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    const POINT home{std::atoi(p[0].c_str()), std::atoi(p[1].c_str())};
    return new RGraphicTextAnswer(home, std::atoi(p[2].c_str()), static_cast<std::int16_t>(std::atoi(p[3].c_str())),
                                  p[4].c_str(), p[5].c_str(), std::atoi(p[6].c_str()), window);
}

}  // namespace

OMSR RGraphicTextAnswer::classRecord{"RGraphicTextAnswer", makeGraphicTextAnswer};

RGraphicTextAnswer::RGraphicTextAnswer(POINT homePoint, std::int32_t zHome, std::int16_t graphicId, const char* text,
                                       const char* attributeText, std::int32_t number, OMTrinketWindow* owner)
    : RGraphicAnswer(homePoint, zHome, graphicId, attributeText, number, owner) {
    const POINT middle{bounds.left + (bounds.right - bounds.left) / 2, bounds.top + (bounds.bottom - bounds.top) / 2};
    auto* caption = new RText(text, nullptr, 0, middle, 0, window);
    caption->setUserData("1");
    addPart(caption, 1, 2);
}

RGraphicTextAnswer::~RGraphicTextAnswer() {
    if (font) releaseFont(font);
}

RText* RGraphicTextAnswer::text() const { return dynamic_cast<RText*>(getTrinket(2)); }

void RGraphicTextAnswer::setTextText(OMArg given) {
    if (RText* caption = text()) caption->setText(reinterpret_cast<const char*>(given));
    updateBounds();
}

void RGraphicTextAnswer::getTextText(OMArg buffer) {
    const RText* caption = text();
    static_cast<void>(writePropertyText(buffer, caption ? caption->getText() : ""));
}

void RGraphicTextAnswer::setTextColor(OMArg given) {
    textColorIndex = static_cast<std::int16_t>(integerOf(given));
    if (RText* caption = text()) caption->setColorIndex(textColorIndex);
}

void RGraphicTextAnswer::moveText(std::int32_t x, std::int32_t y) {
    std::int32_t dx = x - textOffset.x;
    std::int32_t dy = y - textOffset.y;
    if (RText* caption = text()) caption->offsetBy(dx, dy);
    textOffset = POINT{x, y};
    updateBounds();
}

void RGraphicTextAnswer::setFontVerb() {
    const std::string p[4] = {popParameter(), popParameter(), popParameter(), popParameter()};
    if (font) releaseFont(font);
    const bool byId = p[2].empty();
    font = byId ? findFontByID(static_cast<std::uint16_t>(std::atoi(p[0].c_str())))
                : findFontByName(p[0].c_str(), std::atoi(p[2].c_str()), std::atoi(p[1].c_str()));
    textColorIndex = static_cast<std::int16_t>(std::atoi((byId ? p[1] : p[3]).c_str()));
    if (RText* caption = text()) {
        caption->setFont(font);
        caption->setColorIndex(textColorIndex);
    }
    updateBounds();
}

void RGraphicTextAnswer::registerProperties() {
    RAnswer::registerProperties();
    registerGraphicFace();
    const DataProperty<RGraphicTextAnswer> table[] = {
        {"text", &RGraphicTextAnswer::setTextText, &RGraphicTextAnswer::getTextText},
        {"textColorIndex", &RGraphicTextAnswer::setTextColor, &RGraphicTextAnswer::getTextColor},
        {"textOffsetX", &RGraphicTextAnswer::setTextOffsetX, &RGraphicTextAnswer::getTextOffsetX},
        {"textOffsetY", &RGraphicTextAnswer::setTextOffsetY, &RGraphicTextAnswer::getTextOffsetY}};
    addDataProperties(this, table);
    const OMLinkToObj<RGraphicTextAnswer> setFont(this, &RGraphicTextAnswer::setFontVerb);
    addMethodProperty("setFont", &setFont);
}
