// Sound channels: per-channel voice queues with their levels and priorities. Every operation first checks
// 0 <= channel < 16 and answers the bad-channel value given beside it otherwise.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "SndManager.h"

std::int16_t SndChannelStop(std::int16_t channel);        // 0, 1 when a stop failed [1]
std::int16_t SndChannelEndCurrent(std::int16_t channel);  // [0]
std::int16_t SndChannelPause(std::int16_t channel);       // 1 only when the driver failed [0]
std::int16_t SndChannelResume(std::int16_t channel);      // 1 for an empty channel or a failure [1]
std::int16_t SndChannelIsPaused(std::int16_t channel);    // [0]
std::int16_t SndChannelIsLooping(std::int16_t channel);   // [0]
std::int16_t SndChannelIsBusy(std::int16_t channel);      // [0]
// The sounding flag: set when a voice starts on the channel (and through its pause), cleared when it stops,
// fails or cannot resume [0].
std::int16_t SndChannelIsSounding(std::int16_t channel);
std::int16_t SndChannelIsFree(std::int16_t channel);      // [0]
// Free, or its effective priority is not above the priority setting [0].
std::int16_t SndChannelIsAvailable(std::int16_t channel);
std::int16_t SndFindFreeChannel();  // the highest-numbered free channel in use, -1 when none
std::uint16_t SndGetChannelCount();

// Levels: volume and gain 0-1024, pan -512..512; setters clamp, apply the level to the driver voice and
// answer 0, or 1 when it could not be applied (driver not running, channel not in use).
std::uint16_t SndChannelGetGain(std::int16_t channel);     // [0]
std::int16_t SndChannelSetGain(std::int16_t channel, std::uint16_t gain);  // [1]
std::uint16_t SndChannelGetVolume(std::int16_t channel);   // [0]
std::int16_t SndChannelSetVolume(std::int16_t channel, std::uint16_t volume);  // [1]
std::int16_t SndChannelGetPan(std::int16_t channel);       // [0]
std::int16_t SndChannelSetPan(std::int16_t channel, std::int16_t pan);  // [1]
std::int16_t SndChannelSetVolumePan(std::int16_t channel, std::uint16_t volume, std::int16_t pan);  // [1]
// What the driver voice is given: volume 0-1024 to 0-127, pan -512..512 to 0-127 (0 is the centre, 64).
std::uint32_t SndDriverVolumeOf(std::uint16_t gain, std::uint16_t volume);
std::uint32_t SndDriverPanOf(std::int16_t pan);

std::int16_t SndChannelGetPriorityOffset(std::int16_t channel);  // [-32768]
std::int16_t SndChannelSetPriorityOffset(std::int16_t channel, std::int16_t offset);  // 0 [1]
std::int16_t SndChannelGetPriority(std::int16_t channel);  // [-32768]
std::int16_t SndChannelGetResult(std::int16_t channel);    // [0]
std::int16_t SndChannelSetResult(std::int16_t channel, std::int16_t result);  // the previous word [1]
