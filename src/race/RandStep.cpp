// Draws without repetition and the word shuffle.
#include "RandStep.h"

#include <cstdlib>
#include <ctime>
#include <utility>

#include "YDeathInterest.h"

RandStep::RandStep(std::int32_t low, std::int32_t high) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const std::int32_t first = high == 0 ? 0 : low;
    const std::int32_t last = high == 0 ? low - 1 : high;
    for (std::int32_t value = last; value >= first; --value) {
        pool_.push_back(value);
        if (value == first) break;
    }
}

std::int32_t RandStep::next() {
    if (pool_.empty()) return -1;
    const std::size_t at = std::size_t(std::rand()) % pool_.size();
    const std::int32_t value = pool_[at];
    pool_.erase(pool_.begin() + static_cast<std::ptrdiff_t>(at));
    return value;
}

void shuffleWords(std::uint32_t* words, std::int32_t n) {
    if (n < 2) return;
    for (std::int32_t pass = 0; pass < 2 * n; ++pass) {
        const std::int32_t i = randomIndexExcept(n, -1);
        const std::int32_t j = randomIndexExcept(n, i);
        std::swap(words[i], words[j]);
    }
}
