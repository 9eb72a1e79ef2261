// Trace and error report: both end in a trace function that writes nothing.
#include "DssTrace.h"

#include <cstdarg>
#include <cstdio>

namespace {

char errorText[1024];

}  // namespace

void dssTrace(const char*, ...) {}

void dssError(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(errorText, sizeof errorText, format, arguments);
    va_end(arguments);
    if (errorText[0] != '\0') dssTrace("Error: %s\n", errorText);
}
