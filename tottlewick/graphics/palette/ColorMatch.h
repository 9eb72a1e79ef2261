// The nearest-colour search of the palette manager over plain colour values.
#pragma once

#include <cstdint>

// Colours are 0x00BBGGRR. Searches colours[0 .. count) (entry i is palette index first + i) for the one
// nearest to `colour`, weighting the red, green and blue differences by 0.3, 0.59 and 0.11; ties keep
// the lower index. An exact match ends the search with its index; an entry of 0 (pure black, or not
// readable) ends it with 0. With `exact`, a colour that is not found gives 0.
std::uint32_t colorNearestIndex(const std::uint32_t* colors, std::uint32_t first, std::uint32_t count,
                                std::uint32_t colour, bool exact);
