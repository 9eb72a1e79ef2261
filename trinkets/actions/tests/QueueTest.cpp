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

}  // namespace
