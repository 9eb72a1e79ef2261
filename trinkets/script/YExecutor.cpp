// The executor: one compiled cell per call, operands read from the variable heap.
//
// A statement's operand is the start of a list in the operand array:
//   operands[k], operands[k+1], ..., -1     each entry a heap index (the statement's words in order)
// Jumps (10, 11) carry a cell position instead. A missing operand reads as an empty text.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "OMApp.h"
#include "OMSParameter.h"
#include "OMSR.h"
#include "OMScriptableObject.h"
#include "OMSystemUtilities.h"
#include "YHeap.h"
#include "YScriptLoader.h"
#include "YThread.h"
#include "YThreadEngine.h"
#include "YValue.h"
#include "YVariable.h"

namespace {

constexpr std::size_t kSayLimit = 256;

// The statement being executed: its thread and its operand list.
struct Statement {
    YThread* t;
    std::int32_t k;

    std::int32_t index(std::int32_t i) const {
        const std::vector<std::int16_t>& ops = t->script.operands;
        if (k < 0) return -1;
        for (std::int32_t j = 0; j <= i; ++j) {
            const auto at = static_cast<std::size_t>(k + j);
            if (at >= ops.size() || ops[at] < 0) return -1;
        }
        return ops[static_cast<std::size_t>(k + i)];
    }
    std::int32_t count() const {
        std::int32_t n = 0;
        while (index(n) >= 0) ++n;
        return n;
    }
    YVariable* raw(std::int32_t i) const {
        const std::int32_t at = index(i);
        return at >= 0 ? scriptHeap().at(at) : nullptr;
    }
    YVariable* value(std::int32_t i) const {
        YVariable* v = raw(i);
        return v ? v->follow() : nullptr;
    }
    std::string text(std::int32_t i) const {
        YVariable* v = value(i);
        if (!v) return {};
        std::int32_t length = 0;
        const char* p = v->textPointer(&length);
        return p ? std::string(p, static_cast<std::size_t>(length > 0 ? length : 0)) : std::string();
    }
    std::string getText(std::int32_t i) const {
        YVariable* v = value(i);
        if (!v) return {};
        char buffer[kYTextBufferSize] = {};
        v->getText(buffer, sizeof buffer);
        return buffer;
    }
    // The name of the variable operand i reads (a member reference followed); empty when absent.
    const char* name(std::int32_t i) const {
        YVariable* v = value(i);
        return v ? v->name : "";
    }
    // Whether operand i holds a procedure reference: a value text that begins with "+".
    bool holdsProcedure(std::int32_t i) const {
        YVariable* v = value(i);
        const char* text = v ? v->target()->valueText : nullptr;
        return text && text[0] == '+';
    }
    OMScriptableObject* object(std::int32_t i) const {
        OMScriptableObject* o = nullptr;
        if (YVariable* v = value(i)) v->getObject(&o);
        return o;
    }
    double number(std::int32_t i) const {
        double d = 0.0;
        if (YVariable* v = value(i)) v->getDouble(&d);
        return d;
    }
    std::int32_t integer(std::int32_t i) const {
        std::int32_t n = 0;
        if (YVariable* v = value(i)) v->getInteger(&n);
        return n;
    }
    // Clears the parameter list and pushes the texts of operands first .. last - 1.
    void pushParameters(std::int32_t first, std::int32_t last) const {
        clearParameters();
        for (std::int32_t i = first; i < last; ++i) static_cast<void>(pushParameter(getText(i).c_str()));
    }
};

void setTextOf(YVariable* v, const std::string& text) {
    if (v) v->setText(text.c_str(), static_cast<std::int32_t>(text.size()));
}

void requestSwitch(YThread* t, std::int32_t status) {
    if (status != 0) t->status = status;
    t->running = 0;
    scriptEngine().switching = t;
}

// The entry cell of the procedure that a reference names: "+N" (or N) with N the cell of a `procedure`
// statement. A reference that leads to no such cell (a procedure never written, a text or number of the
// script's own) gives -1: its call does nothing, and its timer or binding calls nothing.
std::int32_t procedureEntry(const YThread* t, const std::string& reference) {
    const std::vector<YCell>& cells = t->script.cells;
    std::size_t at = reference.rfind('+', 0) == 0 ? 1 : 0;
    if (at == reference.size()) return -1;
    std::size_t cell = 0;
    for (; at < reference.size(); ++at) {
        const char c = reference[at];
        if (c < '0' || c > '9') return -1;
        cell = cell * 10 + static_cast<std::size_t>(c - '0');
        if (cell >= cells.size()) return -1;
    }
    return cells[cell].opcode == kOpProcedure ? static_cast<std::int32_t>(cell) : -1;
}

void doCall(const Statement& s) {
    YThread* t = s.t;
    YHeap& heap = scriptHeap();
    std::int32_t last = s.index(0);
    std::string text = s.getText(0);
    // Names are chased until one repeats, so a ring of names ends.
    std::vector<std::int32_t> seen{last};
    for (;;) {
        const std::int32_t found = heap.find(text.c_str(), static_cast<std::int32_t>(text.size()));
        if (found < 0 || std::find(seen.begin(), seen.end(), found) != seen.end()) break;
        seen.push_back(found);
        last = found;
        char buffer[kYTextBufferSize] = {};
        heap.at(found)->follow()->getText(buffer, sizeof buffer);
        text = buffer;
    }
    if (!text.empty() && text[0] == '+') {
        const std::int32_t entry = procedureEntry(t, text);
        if (entry < 0) return;
        pushCall(t, -1);
        t->position = entry;
        if (t->inEvent) ++t->eventDepth;
        return;
    }
    scriptEngine().requested.emplace_back(t->scriptName);
    requestSwitch(t, -last);
}

void doProcedure(const Statement& s) {
    YThread* t = s.t;
    const std::vector<YCell>& cells = t->script.cells;
    if (t->stack.depth() == 0) {
        for (auto p = static_cast<std::size_t>(t->position); p < cells.size(); ++p) {
            if (cells[p].opcode != kOpReturn) continue;
            t->position = static_cast<std::int32_t>(p) + 1;
            return;
        }
        return;
    }
    std::uint16_t top = 0;
    static_cast<void>(t->stack.pop(&top));
    static_cast<void>(t->stack.push(top));
    if (top == 0 || top > cells.size() || cells[top - 1u].opcode != kOpCall) return;
    const Statement caller{t, cells[top - 1u].operand};
    for (std::int32_t i = 1; caller.index(i) >= 0 && s.index(i) >= 0; ++i) setTextOf(s.value(i), caller.text(i));
}

void doForSetUp(const Statement& s) {
    YThread* t = s.t;
    if (s.index(0) < 0 || s.index(1) < 0) return;
    if (t->loopDepth + 1 >= kYMaxLoops) {
        // Too many nested loops: the thread stops rather than overwrite a loop record.
        t->running = 0;
        t->status = kYNotRunnable;
        return;
    }
    YLoopRecord& r = t->loops[static_cast<std::size_t>(++t->loopDepth)];
    r.current = static_cast<std::int16_t>(s.integer(1));
    const bool hasLimit = s.index(2) >= 0;
    r.limit = static_cast<std::int16_t>(hasLimit ? s.integer(2) : 0);
    r.step = static_cast<std::int16_t>(!hasLimit ? -1 : s.index(3) >= 0 ? s.integer(3) : 1);
    const auto exitCell = static_cast<std::size_t>(t->position + 1);
    r.end = exitCell < t->script.cells.size() ? t->script.cells[exitCell].operand : 0;
    r.direction = static_cast<std::int16_t>(r.current < r.limit ? 1 : -1);
    r.current = static_cast<std::int16_t>(r.current - r.step);
}

// Only the first character of the text decides.
void doTest(const Statement& s) {
    YVariable* v = s.index(0) < 0 ? nullptr : s.value(0);
    std::int32_t length = 0;
    const char* text = v ? v->textPointer(&length) : nullptr;
    s.t->condition = text && length > 0 && text[0] == '0' ? 0 : 1;
}

void doForStep(const Statement& s) {
    YThread* t = s.t;
    if (s.index(0) < 0 || s.index(1) < 0 || t->loopDepth < 0) return doTest(s);
    YLoopRecord& r = t->loops[static_cast<std::size_t>(t->loopDepth)];
    r.current = static_cast<std::int16_t>(r.current + r.step);
    if (YVariable* v = s.value(0)) v->setInteger(r.current);
    if (r.direction == 0) {
        t->condition = 0;
    } else if (r.current == r.limit) {
        t->condition = 1;
        r.direction = 0;
    } else {
        t->condition = r.direction == 1 ? r.current < r.limit : r.limit < r.current;
    }
}

void doJump(YThread* t, std::int32_t target) {
    t->position = target;
    if (t->loopDepth != -1 && t->loops[static_cast<std::size_t>(t->loopDepth)].end == target) --t->loopDepth;
}

void doSay(const Statement& s) {
    std::string line;
    for (std::int32_t i = 0; s.index(i) >= 0; ++i) {
        const std::string word = s.text(i);
        if (line.size() + word.size() + 1 >= kSayLimit) continue;
        line += word;
        line += ' ';
    }
    if (!line.empty()) line.pop_back();
    appendDebugLine(line.c_str());
}

void doReturn(YThread* t) {
    if (!t->inEvent || t->eventDepth != 0) {
        t->position = popCall(t);
        if (t->inEvent) --t->eventDepth;
        return;
    }
    restoreAfterEvent(t);
}

void doAssign(const Statement& s) {
    YVariable* destination = s.value(0);
    if (!destination) return;
    if (OMScriptableObject* held = s.object(0)) dropEventRecords(held, nullptr);
    YVariable* source = s.value(1);
    if (!source) return destination->setText(nullptr, -2);
    if (source->typeTag == kYPlain && source->isUnset()) {
        char name[kYTextBufferSize];
        source->getText(name, sizeof name);
        if (classExists(name)) {
            s.pushParameters(2, s.count());
            const char* const end[] = {kParameterEnd};
            OMScriptableObject* made = createObjectWith(name, end);
            if (made) destination->setObject(made);
            else destination->setInteger(0);
            return;
        }
    }
    if (source->kind == kYObject) return destination->assign(source);
    if (source == destination) return;
    // An expression is evaluated once; a value is handed over with the number already read from its text.
    YVariable* read = source->target();
    if (read->typeTag == kYExpression) return read->giveExpressionValue(destination);
    YValue value;
    value.readFollowed(source);
    destination->setValue(value);
}

void dropTrinkets() {
    YHeap& heap = scriptHeap();
    for (std::int32_t i = 0; i < heap.count; ++i) {
        const YVariable* v = heap.at(i);
        if (v->kind == kYObject && v->mark == kYOwns) dropEventRecords(v->value.object, nullptr);
    }
    heap.releaseObjects(1);
}

// Handles a special word of drop; false when the operand is not one. *i moves past a consumed operand.
bool dropSpecial(const Statement& s, std::int32_t* i) {
    YThread* t = s.t;
    const YVariable* word = s.raw(*i);
    const char* name = word && word->typeTag == kYPlain && word->name ? word->name : "";
    if (std::strcmp(name, "schedule") == 0) t->scheduleProcedure = 0, promoteEvent(t);
    else if (std::strcmp(name, "idle") == 0) t->idleProcedure = 0, promoteEvent(t);
    else if (std::strcmp(name, "stack") == 0) t->stack.clear(), t->savedStackDepth = 0;
    else if (std::strcmp(name, "wait") == 0) t->waiting = t->savedWaiting = 0;
    else if (std::strcmp(name, "trinkets") == 0) dropTrinkets();
    else if (std::strcmp(name, "[") == 0) {
        if (YVariable* v = s.value(++*i)) scriptHeap().clearMembers(scriptHeap().indexOfVariable(v));
    } else if (std::strcmp(name, "var") == 0) {
        const std::string named = s.text(++*i);
        const std::int32_t found = scriptHeap().find(named.c_str(), static_cast<std::int32_t>(named.size()));
        if (found >= 0) scriptHeap().at(found)->setText(nullptr, -2);
    } else if (std::strcmp(name, "script") == 0) {
        if (s.text(++*i) == "stack") scriptEngine().requested.clear();
    } else {
        return false;
    }
    return true;
}

void doDrop(const Statement& s) {
    for (std::int32_t i = 0; s.index(i) >= 0; ++i) {
        if (dropSpecial(s, &i)) continue;
        YVariable* v = s.value(i);
        if (OMScriptableObject* o = s.object(i)) {
            dropEventRecords(o, nullptr);
            scriptHeap().clearObjectHolders(o, 1);
        } else if (v) {
            v->setText(nullptr, -2);
        }
    }
}

void doFunction(const Statement& s) {
    YFunctionRecord* f = findScriptFunction(s.getText(0).c_str());
    if (!f) return;
    s.pushParameters(1, s.count());
    rewindParameters();
    if (f->link) f->link->invoke();
}

// A reference that leads to no procedure still replaces the timer's procedure: the timer calls nothing.
void doTimer(const Statement& s, std::int32_t* procedure, std::int32_t* limit, std::int32_t* ticks) {
    const double n = s.number(0);
    if (n == 0.0) return;
    const std::int32_t entry = procedureEntry(s.t, s.getText(1));
    *procedure = entry < 0 ? 0 : entry + 1;
    *limit = static_cast<std::int32_t>(n * 9.0);
    *ticks = 0;
}

void doPause(const Statement& s) {
    const double n = s.number(0);
    if (n == 0.0) return;
    const std::uint32_t deadline = ticksMs() + static_cast<std::uint32_t>(n * 900.0);
    scriptEngine().pauseDeadline = deadline ? deadline : 1;
    s.t->waiting = s.t->pausing = 1;
}

void bindProcedure(const Statement& s, OMScriptableObject* o, const std::string& event, std::int32_t body) {
    YThread* t = s.t;
    if (o) dropEventRecords(o, event.c_str());
    auto* record = new eventRecord(t, body, o, s.name(0), event.c_str());
    const OMLinkToObj<YThread> handler(t, nullptr, &YThread::runEvent, record->serial);
    const OMLinkToFct hook(&eventRecord::cloneFor);
    const std::int32_t bound = o ? o->bindEvent(event.c_str(), &handler, &hook) : bindClassEvent(s.name(0), &handler);
    if (!bound) delete record;
}

// Takes away the class's binding, or the object's binding of the event with its record.
void unbindProcedure(const Statement& s, OMScriptableObject* o, const std::string& event) {
    if (!o) return static_cast<void>(bindClassEvent(s.name(0), nullptr));
    dropEventRecords(o, event.c_str());
    o->bindEvent(event.c_str(), nullptr, nullptr);
}

void doSet(const Statement& s) {
    OMScriptableObject* o = s.object(0);
    if (!o && !classExists(s.name(0))) return;
    const std::string name = s.getText(1);
    const std::int32_t n = s.count();
    if (n < 3) return unbindProcedure(s, o, name);
    s.pushParameters(2, n - 1);
    if (s.holdsProcedure(n - 1)) {
        // A reference that leads to no procedure replaces the earlier binding with none.
        const std::int32_t entry = procedureEntry(s.t, s.getText(n - 1));
        if (entry >= 0) bindProcedure(s, o, name, entry + 1);
        else unbindProcedure(s, o, name);
        return;
    }
    if (o) o->setProperty(name.c_str(), s.text(n - 1).c_str());
}

void doGet(const Statement& s) {
    const std::int32_t n = s.count();
    if (n < 3) return;
    OMScriptableObject* o = s.object(0);
    const std::string name = s.getText(1);
    s.pushParameters(2, n - 1);
    const char* result = nullptr;
    if (name == "name") result = s.index(0) == kYReceiver ? findEventVariable(o) : s.name(0);
    else if (o) result = o->getProperty(name.c_str());
    if (result) setTextOf(s.value(n - 1), result);
}

void doPlay(const Statement& s) {
    YThread* t = s.t;
    OMScriptableObject* o = s.object(0);
    if (!o) return;
    clearParameters();
    std::string verb = s.getText(1);
    bool marker = verb.rfind('}', 0) == 0;
    if (marker) verb.clear();
    for (std::int32_t i = 2; !marker && s.index(i) >= 0; ++i) {
        const std::string word = s.getText(i);
        marker = word.rfind('}', 0) == 0;
        if (!marker) static_cast<void>(pushParameter(word.c_str()));
    }
    if (marker) {
        t->awaitingCompletion = 1;
        const OMLinkToObj<YThread> done(t, &YThread::completed);
        o->setCompletion(&done);
    }
    const char* const end[] = {kParameterEnd};
    if (o->invokeMethodWith(verb.empty() ? "default" : verb.c_str(), end) == 0) {
        o->setCompletion(nullptr);
        t->awaitingCompletion = 0;
    }
}

void doYield(const Statement& s) {
    s.t->status = s.text(0).size() == 2 ? kYStepping : kYRunMode;
    if (s.t->onYield) s.t->onYield->invoke();
}

void notifyIdle(YThread* t) {
    if (!t->noticeArmed || !t->onIdle) return;
    t->noticeArmed = 0;
    t->onIdle->invoke();
}

// Sets RECEIVER for an event or timer procedure and puts the procedure on top of the thread's state.
void enterEvent(YThread* t, const eventRecord* record) {
    YVariable* receiver = scriptHeap().at(kYReceiver);
    if (record->isTimer()) {
        receiver->setText(record->variableName, static_cast<std::int32_t>(std::strlen(record->variableName)));
    } else {
        receiver->setObject(record->object ? record->object : bornObject());
    }
    t->eventDepth = 0;
    if (t->inEvent) restoreAfterEvent(t);
    saveForEvent(t, record->position);
}

// Runs one opcode; false when the thread stays on the cell.
bool dispatch(YThread* t, std::int32_t opcode, std::int32_t k) {
    const Statement s{t, k};
    switch (opcode) {
    case kOpCall: doCall(s); break;
    case kOpProcedure: doProcedure(s); break;
    case kOpForSetUp: doForSetUp(s); break;
    case kOpForStep: doForStep(s); break;
    case kOpJumpIfFalse:
        if (!t->condition) doJump(t, k);
        break;
    case kOpJump: doJump(t, k); break;
    case kOpTest: doTest(s); break;
    case kOpNothing:
    case kOpDebug: break;
    case kOpSay: doSay(s); break;
    case kOpReturn: doReturn(t); break;
    case kOpAssign: doAssign(s); break;
    case kOpDrop: doDrop(s); break;
    case kOpFunction: doFunction(s); break;
    case kOpWait:
        t->waiting = 1;
        t->pausing = 0;
        notifyIdle(t);
        break;
    case kOpIdle: doTimer(s, &t->idleProcedure, &t->idleLimit, &t->idleTicks); break;
    case kOpSchedule: doTimer(s, &t->scheduleProcedure, &t->scheduleLimit, &t->scheduleTicks); break;
    case kOpExit: requestSwitch(t, 0); break;
    case kOpSuspend: t->enabled = 0; break;
    case kOpResume: t->enabled = 1; break;
    case kOpPause: doPause(s); break;
    case kOpSet: doSet(s); break;
    case kOpGet: doGet(s); break;
    case kOpYield: doYield(s); break;
    case kOpPlay: doPlay(s); break;
    case kOpQuit:
        if (theApp) theApp->quit();
        requestSwitch(t, s.index(0) > 0 ? -s.index(0) : 0);
        break;
    case kOpRelay: requestSwitch(t, s.index(0) > 0 ? -s.index(0) : 0); break;
    default:
        if (t->noticeArmed && t->onIdle) scriptEngine().lastNotifiedOpcode = opcode;
        notifyIdle(t);
        --t->position;
        return false;
    }
    return true;
}

}  // namespace

bool executeCode(YThread* t, eventRecord* record) {
    YEngine& e = scriptEngine();
    if (!t->running || t->awaitingCompletion) {
        t->status = kYNotRunnable;
        return false;
    }
    if (record) {
        if (!t->enabled) {
            t->status = kYRefused;
            return false;
        }
        enterEvent(t, record);
    }
    if (e.pauseDeadline && ticksMs() > e.pauseDeadline) {
        e.pauseDeadline = 0;
        t->waiting = 0;
    }
    if (t->waiting) return false;
    const std::vector<YCell>& cells = t->script.cells;
    const bool inside = t->position >= 0 && static_cast<std::size_t>(t->position) < cells.size();
    const YCell cell = inside ? cells[static_cast<std::size_t>(t->position)] : YCell{kOpEnd, 0};
    ++t->position;
    if (t->onIdle && !t->noticeArmed && cell.opcode != e.lastNotifiedOpcode) t->noticeArmed = 1;
    return dispatch(t, cell.opcode, cell.operand);
}
