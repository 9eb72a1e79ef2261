// The Picker's completion table.
#include "PickerCompletion.h"

std::uint16_t gPickerCompletion[kPickerChoiceCount] = {};
