// The action tests' world: the fake clock, a task list run pass by pass, death hooks, leaf kinds and a "finished" log.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "Action.h"
#include "ActionFactory.h"
#include "ActionKinds.h"
#include "CallParameters.h"
#include "OMSParameter.h"
#include "OMScriptableObjectProperty.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "YDeathInterest.h"
#include "YHeap.h"

inline std::uint32_t actionMs = 0;
inline std::string finishLog;

// The kind created from the texts as call parameters.
inline Action* createFrom(const char* kind, const std::vector<const char*>& texts, std::int32_t interruptible = 1) {
    setParameters(texts);
    return createActionByName(kind, interruptible);
}
// The isInterruptible of what the kind makes from the texts (made with default 1, then deleted); -1 for nothing.
inline std::int32_t createdFlag(const char* kind, const std::vector<const char*>& texts) {
    Action* a = createFrom(kind, texts);
    const std::int32_t flag = a ? a->isInterruptible() : -1;
    delete a;
    return flag;
}
// Puts object in the script variable name, which borrows it (the test deletes it); returns it.
template <class T>
T* hold(const char* name, T* object) {
    scriptHeap().setObjectByName(name, object);
    static_cast<void>(scriptHeap().intValue(name, 1));
    return object;
}

// A script object with a verb that records its parameters (for every instance of the kind) and a value.
template <class Base>
struct Probe : Base {
    template <class... Arguments>
    explicit Probe(Arguments... arguments) : Base(arguments...) { registerProperties(); }
    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override {
        const OMLinkToObj<Probe> verb(this, &Probe::replacePaletteEntry);
        this->addMethodProperty("replacePaletteEntry", &verb);
        const OMLinkToObj<Probe> setter(this, nullptr, &Probe::setValue);
        this->addDataProperty("value", &setter, nullptr);
    }
    static inline std::vector<std::string> calls;
    std::string value;

private:
    void replacePaletteEntry() {
        std::string line;
        for (const char* p = popParameter(); *p; p = popParameter()) line += std::string(line.empty() ? "" : ",") + p;
        calls.push_back(line);
    }
    void setValue(OMArg text) { value = reinterpret_cast<const char*>(text); }
};
// One that reports its death as actions do.
struct TintProbe : Probe<Action> {
    TintProbe() : Probe<Action>(1) {}
};

struct FinishNote { std::string name; void note() { finishLog += name + " "; } };

struct ActionTest : ::testing::Test {
    void SetUp() override {
        actionMs = 1000;
        finishLog.clear();
        TintProbe::calls.clear();
        previousClock_ = setClockSource([] { return actionMs; });
        setAppTaskList(&tasks);
        installDeathHooks();
        scriptHeap().clear();
        scriptHeap().init();
        registerLeafActions();
    }
    void TearDown() override {
        freeActionFactory();
        removeDeathHooks();
        scriptHeap().clear();
        setAppTaskList(nullptr);
        setClockSource(previousClock_);
        EXPECT_EQ(0, Action::finishNesting);
    }
    // Records "name" in finishLog whenever a's "finished" event is raised.
    void watch(Action* a, const std::string& name) {
        a->registerProperties();
        notes_.push_back(std::make_unique<FinishNote>(FinishNote{name}));
        const OMLinkToObj<FinishNote> link(notes_.back().get(), &FinishNote::note);
        a->bindEvent("finished", &link, nullptr);
    }
    // Calls the verb with the texts as its parameters.
    static void play(OMScriptableObject* object, const char* verb, const std::vector<const char*>& texts) {
        setParameters(texts);
        object->invokeMethod(verb, kParameterEnd);
    }
    static Action* create(const char* kind, const std::vector<const char*>& texts, std::int32_t interruptible = 1) {
        return createFrom(kind, texts, interruptible);
    }
    // Main-loop passes until the clock reaches ms, stepping stepMs before each.
    void runUntil(std::uint32_t ms, std::uint32_t stepMs = 10) {
        while (actionMs < ms) { actionMs += stepMs; runTaskSlices(tasks); }
    }
    OMList<OMTask> tasks{compareTaskPriority};

private:
    OMClockSource previousClock_ = nullptr;
    std::vector<std::unique_ptr<FinishNote>> notes_;
};
