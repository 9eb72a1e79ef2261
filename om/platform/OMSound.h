// The abstract sound: play state, repeat, volume, and four hooks that tell when a sound is heard to start,
// finish, pause and resume; with the operations on all sounds and on the output as a whole.
#pragma once

#include <cstdint>

#include "OMLink.h"
#include "OMList.h"

class OMSound {
public:
    OMSound() = default;
    OMSound(const OMSound&) = delete;
    OMSound& operator=(const OMSound&) = delete;
    // Leaves the finish guard list, so that a finish hook that deleted its sound is noticed.
    virtual ~OMSound();

    virtual const char* typeName() const = 0;
    // 1 when the sound was started; async 0 waits until it is done.
    virtual std::int32_t play(std::int32_t async) = 0;
    // stop, load and unload: 1 while the sound still exists, 0 when its finish hook deleted it.
    virtual std::int32_t stop() = 0;
    virtual std::int32_t load() = 0;
    virtual std::int32_t unload() = 0;
    virtual void setVolume(std::int32_t v) = 0;
    virtual std::int32_t volume() const = 0;
    virtual std::int32_t durationMs() const = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void fireStart();
    virtual void fireFinish();
    virtual void firePause();
    virtual void fireResume();
    virtual void waitUntilDone() = 0;

    // Each setter deletes the held link and stores a clone (null clears).
    void setStartHook(const OMLink* link) { replaceLink(startHook_, link); }
    void setFinishHook(const OMLink* link) { replaceLink(finishHook_, link); }
    void setPauseHook(const OMLink* link) { replaceLink(pauseHook_, link); }
    void setResumeHook(const OMLink* link) { replaceLink(resumeHook_, link); }
    OMLink* startHook() const { return startHook_; }
    OMLink* finishHook() const { return finishHook_; }
    OMLink* pauseHook() const { return pauseHook_; }
    OMLink* resumeHook() const { return resumeHook_; }
    // Stores count when it is -1 (for ever) or above 0; returns its argument.
    std::int32_t setRepeat(std::int32_t count);

    static void pauseAll();
    static void resumeAllPaused();
    static void stopAll();
    // Pauses the device; resuming tells the timing-shift links how long the output stood still.
    static void pauseOutput();
    static void resumeOutput();
    static bool outputPaused();

    std::int32_t volumeLevel = 100;
    std::int32_t loaded = 0;
    // Set when the first samples of a pass reach the device; cleared when the sound finishes.
    std::int32_t started = 0;
    std::int32_t repeatCount = 1;
    std::int32_t passesPlayed = 0;
    std::int32_t paused = 0;

protected:
    // Runs fireFinish with the sound in the guard list: false when the hook deleted the sound.
    bool fireFinishGuarded();
    void deleteHooks();

private:
    OMLink* startHook_ = nullptr;
    OMLink* finishHook_ = nullptr;
    OMLink* pauseHook_ = nullptr;
    OMLink* resumeHook_ = nullptr;
};
