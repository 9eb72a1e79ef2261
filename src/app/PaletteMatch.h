// Colour matching against the trinket window's palette (the gauge picks its colours this way).
#pragma once

#include <cstdint>

// Copies entries 10-245 of the trinket window canvas's palette into the program-wide match table.
void captureWindowPalette();
// The entry among 10-245 of the match table nearest to the colour by the sum of absolute component
// differences: the first below 10 at once, else the first of the smallest sum.
std::int32_t nearestPaletteIndex(std::int32_t red, std::int32_t green, std::int32_t blue);
