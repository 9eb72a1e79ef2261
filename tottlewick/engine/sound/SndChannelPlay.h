// Starting voices on a channel, and the service step that moves a channel's voices through the driver.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "SndManager.h"

// Plays a sample block with the current settings (the block and its locked header are the voice's for this
// one play); 0 when nothing plays. A refused block is freed when auto-free is set.
SndVoiceHandle SndChannelPlaySample(std::int16_t channel, MemHandle sample);
// Plays the frames of a memory block, which the voice keeps locked while it is queued or playing.
SndVoiceHandle SndChannelPlayHandle(std::int16_t channel, std::uint16_t bits, std::uint16_t channels,
                                    std::uint16_t rate, std::uint32_t frames, MemHandle data);
// Queues a voice for PCM frames at data: behind the current voice with append set, else in place of what
// the channel plays when the priority setting is not below the channel's effective priority.
SndVoiceHandle SndChannelPlayData(std::int16_t channel, std::uint16_t bits, std::uint16_t channels,
                                  std::uint16_t rate, std::uint32_t frames, const void* data);

// One service step: releases ended voices, ends or loops the voice that no longer sounds, hands queued
// append voices their driver buffers and starts the voice at the head; 1 while the channel has voices.
std::int16_t SndChannelService(std::int16_t channel);
