// Draws without repetition, the excluding index and the word shuffle, on the run-time generator.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <vector>

#include "RandStep.h"
#include "YDeathInterest.h"

namespace {

TEST(RandomDrawTest, RandStepDrawsEachValueOnceThenMinusOne) {
    struct Case {
        int low, high;
        std::vector<int> pool;
    } const cases[] = {{1, 4, {1, 2, 3, 4}}, {4, 0, {0, 1, 2, 3}}, {5, 3, {}}, {-2, 1, {-2, -1, 0, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + " " + std::to_string(c.high));
        RandStep step(c.low, c.high);
        std::vector<int> drawn;
        for (std::size_t i = 0; i < c.pool.size(); ++i) drawn.push_back(step.next());
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(c.pool, drawn);
        EXPECT_EQ(-1, step.next());
    }
}

TEST(RandomDrawTest, IndexesAvoidTheExclusionAndAShuffleKeepsItsWords) {
    EXPECT_EQ((std::vector<int>{0, 0, 0}),
              (std::vector<int>{randomIndexExcept(0, 5), randomIndexExcept(-3, 5), randomIndexExcept(1, 0)}));
    std::srand(3);
    for (int n = 2; n <= 4; ++n) {
        for (int except = 0; except < n; ++except) {
            std::set<int> seen;
            for (int i = 0; i < 200; ++i) seen.insert(randomIndexExcept(n, except));
            EXPECT_EQ(0u, seen.count(except)) << n;
            EXPECT_EQ(std::size_t(n - 1), seen.size()) << n;
        }
    }
    std::uint32_t one = 77;
    std::srand(5);
    shuffleWords(&one, 1);  // draws nothing
    const int next = std::rand();
    std::srand(5);
    EXPECT_EQ(std::rand(), next);
    std::vector<std::uint32_t> words{1, 2, 3, 4, 5, 6, 7, 8};
    shuffleWords(words.data(), 8);
    std::sort(words.begin(), words.end());
    EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8}), words);
}

}  // namespace
