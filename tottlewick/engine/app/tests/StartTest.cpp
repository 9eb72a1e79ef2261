// The start in this process: the requirement loop, the early resource file, a failure injected at each
// manager step with its reverse teardown, and the out-of-memory boxes.
#include "AppBindings.h"
#include "AppGlobals.h"
#include "AppMain.h"
#include "AppManagers.h"
#include "AppStandIn.h"
#include "AppStart.h"
#include "DisplayWindow.h"
#include "EngineTestSupport.h"
#include "File.h"
#include "FileFolders.h"
#include "PlatMem.h"
#include "PrsWriter.h"
#include "Str.h"
#include "TempFolder.h"
#include "TottlewickGlobal.h"
#include "UtilString.h"

namespace {

using Lines = std::vector<std::string>;

struct StartTest : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        standin::script.applicationFolder = folder.path();
        AppSetStepHook(logStep);
        failAt.clear();
    }
    void TearDown() override {
        AppSetStepHook(nullptr);
        UnregisterClassA(AppGetProductName(), GetModuleHandleA(nullptr));
        AppTest::TearDown();
    }
    // The early start over the folder, as AppMain does it.
    bool startEarly() {
        FileSetError(kFileErrNone);
        AppInitFolders();
        return AppLocateResources() && AppInitEarly() && AppCheckRequirements() && AppSetupWindowClass();
    }
    static bool logStep(const char* step) {
        standin::log.push_back(std::string("step ") + step);
        return failAt != step;
    }
    static inline std::string failAt;
    TempFolder folder;
};

TEST_F(StartTest, TheRequirementLoopMeasuresAgainUntilAnswered) {
    standin::script.requirementAnswers = {-1, -1, 0};
    EXPECT_EQ(AppCheckRequirements(), 1);
    EXPECT_EQ(standin::log, (Lines{"requirements -1", "requirements -1", "requirements 0"}));
    AppDisplayInfo measured{};
    ASSERT_EQ(DisplayGetCaps(&measured), 1);
    EXPECT_EQ(Both(AppGetDisplayInfo()->width, AppGetDisplayInfo()->bitsPerPixel), Both(measured.width, 8));
    standin::script.requirementAnswers = {2};
    EXPECT_EQ(AppCheckRequirements(), 0);
}

// .PRX before .PRS, the bare folder when neither exists; the message tables come from the one opened.
TEST_F(StartTest, TheEarlyResourceFileIsTheFirstThatExists) {
    AppInitFolders();
    ASSERT_EQ(AppLocateResources(), 1);
    ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1);
    FileInit();
    CreateDirectoryA(folder.file("Resource").c_str(), nullptr);
    const std::string base = folder.file("Resource\\Global");
    auto table = [](const char* text) {
        return std::vector<PrsResource>{{"STR", 2, std::string("// early\r\nBEGIN\r\n3 \"") + text + "\"\r\n"}};
    };
    struct Case { const char* name; const char* write; const char* text; };
    for (const Case& c : {Case{"folder", "", "from the folder"}, Case{"PRS", ".PRS", "from the PRS"},
                          Case{"PRX", ".PRX", "from the PRX"}}) {
        ASSERT_TRUE(writeResources(base + c.write, table(c.text)));
        ASSERT_EQ(AppOpenEarlyResources(), 1) << c.name;
        EXPECT_STREQ(StrGetMessage(3, "none"), c.text);
        AppCloseEarlyResources();
    }
    TempFolder empty;
    UtilStrCopy(AppGetApplicationFolder(), empty.path().c_str(), MAX_PATH);
    EXPECT_EQ(AppOpenEarlyResources(), 0);
    FileTerm();
    MemTerm();
}

