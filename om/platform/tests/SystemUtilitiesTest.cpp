// System utilities: the clocks, the current message, screen facts, alerts, the input flush and the
// simple sound call.
#include "AlertRecorder.h"
#include "OMApp.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"
#include "TestSupport.h"

namespace {

std::uint32_t fakeNow = 0;
std::uint32_t fakeClock() { return fakeNow; }

TEST(SystemUtilities, SixtiethsAreTheMillisecondClockTruncatedAndAlertsGoThroughTheSink) {
    const OMClockSource previous = setClockSource(fakeClock);
    for (const auto& [ms, sixtieths] : {std::pair<std::uint32_t, std::uint32_t>{16, 0}, {17, 1}, {1017, 61},
                                        {60000, 3600}, {0xFFFFFFFFu, 257698037u}}) {
        fakeNow = ms;
        EXPECT_EQ(ticks60(), sixtieths) << ms;
    }
    EXPECT_EQ(setClockSource(previous), &fakeClock);
    AlertRecorder alerts(7);
    EXPECT_EQ(alertBox("Please insert the disc.", MB_OK | MB_ICONSTOP, nullptr), 7);
    EXPECT_EQ(std::make_tuple(alerts.text, alerts.title, alerts.flags),
              (std::tuple<std::string, std::string, unsigned>{"Please insert the disc.", "Alert", MB_OK | MB_ICONSTOP}));
    alertBox("x", 0, "Counting");
    EXPECT_EQ(alerts.title, "Counting");
    EXPECT_STREQ(versionText(), "3.0 - 3/30/98 12:00");
}

TEST(SystemUtilities, MessagePointsOnlyForClientMouseMessagesAndScreenFacts) {
    const LPARAM minus3plus5 = static_cast<LPARAM>(0x0005FFFDu);
    const std::pair<UINT, LONG> cases[] = {{WM_KEYDOWN, 0}, {0x0200, -3}, {0x0209, -3}, {0x020A, 0}, {0x01FF, 0}};
    for (const auto& [message, x] : cases) {
        const MSG msg{nullptr, message, 0xE809, minus3plus5, 0, {}};
        setCurrentMessage(&msg);
        EXPECT_EQ(currentMessagePoint().x, x) << message;
        EXPECT_EQ(currentMessagePoint().y, x ? 5 : 0) << message;
        EXPECT_EQ(currentMessageWParam(), 0xE809u);
    }
    const OMRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (std::int32_t display : {0, 1}) {
        EXPECT_TRUE(screenBounds(display) == screen);
        EXPECT_TRUE(isDisplay8Bit(display));
    }
    EXPECT_TRUE(screenBounds(2) == kEmptyRect);
}

// Posts one message of each kind to a window of this thread, flushes, and lists what is left.
TEST(SystemUtilities, FlushDropsMouseAndKeyMessagesOnly) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    MSG drained;
    while (PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE)) {}
    for (int message : {WM_MOUSEMOVE, WM_MBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_KEYDOWN, WM_SYSKEYUP, WM_CHAR, WM_TIMER,
                        WM_APP + 4}) {
        PostMessageA(window, static_cast<UINT>(message), 0, 0);
    }
    SetCapture(window);
    OMWindow::mouseCaptured = 1;
    flushInput();
    EXPECT_EQ(std::make_pair(OMWindow::mouseCaptured, GetCapture()), std::make_pair(0, HWND{}));
    std::string left;
    while (PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE)) {
        if (drained.hwnd == window) left += std::to_string(drained.message) + " ";
    }
    EXPECT_EQ(left, std::to_string(WM_TIMER) + " " + std::to_string(WM_APP + 4) + " ");
    DestroyWindow(window);
}

TEST(SystemUtilities, WaveResourcesPlayFromMemoryAndMissingOnesFail) {
    setAppInstance(GetModuleHandleA(nullptr));
    EXPECT_EQ((std::vector<int>{playWaveResource(77, 0), playSound("absent.wav", 0)}), std::vector<int>(2, 1));
    if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
    EXPECT_EQ((std::vector<int>{playWaveResource(3, 1), stopWaveResource()}), std::vector<int>(2, 0));
}

}  // namespace
