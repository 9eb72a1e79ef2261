// The script engine's shared state: threads, event records, the tick task, switch requests and the pause.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "OMList.h"
#include "YThread.h"

class OMTask;

struct YEngine {
    // The engine's set-up also seeds the run-time's random numbers from the clock.
    YEngine();

    OMList<YThread> threads;
    OMList<eventRecord> events;
    OMTask* tickTask = nullptr;
    YThread* switching = nullptr;
    std::int32_t switchTarget = 0;
    std::uint32_t pauseDeadline = 0;
    bool tickDue = false;
    std::uint32_t lastTick = 0;
    bool lastTickSet = false;
    std::int32_t lastNotifiedOpcode = -1;
    std::uint32_t lastSerial = 0;
    // Scripts to return to, newest last.
    std::vector<std::string> requested;
};

YEngine& scriptEngine();
