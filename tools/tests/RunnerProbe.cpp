// A test program for the test runner's verdicts: one case passes, the others end the process with exit
// code 0 before gtest has counted every test, one of them after printing a summary of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

TEST(RunnerProbe, Passes) {}

TEST(RunnerProbe, EndsTheProcessWithZero) { ExitProcess(0); }

TEST(RunnerProbe, PrintsAChildsSummaryAndEndsWithZero) {
    std::printf("[==========] 1 test from 1 test suite ran. (5 ms total)\n[  PASSED  ] 1 test.\n");
    std::fflush(stdout);
    ExitProcess(0);
}
