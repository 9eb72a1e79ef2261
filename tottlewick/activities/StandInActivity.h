// A plain activity that stands in for a choice whose own activity is not built: the module's backdrop,
// palette and pointer, its voice prompts, the exit and help buttons.
#pragma once

#include "Activity.h"

struct ActivityVoices {
    std::uint32_t intro, help, idle;
};

class StandInActivity : public Activity {
public:
    StandInActivity(const char* moduleName, std::uint16_t backdropXpk, std::uint16_t paletteDib,
                    std::uint16_t pointerXpk, ActivityVoices voices);
};
