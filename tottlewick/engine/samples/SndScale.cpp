// The time-scale factor and its 16.16 product.
#include "SndScale.h"

#include <algorithm>

namespace {
std::uint32_t scale = kSndScaleOne;
}

std::uint32_t SndGetScale() { return scale; }

std::uint32_t SndSetScale(std::uint32_t factor) {
    std::uint32_t previous = scale;
    scale = factor;
    return previous;
}

std::uint16_t SndScaleTime(std::uint32_t value) {
    std::uint64_t whole = std::uint64_t(scale >> 16) * value;
    std::uint64_t fraction = (std::uint64_t(scale & 0xFFFF) * value + 32768) >> 16;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(whole + fraction, 65535));
}
