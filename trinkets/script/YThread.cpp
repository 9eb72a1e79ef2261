// Script threads: construction, script start and finish, event records, the shared tick and switching.
#include "YThread.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "OMAssert.h"
#include "OMScriptableObject.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "YHeap.h"
#include "YScriptLoader.h"
#include "YThreadEngine.h"
#include "YVariable.h"

const char kYScheduleWord[] = "schedule";
const char kYIdleWord[] = "idle";

YEngine::YEngine() { std::srand(static_cast<unsigned>(std::time(nullptr))); }

YEngine& scriptEngine() {
    static YEngine engine;
    return engine;
}

OMList<YThread>& scriptThreads() { return scriptEngine().threads; }
OMList<eventRecord>& eventRecords() { return scriptEngine().events; }
std::int32_t requestedScriptCount() { return static_cast<std::int32_t>(scriptEngine().requested.size()); }

void resetScriptEngine() {
    YEngine& e = scriptEngine();
    e.switching = nullptr;
    e.switchTarget = 0;
    e.pauseDeadline = 0;
    e.tickDue = false;
    e.lastTick = 0;
    e.lastTickSet = false;
    e.lastNotifiedOpcode = -1;
    e.requested.clear();
}

eventRecord::eventRecord(YThread* owner, std::int32_t bodyPosition, OMScriptableObject* bound, const char* variable,
                         const char* event)
    : thread(owner), serial(++scriptEngine().lastSerial), position(bodyPosition), object(bound), variableName(variable), eventName(event ? event : ""),
      hasEventName(event != nullptr) {
    eventRecords().append(this);
}

eventRecord::~eventRecord() { eventRecords().remove(this); }

eventRecord* eventRecord::find(std::uint32_t wanted) {
    for (OMListElement<eventRecord>* n = eventRecords().head; n; n = n->next) {
        if (n->element->serial == wanted) return n->element;
    }
    return nullptr;
}

bool eventRecord::isTimer() const { return variableName == kYScheduleWord || variableName == kYIdleWord; }

void eventRecord::cloneFor(OMArg block) {
    auto* b = reinterpret_cast<OMEventCloneBlock*>(block);
    if (!b || !b->handler || !b->copy) return;
    const eventRecord* source = find(static_cast<std::uint32_t>(b->handler->argument));
    if (!source) return;
    auto* copy = new eventRecord(source->thread, source->position, b->copy, nullptr,
                                 source->hasEventName ? source->eventName.c_str() : nullptr);
    b->handler->argument = copy->serial;
}

void deleteEventRecords() {
    OMList<eventRecord>& events = eventRecords();
    while (events.head) delete events.head->element;
}

void dropEventRecords(OMScriptableObject* object, const char* eventName) {
    OMList<eventRecord>& events = eventRecords();
    for (OMListElement<eventRecord>* n = events.head; n;) {
        eventRecord* r = n->element;
        n = n->next;
        if (r->object != object) continue;
        if (!eventName) {
            delete r;
            continue;
        }
        if (r->hasEventName && r->eventName == eventName) {
            delete r;
            return;
        }
    }
}

const char* findEventVariable(OMScriptableObject* object) {
    for (OMListElement<eventRecord>* n = eventRecords().head; n; n = n->next) {
        const eventRecord* r = n->element;
        if (r->object != object) continue;
        if (r->variableName) return r->variableName;
        return scriptHeap().findObjectVariable(object, nullptr);
    }
    return nullptr;
}

void pushCall(YThread* thread, std::int32_t position) {
    const std::int32_t sp = thread->stack.depth();
    OM_ASSERT(sp < (YTSTACK-1));
    thread->loopDepthAtCall[static_cast<std::size_t>(sp)] = static_cast<std::int16_t>(thread->loopDepth);
    const std::int32_t pushed = position == -1 ? thread->position : position;
    static_cast<void>(thread->stack.push(static_cast<std::uint16_t>(pushed)));
}

