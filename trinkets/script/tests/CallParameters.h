// The parameters of the next script call, set the way the interpreter sets them: cleared, pushed, rewound.
#pragma once

#include <vector>

#include "OMSParameter.h"

// The texts as the parameters of the next call, read from the first.
inline void setParameters(const std::vector<const char*>& texts) {
    clearParameters();
    for (const char* t : texts) static_cast<void>(pushParameter(t));
    rewindParameters();
}
