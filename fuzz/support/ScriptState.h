// What every input of the script targets starts from: a heap of only the predefined variables, no error
// code, and alerts (which would be message boxes) dropped.
#pragma once

#include "OMAlert.h"
#include "YHeap.h"
#include "YVariable.h"

inline void freshScriptState() {
    omSetAlertSink([](const char*, unsigned, const char*) { return 1; });
    scriptHeap().clear();
    scriptHeap().init();
    yErrorCode() = 0;
}

// Reads every variable's text, as a running script may: references that recurse without end or read
// out of bounds show here.
inline void readEveryVariable() {
    char buffer[kYTextBufferSize];
    for (std::int32_t i = 0; i < scriptHeap().count; ++i) scriptHeap().at(i)->getText(buffer, sizeof buffer);
}
