// The module stack, the application message road with its one shutdown, and the posted-event table.
#include "AppBindings.h"
#include "AppEvents.h"
#include "AppModule.h"
#include "AppRun.h"
#include "Clock.h"
#include "EngineTestSupport.h"
#include "Timer.h"
#include "AppStandIn.h"

namespace {

using standin::log;
using standin::module;
using Lines = std::vector<std::string>;

class ModuleTest : public AppTest {};

TEST_F(ModuleTest, SettingAModuleEndsTheCurrentAndTheStackedOnesTopDown) {
    EXPECT_EQ(AppSetModule(nullptr, module<1>, 7), nullptr);
    EXPECT_EQ(AppPushModule(nullptr, module<2>, 8), module<1>);
    EXPECT_EQ((Both{AppPushModule(nullptr, module<3>, 9) == module<2>, AppGetModuleDepth()}), Both(1, 2));
    log.clear();
    // Only the current module is asked; each ended module hears of the new one.
    EXPECT_EQ(AppSetModule(nullptr, module<4>, 5), module<3>);
    EXPECT_EQ(log, (Lines{"10007 0", "m3 10007 0 -", "10001 5", "m3 10001 5 m4", "10001 5", "m2 10001 5 m4",
                          "10001 5", "m1 10001 5 m4", "10000 5", "m4 10000 5 m3"}));
    EXPECT_EQ((Both{AppGetModuleDepth(), AppGetModule() == module<4>}), Both(0, 1));
    // Setting none ends everything and starts nothing.
    log.clear();
    EXPECT_EQ(AppSetModule(nullptr, nullptr, 0), module<4>);
    EXPECT_EQ(log, (Lines{"10007 0", "m4 10007 0 -", "10001 0", "m4 10001 0 -"}));
    EXPECT_EQ(AppGetModule(), nullptr);
}

TEST_F(ModuleTest, PushPopAndReplaceSuspendResumeAndAskAndAFullStackRefuses) {
    AppSetModule(nullptr, module<1>, 0);
    log.clear();
    EXPECT_EQ(AppPushModule(nullptr, module<2>, 3), module<1>);
    EXPECT_EQ(log, (Lines{"10002 3", "m1 10002 3 m2", "10000 3", "m2 10000 3 m1"}));
    log.clear();
    standin::script.refuseEnd[2] = true;
    EXPECT_EQ(AppPopModule(nullptr, 4), module<2>) << "a refusing module is returned as the current one";
    EXPECT_EQ((Both{AppGetModuleDepth(), AppGetModule() == module<2>}), Both(1, 1));
    EXPECT_EQ(log, (Lines{"10007 0", "m2 10007 0 -"}));
    log.clear();
    standin::script.refuseEnd[2] = false;
    EXPECT_EQ(AppPopModule(nullptr, 4), module<2>);
    EXPECT_EQ(log, (Lines{"10007 0", "m2 10007 0 -", "10001 4", "m2 10001 4 m1", "10003 4", "m1 10003 4 m2"}));
    EXPECT_EQ(AppPopModule(nullptr, 4), nullptr) << "empty stack";
    log.clear();
    standin::script.refuseEnd[1] = true;
    EXPECT_EQ(AppReplaceModule(nullptr, module<3>, 6), module<1>) << "a replacement is not asked";
    EXPECT_EQ(log, (Lines{"10001 6", "m1 10001 6 m3", "10000 6", "m3 10000 6 m1"}));
    // A full stack refuses a push and sends nothing.
    for (int i = 0; i < 6; ++i) ASSERT_NE(AppPushModule(nullptr, i % 2 ? module<1> : module<2>, 0), nullptr);
    log.clear();
    EXPECT_EQ((Both{AppPushModule(nullptr, module<3>, 0) == nullptr, AppGetModuleDepth()}), Both(1, 6));
    EXPECT_TRUE(log.empty());
}

TEST_F(ModuleTest, TheDefaultProcedureLetsAModuleEndAndTheShutdownArrivesOnce) {
    makeWindow(DefWindowProcA);
    EXPECT_EQ(AppDefWindowProc(window, kAppMayEnd, 0, 0), 1);
    // The quit road sends 10005 twice and the window's end brings WM_DESTROY: the application hears one.
    AppSendMessage(nullptr, kAppShutdown, 0, 0);
    AppSendMessage(window, kAppShutdown, 0, 0);
    AppSendMessage(window, WM_DESTROY, 0, 0);
    EXPECT_EQ(log, (Lines{"10005 0"}));
    AppArmShutdown();
    AppSendMessage(window, WM_DESTROY, 0, 0);
    AppSendMessage(nullptr, kAppShutdown, 0, 0);
    EXPECT_EQ(log, (Lines{"10005 0", "2 0"}));
}

// The whole program pauses and resumes once each: clocks stand still, the timer time stops, and the
// application hears 10002 and 10003.
TEST_F(ModuleTest, SuspendAndResumeChangeTheStateOnce) {
    ClockInitAll();
    const auto clock = static_cast<std::uint16_t>(ClockAlloc());
    ClockStart(clock);
    TimerPause(0);
    EXPECT_EQ((Both{AppSuspend(), AppSuspend()}), Both(1, 0));
    EXPECT_EQ(Both(ClockIsRunning(clock), TimerPause(1)), Both(0, 1)) << "stopped, and the timer time paused";
    EXPECT_EQ((Both{AppResume(), AppResume()}), Both(1, 0));
    EXPECT_EQ(Both(ClockIsRunning(clock), TimerPause(0)), Both(1, 0));
    EXPECT_EQ(log, (Lines{"10002 0", "10003 0"}));
    ClockFreeAll();
}

TEST_F(ModuleTest, ASeventeenthPostDropsThePendingSixteen) {
    for (int i = 1; i <= 17; ++i) AppPostMessage(nullptr, kAppCommand, WPARAM(i), 0);
    AppPostedEvent event{};
    EXPECT_EQ((Results{AppGetPostedCount(), AppTakePostedEvent(&event), event.wParam, AppTakePostedEvent(&event)}),
              (Results{1, 1, 17, 0}));
}

TEST_F(ModuleTest, SwitchingModulesDropsWaitingInput) {
    makeWindow(DefWindowProcA);
    PostMessageA(window, WM_KEYDOWN, 'A', 0);
    PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    PostMessageA(window, WM_USER, 0, 0);
    AppSetModule(window, module<1>, 0);
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message == WM_USER);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) << "key and mouse messages are gone";
}

}  // namespace
