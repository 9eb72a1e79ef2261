// Stacking containers: answers stacked from the bottom edge, judged by height and by the sum of their
// values, and the script class "RStackingContainer".
#include "RStackingContainer.h"

#include <cstdlib>
#include <string>

#include "OMAnimation.h"
#include "DataProperties.h"
#include "OMSParameter.h"
#include "OMTrinketWindow.h"
#include "RAnswer.h"

namespace {

std::int32_t effectiveHeight(const RAnswer& answer) {
    const OMRect r = answer.effectiveRect();
    return r.bottom - r.top;
}

// The first empty argument picks the form: the fifth (id, z, value, count), the seventh (id, x, y, z,
// value, count), or none (x, y, width, height, z, value, count).
OMScriptableObject* makeStackingContainer() {
    std::string p[7];
    for (std::string& parameter : p) parameter = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return nullptr;
    std::int32_t v[7];
    for (int i = 0; i < 7; ++i) v[i] = std::atoi(p[i].c_str());
    const auto id = static_cast<std::int16_t>(v[0]);
    constexpr std::int32_t kPlaced = OMAnimation::kAtPlacement;
    if (p[4].empty()) return new RStackingContainer(id, kPlaced, kPlaced, v[1], v[2], v[3], window);
    if (p[6].empty()) return new RStackingContainer(id, v[1], v[2], v[3], v[4], v[5], window);
    return new RStackingContainer(OMRect{v[0], v[1], v[0] + v[2], v[1] + v[3]}, v[4], v[5], v[6], window);
}

}  // namespace

OMSR RStackingContainer::classRecord{"RStackingContainer", makeStackingContainer};

RStackingContainer::RStackingContainer(std::int16_t id, std::int32_t x, std::int32_t y, std::int32_t zGiven,
                                       std::int32_t target, std::int32_t count, OMTrinketWindow* owner)
    : RContainer(zGiven, owner), solvedAnswerCount(count), value(target) {
    addGraphic(id, x, y);
    stackTop = bounds.bottom;
}

RStackingContainer::RStackingContainer(const OMRect& box, std::int32_t zGiven, std::int32_t target,
                                       std::int32_t count, OMTrinketWindow* owner)
    : RContainer(zGiven, owner), solvedAnswerCount(count), value(target) {
    setBounds(box);
    stackTop = bounds.bottom;
}

std::int32_t RStackingContainer::stackedHeight() const {
    std::int32_t sum = 0;
    for (OMListElement<RAnswer>* n = answers.head; n; n = n->next) sum += effectiveHeight(*n->element);
    return sum;
}

std::int32_t RStackingContainer::answerValue() const {
    std::int32_t sum = 0;
    for (OMListElement<RAnswer>* n = answers.head; n; n = n->next) sum += integerProperty(*n->element, "value");
    return sum;
}

std::int32_t RStackingContainer::hitScore(RAnswer* answer, std::int32_t& score) {
    score = hitArea(*answer);
    const bool fits = stackedHeight() + effectiveHeight(*answer) <= bounds.bottom - bounds.top;
    return enabled && fits && answer->intersectsRect(bounds) ? 1 : 0;
}

void RStackingContainer::acceptAnswer(RAnswer* answer) {
    const std::int32_t h = effectiveHeight(*answer);
    answer->centreIn(bounds.left, stackTop - h, bounds.right, stackTop);
    stackTop -= h;
    RContainer::acceptAnswer(answer);
}

void RStackingContainer::removeAnswer(RAnswer* answer) {
    const std::int32_t h = effectiveHeight(*answer);
    const std::int32_t y = answer->effectiveRect().top;
    stackTop += h;
    bool moved = false;
    for (OMListElement<RAnswer>* n = answers.head; n; n = n->next) {
        if (n->element->effectiveRect().top >= y) continue;
        std::int32_t dx = 0;
        std::int32_t dy = h;
        n->element->offsetBy(dx, dy);
        moved = true;
    }
    if (moved) playSound(droppedSound);
    RContainer::removeAnswer(answer);
}

void RStackingContainer::offsetBy(std::int32_t& dx, std::int32_t& dy) {
    RContainer::offsetBy(dx, dy);
    stackTop += dy;
}

std::int32_t RStackingContainer::isFull() { return stackedHeight() >= bounds.bottom - bounds.top ? 1 : 0; }

std::int32_t RStackingContainer::isSolved() {
    return answerValue() == value && (solvedAnswerCount == -1 || solvedAnswerCount == answers.count) ? 1 : 0;
}

void RStackingContainer::registerProperties() {
    RContainer::registerProperties();
    const DataProperty<RStackingContainer> table[] = {{"answerValue", nullptr, &RStackingContainer::getAnswerValue},
                 {"droppedSound", &RStackingContainer::setDroppedSound, &RStackingContainer::getDroppedSound},
                 {"solvedAnswerCount", &RStackingContainer::setSolvedCount, &RStackingContainer::getSolvedCount},
                 {"value", &RStackingContainer::setValue, &RStackingContainer::getValue}};
    addDataProperties(this, table);
    registerGraphicFace();
}
