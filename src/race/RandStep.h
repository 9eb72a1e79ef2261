// Random draws of the activities: without repetition from a range, and an in-place shuffle. Numbers come
// from the run-time's rand() (0 to 32767), which tests seed with srand().
#pragma once

#include <cstdint>
#include <vector>

class RandStep {
public:
    // Seeds rand() with the time in seconds; the pool holds 0 .. low - 1 when high is 0, else low .. high.
    RandStep(std::int32_t low, std::int32_t high);
    // A value not drawn before, taken at position rand() % count from the largest; -1 when none is left.
    std::int32_t next();

private:
    // Largest value first.
    std::vector<std::int32_t> pool_;
};

// Exchanges two distinct random words 2 x n times; nothing (and no draw) when n < 2.
void shuffleWords(std::uint32_t* words, std::int32_t n);
