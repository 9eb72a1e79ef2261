// The benchmarks' clock: seconds from the high-resolution performance counter.
#pragma once

#include <windows.h>

#include <algorithm>

inline double seconds() {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds per run of `work(i)`, averaged over `count` runs.
template <typename Work>
double secondsEach(int count, Work work) {
    double start = seconds();
    for (int i = 0; i < count; ++i) work(i);
    return (seconds() - start) / count;
}

// The fastest of `rounds` measurements of secondsEach: other work on the machine (the X server among it)
// only ever slows a round down, so single rounds scatter widely.
template <typename Work>
double fastestEach(int rounds, int count, Work work) {
    double best = secondsEach(count, work);
    for (int round = 1; round < rounds; ++round) best = std::min(best, secondsEach(count, work));
    return best;
}
