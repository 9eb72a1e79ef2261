// Draws without repetition, the excluding index and the word shuffle, on the run-time generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "RandStep.h"
#include "YDeathInterest.h"

namespace {

std::vector<int> drawAll(RandStep& step, int calls) {
    std::vector<int> values;
    for (int i = 0; i < calls; ++i) values.push_back(step.next());
    return values;
}

TEST(RandomDrawTest, RandStepDrawsEachValueOnceThenMinusOne) {
    struct Case {
        int low, high;
        std::vector<int> pool;
    } const cases[] = {{1, 4, {1, 2, 3, 4}}, {4, 0, {0, 1, 2, 3}}, {5, 3, {}}, {-2, 1, {-2, -1, 0, 1}}, {7, 7, {7}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + " " + std::to_string(c.high));
        RandStep step(c.low, c.high);
        std::vector<int> drawn = drawAll(step, static_cast<int>(c.pool.size()));
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(c.pool, drawn);
        EXPECT_EQ(-1, step.next());
    }
}

TEST(RandomDrawTest, RandStepTakesThePositionRandFromTheLargest) {
    RandStep step(1, 4);
    std::srand(11);
    const int r = std::rand();
    std::srand(11);
    EXPECT_EQ(4 - r % 4, step.next());  // the pool runs 4, 3, 2, 1
}

TEST(RandomDrawTest, RandomIndexExceptStaysInRangeAndAvoidsTheExclusion) {
    for (int n : {0, -3}) EXPECT_EQ(0, randomIndexExcept(n, 5));
    EXPECT_EQ(0, randomIndexExcept(1, 0));
    std::srand(3);
    for (int n = 2; n <= 5; ++n) {
        for (int except = 0; except < n; ++except) {
            std::set<int> seen;
            for (int i = 0; i < 200; ++i) seen.insert(randomIndexExcept(n, except));
            SCOPED_TRACE(std::to_string(n) + " except " + std::to_string(except));
            EXPECT_EQ(0u, seen.count(except));
            EXPECT_EQ(static_cast<std::size_t>(n - 1), seen.size());
            EXPECT_TRUE(*seen.begin() >= 0 && *seen.rbegin() < n);
        }
    }
}

TEST(RandomDrawTest, ShuffleKeepsTheWordsAndAOneWordArrayDrawsNothing) {
    std::uint32_t one = 77;
    std::srand(5);
    shuffleWords(&one, 1);
    const int next = std::rand();
    std::srand(5);
    EXPECT_EQ(std::rand(), next);
    EXPECT_EQ(77u, one);

    std::vector<std::uint32_t> words{1, 2, 3, 4, 5, 6, 7, 8};
    shuffleWords(words.data(), 8);
    std::vector<std::uint32_t> sorted = words;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8}), sorted);
}

}  // namespace
