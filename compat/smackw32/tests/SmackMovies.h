// The layer tests' movies, built from pictures whose pixels, palettes and samples are the golden values.
#pragma once

#include "SmackerWriter.h"

// The 8-bit level a 6-bit palette component shows as: its bits repeated, (c << 2) | (c >> 4).
inline std::uint8_t levelOf(std::uint8_t component) {
    return static_cast<std::uint8_t>(component << 2 | component >> 4);
}

// 2 frames of 32 x 32, noise over a gradient.
SmackerMovie smallMovie();
// 7 frames of 64 x 48: fills, two-colour and full blocks, frame 1 changing (8, 4)-(20, 12) of frame 0,
// frame 2 equal to frame 1, new palettes at frames 3 and 5.
SmackerMovie blockMovie();
// 30 frames of 320 x 200 at 15 frames a second with 22050 Hz sound, 1470 samples a frame.
SmackerMovie soundMovie();
