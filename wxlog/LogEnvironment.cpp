// The system's clock, tick counter and debugger output.
#include "LogEnvironment.h"

#include <windows.h>

namespace {

class SystemLogEnvironment final : public LogEnvironment {
public:
    LogStamp localTime() override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return LogStamp{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                        now.wMilliseconds};
    }
    std::uint32_t tickCount() override { return GetTickCount(); }
    void debugOutput(const char* text) override { OutputDebugStringA(text); }
};

}  // namespace

LogEnvironment& systemLogEnvironment() {
    static SystemLogEnvironment environment;
    return environment;
}
