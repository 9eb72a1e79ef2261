// The sequence's state and its steps: a sound found finished starts the gap, the gap's end starts the
// next sound, the last one ends the sequence.
#include "SndSeq.h"

#include <algorithm>
#include <utility>

#include "EngineClock.h"
#include "SndManager.h"
#include "SndPlay.h"
#include "SndPlayControl.h"

namespace {

constexpr std::uint16_t kNoChannel = 65535;

struct Sequence {
    std::uint32_t ids[kSndSeqMaxSounds] = {};
    std::uint16_t count = 0;
    std::uint16_t index = 0;
    std::uint32_t gap = 0;
    std::uint32_t finishedAt = 0;  // 0 while the sound plays
    std::uint16_t channel = kNoChannel;
    std::uint32_t play = 0;  // the serial of the current sound's play
    SndSeqDoneProc done = nullptr;
    std::uint32_t doneData = 0;
};

Sequence seq;

// Whether the sequence's own sound still plays: another sound may have taken its channel during the gap.
bool ownSoundPlays() {
    const auto channel = static_cast<std::int16_t>(seq.channel);
    return seq.channel < kSndChannels && SndIsPlaying(channel) && SndGetPlaySerial(channel) == seq.play;
}

std::int16_t playCurrent() {
    std::int16_t channel = SndPlayIdStreamed(static_cast<std::uint16_t>(seq.ids[seq.index]), 0, kSndFullLevel, 0);
    seq.finishedAt = 0;
    if (channel < 0 || channel >= kSndChannels) {
        seq.count = 0;
        return -1;
    }
    seq.count = std::min(seq.count, kSndSeqMaxSounds);
    seq.channel = static_cast<std::uint16_t>(channel);
    seq.play = SndGetPlaySerial(channel);
    return channel;
}

void end() {
    seq.count = seq.index = 0;
    seq.channel = kNoChannel;
}

}  // namespace

std::int16_t SndSeqStart(const std::uint32_t* ids, std::uint16_t count, std::uint32_t gapMs) {
    if (!SndIsEnabled() || !ids || count == 0) return -1;
    seq.count = std::min(count, kSndSeqMaxSounds);
    std::copy(ids, ids + seq.count, seq.ids);
    seq.index = 0;
    seq.gap = gapMs;
    return playCurrent();
}

std::int16_t SndSeqService() {
    if (seq.count == 0) return 0;
    if (ownSoundPlays()) return 1;
    std::uint32_t now = ClockMilliseconds();
    if (seq.finishedAt == 0) {
        seq.finishedAt = now;
        if (++seq.index >= seq.count) {
            end();
            if (seq.done) seq.done(seq.doneData, 1);
            return 0;
        }
    } else if (now - seq.finishedAt >= seq.gap) {
        playCurrent();
    }
    return seq.count != 0 ? 1 : 0;
}

std::int16_t SndSeqStop() {
    const bool own = ownSoundPlays();
    const auto channel = static_cast<std::int16_t>(seq.channel);
    end();
    seq.gap = 0;
    if (own) SndStop(channel);
    if (seq.done) seq.done(seq.doneData, 0);
    return 0;
}

SndSeqDoneProc SndSeqSetDone(SndSeqDoneProc proc, std::uint32_t data) {
    seq.doneData = data;
    return std::exchange(seq.done, proc);
}
