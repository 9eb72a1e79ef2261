// The application object in this process: window modes with the default about box, activation, pause,
// menu bars and the main loop's passes.
#include "AlertRecorder.h"
#include "OMCursor.h"
#include "OMMainWindow.h"
#include "OMMenubar.h"
#include "WindowSupport.h"

namespace {
struct AppTest : WindowFixture {
    void make(std::int32_t mode) {
        const OMColorRecord background{0, 0, 0, 248};
        app = std::make_unique<OMApp>(mode, &kGiven, &background, 8);
    }
    static constexpr OMRect kGiven{10, 20, 310, 220};
    OMTask* late = nullptr;

public:
    // Notes the test's messages before dispatch; the second adds the late task, the third activates.
    void beforeDispatch() {
        MSG msg;
        getCurrentMessage(&msg);
        if (msg.message < WM_APP) return;
        handlerLog += "m ";
        if (msg.message == WM_APP + 1) appendTask(late);
        if (msg.message == WM_APP + 2) app->activateApp();
    }
};

// Mode 4 without DirectDraw runs as mode 2 (tested with the DirectDraw mode); a background without colour
// is not taken.
TEST_F(AppTest, WindowModesGiveTheirStylesFramesAndSystemMenus) {
    constexpr DWORD kStyleMask = ~static_cast<DWORD>(WS_VISIBLE | WS_CLIPSIBLINGS | WS_MINIMIZE | WS_MAXIMIZE);
    constexpr DWORD kStyles[] = {0x02CF0000, 0x02CA0000, 0x82080000, 0x820A0000};
    const OMRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (std::int32_t mode = 0; mode < 4; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        make(mode);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(app->window, GWL_STYLE)) & kStyleMask, kStyles[mode]);
        EXPECT_EQ(GetClassLongA(app->window, GCL_STYLE), 0x000Bu);
        EXPECT_TRUE(app->frame == (mode == 0 ? kGiven : screen));
        HMENU menu = GetSystemMenu(app->window, FALSE);
        const int items = GetMenuItemCount(menu);
        EXPECT_EQ(items == 0, mode >= 2) << "full screen has no system menu";
        if (items) {
            char text[64] = {};
            GetMenuStringA(menu, items - 1, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, "&About PlatformTests...");
            EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) == static_cast<UINT>(-1), mode == 1);
            AlertRecorder alerts;
            SendMessageA(app->window, WM_SYSCOMMAND, kAboutCommand, 0);
            EXPECT_EQ(std::make_tuple(alerts.text, alerts.title, alerts.flags),
                      std::make_tuple(std::string("PlatformTests 2.5"), std::string("About"), 0x3000u));
        }
    }
    const OMColorRecord none{0xFF00, 0, 0, kNoColor};
    app->setBackground(&none);
    EXPECT_EQ(app->background.index, 248);
    app.reset();
    EXPECT_EQ(theApp, nullptr);
}

// A cursor that logs its hooks.
struct LoggingCursor : OMCursor {
    void windowActivated() override { handlerLog += "c+ "; }
    void windowDeactivated() override { handlerLog += "c- "; }
};

TEST_F(AppTest, ActivationPauseAndResumeReachCursorWindowAndHandlers) {
    make(2);
    LoggingCursor cursor;
    currentCursor = &cursor;
    const OMRect frame{0, 0, 40, 30};
    OMWindow shown(&frame, kFrameNone, 0);
    const OMLinkToFct links[] = {logLink("paint "), logLink("w+ "), logLink("w- "), logLink("paused "), logLink("resumed ")};
    shown.setPaintHandler(&links[0]);
    shown.setActivatedHandler(&links[1]);
    shown.setDeactivatedHandler(&links[2]);
    app->setPausedHandler(&links[3]);
    app->setResumedHandler(&links[4]);
    shown.activate();
    handlerLog.clear();
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
    EXPECT_EQ(handlerLog, "paused c- " "c+ resumed w- c- c- " "c+ paint c+ w+ " "paint paused c- ")
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
    EXPECT_EQ(std::make_pair(defaultMenubar(), GetMenu(app->window)),
              std::make_pair(app->menubar, app->menubar->hmenu));
    const OMLinkToFct link = logLink("x");
    OMTask task(&link, 0);
    appendTask(&task);
    app.reset();
    EXPECT_EQ(appTaskList(), nullptr);
    task.run();
    EXPECT_EQ(handlerLog, "x") << "the task outlives the list";
}

// While the application is inactive the loop waits for messages and no task runs: a task added by a message
// handler gets its first slice once the application is active again.
TEST_F(AppTest, NoTaskRunsWhileTheApplicationIsInactive) {
    make(2);
    const OMLinkToFct lateLink = logLink("U ");
    OMTask lateTask(&lateLink, 0);
    late = &lateTask;
    const OMLinkToObj<AppTest> before(this, &AppTest::beforeDispatch);
    app->setBeforeDispatchHandler(&before);
    const auto slice = [] { handlerLog += "T "; };
    LoopRun(4, {slice,
                [&] {
                    slice();
                    app->deactivateApp();
                    for (UINT m : {WM_APP, WM_APP + 1, WM_APP + 2}) PostThreadMessageA(GetCurrentThreadId(), m, 0, 0);
                },
                slice, slice});
    EXPECT_EQ(handlerLog, "T T m m m T U T U ");
}
}  // namespace
