// Script threads: the cooperative executor of compiled scripts, event and timer bindings, script switching.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "OMLink.h"
#include "OMList.h"
#include "YCallStack.h"
#include "YCompiler.h"

class OMIStream;
class OMScriptableObject;
class YThread;

// Makes a new stream over the named script, or null; the loader deletes it.
using YScriptResolver = OMIStream* (*)(const char* name);

// Thread status values beside minus a heap index (a pending script switch).
constexpr std::int32_t kYStepping = 0;
constexpr std::int32_t kYRunMode = 1;
constexpr std::int32_t kYNotRunnable = 333;
constexpr std::int32_t kYRefused = 777;

constexpr std::int32_t kYMaxLoops = 128;
constexpr std::size_t kYScriptNameSize = 512;
// Counted ticks are at least this far apart, in milliseconds.
constexpr std::uint32_t kYTickMs = 100;

// One counted loop: the values wrap as signed 16-bit numbers.
struct YLoopRecord {
    std::int16_t current;
    std::int16_t direction;  // 1 up, -1 down, 0 last pass done
    std::int16_t limit;
    std::int16_t step;
    std::int16_t end;        // the cell after the loop
};

// One binding of a script procedure to an object's event, a class, or a timer. Every record sits in one
// global list from construction to deletion.
class eventRecord {
public:
    eventRecord(YThread* owner, std::int32_t bodyPosition, OMScriptableObject* bound, const char* variable,
                const char* event);
    eventRecord(const eventRecord&) = delete;
    eventRecord& operator=(const eventRecord&) = delete;
    ~eventRecord();

    // The clone hook of bound events: gives the copy's handler a record of its own.
    static void cloneFor(OMArg block);
    bool isTimer() const;
    static eventRecord* find(std::uint32_t serial);

    YThread* thread;
    // What bound handlers carry: a serial never reused, so a handler that outlives its record does nothing.
    std::uint32_t serial;
    std::int32_t position;
    OMScriptableObject* object;
    const char* variableName;
    std::string eventName;
    bool hasEventName;
};

// The keyword texts by which timer records are recognised (compared by identity).
extern const char kYScheduleWord[];
extern const char kYIdleWord[];

class YThread {
public:
    YThread(const char* scriptName, YScriptResolver scriptResolver);
    YThread(const YThread&) = delete;
    YThread& operator=(const YThread&) = delete;
    ~YThread();

    // Finishes the current script and loads the named one (null asks the developer for a file).
    void start(const char* scriptName);
    void stop();
    // Runs the event procedure of the record with this serial (the bound handler's argument word); a
    // handler whose record is gone does nothing.
    void runEvent(OMArg serial);
    // The completion link of a `play ... }`: the object finished.
    void completed() { awaitingCompletion = 0; }

    void setOnFinished(const OMLink* link) { replaceLink(onFinished, link); }
    void setOnYield(const OMLink* link) { replaceLink(onYield, link); }
    void setOnStarted(const OMLink* link) { replaceLink(onStarted, link); }
    void setOnIdle(const OMLink* link) { replaceLink(onIdle, link); }

    YScriptResolver resolver;
    std::int32_t noticeArmed = 1;
    OMLink* onFinished = nullptr;
    OMLink* onYield = nullptr;
    OMLink* onStarted = nullptr;
    OMLink* onIdle = nullptr;
    YCompiledScript script;
    YCallStack stack;
    char scriptName[kYScriptNameSize] = {};
    std::array<YLoopRecord, kYMaxLoops> loops{};
    std::int32_t loopDepth = -1;
    std::int32_t idleProcedure = 0;
    std::int32_t scheduleProcedure = 0;
    std::int32_t scheduleTicks = 0;
    std::int32_t idleTicks = 0;
    std::int32_t scheduleLimit = 0;
    std::int32_t idleLimit = 0;
    std::int32_t awaitingCompletion = 0;
    std::int32_t loaded = 0;
    std::int32_t enabled = 1;
    std::int32_t inEvent = 0;
    std::int32_t running = 0;
    std::int32_t eventDepth = 0;
    std::int32_t status = kYStepping;
    std::int32_t position = 0;
    std::int32_t waiting = 0;
    // Set by `pause`, cleared by `wait`: whether waiting ends at the pause deadline.
    std::int32_t pausing = 0;
    std::int32_t condition = 1;
    std::int32_t savedPosition = 0;
    std::int32_t savedWaiting = 0;
    std::int32_t savedStackDepth = 0;
    std::int32_t savedCondition = 1;
    std::int32_t savedLoopDepth = -1;
    // Whether the interrupted state was in a pause, and that pause's deadline: the procedure's own pause, or
    // the deadline passing while it runs, must not leave that pause with no deadline to end it.
    std::int32_t savedPausing = 0;
    std::uint32_t savedPauseDeadline = 0;
    // The loop depth at each call, so that a return drops the loops its procedure left open.
    std::array<std::int16_t, YTSTACK> loopDepthAtCall{};
};

// Finishes the thread's script: stops it, frees its code, empties the heap; then runs onFinished.
void finishScript(YThread* thread);
// Runs at most one cell; true when a cell was executed (the thread made progress).
bool executeCode(YThread* thread, eventRecord* record);
// Steps a thread for one pass: 1 when it asks for a script switch, else 0.
std::int32_t runThread(YThread* thread);
// Counts one tick and fires a due timer; true when the pass is used up.
bool runTimers(YThread* thread);
// The shared tick task's slice.
void scriptTick();

void pushCall(YThread* thread, std::int32_t position);
std::int32_t popCall(YThread* thread);
void saveForEvent(YThread* thread, std::int32_t position);
void restoreAfterEvent(YThread* thread);
// Ends the thread's event state (drop schedule, drop idle): the event procedure goes on as part of the main
// line, and its closing return resumes the main line where the event interrupted it.
void promoteEvent(YThread* thread);
const char* findEventVariable(OMScriptableObject* object);
// Deletes the first record of object and eventName, or with a null name every record of object.
void dropEventRecords(OMScriptableObject* object, const char* eventName);
void deleteEventRecords();

OMList<YThread>& scriptThreads();
OMList<eventRecord>& eventRecords();
// The requested scripts, newest last.
std::int32_t requestedScriptCount();
// Forgets every pending switch, pause and tick (between tests and at program exit).
void resetScriptEngine();
