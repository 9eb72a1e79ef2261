// What the assessment race and the confirm screen share: pictures that stand in for their end link when
// missing, effect sounds that count as played at once when missing, and script commands run by name.
#pragma once

#include <cstdint>
#include <memory>

#include "OMAnimation.h"
#include "OMWaveSound.h"

class OMTrinketWindow;

// An animation of the ASEQ id at its stored placement, not movable and not touchy; hidden (paused on its
// first frame) when asked. Null when the data are missing or damaged.
std::unique_ptr<OMAnimation> activityPicture(std::int32_t id, OMTrinketWindow* window, bool hidden);
// Plays the picture from its first frame with `ended` as its end link (sounds not waited for); without a
// picture, `ended` runs at once.
void playThen(OMAnimation* picture, OMLink& ended);
void showPicture(OMAnimation* picture);
void hidePicture(OMAnimation* picture);

// A WAVE sound with its data. Replacing or deleting it stops it without calling its finish link.
class ActivitySound {
public:
    ActivitySound() = default;
    ActivitySound(const ActivitySound&) = delete;
    ActivitySound& operator=(const ActivitySound&) = delete;
    ~ActivitySound() { reset(); }

    // Plays the WAVE id `repeat` times (-1 for ever) at the volume; `finished` (may be null) when it ends,
    // or at once when the sound cannot play.
    void play(std::int32_t id, OMLink* finished = nullptr, std::int32_t repeat = 1, std::int32_t volume = 100);
    void reset();

private:
    // The sound reads the data, so it goes first.
    std::unique_ptr<OMIStream> data_;
    std::unique_ptr<OMWaveSound> sound_;
};

// Runs the registered script command (exec, exitQUOMB) with no parameters; nothing when none is registered.
void runScriptCommand(const char* name);
