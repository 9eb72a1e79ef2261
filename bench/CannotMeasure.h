// A benchmark that cannot measure says why and ends with exit code 1, so that it never prints a figure
// made of a failed measurement.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void cannotMeasure(const char* why) {
    std::printf("cannot measure: %s\n", why);
    std::fflush(stdout);
    std::exit(1);
}

// A time taken: one that is not positive (a failed run's -1) ends the benchmark with `why`.
inline double measured(double seconds, const char* why) {
    if (!(seconds > 0)) cannotMeasure(why);
    return seconds;
}
