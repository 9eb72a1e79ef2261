// The leaf actions that need no animation: delays, random delays, the empty step, verb and property steps.
#include <set>

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
    // 0 ms: never inside start, where an empty action finishes.
    Action* now = create("DelayAction", {"0", "0"});
    Action* empty = create("EmptyAction", {});
    watch(now, "now");
    watch(empty, "e");
    EXPECT_EQ(0, now->isInterruptible());
    finishLog.clear();
    now->start();
    empty->start();
    const std::string atStart = finishLog;
    runTaskSlices(tasks);
    EXPECT_EQ(atStart + "|" + finishLog, "e |e now ");
    delete empty;
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

// rand() % (upper - lower) + lower: upper below lower still draws (the remainder keeps the dividend's
// sign), from lower up; only an equal pair has no range and waits lower.
TEST_F(LeafActionTest, RandomDelaysDrawInTheirRangeAtEveryStartAndAnEqualPairWaitsTheLower) {
    std::srand(7);
    const struct { const char *lower, *upper; std::uint32_t least, most; } cases[] = {
        {"100", "200", 100, 199}, {"150", "100", 150, 199}, {"150", "150", 150, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lower) + " " + c.upper);
        Action* random = create("RandomDelayAction", {c.lower, c.upper});
        watch(random, "r");
        std::vector<std::uint32_t> waits;
        for (int i = 0; i < 20; ++i) {
            const std::uint32_t started = actionMs;
            random->start();
            waits.push_back(finishTime(started + 400) - started);
        }
        for (std::uint32_t w : waits) EXPECT_TRUE(w >= c.least && w <= c.most) << w;
        EXPECT_EQ(c.least == c.most, std::set(waits.begin(), waits.end()).size() == 1) << "a new draw at every start";
        delete random;
    }
    EXPECT_EQ(nullptr, create("RandomDelayAction", {"100"}));
}

// A script object that does not report its death (freed memory faults when touched: FreedMemory.h).
struct SilentProbe : Probe<OMScriptableObject> {};

// Targets owned by a script variable, with and without a death hook; the script's drop ends them.
TEST_F(LeafActionTest, VerbAndPropertyActionsActOnTheirTargetWhenStartedOrHaltedAndOnlyFinishWhenItIsGone) {
    SilentProbe::calls.clear();
    auto* tint = new TintProbe;
    auto* silent = new SilentProbe;
    const std::tuple<OMScriptableObject*, const std::vector<std::string>*, const std::string*> targets[] = {
        {tint, &TintProbe::calls, &tint->value}, {silent, &SilentProbe::calls, &silent->value}};
    for (const auto& [anim, calls, value] : targets) {
        scriptHeap().setObjectByName("anim", anim);
        Action* verb = create("VerbAction", {"anim", "1", "replacePaletteEntry", "3", "7", "-1"}, 0);
        ASSERT_NE(nullptr, verb);
        EXPECT_EQ(1, verb->isInterruptible());
        watch(verb, "v");
        finishLog.clear();
        verb->start();
        EXPECT_EQ("v ", finishLog);
        verb->halt();  // halting performs the verb even when the action is idle
        EXPECT_EQ((std::vector<std::string>{"3,7,-1", "3,7,-1"}), *calls);
        Action* property = create("PropertyAction", {"anim", "value", "7"});
        ASSERT_NE(nullptr, property);
        property->halt();
        EXPECT_EQ("7", *value);
        scriptHeap().clearObjectHolders(anim, 1);
        finishLog.clear();
        verb->start();
        property->start();
        verb->halt();
        property->halt();
        EXPECT_EQ(std::make_pair(std::string("v "), std::size_t{2}), std::make_pair(finishLog, calls->size()));
        delete verb;
        delete property;
    }
    // The flags made: a verb action's is always read in its place (absent gives 0, not the default).
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
        {"EmptyAction", {}, 1},
        {"EmptyAction", {"0"}, 0},
    };
    for (const auto& [kind, tokens, created] : cases)
        EXPECT_EQ(created, createdFlag(kind, tokens)) << kind << " with " << tokens.size() << " tokens";
    // A target that lives on when no variable holds it any longer is still acted on.
    Action* late = create("VerbAction", {"anim", "1", "replacePaletteEntry", "1", "2", "3"});
    ASSERT_EQ(1, scriptHeap().clearObjectHolders(again, 0));
    late->halt();
    EXPECT_EQ("1,2,3", TintProbe::calls.back());
    delete late;
    delete again;
}

}  // namespace
