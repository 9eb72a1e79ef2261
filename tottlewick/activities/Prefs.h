// The preference words the options screen sets and the activities read.
#pragma once

#include <cstdint>

// 1: the activities' hover-wait buttons fire only on a click.
extern std::uint16_t gPrefClickOnly;
