// The sound sequence: up to 20 sounds played one after another through streamed plays, with a gap between
// the end of one and the start of the next, served from the main loop's idle pass.
#pragma once

#include <cstdint>

// Called when the sequence ends: (data, 1) after its last sound, (data, 0) when it was stopped.
using SndSeqDoneProc = void (*)(std::uint32_t data, std::int16_t finished);

constexpr std::uint16_t kSndSeqMaxSounds = 20;

// Plays the first sound; its channel, or -1 when sound is not available or no channel can be had.
std::int16_t SndSeqStart(const std::uint32_t* ids, std::uint16_t count, std::uint32_t gapMs);
// 1 while a sequence runs.
std::int16_t SndSeqService();
std::int16_t SndSeqStop();
SndSeqDoneProc SndSeqSetDone(SndSeqDoneProc proc, std::uint32_t data);
