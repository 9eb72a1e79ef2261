// Hooks, repeat, the finish guard, and the operations on all sounds and on the output.
#include "OMSound.h"

#include "OMSystemUtilities.h"
#include "OMWaveOutMixer.h"
#include "OMWaveSound.h"

namespace {

// Sounds whose finish hook is running: a sound that is gone from it afterwards was deleted by its hook.
OMList<OMSound>& finishGuard() {
    static OMList<OMSound> guard;
    return guard;
}

bool outputIsPaused = false;
std::uint32_t outputPausedAt = 0;

template <void (OMWaveSound::*operation)()>
void forEachSound(OMList<OMWaveSound>& sounds) {
    OMListCallbackBlock<OMWaveSound> block;
    block.function = [](OMWaveSound* sound) {
        (sound->*operation)();
        return std::int32_t{0};
    };
    sounds.forEach(2, block, 0);
}

void stopEach(OMList<OMWaveSound>& sounds) {
    OMListCallbackBlock<OMWaveSound> block;
    block.function = [](OMWaveSound* sound) {
        (void)sound->stop();
        return std::int32_t{0};
    };
    sounds.forEach(2, block, 0);
}

}  // namespace

OMSound::~OMSound() { finishGuard().remove(this); }

void OMSound::fireStart() {
    if (startHook_) startHook_->invoke();
}

void OMSound::fireFinish() {
    if (finishHook_) finishHook_->invoke();
}

void OMSound::firePause() {
    if (pauseHook_) pauseHook_->invoke();
}

void OMSound::fireResume() {
    if (resumeHook_) resumeHook_->invoke();
}

std::int32_t OMSound::setRepeat(std::int32_t count) {
    if (count == -1 || count > 0) repeatCount = count;
    return count;
}

bool OMSound::fireFinishGuarded() {
    finishGuard().append(this);
    fireFinish();
    if (!finishGuard().contains(this)) return false;
    finishGuard().remove(this);
    return true;
}

void OMSound::deleteHooks() {
    setStartHook(nullptr);
    setFinishHook(nullptr);
    setPauseHook(nullptr);
    setResumeHook(nullptr);
}

void OMSound::pauseAll() {
    forEachSound<&OMWaveSound::pause>(OMWaveOutMixer::playing());
    forEachSound<&OMWaveSound::pause>(OMWaveOutMixer::finishing());
}

void OMSound::resumeAllPaused() { forEachSound<&OMWaveSound::resume>(OMWaveOutMixer::paused()); }

void OMSound::stopAll() {
    stopEach(OMWaveOutMixer::playing());
    stopEach(OMWaveOutMixer::finishing());
    stopEach(OMWaveOutMixer::paused());
}

void OMSound::pauseOutput() {
    if (outputIsPaused) return;
    outputIsPaused = true;
    outputPausedAt = ticksMs();
    OMWaveOutMixer::pauseDevice();
}

void OMSound::resumeOutput() {
    if (!outputIsPaused) return;
    outputIsPaused = false;
    OMWaveOutMixer::shiftTiming(ticksMs() - outputPausedAt);
    OMWaveOutMixer::restartDevice();
}

bool OMSound::outputPaused() { return outputIsPaused; }
