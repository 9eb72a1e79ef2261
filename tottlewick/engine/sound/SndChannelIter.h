// Channel masks (bit n = channel n) and the iterator that runs a channel operation over a mask, with the
// mask forms of the channel operations and the voice-level plays on the best channel of a mask.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "SndManager.h"

using SndChannelProc = std::int16_t (*)(std::int16_t channel);

// Calls proc for each channel in use whose bit is set, highest first, stores each result as the channel's
// result word and returns the mask of channels whose result is non-zero.
std::uint32_t SndForEachChannel(std::uint32_t mask, SndChannelProc proc);
std::uint32_t SndChannelBit(std::int16_t channel);  // 0 outside 0..15
std::int16_t SndHighestChannel(std::uint32_t mask);  // -1 when no bit of 0..15 is set

std::uint32_t SndMaskFree(std::uint32_t mask);
std::uint32_t SndMaskAvailable(std::uint32_t mask, std::int16_t priority);
std::uint32_t SndMaskStop(std::uint32_t mask);
std::uint32_t SndMaskEndCurrent(std::uint32_t mask);
std::uint32_t SndMaskPause(std::uint32_t mask);
std::uint32_t SndMaskResume(std::uint32_t mask);
std::uint32_t SndMaskIsPaused(std::uint32_t mask);
std::uint32_t SndMaskIsBusy(std::uint32_t mask);
// The best channel of the mask: the highest free one, else the highest whose effective priority is not
// above the priority setting; -1 when none.
std::int16_t SndMaskBestChannel(std::uint32_t mask);
SndVoiceHandle SndMaskPlaySample(std::uint32_t mask, MemHandle sample);
SndVoiceHandle SndMaskPlayData(std::uint32_t mask, std::uint16_t bits, std::uint16_t channels, std::uint16_t rate,
                               std::uint32_t frames, const void* data);
