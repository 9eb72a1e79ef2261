// Attribute containers: one answer judged by overlap, hot point or pixels, placed at the middle or at the
// anchor point, and the script class "RAttributeContainer".
#include "RAttributeContainer.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "OMAnimation.h"
#include "DataProperties.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinketWindow.h"
#include "RAnswer.h"

namespace {

// The first empty argument picks the form: the fourth (id, z, attribute), the sixth (id, x, y, z,
// attribute), or none (x, y, width, height, z, attribute).
OMScriptableObject* makeAttributeContainer() {
    std::string p[6];
    for (std::string& parameter : p) parameter = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    std::int32_t v[6];
    for (int i = 0; i < 6; ++i) v[i] = std::atoi(p[i].c_str());
    const auto id = static_cast<std::int16_t>(v[0]);
    constexpr std::int32_t kPlaced = OMAnimation::kAtPlacement;
    if (p[3].empty()) return new RAttributeContainer(id, kPlaced, kPlaced, v[1], p[2].c_str(), window);
    if (p[5].empty()) return new RAttributeContainer(id, v[1], v[2], v[3], p[4].c_str(), window);
    return new RAttributeContainer(OMRect{v[0], v[1], v[0] + v[2], v[1] + v[3]}, v[4], p[5].c_str(), window);
}

bool isEmpty(const OMRect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

OMSR RAttributeContainer::classRecord{"RAttributeContainer", makeAttributeContainer};
std::int32_t RAttributeContainer::ownDispatchDepth = 0;

OMList<RAttributeContainer>& RAttributeContainer::ownDestroyed() {
    static OMList<RAttributeContainer> destroyed;
    return destroyed;
}

RAttributeContainer::RAttributeContainer(std::int16_t id, std::int32_t x, std::int32_t y, std::int32_t zGiven,
                                         const char* text, OMTrinketWindow* owner)
    : RContainer(zGiven, owner), attribute(text) {
    addGraphic(id, x, y);
}

RAttributeContainer::RAttributeContainer(const OMRect& box, std::int32_t zGiven, const char* text,
                                         OMTrinketWindow* owner)
    : RContainer(zGiven, owner), attribute(text) {
    setBounds(box);
}

RAttributeContainer::~RAttributeContainer() {
    if (ownDispatchDepth > 0) ownDestroyed().append(this);
}

POINT RAttributeContainer::hotPointOf(RAnswer& answer) {
    return POINT{integerProperty(answer, "hotPointX"), integerProperty(answer, "hotPointY")};
}

bool RAttributeContainer::hasAttributeOf(RAnswer& answer) const {
    const char* given = answer.getProperty("attribute");
    return given && attribute == given;
}

std::int32_t RAttributeContainer::hitScore(RAnswer* answer, std::int32_t& score) {
    std::int32_t accept = enabled && answers.count == 0 ? 1 : 0;
    if (doPixelCompare && graphic()) {
        score = hitTest(hotPointOf(*answer)) ? 1 : 0;
        accept = accept && score;
    } else if (integerProperty(*answer, "isUsingHotPoint") == 0) {
        accept = accept && answer->intersectsRect(bounds);
        score = hitArea(*answer);
    } else {
        const POINT hot = hotPointOf(*answer);
        score = !isEmpty(bounds) && rectContains(bounds, hot) ? 1 : 0;
        accept = accept && score;
    }
    if (rejectIncorrectAnswers) accept = accept && hasAttributeOf(*answer);
    return accept;
}

void RAttributeContainer::acceptAnswer(RAnswer* answer) {
    OMRect target = bounds;
    if (anchorAnswerAtPoint) {
        const OMRect& placed = answer->getBounds();
        target = offsetRect(placed, bounds.left + anchorPoint.x, bounds.top + anchorPoint.y);
    }
    if (integerProperty(*answer, "isUsingHotPoint") && !isEmpty(target)) {
        const POINT hot = hotPointOf(*answer);
        target = offsetRect(target, -hot.x, -hot.y);
    }
    answer->centreIn(target.left, target.top, target.right, target.bottom);
    answer->setZ(z + 1);
    ++ownDispatchDepth;
    RContainer::acceptAnswer(answer);
    if (!ownDestroyed().contains(this) && lockCorrectAnswers && isSolved()) answer->anchor();
    if (--ownDispatchDepth == 0) ownDestroyed().clear(false);
}

std::int32_t RAttributeContainer::isSolved() {
    return answers.count == 1 && hasAttributeOf(*answers.head->element) ? 1 : 0;
}

void RAttributeContainer::getAnswerProperty(OMArg buffer) {
    const char* name = popParameter();
    const char* value = answers.count == 1 ? answers.head->element->getProperty(name) : nullptr;
    static_cast<void>(writePropertyText(buffer, value ? std::string(value).c_str() : ""));
}

void RAttributeContainer::getAttribute(OMArg buffer) {
    static_cast<void>(writePropertyText(buffer, attribute.c_str()));
}

void RAttributeContainer::replacePaletteEntryVerb() {
    const auto from = static_cast<std::uint8_t>(std::atoi(popParameter()));
    const auto to = static_cast<std::uint8_t>(std::atoi(popParameter()));
    if (OMAnimation* picture = graphic()) picture->replacePaletteEntry(from, to, -2);
}

void RAttributeContainer::registerProperties() {
    RContainer::registerProperties();
    const DataProperty<RAttributeContainer> table[] = {{"anchorAnswerAtPoint", &RAttributeContainer::setAnchorAtPoint, &RAttributeContainer::getAnchorAtPoint},
                 {"answerAnchorPointX", &RAttributeContainer::setAnchorX, &RAttributeContainer::getAnchorX},
                 {"answerAnchorPointY", &RAttributeContainer::setAnchorY, &RAttributeContainer::getAnchorY},
                 {"answerProperty", nullptr, &RAttributeContainer::getAnswerProperty},
                 {"attribute", &RAttributeContainer::setAttribute, &RAttributeContainer::getAttribute},
                 {"doPixelCompare", &RAttributeContainer::setPixelCompare, &RAttributeContainer::getPixelCompare}};
    addDataProperties(this, table);
    registerGraphicFace();
    const OMLinkToObj<RAttributeContainer> replace(this, &RAttributeContainer::replacePaletteEntryVerb);
    addMethodProperty("replacePaletteEntry", &replace);
}
