// Fade levels and component mixing, in integers so that a fade ends exactly on its target.
#include "FadeLevel.h"

#include <algorithm>

std::uint16_t fadeLevelAt(std::uint32_t elapsed, std::uint32_t duration, std::uint16_t steps) {
    std::uint64_t level = steps ? std::uint64_t{elapsed} * steps / duration * kFadeFull / steps
                                : std::uint64_t{elapsed} * kFadeFull / duration;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(level, kFadeFull));
}

std::uint16_t fadeMix(std::uint16_t from, std::uint16_t to, std::uint16_t level) {
    if (from >= to) return static_cast<std::uint16_t>(from - ((std::uint32_t(from - to) * level) >> 8));
    return static_cast<std::uint16_t>(from + ((std::uint32_t(to - from) * level) >> 8));
}
