// Queues and composites: passes, halting, clearing, children leaving, and the order of "finished" events.
#include "ActionFixture.h"
#include "DelayAction.h"
#include "RCompositeAction.h"
#include "RQueue.h"

namespace {

struct QueueTest : ActionTest {
    // A watched delay.
    DelayAction* delay(const std::string& name, std::int32_t ms, std::int32_t interruptible = 1) {
        auto* d = new DelayAction(ms, interruptible);
        watch(d, name);
        return d;
    }
    // Runs 1 ms passes until limitMs and returns "name@ms" for every finish logged meanwhile.
    std::string timeline(std::uint32_t limitMs) {
        std::string out;
        while (actionMs < limitMs) {
            ++actionMs;
            finishLog.clear();
            runTaskSlices(tasks);
            if (!finishLog.empty()) out += "[" + finishLog + "@" + std::to_string(actionMs) + "]";
        }
        return out;
    }
};

TEST_F(QueueTest, AHaltedQueueSkipsInterruptibleStepsAndStartsTheFirstThatMustNotBeCut) {
    RQueue q(1, 1);
    watch(&q, "q");
    for (const auto& [name, cut] : {std::pair{"a", 1}, {"b", 1}, {"c", 0}, {"d", 1}}) q.addAction(delay(name, 100, cut), 1);
    EXPECT_EQ(0, q.isInterruptible());
    q.start();
    timeline(1050);
    q.halt();
    EXPECT_EQ(1, q.isActive());
    EXPECT_EQ("[c @1150][q d @1250]", timeline(1400));
    // Halted while the step that must not be cut runs: nothing changes.
    q.start();
    timeline(1410);
    for (int i = 0; i < 2; ++i) q.halt();
    EXPECT_EQ("[c @1510][q d @1610]", timeline(1700));
}

TEST_F(QueueTest, QueuesRunTheirPassesAndOnlyInterruptibleOnesStopQuietlyAndClear) {
    RQueue twice(2, 1);
    twice.registerProperties();
    watch(&twice, "q");
    twice.addAction(delay("a", 100), 1);
    twice.start();
    twice.start();  // ignored while running
    EXPECT_EQ("[a @1100][q a @1200]", timeline(1500));
    RQueue forever(-1, 1);
    forever.addAction(delay("f", 100), 1);
    forever.start();
    EXPECT_EQ("[f @1600][f @1700][f @1800]", timeline(1800));
    forever.registerProperties();
    forever.invokeMethod("clear");
    EXPECT_EQ(std::make_pair(0, std::string("0")), std::make_pair(forever.isActive(), std::string(forever.getProperty("actionCount"))));
    EXPECT_EQ("", timeline(2000));
    // "clear" while a step that must not be cut runs removes nothing.
    RQueue kept(1, 1);
    kept.registerProperties();
    kept.addAction(delay("k", 100, 0), 1);
    kept.start();
    kept.invokeMethod("clear");
    EXPECT_STREQ("1", kept.getProperty("actionCount"));
    EXPECT_EQ("[k @2100]", timeline(2100));
    std::string counts;
    for (const char* set : {"0", "3", "-1"}) {
        counts += std::to_string(kept.setProperty("repeatCount", set) != 0);
        counts += std::string(":") + kept.getProperty("repeatCount") + " ";
    }
    EXPECT_EQ("1:1 1:3 1:-1 ", counts);
}

// The running child's successor runs when the child leaves; any other child leaving keeps the cursor on
// the running one, so no child runs twice and the queue never waits with nothing running.
TEST_F(QueueTest, AChildThatLeavesARunningQueueNeitherStallsItNorRepeatsAnother) {
    RQueue q(1, 1);
    watch(&q, "q");
    DelayAction *a = delay("a", 100), *b = delay("b", 100), *c = delay("c", 100);
    for (DelayAction* d : {a, b, c}) q.addAction(d, 0);
    q.start();
    timeline(1050);
    q.removeAction(a);
    delete a;
    EXPECT_EQ("[b @1150]", timeline(1160));
    q.removeAction(b);
    delete b;
    EXPECT_EQ("[q c @1250]", timeline(1400));
    q.removeAction(c);
    delete c;
}

TEST_F(QueueTest, ContainersFinishOnceWithTheirLastChildEmptyOnesAtOnce) {
    RQueue q(1, 1);
    RCompositeAction all(1), c(1);
    watch(&q, "q");
    watch(&c, "c");
    q.start();
    c.start();
    EXPECT_EQ("q c ", finishLog);
    watch(&all, "all");
    for (const auto& [name, ms] : {std::pair("a", 100), std::pair("b", 200), std::pair("c", 300)})
        all.addAction(delay(name, ms), 1);
    all.start();
    EXPECT_EQ("[a @1100][b @1200][all c @1300]", timeline(1500));
}

TEST_F(QueueTest, AHaltedCompositeWaitsForTheChildThatMustNotBeCutAndCanStartAgain) {
    RCompositeAction all(1);
    watch(&all, "all");
    for (const auto& [name, ms, cut] : {std::tuple{"a", 100, 1}, {"b", 100, 1}, {"c", 300, 0}, {"d", 300, 1}})
        all.addAction(delay(name, ms, cut), 1);
    EXPECT_EQ(0, all.isInterruptible());
    all.start();
    timeline(1150);
    all.halt();  // a and b are done already; d is halted
    EXPECT_EQ(1, all.isActive());
    EXPECT_EQ("[all c @1300]", timeline(1400));
    EXPECT_EQ(0, all.isActive());
    all.start();
    EXPECT_EQ("[a b @1500][c all d @1700]", timeline(1800));
}

// A wait of 0 ms started during a pass comes due in the next one, so a queue for ever that only waits on
// it runs one pass of its own per main-loop pass (the queue starts e again before z's own event).
TEST_F(QueueTest, AForEverQueueWaitingOnlyOnAZeroMsDelayRunsOnePassPerMainLoopPass) {
    RQueue q(-1, 1);
    Action* empty = create("EmptyAction", {});
    watch(empty, "e");
    q.addAction(empty, 1);
    q.addAction(delay("z", 0), 1);
    q.start();
    std::string passes = finishLog;
    for (int i = 0; i < 3; ++i) {
        finishLog.clear();
        runTaskSlices(tasks);
        passes += "|" + finishLog;
    }
    EXPECT_EQ("e |e z |e z |e z ", passes);
}

// Steps that finish inside their start run in a loop, 65536 passes in one main-loop pass and the rest in
// the next ones; only the running step's finish moves the queue on.
TEST_F(QueueTest, StepsThatFinishAtOnceLoopAndAFinishOfAnotherChildIsIgnored) {
    runTaskSlices(tasks);  // a main-loop pass of its own
    RQueue many(65536 * 2 + 1, 1);
    watch(&many, "many");
    many.addAction(create("EmptyAction", {}), 1);
    many.start();
    std::string held = finishLog + std::to_string(many.passesDone);
    for (int i = 0; i < 2; ++i) {
        runTaskSlices(tasks);
        held += "|" + finishLog + std::to_string(many.passesDone);
    }
    EXPECT_EQ("65536|131072|many 131073", held);
    // For ever, started from a task that a task follows, as a script starts it: a paused queue holds its
    // next pass back until it is resumed; a pass held back is never taken up in the pass that held it.
    RQueue ever(-1, 1);
    Action* empty = create("EmptyAction", {});
    watch(empty, "e");
    ever.addAction(empty, 1);
    const OMLinkToFct starting([](OMArg queue) { reinterpret_cast<RQueue*>(queue)->start(); }, reinterpret_cast<OMArg>(&ever));
    OMTask starter(&starting, 0), after(nullptr, 0);
    appendTask(&starter);
    appendTask(&after);
    std::string passes;
    for (int pass = 0; pass < 5; ++pass) {
        if (pass == 1) starter.suspended = 1;
        if (pass == 2) ever.pause();
        if (pass == 3) ever.resume();
        finishLog.clear();
        runTaskSlices(tasks);
        passes += std::to_string(finishLog.size() / 2) + "|";
    }
    ever.halt();
    finishLog.clear();
    runTaskSlices(tasks);
    EXPECT_EQ("65537|65536|0|65536|65536|0", passes + std::to_string(finishLog.size() / 2));
    finishLog.clear();
    RQueue q(1, 1), other(1, 1);
    watch(&q, "q");
    q.addAction(delay("d", 100), 1);
    q.addAction(&other, 0);
    q.start();
    other.start();  // finishes at once while d runs
    EXPECT_EQ("[q d @1100]", timeline(1200));
    q.removeAction(&other);
}

// A composite counts its remaining children again when one leaves: it finishes with the last of them, or
// at once when none is still running.
TEST_F(QueueTest, ACompositeCountsAgainWhenAChildLeaves) {
    for (const auto& [leaving, expected] : {std::pair{"x", "[all y @1300]"}, std::pair{"y", "all "}}) {
        SCOPED_TRACE(leaving);
        actionMs = 1000;
        finishLog.clear();
        RCompositeAction all(1);
        watch(&all, "all");
        DelayAction *x = delay("x", 100), *y = delay("y", 300);
        all.addAction(x, 1);
        all.addAction(y, 1);
        all.start();
        EXPECT_EQ("[x @1100]", timeline(1150));
        finishLog.clear();
        all.removeAction(std::string(leaving) == "x" ? x : y);
        const std::string atRemoval = finishLog;
        EXPECT_EQ(expected, atRemoval + timeline(1400));
    }
}

// "add" refuses the container itself and any action that holds it at any depth; the holding stays as it was.
TEST_F(QueueTest, ContainersRefuseActionsThatHoldThem) {
    RCompositeAction c(1);
    RQueue b(1, 1), a(1, 1);
    a.addAction(&b);
    b.addAction(&c);
    for (Action* holder : std::initializer_list<Action*>{&a, &b, &c}) c.addAction(holder);
    b.addAction(&a);
    EXPECT_EQ(std::make_tuple(1, 1, 0), std::make_tuple(a.children.count, b.children.count, c.children.count));
    EXPECT_EQ(1, a.isInterruptible());
}

}  // namespace
