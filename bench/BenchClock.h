// The benchmarks' clock: seconds from the high-resolution performance counter.
#pragma once

#include <windows.h>

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
