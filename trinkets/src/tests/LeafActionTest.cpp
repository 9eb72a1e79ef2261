// The leaf actions that need no animation: delays, random delays, the empty step, verb and property steps.
#include "ActionFixture.h"

namespace {

struct LeafActionTest : ActionTest {
    // The clock time of the first 1 ms pass that logs a finish (0: none by limitMs).
    std::uint32_t finishTime(std::uint32_t limitMs = 3000) {
        const std::string before = finishLog;
        while (actionMs < limitMs && finishLog == before) {
            actionMs += 1;
            runTaskSlices(tasks);
        }
        return finishLog == before ? 0 : actionMs;
    }
};

TEST_F(LeafActionTest, DelaysFinishOnTheFirstPassAtOrAfterTheirTimeAndPausedTimeDoesNotCount) {
    Action* delay = create("DelayAction", {"100"});
    ASSERT_NE(nullptr, delay);
    watch(delay, "d");
    delay->start();
    EXPECT_EQ(1100u, finishTime());
    // 0 ms: never inside start.
    Action* now = create("DelayAction", {"0", "0"});
    watch(now, "now");
    EXPECT_EQ(0, now->isInterruptible());
    finishLog.clear();
    now->start();
    const std::string atStart = finishLog;
    runTaskSlices(tasks);
    EXPECT_EQ(atStart + "|" + finishLog, "|now ");
    // Paused 500 ms after 40 ms: the second pause and a resume without a pause change nothing.
    finishLog.clear();
    actionMs = 2000;
    delay->resume();
    delay->start();
    runUntil(2040);
    for (int i = 0; i < 2; ++i) delay->pause();
    runUntil(2540);
    for (int i = 0; i < 2; ++i) delay->resume();
    EXPECT_EQ(2600u, finishTime());
    EXPECT_EQ(std::make_pair(0, static_cast<Action*>(nullptr)), std::make_pair(tasks.count, create("DelayAction", {})));
    delete now;
    // A second start restarts the one wait.
    finishLog.clear();
    delay->start();
    runUntil(2650);
    delay->start();
    EXPECT_EQ(1, tasks.count);
    EXPECT_EQ(2750u, finishTime());
    EXPECT_EQ("d ", finishLog);
    // Deleted while waiting after a second start: nothing is left to run.
    delay->start();
    delay->start();
    delete delay;
    EXPECT_EQ(0, tasks.count);
    runUntil(3000);
    EXPECT_EQ("d ", finishLog);
}

TEST_F(LeafActionTest, RandomDelaysDrawInTheirRangeAtEveryStartAndAnEmptyRangeWaitsTheLower) {
    std::srand(7);
    Action* random = create("RandomDelayAction", {"100", "200"});
    watch(random, "r");
    std::vector<std::uint32_t> waits;
    for (int i = 0; i < 20; ++i) {
        const std::uint32_t started = actionMs;
        random->start();
        waits.push_back(finishTime(started + 400) - started);
    }
    for (std::uint32_t w : waits) EXPECT_TRUE(w >= 100 && w <= 199) << w;
    EXPECT_NE(waits.front(), waits.back());
    delete random;
    for (const auto& [lower, upper] : {std::pair("150", "150"), std::pair("150", "100")}) {
        SCOPED_TRACE(std::string(lower) + " " + upper);
        Action* empty = create("RandomDelayAction", {lower, upper});
        watch(empty, "e");
        const std::uint32_t started = actionMs;
        empty->start();
        EXPECT_EQ(started + 150, finishTime(started + 1000));
        delete empty;
    }
    EXPECT_EQ(nullptr, create("RandomDelayAction", {"100"}));
}

TEST_F(LeafActionTest, AnEmptyActionFinishesInsideItsStart) {
    for (const auto& [tokens, flag] : {std::pair(std::vector<const char*>{}, 1), std::pair(std::vector<const char*>{"0"}, 0)}) {
        Action* empty = create("EmptyAction", tokens);
        watch(empty, "e");
        empty->start();
        EXPECT_EQ(std::make_pair(flag, std::string("e ")), std::make_pair(empty->isInterruptible(), finishLog));
        finishLog.clear();
        delete empty;
    }
}

TEST_F(LeafActionTest, VerbAndPropertyActionsActOnTheirTargetWhenStartedOrHalted) {
    auto* anim = new TintProbe;
    hold("anim", anim);
    Action* verb = create("VerbAction", {"anim", "1", "replacePaletteEntry", "3", "7", "-1"}, 0);
    ASSERT_NE(nullptr, verb);
    EXPECT_EQ(1, verb->isInterruptible());
    watch(verb, "v");
    verb->start();
    EXPECT_EQ("v ", finishLog);
    verb->halt();  // halting performs the verb even when the action is idle
    EXPECT_EQ((std::vector<std::string>{"3,7,-1", "3,7,-1"}), TintProbe::calls);
    Action* property = create("PropertyAction", {"anim", "value", "7"});
    ASSERT_NE(nullptr, property);
    property->halt();
    EXPECT_EQ("7", anim->value);
    // Without their target they only finish.
    delete anim;
    finishLog.clear();
    verb->start();
    property->start();
    EXPECT_EQ("v ", finishLog);
    delete verb;
    delete property;
    // The flag of a verb action is always read in its place: absent gives 0, not the default.
    auto* again = new TintProbe;
    hold("anim", again);
    const std::tuple<const char*, std::vector<const char*>, int> cases[] = {
        {"VerbAction", {"anim", "", "replacePaletteEntry"}, 0},
        {"VerbAction", {"anim", "1"}, -1},
        {"VerbAction", {"nobody", "1", "replacePaletteEntry"}, -1},
        {"PropertyAction", {"anim", "value", "7", "0"}, 0},
        {"PropertyAction", {"anim", "value", "7"}, 1},
        {"PropertyAction", {"anim", "value"}, -1},
        {"PropertyAction", {"nobody", "value", "7"}, -1},
    };
    for (const auto& [kind, tokens, created] : cases)
        EXPECT_EQ(created, createdFlag(kind, tokens)) << kind << " with " << tokens.size() << " tokens";
    delete again;
}

}  // namespace
