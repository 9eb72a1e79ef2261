// The title's start and end through the probe: the start-up steps and AppQuit, the folders of query 4
// with the data disc in E:, the file manager's folders and a file cached from the disc into the user
// folder, the disc prompt given up in a world without it, the idle prompt put off by a key, and a press
// given to the exported window procedure.
#include <gtest/gtest.h>

#include "AppGlobals.h"
#include "AppRedraw.h"
#include "AppModule.h"
#include "Cache.h"
#include "Cursor.h"
#include "FileFolders.h"
#include "Files.h"
#include "MemHandle.h"
#include "ModuleProcs.h"
#include "PrsWriter.h"
#include "Res.h"
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

constexpr char kCachedFile[] = "Cached.PRS";
constexpr char kCachedOnDisc[] = "E:\\Resource\\Cached.PRS";
constexpr std::uint16_t kCachedId = 7;

// The file manager's folders after the start; then a file of the disc queued for the cache, copied by the
// main loop's idle passes 10 ms apart, and opened from the user folder once the disc's file is gone.
PROBE_SCENARIO(FoldersAndCache) {
    if (pass == 1) {
        probe::log(std::string("program ") + FileGetProgramFolder());
        probe::log(std::string("data ") + FileGetDataFolder());
        probe::log(std::string("user ") + FileGetUserFolder());
        probe::log("add " + std::to_string(CacheAdd(kCachedFile)));
    }
    probe::advance(10);
    if (!CacheIsEmpty() && pass < 1000) return;
    DeleteFileA(kCachedOnDisc);
    ResSource cached = CacheOpenResFile(kCachedFile);
    MemHandle data = cached ? ResLoad(resType("DAT"), kCachedId) : 0;
    probe::log("opened " + std::to_string(cached != 0) + ", " + std::to_string(MemHandleGetSize(data)) + " bytes");
    ResReleaseHandle(&data);
    ResCloseFile(&cached);
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

// The program runs from a folder of its own (a copy of the probe program with its sound library), the
// title's folder being the current one.
TEST_F(TitleStartTest, TheFileFoldersAreTheProgramsAndTheCacheCopiesTheDiscsFileIntoThem) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string built = std::string(self).substr(0, std::string(self).rfind('\\'));
    const std::string program = folder.file("program");
    ASSERT_TRUE(CreateDirectoryA(program.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(self, (program + "\\probe.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((built + "\\mss32.dll").c_str(), (program + "\\mss32.dll").c_str(), FALSE));
    const std::string disc = buildPrs({{"DAT", kCachedId, std::string(20000, 'c')}});  // three chunks of the copy
    writeWholeFile(kCachedOnDisc, disc);

    const ProbeResult run = probeRun("FoldersAndCache", folder.path(), program + "\\probe.exe");
    DeleteFileA(kCachedOnDisc);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "program " + program, "data " + program, "user " + program, "add 0",
                              "opened 1, 20000 bytes", "door 0"}));
    const std::string copy = program + "\\" + kCachedFile;
    EXPECT_TRUE(fileExists(copy) && readWholeFile(copy) == disc) << "the user folder's copy is the disc's file";
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
