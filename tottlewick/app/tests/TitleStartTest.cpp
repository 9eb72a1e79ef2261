// The title's start and end through the probe: the start-up steps and AppQuit, the folders of query 4
// with the data disc in E:, the disc prompt given up in a world without it, the idle prompt put off by a
// key, and a press given to the exported window procedure.
#include <gtest/gtest.h>

#include "AppGlobals.h"
#include "AppRedraw.h"
#include "AppModule.h"
#include "Cursor.h"
#include "ModuleProcs.h"
#include "Scene.h"
#include "SceneGlobals.h"
#include "SpriteCycler.h"
#include "TempFolder.h"
#include "TitleProbe.h"
#include "TottlewickGlobal.h"
#include "Update.h"

namespace {

using Lines = std::vector<std::string>;

// The start-up's results, and query 4's folders with the disc found in E:.
PROBE_SCENARIO(Start) {
    probe::log("cursor " + std::to_string(CursorIsVisible()));
    int cyclers = 0;
    for (int i = 0; i < 11; ++i) cyclers += SpriteCyclerAdd(1) != 0;
    probe::log("cyclers " + std::to_string(cyclers));
    probe::log(AppGetModule() == IntroModuleProc ? "module Intro" : "module other");
    const UpdateProc redraw = UpdateSetRedrawProc(nullptr);
    UpdateSetRedrawProc(redraw);
    probe::log(redraw == AppRedraw ? "redraw AppRedraw" : "redraw other");
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    probe::log(AppGetLocalResourceFolder() == std::string(current) + "\\Resource" ? "local <current>\\Resource"
                                                                                   : AppGetLocalResourceFolder());
    probe::log(std::string("disc ") + AppGetDiscResourceFolder());
    AppQuit();
}

PROBE_SCENARIO_WITH(NoDisc, IDCANCEL) {
    probe::log("started");
    AppQuit();
}

// Logs the no-input timer with the time it fires, and the presses it gets.
struct ProbeScene : Scene {
    void OnTimer(std::uint32_t id, std::int32_t) override {
        if (id == 900) probe::log("timer 900 at " + std::to_string(probe::now()));
    }
    std::int32_t OnMouseDown(Point point) override {
        probe::log("down " + std::to_string(point.h) + "," + std::to_string(point.v));
        return 1;
    }
    void Draw(const Rect&) override {}
};

// A press given to the program's exported window procedure reaches the scene in front with its point in
// the picture.
PROBE_SCENARIO(PressThroughApplProc) {
    gActivity = new ProbeScene;
    gPickerInFront = 0;
    const auto proc = reinterpret_cast<WNDPROC>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "ApplProc")));
    // The 640 x 480 picture is centred in the full-screen window.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 640) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 480) / 2;
    if (proc) proc(probe::window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left + 12, top + 34));
    AppQuit();
}

// The module start set the timer at 0 ms; a key at 14 s puts it off to 29 s.
PROBE_SCENARIO(IdleKey) {
    if (pass == 1) {
        gActivity = new ProbeScene;
        gPickerInFront = 0;
    }
    probe::advance(100);
    if (probe::now() == 14000) probe::send(WM_CHAR, 'a');
    if (probe::now() >= 30000) AppQuit();
}

struct TitleStartTest : testing::Test {
    void SetUp() override { ASSERT_TRUE(writeTottlewickTitle(folder.path())); }
    TempFolder folder;
};

TEST_F(TitleStartTest, StartsFindsItsFoldersAndQuits) {
    const ProbeResult run = probeRun("Start", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "cursor 0", "cyclers 10", "module Intro", "redraw AppRedraw",
                              "local <current>\\Resource", "disc E:\\Resource", "door 0"}));
}

TEST_F(TitleStartTest, AKeyPutsTheIdlePromptOff) {
    const ProbeResult run = probeRun("IdleKey", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "timer 900 at 29000", "door 0"}));
}

TEST_F(TitleStartTest, APressThroughTheExportedWindowProcedureReachesTheScene) {
    const ProbeResult run = probeRun("PressThroughApplProc", folder.path());
    EXPECT_EQ(run.log, (Lines{"door 1", "down 12,34", "door 0"}));
}

// Run in a world without the disc: the prompt answered Cancel ends the start quietly.
TEST_F(TitleStartTest, NoDiscGivenUpEndsTheStart) {
    const ProbeResult run = probeRun("NoDisc", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, Lines{"box Insert Data CD|Please insert the Tottlewick CD-ROM in the CD-ROM drive and press "
                             "OK.|2001"});
}

}  // namespace
