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

// Reads the text of every variable there is, as a running script may: references that recurse without
// end or read out of bounds show here. Variables that the reads add are not read in turn (a member
// reference with "?" in it names a new variable at every read), so the work stays bounded by the input.
inline void readEveryVariable() {
    char buffer[kYTextBufferSize];
    const std::int32_t count = scriptHeap().count;
    for (std::int32_t i = 0; i < count; ++i) scriptHeap().at(i)->getText(buffer, sizeof buffer);
}
