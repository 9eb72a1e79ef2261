// The alert sink and its default.
#include "OMAlert.h"

#include <cstdio>

namespace {

int writeToStandardError(const char* text, unsigned, const char* title) {
    std::fprintf(stderr, "%s: %s\n", title ? title : "", text ? text : "");
    return 1;
}

OMAlertSink currentSink = writeToStandardError;

}  // namespace

OMAlertSink omSetAlertSink(OMAlertSink sink) {
    OMAlertSink previous = currentSink;
    currentSink = sink ? sink : writeToStandardError;
    return previous;
}

int omAlert(const char* text, unsigned flags, const char* title) { return currentSink(text, flags, title); }
