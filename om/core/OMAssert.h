// Assertions for programmer errors: kept in every build, they report and end the program with code 3.
#pragma once

#include <cstdio>
#include <cstdlib>

// Prints "Assertion failed: <condition>, file <file>, line <line>" to standard error and ends the
// program at once with exit code 3, without running static destructors.
[[noreturn]] inline void omAssertFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", condition, file, line);
    std::fflush(stderr);
    std::_Exit(3);
}

#define OM_ASSERT(condition) ((condition) ? static_cast<void>(0) : omAssertFailed(#condition, __FILE__, __LINE__))
