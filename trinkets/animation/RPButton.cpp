// Push buttons: their looks, the click sound, "hit" on release over the button, and the script class
// "RPButton".
#include "RPButton.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMTrinketWindow.h"

OMCursor* RPButton::defaultCursor = nullptr;
OMCursor* RPButton::defaultDownCursor = nullptr;

namespace {

constexpr std::int32_t kShortestDelay = 50;

// Arguments: id alone (placed by its data), or x, y, id.
OMScriptableObject* makeButton() {
    const std::string a = popParameter();
    const std::string b = popParameter();
    const std::string c = popParameter();
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!OMAnimation::animationHook || !window) return nullptr;
    const bool placed = c.empty();
    if (placed && a.empty()) return nullptr;
    OMIStream* stream = OMAnimation::animationHook(static_cast<std::int16_t>(std::atoi((placed ? a : c).c_str())));
    if (!stream) return nullptr;
    const std::int32_t x = placed ? OMAnimation::kAtPlacement : std::atoi(a.c_str());
    const std::int32_t y = placed ? OMAnimation::kAtPlacement : std::atoi(b.c_str());
    return new RPButton(window, stream, x, y);
}

}  // namespace

OMSR RPButton::classRecord{"RPButton", makeButton};

RPButton::RPButton(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y)
    : OMAnimation(owner, stream, x, y) {
    cursor = defaultCursor;
    downCursor = defaultDownCursor;
    refreshHover();
}

RPButton::RPButton(const RPButton& other)
    : OMAnimation(other), clickSoundID(other.clickSoundID), pressTime(other.pressTime), playDelay(other.playDelay) {}

RPButton::~RPButton() { releaseClick(); }

OMScriptableObject* RPButton::clone() {
    auto* copy = new RPButton(*this);
    copyPropertiesTo(copy);
    return copy;
}

void RPButton::describe(char* buffer, std::size_t size) {
    std::snprintf(buffer, size, "%d %d", static_cast<int>(bounds.left), static_cast<int>(bounds.top));
}

void RPButton::registerProperties() {
    OMAnimation::registerProperties();
    addEventProperty("hit");
    const OMLinkToObj<RPButton> clickVerb(this, &RPButton::click);
    addDefaultMethodProperty(&clickVerb);
    const auto data = [this](const char* name, void (RPButton::*setter)(OMArg), void (RPButton::*getter)(OMArg)) {
        const OMLinkToObj<RPButton> set(this, nullptr, setter), get(this, nullptr, getter);
        addDataProperty(name, &set, &get);
    };
    data("enabled", &RPButton::setEnabled, &RPButton::getEnabled);
    data("clickSoundID", &RPButton::setClickSoundID, &RPButton::getClickSoundID);
    data("playDelay", &RPButton::setPlayDelay, &RPButton::getPlayDelay);
}

void RPButton::click() {
    showLook(kPressed);
    pressTime = ticksMs();
    playClick();
}

void RPButton::tick() {
    if (!step()) return;
    if (pressTime != 0 && ticksMs() > pressTime + static_cast<std::uint32_t>(playDelay)) {
        showLook(kNormal);
        pressTime = 0;
    }
}

void RPButton::onMouseDown() {
    showLook(kPressed);
    holdMouse(1, 0);
    playClick();
}

void RPButton::onDrag() {
    const bool inside = pointerOver();
    if (!inside) {
        showDefaultCursor();
    } else {
        showCursor();
        if (framePosition() == kNormal) playClick();
    }
    showLook(inside ? kPressed : kNormal);
}

// A release over the button while its click still sounds raises "hit" when the click ends.
void RPButton::onMouseUp() {
    showLook(kNormal);
    holdMouse(0, 0);
    if (!pointerOver()) return;
    if (!clickSound) {
        signalEvent("hit");
        return;
    }
    pendingHit = true;
}

// The point of the mouse message being handled.
bool RPButton::pointerOver() {
    const OMTInputRecord& input = OMTrinketWindow::inputRecord;
    return hitTest(POINT{input.x, input.y});
}

void RPButton::playClick() {
    releaseClick();
    if (!soundHook || clickSoundID == -1) return;
    clickData.reset(soundHook(clickSoundID));
    if (!clickData) return;
    clickSound = std::make_unique<OMWaveSound>(clickData.get(), 0);
    clickSound->load();
    clickSound->setRepeat(1);
    const OMLinkToObj<RPButton> ended(this, &RPButton::clickEnded);
    clickSound->setFinishHook(&ended);
    clickSound->play(1);
}

void RPButton::clickEnded() {
    releaseClick();
    if (!pendingHit) return;
    pendingHit = false;
    signalEvent("hit");
}

void RPButton::releaseClick() {
    clickSound.reset();
    clickData.reset();
}

void RPButton::getEnabled(OMArg buffer) { writeInteger(buffer, isTouchy()); }

void RPButton::setEnabled(OMArg text) {
    const std::int32_t value = integerOf(text);
    setTouchy(value);
    showLook(value != 0 ? kNormal : kDisabled);
}

void RPButton::getClickSoundID(OMArg buffer) { writeInteger(buffer, clickSoundID); }
void RPButton::setClickSoundID(OMArg text) { clickSoundID = static_cast<std::int16_t>(integerOf(text)); }

void RPButton::getPlayDelay(OMArg buffer) { writeInteger(buffer, playDelay); }

void RPButton::setPlayDelay(OMArg text) {
    const std::int32_t value = integerOf(text);
    playDelay = value < kShortestDelay + 1 ? kShortestDelay : value;
}
