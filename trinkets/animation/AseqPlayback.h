// Stepping through an ASEQ play list on the millisecond clock: frame entries shown for their interval,
// holds, loops with a repeat count, the end, sound cues (optionally waiting for their sound to start) and
// special entries. The animation trinket owns one and answers its calls.
#pragma once

#include <cstdint>

#include "AseqFormat.h"

// What the stepping asks of its owner. Each call that may run a script or a link returns false when the
// owner was destroyed meanwhile; the step then ends without touching anything.
class AseqPlaybackHost {
public:
    virtual ~AseqPlaybackHost() = default;
    // The current entry is a frame entry: put it on screen.
    virtual void showEntry() = 0;
    virtual bool endOfPlay() = 0;
    // Called on every advance, moving or not.
    virtual bool entryAdvanced() = 0;
    virtual bool special() = 0;
    // -1 with no repeats left: the animation hides itself.
    virtual void hideAtEnd() = 0;
    // Whether cues can play at all (sound on and a sound source installed).
    virtual bool cuesPlay() = 0;
    // Whether the cue's sound could be had (made on first use).
    virtual bool hasCue(std::int16_t soundId) = 0;
    // Plays the cue's sound. With `sync`, its start must call AseqPlayback::soundStarted.
    virtual void playCue(std::int16_t soundId, bool sync) = 0;
    // The stop entry is reached: the owner pauses as its pause does.
    virtual bool pauseAtStop() = 0;
};

enum class PlayState : std::int32_t { stopped = 0, playing = 1, paused = 2, soundStarted = 3 };

class AseqPlayback {
public:
    explicit AseqPlayback(AseqPlaybackHost& host) : host_(host) {}

    // Takes a play list at its first entry.
    void select(const AseqSequence& sequence);
    // Playing and due at once; a list that opens with a hold starts paused on its first frame entry.
    void begin();
    // One step when due at `now` (ms); returns false when the owner was destroyed during it.
    bool tick(std::int32_t now);
    // A waited-for sound has started: the next tick goes on, measuring how long the start took.
    void soundStarted() { state = PlayState::soundStarted; }

    void play();
    void pause();
    void rewind();

    std::int32_t firstFrameEntry() const;
    // Entry `index`; outside the stored entries, an end entry.
    AseqEntry entry(std::int32_t index) const {
        if (index < 0 || index >= sequence_.count) return {0, 0, kAseqEnd, 0};
        return readEntry(sequence_.entries + index * kAseqEntrySize);
    }
    // The index of the end entry (or the stored count when the list has none).
    std::int32_t endIndex() const;

    PlayState state = PlayState::stopped;
    std::int32_t dueTime = 0;
    std::int32_t frameRate = 0;
    std::int32_t repeatCount = 0;
    std::int32_t syncLatency = 5;
    std::int32_t currentEntry = 0;
    std::int32_t stopEntry = -1;
    bool noDrift = true;
    bool soundSync = true;

private:
    enum class Next { go, stop, gone };
    std::int32_t interval() const;
    Next process(std::int32_t now, const AseqEntry& at);
    Next cue(std::int32_t now, std::int16_t soundId);
    Next loop();
    Next end();
    bool advance(bool move);
    bool isCue(std::int32_t index) const;
    bool afterStep();

    AseqPlaybackHost& host_;
    AseqSequence sequence_;
};
