// The application object in this process: window modes, handler slots, activation, pause, menu bars
// and the main loop's passes.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
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

constexpr DWORD kStyleMask = ~static_cast<DWORD>(WS_VISIBLE | WS_CLIPSIBLINGS | WS_MINIMIZE | WS_MAXIMIZE);

struct ModeCase {
    std::int32_t mode;
    DWORD style;
    std::int32_t runsAs;
    bool aboutItem;
};

TEST_F(AppTest, WindowModesGiveTheirStylesFramesAndSystemMenus) {
    const ModeCase cases[] = {
        {0, 0x02CF0000, 0, true},
        {1, 0x02CA0000, 1, true},
        {2, 0x82080000, 2, false},
        {3, 0x820A0000, 3, false},
        {4, 0x82080000, 2, false},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        make(c.mode);
        EXPECT_EQ(theApp, app.get());
        EXPECT_EQ(app->windowMode, c.runsAs);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(app->window, GWL_STYLE)) & kStyleMask, c.style);
        EXPECT_EQ(GetClassLongA(app->window, GCL_STYLE), 0x000Bu);
        char name[256] = {};
        GetClassNameA(app->window, name, sizeof name);
        EXPECT_STREQ(name, "KPR: PlatformTests 2.5");
        EXPECT_EQ(app->title, "PlatformTests");
        const OMRect expected = c.mode == 0 ? kGiven : OMRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        EXPECT_TRUE(app->frame == expected) << app->frame.left << "," << app->frame.top << "," << app->frame.right
                                            << "," << app->frame.bottom;
        HMENU menu = GetSystemMenu(app->window, FALSE);
        const int items = GetMenuItemCount(menu);
        if (c.aboutItem) {
            ASSERT_GT(items, 1);
            EXPECT_EQ(GetMenuItemID(menu, items - 1), kAboutCommand);
            char text[64] = {};
            GetMenuStringA(menu, items - 1, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, "&About PlatformTests...");
            EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND) == static_cast<UINT>(-1), c.mode == 1);
        } else {
            EXPECT_EQ(items, 0);
        }
        app.reset();
        EXPECT_EQ(theApp, nullptr);
    }
}

TEST_F(AppTest, FullScreenModeWithDirectDrawOnRunsAsModeTwoAndTurnsItOff) {
    useDirectDraw = 1;
    make(2);
    EXPECT_EQ(app->windowMode, 2);
    EXPECT_EQ(useDirectDraw, 0);
    EXPECT_EQ(noDirectDrawSurfaces, 1);
    EXPECT_EQ(directDrawActive, 0);
    EXPECT_EQ(gdiMemoryCanvases, 1);
}

TEST_F(AppTest, ABackgroundWithoutColourIsNotTaken) {
    const OMColorRecord none{0xFF00, 0, 0, kNoColor};
    app = std::make_unique<OMApp>(0, &kGiven, &none, 8);
    EXPECT_EQ(app->background.index, -1);
    EXPECT_EQ(app->background.red, 0);
    const OMColorRecord palette{0, 0, 0, 248};
    app->setBackground(&palette);
    app->setBackground(&none);
    EXPECT_EQ(app->background.index, 248);
}

using Setter = void (OMApp::*)(const OMLink*);
using Getter = OMLink* (OMApp::*)() const;
using Invoker = void (OMApp::*)();

struct SlotCase {
    const char* name;
    Setter set;
    Getter get;
    Invoker invoke;
};

