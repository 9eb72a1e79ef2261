// Records the alerts shown while it lives, instead of showing message boxes, and answers them with a
// chosen button.
#pragma once

#include <string>

#include "OMAlert.h"

class AlertRecorder {
public:
    explicit AlertRecorder(int answer = 1) : previous_(omSetAlertSink(record)) { answer_ = answer; }
    ~AlertRecorder() { omSetAlertSink(previous_); }
    AlertRecorder(const AlertRecorder&) = delete;
    AlertRecorder& operator=(const AlertRecorder&) = delete;

    static inline std::string text;
    static inline std::string title;
    static inline unsigned flags = 0;

private:
    static int record(const char* alertText, unsigned alertFlags, const char* alertTitle) {
        text = alertText ? alertText : "";
        title = alertTitle ? alertTitle : "";
        flags = alertFlags;
        return answer_;
    }

    static inline int answer_ = 1;
    OMAlertSink previous_;
};