// Each step that can fail shows its message (message 3 comes from the message table) and tears down the
// managers already started, in reverse.
TEST_F(StartTest, AFailureAtEachStepUnwindsTheStepsStartedBefore) {
    ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
    const Lines start = {"ShapeMgrInit", "PalMgrInit", "StreamInit", "TimerInit", "DisplayOpenWindow", "SndInit",
                         "SndRequestInit", "SndActivateWindow", "DisplayCreateWindowCanvas",
                         "DisplayCreateDefaultOffscreen", "DisplaySetScreenRect", "UpdateInit"};
    const Lines chain = {"DisplayFreeOffscreenCanvas", "DisplayFreeWindowCanvas", "SndRequestTerm", "SndShutdown",
                         "DisplayCloseWindow", "TimerTerm", "MenuShowBar", "MenuTerm", "StreamTerm", "PalMgrTerm",
                         "ShapeMgrTerm", "FileTerm", "MemTerm", "ClockFreeAll"};
    struct Case { const char* step; const char* text; const char* entry; };
    const std::vector<Case> cases = {
        {"ShapeMgrInit", kGlobalShapeMessage, "FileTerm"},
        {"PalMgrInit", "Failed to initialize palette manager", "ShapeMgrTerm"},
        {"StreamInit", "Failed to initialize stream manager", "PalMgrTerm"},
        {"DisplayOpenWindow", "Failed to open application window", "TimerTerm"},
        {"SndInit",
         "Waveform device not found, or may be in use by another application. Please quit the other application "
         "before starting Tottlewick.",
         "DisplayCloseWindow"},
        {"SndActivateWindow", "Failed to activate sound window", "SndRequestTerm"},
        {"DisplayCreateWindowCanvas", "Failed to create main window canvas", "SndRequestTerm"},
        {"DisplayCreateDefaultOffscreen", "Failed to create offscreen canvas", "DisplayFreeWindowCanvas"},
        {"UpdateInit", "Failed to create dirty rect list", "DisplayFreeOffscreenCanvas"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        standin::log.clear();
        ASSERT_TRUE(startEarly());
        failAt = c.step;
        EXPECT_EQ(AppInitManagers(0), 0);
        Lines expected;
        for (const std::string& step : start) {
            expected.push_back("step " + step);
            if (step == c.step) break;
        }
        expected.push_back(std::string("box Tottlewick|") + c.text + "|40");
        bool torn = false;
        for (const std::string& step : chain) {
            torn = torn || step == c.entry;
            if (torn) expected.push_back("step " + step);
            // The window's end reaches the application as its shutdown.
            if (torn && step == "DisplayCloseWindow" && std::string(c.step) != "DisplayOpenWindow")
                expected.push_back("2 0");
        }
        EXPECT_EQ(standin::log, expected);
        AppCloseEarlyResources();
        UnregisterClassA(AppGetProductName(), GetModuleHandleA(nullptr));
        AppArmShutdown();
    }
}

// The memory layer retries while the boxes say so; this callback gives up after the third attempt.
std::int16_t givingUpAfterThree(std::uint32_t size, std::int16_t attempt) {
    return attempt < 3 ? AppOutOfMemory(size, attempt) : 1;
}

TEST_F(AppTest, OutOfMemoryAsksToRetryUntilTheCallbackGivesUp) {
    standin::script.boxAnswer = IDRETRY;
    PlatMemSetLowMemoryCallback(givingUpAfterThree);
    EXPECT_EQ(PlatMemAlloc(0x7FFFFFF0u, 0), nullptr);
    PlatMemSetLowMemoryCallback(nullptr);
    const std::string ok = "box Tottlewick|OUT of MEMORY! \nTry Quitting other applications and Hit OK.|3010";
    const std::string retry = "box Tottlewick|OUT of MEMORY! \nTry Quitting other applications and Hit OK or Hit "
                              "Cancel to Exit.|3015";
    EXPECT_EQ(standin::log, (Lines{ok, retry, retry}));
}

LONG WINAPI exitWithTheCode(EXCEPTION_POINTERS* exception) {
    ExitProcess(exception->ExceptionRecord->ExceptionCode);
}

TEST_F(AppTest, CancellingTheOutOfMemoryBoxEndsTheProgramWithCodeOne) {
    standin::script.boxAnswer = IDCANCEL;
    EXPECT_EXIT(
        {
            SetUnhandledExceptionFilter(exitWithTheCode);
            AppOutOfMemory(100, 1);
        },
        ::testing::ExitedWithCode(1), "");
}

}  // namespace
