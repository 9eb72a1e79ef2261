// The play layer's call log, a test seam.
#include "SndCallLog.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {

SndCallLogProc logProc = nullptr;

}  // namespace

SndCallLogProc SndSetCallLog(SndCallLogProc proc) {
    return std::exchange(logProc, proc);
}

void SndLogCall(const char* format, ...) {
    if (!logProc) return;
    char line[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    logProc(line);
}
