// The sound time scale: a 16.16 factor that every sample rate read from a sound passes through, so that it
// changes the speed and pitch of sounds loaded afterwards.
#pragma once

#include <cstdint>

constexpr std::uint32_t kSndScaleOne = 0x10000;

std::uint32_t SndGetScale();
std::uint32_t SndSetScale(std::uint32_t factor);
// value x factor, the fraction rounded to nearest; 65535 when the product reaches 65536.
std::uint16_t SndScaleTime(std::uint32_t value);
