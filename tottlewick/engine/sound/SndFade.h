// Volume fades per channel, stepped by the sound service: each step sets the channel's volume on the
// straight line from the start volume to the target over the fade's duration.
#pragma once

#include <cstdint>

// Called once when a fade ends: (channel, start volume, target volume).
using SndFadeEndProc = void (*)(std::int16_t channel, std::uint16_t startVolume, std::uint16_t targetVolume);
// Called between the steps of a wait; 0 stops waiting.
using SndWaitProc = std::int16_t (*)();

constexpr std::uint32_t kSndDefaultFadeTime = 3000;

// 1 when a fade already runs on the channel or its volume is already the target; else 0, and the fade
// starts at the next step.
std::int16_t SndFadeChannel(std::int16_t channel, std::uint16_t target, std::uint32_t durationMs, SndFadeEndProc proc);
std::int16_t SndFadeOut(std::int16_t channel, SndFadeEndProc proc);
std::int16_t SndFadeOutChannels(SndFadeEndProc proc, std::uint32_t mask);
std::int16_t SndFadeIsActive(std::int16_t channel);
std::int16_t SndAnyFading(std::uint32_t mask);
// One step of every fade of the mask.
void SndFadeService(std::uint32_t mask);
std::int16_t SndFadeWait(std::int16_t channel, SndWaitProc wait);
std::int16_t SndFadeWaitAll(std::uint32_t mask, SndWaitProc wait);
std::uint32_t SndGetFadeTime();
std::uint32_t SndSetFadeTime(std::uint32_t ms);
