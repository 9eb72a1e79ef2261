// The main loop: the tick after every pass, posted events newest first, mouse messages first, and the
// timers every 8th message while messages keep coming and on every empty pass.
#include "AppBindings.h"
#include "AppEvents.h"
#include "AppGlobals.h"
#include "AppRun.h"
#include "AppStandIn.h"
#include "Timer.h"

namespace {

using Lines = std::vector<std::string>;

// The messages that reach a window of the test's own, as numbers; WM_USER with wParam 99 ends the loop
// (WM_QUIT would pass the loop's mouse filter and be taken before the other messages).
constexpr WPARAM kStop = 99;
std::vector<UINT> received;
LRESULT CALLBACK receiving(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER || message == WM_TIMER || message == WM_LBUTTONDOWN)
        received.push_back(message == WM_USER ? WM_USER + UINT(wParam) : message);
    if (message == WM_USER && wParam == kStop) AppQuit();
    return DefWindowProcA(window, message, wParam, lParam);
}

struct MainLoopTest : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        received.clear();
        makeWindow(receiving);
    }
};

TEST_F(MainLoopTest, APassThatTakesQuitStillTicks) {
    PostQuitMessage(0);
    AppRun();
    EXPECT_EQ(standin::log, (Lines{"10008 1"}));
    EXPECT_EQ(AppIsQuitting(), 1);
}

TEST_F(MainLoopTest, PostedEventsArriveNewestFirstEachAfterATick) {
    for (WPARAM i = 1; i <= 16; ++i) AppPostMessage(window, kAppCommand, i, 0);
    standin::script.onMessage = [](UINT message, WPARAM wParam) {
        if (message == kAppCommand && wParam == 1) AppQuit();
    };
    AppRun();
    Lines expected;
    for (int i = 16; i >= 1; --i) {
        expected.push_back("10008 1");
        expected.push_back("10010 " + std::to_string(i));
    }
    EXPECT_EQ(standin::log, expected);
}

TEST_F(MainLoopTest, EmptyPassesTickWithZeroAndRunTheTimers) {
    TimerSet(window, 5, 30);
    int ticks = 0;
    standin::script.onMessage = [&](UINT message, WPARAM wParam) {
        if (message != kAppTick) return;
        EXPECT_EQ(wParam, 0u);
        standin::now += 10;
        if (++ticks == 7) AppQuit();
    };
    AppRun();
    // 10 ms a pass: due after the 3rd and the 6th pass.
    EXPECT_EQ(received, (std::vector<UINT>{WM_TIMER, WM_TIMER}));
}

TEST_F(MainLoopTest, AMouseMessageIsTakenFirst) {
    PostMessageA(window, WM_USER, 1, 0);
    PostMessageA(window, WM_USER, 2, 0);
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(window, WM_USER, kStop, 0);
    AppRun();
    EXPECT_EQ(received, (std::vector<UINT>{WM_LBUTTONDOWN, WM_USER + 1, WM_USER + 2, WM_USER + kStop}));
}

// A timer due on every run fires only after the 8th and the 16th of 21 messages.
TEST_F(MainLoopTest, WhileMessagesKeepComingTimersRunOnEveryEighth) {
    TimerSet(window, 5, 0);
    for (UINT i = 1; i <= 20; ++i) PostMessageA(window, WM_USER, i, 0);
    PostMessageA(window, WM_USER, kStop, 0);
    AppRun();
    std::vector<UINT> expected;
    for (UINT i = 1; i <= 20; ++i) {
        expected.push_back(WM_USER + i);
        if (i % 8 == 0) expected.push_back(WM_TIMER);
    }
    expected.push_back(WM_USER + kStop);
    EXPECT_EQ(received, expected);
}

}  // namespace
