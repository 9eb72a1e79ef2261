// What a log engine takes from the system: the local time, the tick counter and the debugger.
// Tests substitute their own to control time and capture debugger output.
#pragma once

#include <cstdint>

#include "LogLine.h"

class LogEnvironment {
public:
    virtual ~LogEnvironment() = default;
    virtual LogStamp localTime() = 0;
    virtual std::uint32_t tickCount() = 0;
    virtual void debugOutput(const char* text) = 0;
};

// GetLocalTime, GetTickCount and OutputDebugStringA.
LogEnvironment& systemLogEnvironment();
