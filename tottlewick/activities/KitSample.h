// A loaded sample played with its sound id as the play's user word, so that its completion and the play
// layer's call log name the sound.
#pragma once

#include <cstdint>

#include "MemHandle.h"

// The channel, or -1 when the sample got none.
std::int16_t KitPlaySample(MemHandle sample, std::uint16_t soundId, std::int16_t priority);
