// The Picker's completion table: one word per choice. Each activity sets its own entry to 1 at a point of
// its play (gPickerCompletion[kChoiceBand] = 1); when the child comes back to the Picker after reaching it
// during that visit, the return picture is 201 + the choice instead of 200.
#pragma once

#include <cstdint>

// The choices in the Picker's order; the index is also the offset of the choice's return picture.
enum PickerChoiceIndex : std::int16_t {
    kChoiceBand = 0,
    kChoiceZibb = 1,
    kChoiceBlueGoo = 2,
    kChoiceBLOK_STAK = 3,
    kChoiceMR_PLINK = 4,
    kChoiceToppers = 5,
    kChoiceHatShop = 6,
    kPickerChoiceCount = 7,
};

extern std::uint16_t gPickerCompletion[kPickerChoiceCount];
