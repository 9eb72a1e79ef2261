// A script run by QUOMB_32.exe in a heap that fills freed blocks, and what it must say.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "ProgramTitle.h"

struct ScriptCase {
    const char* name;
    // The title's first script.
    Lines script;
    // The debug text the program leaves: what the script said, one line each.
    const char* said;
};

// The parts one after another.
inline Lines joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Long enough for a script that ends by itself; a program still running then is ended.
constexpr DWORD kScriptExitLimitMs = 60000;

// The program must end by itself with exit code 0, having said what the case gives.
inline void expectScriptSays(const ScriptCase& c) {
    SCOPED_TRACE(c.name);
    Title title;
    title.script("dorIruvu.mps", c.script);
    EXPECT_EQ(0u, title.runWithFreeChecks(kScriptExitLimitMs)) << "259: still running after " << kScriptExitLimitMs << " ms";
    EXPECT_EQ(c.said, title.debugText());
}

// Each case with the same closing lines (a common ending, the handlers) after its own script.
inline void expectScriptsSay(const std::vector<ScriptCase>& cases, const Lines& closing) {
    for (ScriptCase c : cases) {
        c.script.insert(c.script.end(), closing.begin(), closing.end());
        expectScriptSays(c);
    }
}
