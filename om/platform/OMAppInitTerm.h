// Module start-up and shut-down records, run by the program's entry from head to tail.
#pragma once

#include "OMList.h"

// One module's pair of functions; either may be null. Records are static and never deleted.
struct OMAppInitTerm {
    void (*init)();
    void (*term)();
};

// The list of registered records (null until the first module registers).
OMList<OMAppInitTerm>*& initTermList();

// Called by a module's static initialiser: creates the list when needed and appends `record`.
void registerInitTerm(OMAppInitTerm* record);

// Calls every non-null init function, head to tail.
void runInitFunctions();
// Calls every non-null term function, head to tail (the same order), then empties and deletes the list.
void runTermFunctions();
