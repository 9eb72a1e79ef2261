// Engine timers and the cursor's hide counter on the injected clock.
#include "AppStandIn.h"
#include "Cursor.h"
#include "EngineTestSupport.h"
#include "Timer.h"

namespace {

std::vector<WPARAM> fired;
LRESULT CALLBACK timerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) fired.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

struct TimerTest : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        makeWindow(timerWindow);
    }
    // One run of the main loop's timer step after ms milliseconds.
    std::vector<WPARAM> run(std::uint32_t ms) {
        fired.clear();
        standin::now += ms;
        TimerAdvance();
        TimerDispatch();
        return fired;
    }
};

using Ids = std::vector<WPARAM>;

TEST_F(TimerTest, TimersDueTogetherTakeTurnsOnePerRun) {
    ASSERT_EQ(TimerSet(window, 1, 30), 0);
    ASSERT_EQ(TimerSet(window, 900, 15000), 0);
    // Both due: one per run, the turn going on from the last one dispatched; a late timer fires once, not once
    // per missed interval; a gap longer than 65.5 s (a modal box) is not cut to 16 bits.
    std::vector<Ids> runs;
    for (std::uint32_t ms : {15000, 0, 0, 15000, 0, 100, 0, 70000, 0}) runs.push_back(run(ms));
    EXPECT_EQ(runs, (std::vector<Ids>{{900}, {1}, {}, {900}, {1}, {1}, {}, {900}, {1}}));
}

TEST_F(TimerTest, SlotsKillsAndTheTimerTime) {
    for (std::uint16_t id = 1; id <= 5; ++id) ASSERT_EQ(TimerSet(window, id, 100), 0);
    EXPECT_EQ((Both{TimerSet(window, 6, 100), TimerCount()}), Both(1, 5));
    EXPECT_EQ((Results{TimerKill(window, 3), TimerKill(window, 3), TimerCount()}), (Results{0, 1, 4}));
    TimerKillAll(window);
    EXPECT_EQ(TimerCount(), 0);
    // The timer time runs only while not paused.
    EXPECT_EQ(TimerPause(0), 1);
    standin::now += 400;
    EXPECT_EQ(TimerPause(1), 0);
    standin::now += 1000;
    EXPECT_EQ((Both{TimerGetRunningTime(), TimerPause(0)}), Both(400, 1));
    standin::now += 50;
    EXPECT_EQ((Both{TimerGetRunningTime(), TimerGetLastUpdate()}), Both(450, standin::now));
}

// The system's own count, read by a show and a hide.
int systemShowCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

TEST_F(AppTest, CursorVisibilityDoesNotNestAndShutdownUndoesEveryHide) {
    const int before = systemShowCount();
    EXPECT_EQ(CursorInit(), 1);
    CursorSetVisible(0);
    CursorSetVisible(0);
    EXPECT_EQ(Both(CursorGetCount(), CursorIsVisible()), Both(-1, 0));
    EXPECT_EQ(systemShowCount(), before - 1);
    CursorSetVisible(1);
    EXPECT_EQ(CursorGetCount(), 0);
    for (int i = 0; i < 3; ++i) CursorShow(0);
    EXPECT_EQ(systemShowCount(), before - 3);
    CursorShutdown();
    EXPECT_EQ((Both{CursorGetCount(), systemShowCount()}), Both(0, before));
}

}  // namespace
