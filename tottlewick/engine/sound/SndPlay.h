// The play layer: what the program calls to make a sound. It chooses a channel, keeps one play record per
// channel (what plays there, how it was started, whom to tell when it ends) and plays either a sample loaded
// whole into memory, through a voice, or a long sound read piece by piece from its file, through a stream.
// Plays answer the channel (0-15) or -1.
#pragma once

#include <cstdint>

#include "MemHandle.h"

// Called once when a play ends, also when it was stopped: (channel, sound id, sample block or 0, data).
using SndCompletionProc = void (*)(std::int16_t channel, std::uint32_t soundId, MemHandle sample, std::uint32_t data);

// Settings of the next plays; each setter returns the previous value.
std::uint32_t SndGetChannelMask();
std::uint32_t SndSetChannelMask(std::uint32_t mask);  // the channels that choice, service and "all" use
std::uint16_t SndGetStreamMode();
std::uint16_t SndSetStreamMode(std::uint16_t on);  // sound ids are streamed from their files
SndCompletionProc SndGetDoneProc();
SndCompletionProc SndSetDoneProc(SndCompletionProc proc);
std::uint32_t SndGetDoneData();
std::uint32_t SndSetDoneData(std::uint32_t data);

// Plays (priority, volume 0-1024, pan -512..512). A block handed over with auto-free set is freed when no
// channel can be had, so no block leaks.
std::int16_t SndPlaySample(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlaySampleLooped(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlaySampleAppend(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
// A sound id, loaded (and freed when its voice ends) or, in stream mode, streamed; an id already in memory
// is never streamed.
std::int16_t SndPlayId(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlayIdLooped(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlayIdAppend(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlayIdStreamed(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlayIdStreamedLooped(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
// Streamed and looped with the streamed-sound option word set to option (0 the marked loop, 1 all).
std::int16_t SndPlayIdStreamedOpt(std::uint16_t id, std::uint16_t option, std::int16_t priority, std::uint16_t volume,
                                  std::int16_t pan);
// Always streamed, from the resource's encoded data read whole into memory.
std::int16_t SndPlayStream(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlayStreamLooped(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
// An AIFF file: read whole and played, or streamed from the file in stream mode.
std::int16_t SndPlayFile(const char* name, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
// As SndPlayId without starting: the play waits, its channel disabled, for SndStartPrepared.
std::int16_t SndPrepare(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
// 1 when the prepared play started; else its record is cleared and 0.
std::int16_t SndStartPrepared(std::int16_t channel);
// Play, then serve the sound until the play has ended: 0, or 1 when it did not start.
std::int16_t SndPlaySampleSync(MemHandle sample, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
std::int16_t SndPlayIdSync(std::uint16_t id, std::int16_t priority, std::uint16_t volume, std::int16_t pan);

// The channel a play of that priority would take: the highest free candidate, else the one with the lowest
// effective priority not above it (the higher-numbered on a tie); -1 when none.
std::int16_t SndChooseChannel(std::int16_t priority);
