// The preference words.
#include "Prefs.h"

std::uint16_t gPrefClickOnly = 0;
