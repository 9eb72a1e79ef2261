// Clocks on the engine clock, in the engine's own test program: they need nothing above the engine.
#include "Clock.h"
#include "EngineClock.h"
#include "EngineTestSupport.h"

namespace {

std::uint32_t now = 0;

struct ClockTest : ::testing::Test {
    void SetUp() override { ClockSetSource([] { return now; }), ClockInitAll(); }
    void TearDown() override { ClockFreeAll(), ClockSetSource(nullptr); }
};

// References carry the tag and run out; a suspended clock stands still and a stopped one keeps its time.
TEST_F(ClockTest, ReferencesSuspensionAndStops) {
    ClockRef first = ClockAlloc();
    EXPECT_EQ(first, 0xCACA0000u);
    for (int i = 1; i < kClockCount; ++i) EXPECT_EQ(ClockAlloc(), 0xCACA0000u | std::uint32_t(i));
    EXPECT_EQ(ClockAlloc(), 0u);
    ClockFree(&first);
    EXPECT_EQ((Both{first, ClockAlloc()}), Both(0, 0xCACA0000));
    ClockRef none = 0;
    ClockFree(&none);
    EXPECT_EQ(ClockAlloc(), 0u) << "freeing no clock freed clock 0";
    ClockFreeAll();
    const auto running = static_cast<std::uint16_t>(ClockAlloc());
    const auto stopped = static_cast<std::uint16_t>(ClockAlloc());
    ClockStart(running);
    ClockStart(stopped);
    now += 1200;
    ClockStop(stopped);
    ClockSuspendAll();
    now += 5000;
    EXPECT_EQ((Results{ClockIsRunning(running), ClockGetElapsed(running), ClockGetElapsed(stopped)}),
              (Results{0, 1200, 1200}));
    ClockResumeAll();
    now += 300;
    EXPECT_EQ(Both(ClockGetElapsed(running), ClockGetElapsed(stopped)), Both(1500, 1200));
    ClockStart(stopped);
    now += 100;
    EXPECT_EQ(ClockGetElapsed(stopped), 1300u);
    ClockSetElapsed(running, 20);
    now += 5;
    EXPECT_EQ((Both{ClockGetElapsed(running), ClockGetElapsed(40)}), Both(25, 0)) << "clock 40 is not in use";
}

}  // namespace