std::int32_t popCall(YThread* thread) {
    const std::int32_t sp = thread->stack.depth();
    OM_ASSERT(sp);
    std::uint16_t position = 0;
    static_cast<void>(thread->stack.pop(&position));
    // Loops left open by the returning procedure are abandoned with it.
    const std::int32_t atCall = thread->loopDepthAtCall[static_cast<std::size_t>(sp - 1)];
    if (thread->loopDepth > atCall) thread->loopDepth = atCall;
    return position;
}

void saveForEvent(YThread* thread, std::int32_t position) {
    thread->inEvent = 1;
    thread->savedPosition = thread->position;
    thread->savedWaiting = thread->waiting;
    thread->savedStackDepth = thread->stack.depth();
    thread->savedCondition = thread->condition;
    thread->savedLoopDepth = thread->loopDepth;
    thread->savedPausing = thread->waiting && thread->pausing;
    thread->savedPauseDeadline = scriptEngine().pauseDeadline;
    thread->waiting = 0;
    thread->position = position;
}

void restoreAfterEvent(YThread* thread) {
    thread->position = thread->savedPosition;
    thread->waiting = thread->savedWaiting;
    thread->stack.setDepth(thread->savedStackDepth);
    thread->condition = thread->savedCondition;
    if (thread->loopDepth > thread->savedLoopDepth) thread->loopDepth = thread->savedLoopDepth;
    // A wait of the interrupted state (or a pause that `drop wait` ended) goes on with the deadline the
    // procedure left, as it would without the procedure's state saved.
    thread->pausing = thread->savedPausing;
    if (thread->savedWaiting && thread->savedPausing) scriptEngine().pauseDeadline = thread->savedPauseDeadline;
    thread->inEvent = 0;
}

// The interrupted position goes onto the call stack below the calls the event procedure has made, as if
// the main line had called the procedure there; the main line's other saved state is given up.
void promoteEvent(YThread* thread) {
    if (!thread->inEvent) return;
    thread->inEvent = 0;
    const std::int32_t sp = thread->stack.depth();
    OM_ASSERT(sp < (YTSTACK-1));
    const std::int32_t at = std::min(thread->savedStackDepth, sp);
    auto* depths = thread->loopDepthAtCall.data();
    std::copy_backward(depths + at, depths + sp, depths + sp + 1);
    depths[at] = static_cast<std::int16_t>(thread->savedLoopDepth);
    static_cast<void>(thread->stack.insert(at, static_cast<std::uint16_t>(thread->savedPosition)));
}

namespace {

void createTickTask() {
    YEngine& e = scriptEngine();
    if (e.tickTask || !appTaskList()) return;
    const OMLinkToFct tick([](OMArg) { scriptTick(); });
    e.tickTask = new OMTask(&tick, 0);
    appendTask(e.tickTask);
}

void deleteTickTask() {
    YEngine& e = scriptEngine();
    delete e.tickTask;  // the task leaves the application's list itself
    e.tickTask = nullptr;
}

void startSwitched(YThread* thread, const char* name) {
    const std::string copy(name);
    thread->start(copy.c_str());
    if (!thread->loaded) return;
    thread->running = 1;
    if (thread->onStarted) thread->onStarted->invoke();
}

void performSwitch(YThread* thread) {
    YEngine& e = scriptEngine();
    deleteEventRecords();
    if (e.switchTarget) {
        char name[kYTextBufferSize] = {};
        YVariable* v = scriptHeap().at(e.switchTarget);
        if (v) v->getText(name, sizeof name);
        e.switchTarget = 0;
        startSwitched(thread, name);
    } else if (e.requested.empty()) {
        finishScript(thread);
    } else {
        const std::string name = e.requested.back();
        e.requested.pop_back();
        startSwitched(thread, name.c_str());
    }
}

}  // namespace

YThread::YThread(const char* name, YScriptResolver scriptResolver) : resolver(scriptResolver) {
    createTickTask();
    scriptHeap().init();
    start(name);
    if (loaded) scriptThreads().append(this);
    else script = {};
}

