// A script builds a queue with "add", binds its "finished" event and runs it on the fake clock.
#include "ActionFixture.h"
#include "RQueue.h"
#include "ThreadFixture.h"

namespace {

class QueueScriptTest : public ThreadTest {
protected:
    void SetUp() override {
        ThreadTest::SetUp();
        setAppTaskList(&tasks);
        installDeathHooks();
        registerLeafActions();
        TintProbe::calls.clear();
    }
    void TearDown() override {
        ThreadTest::TearDown();
        freeActionFactory();
        removeDeathHooks();
        setAppTaskList(nullptr);
    }
    // Main-loop passes of 10 ms until the clock reaches ms; the trace lines with the time they appeared.
    std::vector<std::string> passesUntil(std::uint32_t ms) {
        std::vector<std::string> seen;
        std::size_t lines = 0;
        while (now < ms) {
            now += 10;
            runTaskSlices(tasks);
            const Lines t = trace();
            for (; lines < t.size(); ++lines) seen.push_back(t[lines] + "@" + std::to_string(now));
        }
        return seen;
    }
    OMList<OMTask> tasks{compareTaskPriority};
    OMSR tintClass_{"RTint", [] () -> OMScriptableObject* { return new TintProbe; }};
};

TEST_F(QueueScriptTest, AScriptQueueOfADelayAndAVerbFinishesOnceAfterTheDelay) {
    ASSERT_EQ(1, classExists(RQueue::classRecord.className));
    write("test.mps", {"anim=RTint", "q=RQueue", "play q add DelayAction 100",
                       "play q add VerbAction 'anim' 1 replacePaletteEntry 3 7 -1", "play q add DelayAction", "get q actionCount n",
                       "say n", "set q finished +done", "play q start", "say started", "wait", "procedure +done", "[",
                       " say finished", "]"});
    last = start("test.mps");
    const std::vector<std::string> seen = passesUntil(1400);
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ("2", seen[0].substr(0, seen[0].find('@')));
    const std::uint32_t started = std::stoul(seen[1].substr(seen[1].find('@') + 1));
    EXPECT_EQ("started@" + std::to_string(started), seen[1]);
    // The script runs a statement per pass of 10 ms: the start comes within one pass of the line after it.
    ASSERT_EQ(0u, seen[2].rfind("finished@", 0));
    const std::uint32_t finished = std::stoul(seen[2].substr(seen[2].find('@') + 1));
    EXPECT_NEAR(100, static_cast<int>(finished - started), 10);
    EXPECT_EQ(std::vector<std::string>{"3,7,-1"}, TintProbe::calls);
}

}  // namespace
