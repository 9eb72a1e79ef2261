// What every input of the script targets starts from: a heap of only the predefined variables, no error
// code, alerts (which would be message boxes) dropped, and the digits of "?" from a sequence that starts
// again, so that an input that failed fails again.
#pragma once

#include "OMAlert.h"
#include "YHeap.h"
#include "YVariable.h"

inline unsigned& randomState() {
    static unsigned state = 0;
    return state;
}

inline void freshScriptState() {
    omSetAlertSink([](const char*, unsigned, const char*) { return 1; });
    randomState() = 1;
    ySetRandomSource([] {
        randomState() = randomState() * 1103515245u + 12345u;
        return static_cast<int>(randomState() >> 16 & 0x7FFF);
    });
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