YThread::~YThread() {
    deleteEventRecords();
    scriptThreads().remove(this);
    YEngine& e = scriptEngine();
    if (e.switching == this) e.switching = nullptr;
    if (!scriptThreads().head) {
        deleteTickTask();
        scriptHeap().clear();
    }
    delete onFinished;
    delete onYield;
    delete onStarted;
    delete onIdle;
}

void YThread::stop() {
    running = 0;
    deleteEventRecords();
}

void finishScript(YThread* thread) {
    if (thread->loaded) {
        thread->stop();
        thread->script = {};
        thread->stack.clear();
        scriptHeap().clear();
        scriptHeap().init();
        thread->loaded = 0;
    }
    if (thread->onFinished) thread->onFinished->invoke();
}

void YThread::start(const char* name) {
    char chosen[kYScriptNameSize] = {};
    if (!name) chooseScriptFile(chosen, sizeof chosen, 0);
    copyCut(scriptName, sizeof scriptName, name ? name : chosen, std::strlen(name ? name : chosen));
    finishScript(this);
    inEvent = awaitingCompletion = waiting = pausing = running = 0;
    idleTicks = scheduleTicks = idleLimit = scheduleLimit = 0;
    idleProcedure = scheduleProcedure = 0;
    condition = enabled = 1;
    position = eventDepth = 0;
    stack.clear();
    status = kYStepping;
    loopDepth = -1;
    yErrorCode() = 0;
    script = {};
    if (scriptName[0]) loaded = loadAndCompileFile(this, scriptName) ? 1 : 0;
    if (!loaded) script = {};
}

std::int32_t runThread(YThread* thread) {
    YEngine& e = scriptEngine();
    if (e.tickDue && runTimers(thread)) return 0;
    while (!e.switching) {
        const bool progressed = executeCode(thread, nullptr);
        const std::int32_t s = thread->status;
        if (s == kYStepping || s == kYRefused || s == kYNotRunnable || !progressed) return 0;
    }
    if (thread->status < -1) e.switchTarget = -thread->status;
    return 1;
}

namespace {

// Fires one timer: true when the timer used up the pass.
bool fireTimer(YThread* thread, std::int32_t body, const char* word) {
    eventRecord timer(thread, body, nullptr, word, nullptr);
    executeCode(thread, &timer);
    return thread->status != kYRefused;
}

}  // namespace

bool runTimers(YThread* thread) {
    ++thread->scheduleTicks;
    ++thread->idleTicks;
    if (thread->scheduleProcedure && thread->scheduleLimit < thread->scheduleTicks) {
        const std::int32_t body = thread->scheduleProcedure;
        thread->scheduleProcedure = thread->scheduleTicks = thread->idleTicks = 0;
        if (fireTimer(thread, body, kYScheduleWord)) return thread->status >= 0;
    }
    if (thread->idleProcedure && thread->idleLimit < thread->idleTicks) {
        thread->idleTicks = 0;
        if (fireTimer(thread, thread->idleProcedure, kYIdleWord)) return thread->status >= 0;
    }
    return false;
}

void scriptTick() {
    YEngine& e = scriptEngine();
    if (!scriptThreads().head) return;
    const std::uint32_t now = ticksMs();
    if (!e.lastTickSet) {
        e.lastTick = now;
        e.lastTickSet = true;
    } else if (now - e.lastTick > kYTickMs) {
        e.tickDue = true;
        e.lastTick = now;
    }
    for (OMListElement<YThread>* n = scriptThreads().head; n; n = n->next) {
        if (runThread(n->element)) break;
    }
    e.tickDue = false;
    YThread* switching = e.switching;
    if (!switching) return;
    performSwitch(switching);
    e.switching = nullptr;
}

void YThread::runEvent(OMArg serial) {
    YEngine& e = scriptEngine();
    eventRecord* r = eventRecord::find(static_cast<std::uint32_t>(serial));
    if (e.switching || !r) return;
    bool progressed = executeCode(this, r);
    for (;;) {
        if (e.switching && status < -1) e.switchTarget = -status;
        if (status == kYStepping || status == kYRefused || status == kYNotRunnable || e.switching || !progressed)
            return;
        progressed = executeCode(this, nullptr);
    }
}
