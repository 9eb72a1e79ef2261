// What the title probe's scenarios read off the running program: the picture and colour table of the
// offscreen canvas, the sound calls, the actors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace probe {

// The offscreen canvas holds exactly what backdrop `xpk` (tiles x tiles at 0, 0; 1 for a picture of
// one shape) draws.
bool offscreenShows(std::uint16_t xpk, std::uint16_t tiles = 8);
// The offscreen canvas's colour table holds the colours of 'DIB' `dib`, outside the 20 static ones.
bool paletteIs(std::uint16_t dib);
// From now on each play-layer call is logged as "snd <line>"; with an id, only its starts and the stops
// of the channel it took.
void logSoundCalls(std::uint32_t onlyId = 0);
// The ids among `ids` that are in the actor table, and whether the button of each is active.
std::string actorsPresent(const std::vector<std::uint32_t>& ids);

}  // namespace probe
