// The puzzle's verbs: objects named by script variables, the data set's turns, and start, which plays one
// turn drawn at random.
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "DispatchScope.h"
#include "OMAnimation.h"
#include "OMFontCache.h"
#include "OMSParameter.h"
#include "OMTrinketWindow.h"
#include "RAnswer.h"
#include "RContainer.h"
#include "RPuzzle.h"
#include "RText.h"
#include "YDeathInterest.h"
#include "YHeap.h"

namespace {

// The object held by the script variable the next argument names; null when it holds none of that kind.
template <class T>
T* poppedObject() {
    const std::intptr_t held = scriptHeap().intValue(popParameter(), 0);
    return dynamic_cast<T*>(reinterpret_cast<OMScriptableObject*>(held));
}

std::int32_t poppedInteger() { return std::atoi(popParameter()); }

// Each step of a verb that walks the answers or the containers.
template <class T, class Step>
void forEach(const OMList<T>& list, Step step) {
    for (OMListElement<T>* n = list.head; n; n = n->next) step(*n->element);
}

}  // namespace

void scrambleOrder(std::int32_t* order, std::int32_t n) {
    if (n < 2) return;
    for (std::int32_t k = 0; k < 2 * n; ++k) {
        const std::int32_t i = randomIndexExcept(n, -1);
        const std::int32_t j = randomIndexExcept(n, i);
        std::swap(order[i], order[j]);
    }
}

void RPuzzle::addAnswerVerb() {
    if (auto* answer = poppedObject<RAnswer>()) addAnswer(answer);
}

void RPuzzle::addAnswerToContainerVerb() {
    auto* answer = poppedObject<RAnswer>();
    auto* container = poppedObject<RContainer>();
    if (answer && container) placeAnswer(answer, container);
}

void RPuzzle::addContainerVerb() {
    if (auto* container = poppedObject<RContainer>()) addContainer(container);
}

void RPuzzle::removeAnswerVerb() {
    if (auto* answer = poppedObject<RAnswer>()) removeAnswer(answer);
}

void RPuzzle::removeAnswerFromContainerVerb() {
    auto* answer = poppedObject<RAnswer>();
    auto* container = poppedObject<RContainer>();
    if (answer && container && answer->container() == container) unplace(answer);
}

void RPuzzle::removeContainerVerb() {
    if (auto* container = poppedObject<RContainer>()) removeContainer(container);
}

void RPuzzle::anchorAnswersVerb() {
    forEach(answers, [](RAnswer& a) { a.anchor(); });
}

void RPuzzle::unanchorAnswersVerb() {
    forEach(answers, [](RAnswer& a) { a.unanchor(); });
}

// The events of each step may have a handler drop an answer (which leaves the list) or the puzzle itself:
// the walk goes over the answers placed when it began, passes those gone, and ends with the puzzle.
void RPuzzle::resetVerb() {
    const DispatchScope<RPuzzle> puzzleScope;
    const DispatchScope<RAnswer> answerScope;
    std::vector<RAnswer*> placed;
    forEach(answers, [&](RAnswer& a) {
        if (a.container()) placed.push_back(&a);
    });
    for (RAnswer* answer : placed) {
        if (wasDestroyed()) return;
        if (!RAnswer::wasDestroyed(answer) && answers.contains(answer) && answer->container()) unplace(answer);
    }
}

void RPuzzle::shiftAnswersVerb() {
    const std::int32_t dx = poppedInteger();
    const std::int32_t dy = poppedInteger();
    forEach(answers, [=](RAnswer& a) {
        std::int32_t x = dx, y = dy;
        if (!a.container()) a.offsetBy(x, y);
    });
}

void RPuzzle::shiftContainersVerb() {
    const std::int32_t dx = poppedInteger();
    const std::int32_t dy = poppedInteger();
    forEach(containers, [=](RContainer& c) {
        std::int32_t x = dx, y = dy;
        c.offsetBy(x, y);
    });
}

// Entry number, then attribute and value pairs up to an empty argument.
void RPuzzle::setAnswerVerb() {
    DSEntry& entry = dataSet.entry(poppedInteger());
    for (std::string attribute = popParameter(); !attribute.empty(); attribute = popParameter())
        entry.answers.push_back(DSAnswer{attribute, popParameter()});
}

void RPuzzle::setContainerVerb() {
    DSEntry& entry = dataSet.entry(poppedInteger());
    for (std::string attribute = popParameter(); !attribute.empty(); attribute = popParameter())
        entry.containers.push_back(DSContainer{attribute});
}

