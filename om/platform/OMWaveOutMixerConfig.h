// The shape of the wave mixer's output: device buffers of one block each, and how far ahead it mixes.
#pragma once

#include <cstdint>

// Samples (= bytes) per device buffer and per stream block.
inline constexpr std::int32_t kMixerBlockSize = 1024;
inline constexpr std::int32_t kMixerBufferCount = 16;
// A sound that starts while others play is added this many buffers after the one being heard.
inline constexpr std::int32_t kMixerStartLead = 4;
// The pump stops filling once this many written buffers are not yet finished.
inline constexpr std::int32_t kMixerKeepQueued = 6;
// Read-ahead blocks per streaming sound.
inline constexpr std::int32_t kMixerRingSize = 2 * kMixerBufferCount;