TEST_F(AppTest, EveryHandlerSlotRunsItsOwnCloneOfTheLink) {
    const SlotCase slots[] = {
        {"about", &OMApp::setAboutHandler, &OMApp::aboutHandler, &OMApp::about},
        {"activated", &OMApp::setActivatedHandler, &OMApp::activatedHandler, &OMApp::activated},
        {"quitRequested", &OMApp::setQuitHandler, &OMApp::quitHandler, &OMApp::quitRequested},
        {"deactivated", &OMApp::setDeactivatedHandler, &OMApp::deactivatedHandler, &OMApp::deactivated},
        {"idle", &OMApp::setIdleHandler, &OMApp::idleHandler, &OMApp::idle},
        {"maximized", &OMApp::setMaximizedHandler, &OMApp::maximizedHandler, &OMApp::maximized},
        {"minimized", &OMApp::setMinimizedHandler, &OMApp::minimizedHandler, &OMApp::minimized},
        {"beforeDispatch", &OMApp::setBeforeDispatchHandler, &OMApp::beforeDispatchHandler, &OMApp::beforeDispatch},
        {"afterDispatch", &OMApp::setAfterDispatchHandler, &OMApp::afterDispatchHandler, &OMApp::afterDispatch},
        {"moved", &OMApp::setMovedHandler, &OMApp::movedHandler, &OMApp::moved},
        {"resumed", &OMApp::setResumedHandler, &OMApp::resumedHandler, &OMApp::resumed},
        {"restored", &OMApp::setRestoredHandler, &OMApp::restoredHandler, &OMApp::restored},
        {"resized", &OMApp::setResizedHandler, &OMApp::resizedHandler, &OMApp::resized},
        {"paused", &OMApp::setPausedHandler, &OMApp::pausedHandler, &OMApp::paused},
    };
    make(2);
    for (const SlotCase& slot : slots) {
        SCOPED_TRACE(slot.name);
        trace.clear();
        {
            OMLinkToFct link(note, reinterpret_cast<OMArg>(slot.name));
            (app.get()->*slot.set)(&link);
            EXPECT_NE((app.get()->*slot.get)(), &link);
        }
        (app.get()->*slot.invoke)();
        EXPECT_EQ(trace, slot.name);
        (app.get()->*slot.set)(nullptr);
        EXPECT_EQ((app.get()->*slot.get)(), nullptr);
    }
}

TEST_F(AppTest, DefaultAboutAlertsWithNameAndVersionAndDefaultQuitEndsTheLoop) {
    make(0);
    {
        AlertRecorder alerts;
        SendMessageA(app->window, WM_SYSCOMMAND, kAboutCommand, 0);
        EXPECT_EQ(alerts.text, "PlatformTests 2.5");
        EXPECT_EQ(alerts.title, "About");
        EXPECT_EQ(alerts.flags, 0x3000u);
    }

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
    void paint() override { trace += "paint "; }
    void becomeActive() override { trace += "w+ "; }
    void becomeInactive() override { trace += "w- "; }
};

TEST_F(AppTest, ActivationPauseAndResumeReachCursorWindowAndHandlers) {
    make(2);
    LoggingCursor cursor;
    currentCursor = &cursor;
    LoggingWindow shown;
    OMWindow::activeWindow = &shown;
    OMLinkToFct paused(note, reinterpret_cast<OMArg>("paused "));
    OMLinkToFct resumed(note, reinterpret_cast<OMArg>("resumed "));
    app->setPausedHandler(&paused);
    app->setResumedHandler(&resumed);
    app->active = 1;

    app->pause();
    app->pause();
    EXPECT_EQ(trace, "paused c- ");
    EXPECT_EQ(app->waiting, 0) << "a pause keeps the loop running";
    trace.clear();
    app->deactivateApp();
    EXPECT_EQ(trace, "c+ resumed w- c- ");
    EXPECT_EQ(app->active, 0);
    EXPECT_EQ(app->waiting, 1);
    trace.clear();
    app->activateApp();
    EXPECT_EQ(trace, "c+ paint w+ ");
    EXPECT_EQ(app->active, 1);
    EXPECT_EQ(app->waiting, 0);

    trace.clear();
    cancelModePending = 1;
    app->activateApp();
    cancelModePending = 0;
    EXPECT_EQ(trace, "paint paused c- ") << "a pending cancel-mode pauses instead of activating";
    OMWindow::activeWindow = nullptr;
    currentCursor = nullptr;
}

