// Voice operations by handle. A handle is valid while its pool record still carries it; a stale or unknown
// handle answers 0 (SndVoiceGetChannel: -1).
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "SndManager.h"

std::int16_t SndVoiceStop(SndVoiceHandle voice);
std::int16_t SndVoiceEnd(SndVoiceHandle voice);
std::int16_t SndVoiceIsActive(SndVoiceHandle voice);
std::int16_t SndVoiceIsLooping(SndVoiceHandle voice);
std::int16_t SndVoiceIsPaused(SndVoiceHandle voice);
std::int16_t SndVoiceGetChannel(SndVoiceHandle voice);
std::uint32_t SndVoiceGetUserWord(SndVoiceHandle voice);
MemHandle SndVoiceGetSample(SndVoiceHandle voice);
std::uintptr_t SndVoiceGetClientWord1(SndVoiceHandle voice);
std::uintptr_t SndVoiceGetClientWord2(SndVoiceHandle voice);
std::uint32_t SndVoiceGetLength(SndVoiceHandle voice);
// Frames played, by the clock: the length once ended, 0 while queued, capped at the length.
std::uint32_t SndVoiceGetPosition(SndVoiceHandle voice);
std::uint32_t SndVoiceGetDurationMs(SndVoiceHandle voice);
std::uint32_t SndVoiceGetPositionMs(SndVoiceHandle voice);