// Entry, number, a, b, c, t6, t7, t8: a text at (a, b) with z c (t7 given: its userData), or, all given,
// one in the box (a, b, width c, height t6) with z t7.
void RPuzzle::setPuzzleTextVerb() {
    DSEntry& entry = dataSet.entry(poppedInteger());
    const auto number = static_cast<std::int16_t>(poppedInteger());
    const std::int32_t a = poppedInteger();
    const std::int32_t b = poppedInteger();
    const std::int32_t c = poppedInteger();
    const std::string t[3] = {popParameter(), popParameter(), popParameter()};
    if (t[1].empty()) return entry.texts.push_back(DSText{number, a, b, -1, -1, c, t[0], 1});
    if (t[2].empty()) return entry.texts.push_back(DSText{number, a, b, -1, -1, c, t[0], std::atoi(t[1].c_str())});
    entry.texts.push_back(DSText{number, a, b, c, std::atoi(t[0].c_str()), std::atoi(t[1].c_str()), t[2], 1});
}

void RPuzzle::setPuzzleTextFontVerb() {
    const std::string p[4] = {popParameter(), popParameter(), popParameter(), popParameter()};
    if (textFont) releaseFont(textFont);
    const bool byId = p[2].empty();
    textFont = byId ? findFontByID(static_cast<std::uint16_t>(std::atoi(p[0].c_str())))
                    : findFontByName(p[0].c_str(), std::atoi(p[2].c_str()), std::atoi(p[1].c_str()));
    puzzleTextColorIndex = static_cast<std::int16_t>(std::atoi((byId ? p[1] : p[3]).c_str()));
}

// Entry, then z and id (the sequence's own placement) or x, y, z and id.
void RPuzzle::setPuzzleGraphicVerb() {
    DSEntry& entry = dataSet.entry(poppedInteger());
    const std::string p[4] = {popParameter(), popParameter(), popParameter(), popParameter()};
    std::int32_t v[4];
    for (int i = 0; i < 4; ++i) v[i] = std::atoi(p[i].c_str());
    constexpr std::int32_t kPlaced = OMAnimation::kAtPlacement;
    if (p[2].empty()) return entry.graphics.push_back(DSGraphic{kPlaced, kPlaced, v[0], static_cast<std::int16_t>(v[1])});
    entry.graphics.push_back(DSGraphic{v[0], v[1], v[2], static_cast<std::int16_t>(v[3])});
}

// An answer without a record in the entry keeps what it has.
void RPuzzle::giveAnswerValues(const DSEntry& entry) {
    std::vector<std::int32_t> order(answers.count);
    std::iota(order.begin(), order.end(), 0);
    if (scrambleAnswers) scrambleOrder(order.data(), answers.count);
    std::size_t i = 0;
    forEach(answers, [&](RAnswer& a) {
        const std::size_t k = static_cast<std::size_t>(order[i++]);
        if (k >= entry.answers.size()) return;
        a.setProperty("attribute", entry.answers[k].attribute.c_str());
        if (!a.setProperty("text", entry.answers[k].value.c_str()))
            a.setProperty("graphicID", entry.answers[k].value.c_str());
    });
    std::size_t c = 0;
    forEach(containers, [&](RContainer& container) {
        if (c < entry.containers.size()) container.setProperty("attribute", entry.containers[c].attribute.c_str());
        ++c;
    });
}

void RPuzzle::showGraphics(const DSEntry& entry) {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    for (const DSGraphic& g : entry.graphics) {
        OMIStream* stream = OMAnimation::animationHook && window ? OMAnimation::animationHook(g.id) : nullptr;
        if (!stream) continue;
        auto* picture = new OMAnimation(window, stream, g.x, g.y);
        picture->setZ(g.z);
        picture->setTouchy(0);
        graphics.emplace_back(picture);
    }
}

void RPuzzle::showTexts(const DSEntry& entry) {
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!window) return;
    for (const DSText& t : entry.texts) {
        const bool hanging = t.width == -1;
        RText* text = hanging ? new RText(t.text.c_str(), textFont, puzzleTextColorIndex, POINT{t.x, t.y}, 0, window)
                              : new RText(t.text.c_str(), textFont, puzzleTextColorIndex,
                                          OMRect{t.x, t.y, t.x + t.width, t.y + t.height}, 0, window);
        text->setUserData(std::to_string(hanging ? t.userData : 0).c_str());
        text->setZ(t.z);
        text->setTouchy(0);
        texts.emplace_back(text);
    }
}

void RPuzzle::start() {
    graphics.clear();
    texts.clear();
    if (dataSet.entries.empty()) return;
    const DSEntry& entry = dataSet.entries[randomIndexExcept(static_cast<std::int32_t>(dataSet.entries.size()), -1)];
    giveAnswerValues(entry);
    showGraphics(entry);
    showTexts(entry);
}
