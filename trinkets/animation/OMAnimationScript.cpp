// The script face of animations: the class "OMAnimation", made from ASEQ data found by id, and the
// properties every animation shows to scripts.
#include <cstdlib>

#include "OMAnimation.h"
#include "OMAnimationDeep.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMTrinketWindow.h"

namespace {

// Arguments: x, y, id. The data's own placement is used while the class default asks for it.
OMScriptableObject* makeAnimation() {
    const std::int32_t x = std::atoi(popParameter());
    const std::int32_t y = std::atoi(popParameter());
    const auto id = static_cast<std::int16_t>(std::atoi(popParameter()));
    OMTrinketWindow* window = OMTrinketWindow::mainTrinketWindow;
    if (!OMAnimation::animationHook || !window) return nullptr;
    OMIStream* stream = OMAnimation::animationHook(id);
    if (!stream) return nullptr;
    findAnimationPalette(id, OMAnimation::paletteHook);
    const bool placed = OMAnimation::defaultUsePlacement;
    auto* animation = new OMAnimation(window, stream, placed ? OMAnimation::kAtPlacement : x,
                                      placed ? OMAnimation::kAtPlacement : y);
    animation->loadSounds(-1);
    animation->resourceId = id;
    return animation;
}

// The entry field picked by a selector: 0 or 1 the frame or command, 2 x, 3 y, 4 the parameter.
std::int16_t* entryField(AseqEntry& entry, std::int32_t selector) {
    switch (selector) {
    case 0:
    case 1: return &entry.frame;
    case 2: return &entry.x;
    case 3: return &entry.y;
    case 4: return &entry.param;
    default: return nullptr;
    }
}

}  // namespace

OMSR OMAnimation::classRecord{"OMAnimation", makeAnimation};

void OMAnimation::registerProperties() {
    OMTrinket::registerProperties();
    removeProperty("dblClick");
    const auto data = [this](const char* name, void (OMAnimation::*setter)(OMArg),
                             void (OMAnimation::*getter)(OMArg)) {
        const OMLinkToObj<OMAnimation> set(this, nullptr, setter), get(this, nullptr, getter);
        addDataProperty(name, &set, &get);
    };
    data("frame", &OMAnimation::setFrameText, &OMAnimation::getFrameText);
    data("sequence", &OMAnimation::setSequenceText, &OMAnimation::getSequenceText);
    data("param", &OMAnimation::setParamText, &OMAnimation::getParamText);
    data("soundOn", &OMAnimation::setSoundOnText, &OMAnimation::getSoundOnText);
    const OMLinkToObj<OMAnimation> play(this, &OMAnimation::play), forever(this, &OMAnimation::foreverVerb),
        stampVerb(this, &OMAnimation::stamp), unstampVerb(this, &OMAnimation::unstamp);
    addDefaultMethodProperty(&play);
    addMethodProperty("forever", &forever);
    addMethodProperty("stamp", &stampVerb);
    addMethodProperty("unstamp", &unstampVerb);
    addEventProperty("paused");
    addEventProperty("special");
}

void OMAnimation::foreverVerb() {
    setRepeatCount(-1);
    play();
}

void OMAnimation::getFrameText(OMArg buffer) { writeInteger(buffer, framePosition()); }
void OMAnimation::setFrameText(OMArg text) { setFramePosition(integerOf(text), false); }
void OMAnimation::getSequenceText(OMArg buffer) { writeInteger(buffer, currentSequence + 1); }

void OMAnimation::setSequenceText(OMArg text) {
    if (status() != AseqStatus::ok) return;
    selectSequence(integerOf(text) - 1, false);
    restart();
}

void OMAnimation::getParamText(OMArg buffer) {
    const std::int32_t selector = std::atoi(popParameter());
    const std::uint8_t* bytes = currentEntryBytes();
    AseqEntry entry;
    if (bytes) entry = readEntry(bytes);
    const std::int16_t* field = entryField(entry, selector);
    writeInteger(buffer, bytes && field ? *field : 0);
}

void OMAnimation::setParamText(OMArg text) {
    const std::int32_t value = integerOf(text);
    const std::int32_t selector = std::atoi(popParameter());
    std::uint8_t* bytes = currentEntryBytes();
    if (!bytes) return;
    AseqEntry entry = readEntry(bytes);
    std::int16_t* field = entryField(entry, selector);
    if (!field) return;
    *field = static_cast<std::int16_t>(value);
    writeEntry(bytes, entry);
}

void OMAnimation::getSoundOnText(OMArg buffer) { writeInteger(buffer, soundOn ? 1 : 0); }
void OMAnimation::setSoundOnText(OMArg text) { setSoundOn(integerOf(text) != 0); }
