// Script thread tests run in a folder of their own, on a clock they advance, with no application object.
#pragma once

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "OMSR.h"
#include "OMSystemUtilities.h"
#include "ScriptFixture.h"
#include "TempFolder.h"
#include "ThreadObjects.h"
#include "YThread.h"

using Lines = std::vector<std::string>;

struct ThreadTest : ScriptTest {
    void SetUp() override {
        ScriptTest::SetUp();
        GetCurrentDirectoryA(sizeof previousFolder_, previousFolder_);
        SetCurrentDirectoryA(folder_.path().c_str());
        now = 1000;
        previousClock_ = setClockSource([] { return now; });
        resetScriptEngine();
        RBell::shown.clear();
    }
    void TearDown() override {
        endThreads();
        deleteEventRecords();
        resetScriptEngine();
        setClockSource(previousClock_);
        SetCurrentDirectoryA(previousFolder_);
        ScriptTest::TearDown();
    }
    static inline std::uint32_t now = 0;
    // Writes a script whose lines are given one per entry.
    static void write(const std::string& name, const Lines& lines) {
        std::ofstream out(name, std::ios::binary);
        for (const std::string& line : lines) out << line << "\r\n";
    }
    // A running thread over the named script (loaded or not).
    YThread* start(const std::string& name, YScriptResolver resolver = nullptr) {
        threads_.push_back(std::make_unique<YThread>(name.c_str(), resolver));
        YThread* t = threads_.back().get();
        if (t->loaded) t->running = 1;
        return t;
    }
    // Destroys every thread: the last one empties the heap and deletes every binding.
    void endThreads() { threads_.clear(); }
    // Main-loop passes, the clock advancing stepMs before each; returns the trace.
    static Lines passes(int n, std::uint32_t stepMs = 101) {
        for (int i = 0; i < n; ++i) { now += stepMs; scriptTick(); }
        return trace();
    }
    static Lines trace() {
        std::ifstream in("debug.txt");
        Lines lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // A fresh start: ends every thread, forgets the trace, runs the script for n passes and returns the trace.
    Lines run(const Lines& script, int n = 2) {
        endThreads();
        std::remove("debug.txt");
        write("test.mps", script);
        last = start("test.mps");
        passes(n);
        return trace();
    }
    static RBell* bell(const std::string& name) {
        OMScriptableObject* object = nullptr;
        var(name)->getObject(&object);
        return static_cast<RBell*>(object);
    }
    YThread* last = nullptr;
    TempFolder folder_;
    OMSR bellClass_{"RBell", makeBell};

private:
    std::vector<std::unique_ptr<YThread>> threads_;
    char previousFolder_[MAX_PATH] = {};
    OMClockSource previousClock_ = nullptr;
};
