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
    const std::pair<std::pair<int, int>, std::vector<int>> cases[] = {
        {{1, 4}, {1, 2, 3, 4}}, {{4, 0}, {0, 1, 2, 3}}, {{5, 3}, {}}, {{-2, 1}, {-2, -1, 0, 1}}};
    for (const auto& [range, pool] : cases) {
        SCOPED_TRACE(std::to_string(range.first) + " " + std::to_string(range.second));
        RandStep step(range.first, range.second);
        std::vector<int> drawn(pool.size());
        for (int& value : drawn) value = step.next();
        std::sort(drawn.begin(), drawn.end());
        EXPECT_EQ(pool, drawn);
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
            EXPECT_TRUE(seen.size() == std::size_t(n - 1) && !seen.count(except)) << n << " but " << except;
        }
    }
    std::uint32_t one = 77;
    std::srand(5);
    shuffleWords(&one, 1);  // draws nothing
    const int next = std::rand();
    std::srand(5);
    EXPECT_EQ(std::rand(), next);
    EXPECT_EQ(77u, one);
    std::vector<std::uint32_t> words{1, 2, 3, 4, 5, 6, 7, 8};
    shuffleWords(words.data(), 8);
    std::sort(words.begin(), words.end());
    EXPECT_EQ((std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8}), words);
}

}  // namespace
