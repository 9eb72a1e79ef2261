// Records the alerts shown while it lives, instead of showing message boxes, and answers them with a
// chosen button.
#pragma once

#include <string>

#include "OMAlert.h"

struct AlertRecorder {
    explicit AlertRecorder(int answer = 1) : previous(omSetAlertSink(record)) { reply = answer; }
    ~AlertRecorder() { omSetAlertSink(previous); }
    static int record(const char* alertText, unsigned alertFlags, const char* alertTitle) {
        text = alertText ? alertText : "";
        title = alertTitle ? alertTitle : "";
        flags = alertFlags;
        return reply;
    }
    static inline std::string text, title;
    static inline unsigned flags = 0;
    static inline int reply = 1;
    OMAlertSink previous;
};