TEST_F(AppTest, DeletingTheCurrentBarFallsBackToTheDefaultBar) {
    make(0);
    OMMenubar* bar = new OMMenubar();
    app->setMenubar(bar);
    EXPECT_EQ(GetMenu(app->window), bar->hmenu);
    delete bar;
    OMMenubar* fallback = app->menubar;
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(GetMenu(app->window), fallback->hmenu);
    delete fallback;
    ASSERT_NE(app->menubar, nullptr) << "a new default bar replaces the deleted one";
    EXPECT_NE(app->menubar, fallback);
    EXPECT_EQ(GetMenu(app->window), app->menubar->hmenu);

    // The default bar deleted while another is current is not deleted again.
    OMMenubar* original = app->menubar;
    bar = new OMMenubar();
    app->setMenubar(bar);
    delete original;
    EXPECT_EQ(defaultMenubar(), nullptr);
    delete bar;
    ASSERT_NE(app->menubar, nullptr);
    EXPECT_EQ(app->menubar, defaultMenubar());
    EXPECT_EQ(GetMenu(app->window), app->menubar->hmenu);

    app.reset();
    make(2);  // full screen shows no menu bar
    OMMenubar shown;
    app->setMenubar(&shown);
    EXPECT_EQ(GetMenu(app->window), nullptr);
}

TEST_F(AppTest, DeletingTheApplicationEmptiesTheTaskListButKeepsTheTasks) {
    make(2);
    OMLinkToFct link(note, reinterpret_cast<OMArg>("x"));
    OMTask task(&link, 0);
    appendTask(&task);
    EXPECT_EQ(app->tasks.count, 1);
    app.reset();
    EXPECT_EQ(appTaskList(), nullptr);
    task.run();
    EXPECT_EQ(trace, "x");
}

// The main loop in this process: what its passes do with messages and slices. The test's hooks see each
// message before it is dispatched (and may change it) and run in the slice of the test's task.
class LoopTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        make(2);
        loop = this;
        OMLinkToFct before(seeMessage);
        app->setBeforeDispatchHandler(&before);
    }
    void TearDown() override { loop = nullptr; }

    static void seeMessage(OMArg) {
        MSG msg;
        getCurrentMessage(&msg);
        loop->message(msg);
        setCurrentMessage(&msg);
    }
    static void runSlice(OMArg) {
        ++loop->passes;
        loop->slice();
        if (loop->passes > 1000) theApp->quit();
    }
    void run() {
        OMLinkToFct sliceLink(runSlice);
        OMTask task(&sliceLink, 0);
        appendTask(&task);
        app->runMessageLoop();
    }

    static inline LoopTest* loop = nullptr;
    int passes = 0;
    std::function<void(MSG&)> message = [](MSG&) {};
    std::function<void()> slice = [] {};
};

TEST_F(LoopTest, NoTaskRunsWhileTheApplicationIsInactive) {
    OMLinkToFct lateLink([](OMArg) { trace += "U "; });
    OMTask late(&lateLink, 0);
    message = [&](MSG& msg) {
        if (msg.message < WM_APP) return;
        trace += "m ";
        if (msg.message == WM_APP + 1 && msg.wParam == 1) appendTask(&late);
        if (msg.message == WM_APP + 2) {
            trace += "act ";
            app->activateApp();
        }
    };
    slice = [&] {
        trace += "T ";
        if (passes == 2) {
            app->active = 1;
            app->deactivateApp();
            PostThreadMessageA(GetCurrentThreadId(), WM_APP + 1, 0, 0);
            PostThreadMessageA(GetCurrentThreadId(), WM_APP + 1, 1, 0);
            PostThreadMessageA(GetCurrentThreadId(), WM_APP + 2, 0, 0);
        }
        if (passes == 4) app->quit();
    };
    run();
    EXPECT_EQ(trace, "T T m m m act T U T U ");
}

TEST_F(LoopTest, QuitMessagesAreDispatchedAndOnlyQuitEndsTheLoop) {
    int closes = 0;
    message = [&](MSG& msg) {
        if (msg.message == WM_QUIT) trace += "quit-message ";
        if (msg.message == WM_CLOSE && ++closes == 1) {
            trace += "cancelled ";
            msg.message = 0;
        }
    };
    slice = [&] {
        if (passes == 1) PostQuitMessage(0);
        if (passes == 3) {
            PostMessageA(app->window, WM_CLOSE, 0, 0);
            PostMessageA(app->window, WM_CLOSE, 0, 0);
        }
    };
    run();
    EXPECT_EQ(trace, "quit-message cancelled ");
    EXPECT_EQ(closes, 2) << "the second close request ends the loop";
    EXPECT_LT(passes, 1000);
}

}  // namespace
