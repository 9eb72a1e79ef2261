// System utilities: the clocks, the current message, screen facts, alerts, the input flush, key state
// and the simple sound call.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "AlertRecorder.h"
#include "OMApp.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"

namespace {

std::uint32_t fakeNow = 0;
std::uint32_t fakeClock() { return fakeNow; }

TEST(Clocks, SixtiethsAreTheMillisecondClockTruncated) {
    const OMClockSource previous = setClockSource(fakeClock);
    const std::pair<std::uint32_t, std::uint32_t> cases[] = {
        {0, 0}, {16, 0}, {17, 1}, {1000, 60}, {1001, 60}, {1017, 61}, {60000, 3600}, {0xFFFFFFFFu, 257698037u},
    };
    for (const auto& [ms, sixtieths] : cases) {
        SCOPED_TRACE(ms);
        fakeNow = ms;
        EXPECT_EQ(ticksMs(), ms);
        EXPECT_EQ(ticks60(), sixtieths);
    }
    setClockSource(previous);
    EXPECT_EQ(setClockSource(nullptr), previous) << "null restores the system clock";
    const std::uint32_t before = timeGetTime();
    EXPECT_LE(ticksMs() - before, 1000u);
}

TEST(CurrentMessage, PointOnlyForClientMouseMessages) {
    struct Case {
        UINT message;
        LPARAM lParam;
        LONG x;
        LONG y;
    };
    const LPARAM minus3plus5 = static_cast<LPARAM>(0x0005FFFDu);
    const Case cases[] = {
        {WM_KEYDOWN, minus3plus5, 0, 0},
        {WM_LBUTTONDOWN, minus3plus5, -3, 5},
        {0x0200, static_cast<LPARAM>(0x80007FFFu), 32767, -32768},
        {0x0209, minus3plus5, -3, 5},
        {0x020A, minus3plus5, 0, 0},
        {0x01FF, minus3plus5, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        MSG msg{};
        msg.message = c.message;
        msg.wParam = 0xE809;
        msg.lParam = c.lParam;
        setCurrentMessage(&msg);
        const POINT point = currentMessagePoint();
        EXPECT_EQ(point.x, c.x);
        EXPECT_EQ(point.y, c.y);
        EXPECT_EQ(currentMessageWParam(), 0xE809u);
        MSG back{};
        getCurrentMessage(&back);
        EXPECT_EQ(back.message, c.message);
    }
}

TEST(Display, ScreenFactsOfTheEightBitDisplay) {
    for (std::int32_t display : {0, 1}) {
        SCOPED_TRACE(display);
        const OMRect bounds = screenBounds(display);
        EXPECT_TRUE(bounds == (OMRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
        EXPECT_EQ(displayBitsPerPixel(display), 8);
        EXPECT_TRUE(isDisplay8Bit(display));
    }
    EXPECT_TRUE(screenBounds(2) == kEmptyRect);
}

TEST(Messages, AlertBoxGoesThroughTheSinkWithItsTitle) {
    {
        AlertRecorder alerts(7);
        EXPECT_EQ(alertBox("Please insert the disc.", MB_OK | MB_ICONSTOP, nullptr), 7);
        EXPECT_EQ(alerts.text, "Please insert the disc.");
        EXPECT_EQ(alerts.title, "Alert");
        EXPECT_EQ(alerts.flags, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
        EXPECT_EQ(alertBox("x", 0, "Counting"), 7);
        EXPECT_EQ(alerts.title, "Counting");
    }
    EXPECT_STREQ(versionText(), "3.0 - 3/30/98 12:00");
}

// Posts one message of each kind to a window of this thread, flushes, and lists what is left.
TEST(Input, FlushDropsMouseAndKeyMessagesOnly) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    MSG drained;
    while (PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE)) {}
    const UINT posted[] = {WM_MOUSEMOVE, WM_MBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_KEYDOWN,
                           WM_SYSKEYUP,  WM_CHAR,          WM_TIMER,         WM_APP + 4};
    for (UINT message : posted) PostMessageA(window, message, 0, 0);
    SetCapture(window);
    OMWindow::mouseCaptured = 1;
    flushInput();
    EXPECT_EQ(OMWindow::mouseCaptured, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    std::string left;
    while (PeekMessageA(&drained, nullptr, 0, 0, PM_REMOVE)) {
        if (drained.hwnd == window) left += std::to_string(drained.message) + " ";
    }
    EXPECT_EQ(left, std::to_string(WM_TIMER) + " " + std::to_string(WM_APP + 4) + " ");
    DestroyWindow(window);
}

void press(BYTE key, bool down) { keybd_event(key, 0, down ? 0 : KEYEVENTF_KEYUP, 0); }

TEST(Input, CharacterKeysNeedTheirKeyAndShiftState) {
    press(VK_LEFT, true);
    const bool leftDown = isCharacterKeyDown(0xE809);
    press(VK_LEFT, false);
    if (!leftDown) GTEST_SKIP() << "synthesised keys do not reach the key state here";
    EXPECT_FALSE(isCharacterKeyDown(0xE809));

    press('A', true);
    EXPECT_TRUE(isCharacterKeyDown('a'));
    EXPECT_FALSE(isCharacterKeyDown('A'));
    press(VK_SHIFT, true);
    EXPECT_TRUE(isCharacterKeyDown('A'));
    EXPECT_FALSE(isCharacterKeyDown('a'));
    EXPECT_TRUE(isShiftDownNow());
    press(VK_CONTROL, true);
    EXPECT_FALSE(isCharacterKeyDown('A')) << "Control must be up";
    press(VK_CONTROL, false);
    press(VK_SHIFT, false);
    press('A', false);
    EXPECT_FALSE(isCharacterKeyDown('a'));
}

TEST(Sound, WaveResourcesPlayFromMemoryAndMissingOnesFail) {
    setAppInstance(GetModuleHandleA(nullptr));
    EXPECT_EQ(playWaveResource(77, 0), 1);
    EXPECT_EQ(playSound("absent.wav", 0), 1);
    if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
    EXPECT_EQ(playWaveResource(3, 0), 0);
    EXPECT_EQ(playWaveResource(3, 1), 0);
    EXPECT_EQ(stopWaveResource(), 0);
}

}  // namespace
