// Pictures, sounds and commands of the assessment screens.
#include "ActivityParts.h"

#include "OMSParameter.h"
#include "PXKPictures.h"
#include "YScriptLoader.h"

std::unique_ptr<OMAnimation> activityPicture(std::int32_t id, OMTrinketWindow* window, bool hidden) {
    return loadPicture(id, OMAnimation::kAtPlacement, OMAnimation::kAtPlacement, window, hidden);
}

void playThen(OMAnimation* picture, OMLink& ended) {
    if (!picture) return ended.invoke();
    picture->waitSoundsAtEnd = false;
    picture->setEndLink(&ended);
    picture->rewind();
    picture->restart();
}

void showPicture(OMAnimation* picture) {
    if (picture) picture->show();
}

void hidePicture(OMAnimation* picture) {
    if (picture) picture->hide();
}

void ActivitySound::play(std::int32_t id, OMLink* finished, std::int32_t repeat, std::int32_t volume) {
    reset();
    const auto hook = OMAnimation::soundHook;
    data_.reset(hook ? hook(static_cast<std::int16_t>(id)) : nullptr);
    if (data_) {
        sound_ = std::make_unique<OMWaveSound>(data_.get(), 0);
        sound_->setRepeat(repeat);
        sound_->setVolume(volume);
        sound_->setFinishHook(finished);
        if (sound_->play(1)) return;
        reset();
    }
    if (finished) finished->invoke();
}

void ActivitySound::reset() {
    if (sound_) sound_->setFinishHook(nullptr);
    sound_.reset();
    data_.reset();
}

void runScriptCommand(const char* name) {
    YFunctionRecord* command = findScriptFunction(name);
    if (!command || !command->link) return;
    clearParameters();
    command->link->invoke();
}
