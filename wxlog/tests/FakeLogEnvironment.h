// A log environment whose clock the test sets and whose debugger output it keeps.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "LogEnvironment.h"

class FakeLogEnvironment final : public LogEnvironment {
public:
    LogStamp stamp{2026, 12, 6, 13, 5, 9, 999};
    std::uint32_t tick = 1000;

    LogStamp localTime() override { return stamp; }
    std::uint32_t tickCount() override { return tick; }
    void debugOutput(const char* text) override {
        std::lock_guard<std::mutex> hold(mutex_);
        debugLines.push_back(text);
    }

    std::vector<std::string> debugLines;

private:
    std::mutex mutex_;
};
