// The stepping of an ASEQ play list.
#include "AseqPlayback.h"

void AseqPlayback::select(const AseqSequence& sequence) {
    sequence_ = sequence;
    currentEntry = 0;
}

void AseqPlayback::begin() {
    state = PlayState::playing;
    dueTime = 0;
    if (endIndex() > 0 && entry(0).frame == kAseqHold) {
        currentEntry = firstFrameEntry();
        state = PlayState::paused;
    }
}

std::int32_t AseqPlayback::endIndex() const {
    const std::int32_t count = sequence_.count;
    return count > 0 && entry(count - 1).frame == kAseqEnd ? count - 1 : count;
}

std::int32_t AseqPlayback::firstFrameEntry() const {
    for (std::int32_t i = 0; i < endIndex(); ++i)
        if (entry(i).frame >= 0) return i;
    return 0;
}

std::int32_t AseqPlayback::interval() const {
    if (frameRate != 0) return 1000 / frameRate;
    if (currentEntry >= endIndex()) return 0;
    const AseqEntry at = entry(currentEntry);
    return at.frame >= 0 ? at.param : 0;
}

bool AseqPlayback::tick(std::int32_t now) {
    if (state == PlayState::soundStarted) {
        syncLatency = now - syncLatency;
        dueTime = now;
        state = PlayState::playing;
    } else if (state != PlayState::playing || now < dueTime) {
        return true;
    }
    dueTime = interval() + (noDrift && dueTime != 0 ? dueTime : now);
    // A looping list of commands alone never reaches a frame: the step ends after going through it twice.
    for (std::int32_t budget = 2 * (sequence_.count + 1); budget > 0; --budget) {
        // A list without an end entry ends after its stored entries.
        const Next next = process(now, entry(currentEntry));
        if (next == Next::gone) return false;
        if (next == Next::stop) break;
    }
    return afterStep();
}

AseqPlayback::Next AseqPlayback::process(std::int32_t now, const AseqEntry& at) {
    if (at.frame >= 0) {
        host_.showEntry();
        if (state != PlayState::paused && !advance(true)) return Next::gone;
        return Next::stop;
    }
    switch (at.frame) {
    case kAseqSoundCue: return cue(now, at.param);
    case kAseqHold:
        if (repeatCount == 0) {
            state = PlayState::paused;
            if (!host_.endOfPlay()) return Next::gone;
        }
        return advance(true) ? Next::go : Next::gone;
    case kAseqLoop: return loop();
    case kAseqEnd: return end();
    default:
        if (at.frame <= kAseqSpecial && !host_.special()) return Next::gone;
        if (!advance(true)) return Next::gone;
        return state == PlayState::playing ? Next::go : Next::stop;
    }
}

// A cue takes no time; waiting for its sound to start, the frames after it stay until it does.
AseqPlayback::Next AseqPlayback::cue(std::int32_t now, std::int16_t soundId) {
    bool waits = false;
    if (host_.cuesPlay() && host_.hasCue(soundId)) {
        if (soundSync) {
            state = PlayState::paused;
            syncLatency = now;
            waits = true;
        }
        host_.playCue(soundId, soundSync);
    }
    if (!advance(true)) return Next::gone;
    return waits ? Next::stop : Next::go;
}

AseqPlayback::Next AseqPlayback::loop() {
    if (repeatCount == 1) {
        repeatCount = 0;
        state = PlayState::paused;
        if (!host_.endOfPlay() || !advance(false)) return Next::gone;
        // The last frame stays shown.
        for (std::int32_t i = currentEntry - 1; i >= 0; --i) {
            if (entry(i).frame >= 0) {
                currentEntry = i;
                break;
            }
        }
        return Next::stop;
    }
    if (!advance(false)) return Next::gone;
    currentEntry = 0;
    if (repeatCount > 0) --repeatCount;
    return Next::go;
}

AseqPlayback::Next AseqPlayback::end() {
    if (repeatCount != 0) return loop();
    state = PlayState::stopped;
    host_.hideAtEnd();
    if (!advance(false)) return Next::gone;
    currentEntry = 0;
    return Next::stop;
}

bool AseqPlayback::advance(bool move) {
    if (currentEntry < endIndex()) {
        if (!host_.entryAdvanced()) return false;
        if (move) ++currentEntry;
    }
    return true;
}

bool AseqPlayback::isCue(std::int32_t index) const {
    return index >= 0 && index < endIndex() && entry(index).frame == kAseqSoundCue;
}

// Pauses once at a stop entry; otherwise, when the next entry is a cue waited for, it is reached earlier by
// the measured start latency of the last one. False when the owner was destroyed while pausing.
bool AseqPlayback::afterStep() {
    if (stopEntry != -1 && currentEntry == stopEntry) {
        stopEntry = -1;
        return host_.pauseAtStop();
    }
    const bool loopsToCue = currentEntry < endIndex() && entry(currentEntry).frame == kAseqLoop && isCue(0);
    if (soundSync && host_.cuesPlay() && (isCue(currentEntry) || loopsToCue)) dueTime -= syncLatency;
    return true;
}

void AseqPlayback::play() {
    if (state != PlayState::paused) return;
    state = PlayState::playing;
    dueTime = 0;
}

void AseqPlayback::pause() {
    if (state != PlayState::stopped) state = PlayState::paused;
}

void AseqPlayback::rewind() {
    state = PlayState::stopped;
    currentEntry = firstFrameEntry();
    host_.showEntry();
}
