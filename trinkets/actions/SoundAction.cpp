// Sound steps: the sound made from the looked-up stream at start, released when the step ends.
#include "SoundAction.h"

#include "ActionFactory.h"

SoundAction::SoundLookup SoundAction::soundLookupHook = nullptr;

SoundAction::SoundAction(std::uint16_t id, std::int32_t source, std::int32_t isInterruptibleFlag)
    : Action(isInterruptibleFlag), sourceFlag(source), soundId(id) {}

SoundAction::~SoundAction() {
    if (isActive()) halt();
}

// A step still playing (started again, or by a second container) lets its sound go first: the sound reads
// its stream until it is deleted.
void SoundAction::start() {
    if (sound) halt();
    Action::start();
    if (soundId == kNoSound || !soundLookupHook) return actionFinished();
    stream.reset(soundLookupHook(soundId, sourceFlag ? 0 : -1));
    if (!stream) return actionFinished();
    sound = std::make_unique<OMWaveSound>(stream.get(), 1);
    const OMLinkToObj<SoundAction> finished(this, &SoundAction::soundFinished);
    sound->setFinishHook(&finished);
    // A sound that cannot play (no samples, no device) would never call its finish hook.
    if (!sound->play(1)) soundFinished();
}

// Runs inside the sound's finish notification, which allows the sound to be deleted there.
void SoundAction::soundFinished() {
    halt();
    actionFinished();
}

// Deleting the sound stops it without calling its finish hook; the sound goes before its stream.
void SoundAction::halt() {
    Action::halt();
    sound.reset();
    stream.reset();
}

void SoundAction::pause() {
    if (sound) sound->pause();
}

void SoundAction::resume() {
    if (sound) sound->resume();
}

Action* createSoundAction(std::int32_t defaultInterruptible) {
    const std::vector<std::string> t = popTokens(3);
    const auto id = static_cast<std::uint16_t>(tokenNumber(t[0]));
    switch (tokenRun(t)) {
    case 3: return new SoundAction(id, tokenNumber(t[1]), tokenNumber(t[2]));
    case 2: return new SoundAction(id, tokenNumber(t[1]), defaultInterruptible);
    case 1: return new SoundAction(id, 0, defaultInterruptible);
    default: return nullptr;
    }
}
