// The SID player: 'SID' resources loaded and read, and up to 32 plays of them whose volume-and-pan
// envelopes the main loop's idle pass re-applies to their channels.
#pragma once

#include <cstdint>

#include "MemHandle.h"

// (serial with bit 15 set) << 16 | slot index; 0 is none.
using SidRef = std::uint32_t;

constexpr int kSidSlotCount = 32;
constexpr std::int16_t kSidOwnPriority = -32768;
constexpr std::size_t kSidNameMax = 256;  // SidGetName's output holds this many characters with the zero

MemHandle SidLoad(std::uint16_t id);
void SidFree(MemHandle* sid);

std::uint16_t SidGetFlags(MemHandle sid);
std::int16_t SidGetPriority(MemHandle sid);
std::uint32_t SidGetChannelMask(MemHandle sid);
std::uint32_t SidGetTimeScale(MemHandle sid);
void SidGetName(MemHandle sid, char* out);
std::uint16_t SidGetValueCount(MemHandle sid);
std::uint32_t SidGetValue(MemHandle sid, std::uint16_t index);
void SidSetValue(MemHandle sid, std::uint16_t index, std::uint32_t value);
std::uint16_t SidGetVolumeAt(MemHandle sid, std::uint32_t ms);
std::int16_t SidGetPanAt(MemHandle sid, std::uint32_t ms);

SidRef SidPlay(MemHandle sid, std::int16_t priority, std::uint16_t volume, std::int16_t pan);
SidRef SidPlayDefault(MemHandle sid);
std::int16_t SidStop(SidRef ref);
std::int16_t SidStopAtEnd(SidRef ref);
std::int16_t SidIsPlaying(SidRef ref);
std::int16_t SidIsLooping(SidRef ref);
std::int16_t SidGetChannel(SidRef ref);
std::uint32_t SidGetElapsed(SidRef ref);
std::uint16_t SidGetVolume(SidRef ref);
std::int16_t SidGetPan(SidRef ref);
void SidSetVolume(SidRef ref, std::uint16_t volume);
void SidSetPan(SidRef ref, std::int16_t pan);
void SidSetVolumePan(SidRef ref, std::uint16_t volume, std::int16_t pan);
// Re-applies every playing envelope at the current time; the main loop's idle pass runs it.
void SidServiceAll();
// The sound manager's completion for SID plays: frees the slot whose index is data.
void SidCompletion(std::int16_t channel, std::uint32_t soundId, MemHandle sample, std::uint32_t data);

// Test seam: marks every free slot in use as if it played the SID on channel (slot index % channels),
// without starting a sound; SidCompletion frees them.
void SidTestHoldFreeSlots(MemHandle sid, std::int16_t channels);
