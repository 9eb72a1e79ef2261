// The application object in this process: window modes, the default handlers, activation, pause, menu
// bars and the main loop's passes.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "AlertRecorder.h"
#include "OMApp.h"
#include "OMCursor.h"
#include "OMMainWindow.h"
#include "OMMenubar.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"

namespace {

std::string trace;
void note(OMArg text) { trace += reinterpret_cast<const char*>(text); }

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        trace.clear();
        setAppInstance(GetModuleHandleA(nullptr));
        ASSERT_EQ(findRunningInstance(appInstance()), 0);
    }
    void make(std::int32_t mode) {
        const OMColorRecord background{0, 0, 0, 248};
        app = std::make_unique<OMApp>(mode, &kGiven, &background, 8);
    }
    static constexpr OMRect kGiven{10, 20, 310, 220};
    std::unique_ptr<OMApp> app;
};

TEST_F(AppTest, WindowModesGiveTheirStylesFramesAndSystemMenus) {
    constexpr DWORD kStyleMask = ~static_cast<DWORD>(WS_VISIBLE | WS_CLIPSIBLINGS | WS_MINIMIZE | WS_MAXIMIZE);
    const OMRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (const auto& [mode, style, runsAs] : {std::tuple<std::int32_t, DWORD, std::int32_t>{0, 0x02CF0000, 0},
                                              {1, 0x02CA0000, 1}, {2, 0x82080000, 2}, {3, 0x820A0000, 3},
                                              {4, 0x82080000, 2}}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        make(mode);
        EXPECT_EQ(app->windowMode, runsAs);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(app->window, GWL_STYLE)) & kStyleMask, style);
        EXPECT_EQ(GetClassLongA(app->window, GCL_STYLE), 0x000Bu);
        char text[256] = {};
        GetClassNameA(app->window, text, sizeof text);
        EXPECT_STREQ(text, "KPR: PlatformTests 2.5");
        EXPECT_TRUE(app->frame == (mode == 0 ? kGiven : screen));
        HMENU menu = GetSystemMenu(app->window, FALSE);
        const int items = GetMenuItemCount(menu);
        EXPECT_EQ(items == 0, mode >= 2) << "full screen has no system menu";
        if (items) {
            GetMenuStringA(menu, items - 1, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, "&About PlatformTests...");
            EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) == static_cast<UINT>(-1), mode == 1);
        }
    }
    app.reset();
    EXPECT_EQ(theApp, nullptr);
    useDirectDraw = 1;
    make(2);
    EXPECT_EQ(useDirectDraw, 0) << "full screen turns DirectDraw off";
    const OMColorRecord none{0xFF00, 0, 0, kNoColor};
    app->setBackground(&none);
    EXPECT_EQ(app->background.index, 248) << "a background without colour is not taken";
}

TEST_F(AppTest, DefaultAboutAlertsWithNameAndVersionAndDefaultQuitEndsTheLoop) {
    make(0);
    AlertRecorder alerts;
    SendMessageA(app->window, WM_SYSCOMMAND, kAboutCommand, 0);
    EXPECT_EQ(alerts.text, "PlatformTests 2.5");
    EXPECT_EQ(alerts.title, "About");
    EXPECT_EQ(alerts.flags, 0x3000u);
    app->running = 1;
    SendMessageA(app->window, WM_CLOSE, 0, 0);
    EXPECT_EQ(app->running, 0);
}

// A cursor and a framework window that log their hooks.
class LoggingCursor : public OMCursor {
public:
    void windowActivated() override { trace += "c+ "; }
    void windowDeactivated() override { trace += "c- "; }
};

class LoggingWindow : public OMWindow {
public:
    LoggingWindow() : OMWindow(&kFrame, kFrameNone, 0) {}
    void paint() override { trace += "paint "; }
    void activated() override { trace += "w+ "; }
    void deactivated() override { trace += "w- "; }

private:
    static constexpr OMRect kFrame{0, 0, 40, 30};
};

TEST_F(AppTest, ActivationPauseAndResumeReachCursorWindowAndHandlers) {
    make(2);
    LoggingCursor cursor;
    currentCursor = &cursor;
    LoggingWindow shown;
    shown.activate();
    trace.clear();
    OMLinkToFct paused(note, reinterpret_cast<OMArg>("paused "));
    OMLinkToFct resumed(note, reinterpret_cast<OMArg>("resumed "));
    app->setPausedHandler(&paused);
    app->setResumedHandler(&resumed);
    app->active = 1;
    app->pause();
    app->pause();
    EXPECT_EQ(app->waiting, 0) << "a pause keeps the loop running";
    app->deactivateApp();
    EXPECT_EQ(app->waiting, 1);
    app->activateApp();
    EXPECT_EQ(app->waiting, 0);
    cancelModePending = 1;
    app->activateApp();
    cancelModePending = 0;
    EXPECT_EQ(trace, "paused c- " "c+ resumed w- c- c- " "c+ paint c+ w+ " "paint paused c- ")
        << "a pending cancel-mode pauses instead of activating";
    currentCursor = nullptr;
}

// Deleting the current bar falls back to the default bar, which is made again when it goes too; the default
// bar deleted while another is current is not deleted twice. The task list goes with the application.
TEST_F(AppTest, MenubarsFallBackToTheDefaultAndTheTaskListGoesWithTheApplication) {
    make(0);
    OMMenubar* bar = new OMMenubar();
    app->setMenubar(bar);
    delete bar;
    delete app->menubar;
    OMMenubar* original = app->menubar;
    ASSERT_NE(original, nullptr);
    bar = new OMMenubar();
    app->setMenubar(bar);
    delete original;
    EXPECT_EQ(defaultMenubar(), nullptr);
    delete bar;
    ASSERT_NE(app->menubar, nullptr);
    EXPECT_EQ(app->menubar, defaultMenubar());
    EXPECT_EQ(GetMenu(app->window), app->menubar->hmenu);

    OMLinkToFct link(note, reinterpret_cast<OMArg>("x"));
    OMTask task(&link, 0);
    appendTask(&task);
    app.reset();
    EXPECT_EQ(appTaskList(), nullptr);
    task.run();
    EXPECT_EQ(trace, "x");
}

// The main loop in this process: while the application is inactive the loop waits for messages and no
// task runs; messages reach the before-dispatch hook, and the test's task notes each slice.
TEST_F(AppTest, NoTaskRunsWhileTheApplicationIsInactive) {
    static OMApp* running;
    static OMTask* late;
    static int passes;
    make(2);
    running = app.get();
    passes = 0;
    OMLinkToFct lateLink(note, reinterpret_cast<OMArg>("U "));
    OMTask lateTask(&lateLink, 0);
    late = &lateTask;
    OMLinkToFct before([](OMArg) {
        MSG msg;
        getCurrentMessage(&msg);
        if (msg.message < WM_APP) return;
        trace += "m ";
        if (msg.message == WM_APP + 1) appendTask(late);
        if (msg.message == WM_APP + 2) running->activateApp();
    });
    app->setBeforeDispatchHandler(&before);
    OMLinkToFct slice([](OMArg) {
        trace += "T ";
        if (++passes == 2) {
            running->active = 1;
            running->deactivateApp();
            for (UINT m : {WM_APP, WM_APP + 1, WM_APP + 2}) PostThreadMessageA(GetCurrentThreadId(), m, 0, 0);
        }
        if (passes == 4) running->quit();
    });
    OMTask task(&slice, 0);
    appendTask(&task);
    app->runMessageLoop();
    EXPECT_EQ(trace, "T T m m m T U T U ");
}

}  // namespace
