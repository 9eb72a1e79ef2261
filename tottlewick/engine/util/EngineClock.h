// The engine's one time source: the multimedia millisecond clock, replaceable by tests.
#pragma once

#include <cstdint>

using ClockSource = std::uint32_t (*)();

// Milliseconds of the system clock (timeGetTime) or of the installed source.
std::uint32_t ClockMilliseconds();
// The same time in sixtieths of a second.
std::uint32_t ClockSixtieths();
// Installs a replacement source (null restores timeGetTime); returns the previous one (null for timeGetTime).
ClockSource ClockSetSource(ClockSource source);
