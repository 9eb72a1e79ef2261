// The engine's program end to end (TottlewickTestApp.exe, the test application over the engine): each run
// in a folder of its own with the generated "Resource\Global.PRS",
// checked through the test application's log (message boxes, manager steps, messages), the window it
// opens and the picture on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <future>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Files.h"
#include "ProbeHook.h"
#include "TempFolder.h"
#include "TottlewickGlobal.h"

namespace {

using Lines = std::vector<std::string>;

// The full name of a program that is built beside the test program.
std::string besideSelf(const std::string& name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string self = path;
    return self.substr(0, self.find_last_of('\\') + 1) + name;
}

std::string program() { return "\"" + besideSelf("TottlewickTestApp.exe") + "\""; }

// The log's lines; none while it does not exist.
Lines logOf(const TempFolder& folder) {
    const std::string name = folder.file("tottlewick.log");
    Lines lines = fileExists(name) ? splitLines(readWholeFile(name), "\n") : Lines{};
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool logHas(const TempFolder& folder, const std::string& line) {
    const Lines lines = logOf(folder);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string displayLine() {
    HDC screen = GetDC(nullptr);
    const std::string line = "display " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                             std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "x" +
                             std::to_string(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES));
    ReleaseDC(nullptr, screen);
    return line;
}

// The screen's colour at x, y as 0x00RRGGBB.
std::uint32_t screenColour(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return std::uint32_t(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

// A run of the program in the background; its window once it has logged its first frame (up to 20 s).
class Background {
public:
    explicit Background(const TempFolder& folder)
        : folder_(folder), child_(std::async(std::launch::async, runChild, program(), folder.path(), 60000)) {}
    HWND waitForFrame() {
        for (int waited = 0; waited < 20000 && !logHas(folder_, "frame"); waited += 50) Sleep(50);
        return FindWindowA("Tottlewick", nullptr);
    }
    ChildResult end() { return child_.get(); }

private:
    const TempFolder& folder_;
    std::future<ChildResult> child_;
};

TEST(ProgramTest, StartsFullScreenShowsThePictureExportsItsWindowProceduresAndShutsDownOnce) {
    TempFolder folder;
    ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
    Background run(folder);
    const HWND window = run.waitForFrame();
    ASSERT_NE(window, nullptr) << "no window of class Tottlewick";

    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(std::vector<LONG>({frame.left, frame.top, frame.right, frame.bottom}),
              std::vector<LONG>({0, 0, width, height}));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_POPUP | WS_VISIBLE | WS_CAPTION), WS_POPUP | WS_VISIBLE);

    // The 640 x 480 picture is centred; the test picture sits at its top-left, red over blue.
    const int left = (width - 640) / 2, top = (height - 480) / 2;
    const std::pair<POINT, std::uint32_t> probes[] = {{{left + 10, top + 10}, 0xFF0000}, {{left + 60, top + 40}, 0xFF},
                                                      {{left + 320, top + 240}, 0}, {{left - 1, top - 1}, 0},
                                                      {{width - 1, height - 1}, 0}};
    for (const auto& [at, colour] : probes) EXPECT_EQ(screenColour(at.x, at.y), colour) << at.x << "," << at.y;

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.end().exitCode, 0u);
    HMODULE image = LoadLibraryExA(besideSelf("TottlewickTestApp.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    EXPECT_NE(GetProcAddress(image, "ApplProc"), nullptr) << "the window procedures are exported by name";
    EXPECT_NE(GetProcAddress(image, "ApplicationMenuProc"), nullptr);
    FreeLibrary(image);

    // The sound plays on a channel (0 to 15) that the sound manager chooses.
    Lines log = logOf(folder);
    for (std::string& line : log) {
        if (line.rfind("sound ", 0) == 0 && line != "sound -1") line = "sound";
    }
    Lines expected = {displayLine()};
    auto add = [&](const char* prefix, const std::string& lines) {
        for (const std::string& line : splitLines(lines, ",")) expected.push_back(prefix + line);
    };
    add("step ", "ShapeMgrInit,PalMgrInit,StreamInit,TimerInit,DisplayOpenWindow,SndInit,SndRequestInit,"
                 "SndActivateWindow,DisplayCreateWindowCanvas,DisplayCreateDefaultOffscreen,DisplaySetScreenRect,"
                 "UpdateInit,TimerSet,10004");
    add("", "10004,sound,module 10000,frame,close,shutdown 10005,module 10001");
    add("step ", "10005,TimerKillAll,AppSetModule,SndDeactivateWindow,AppCloseEarlyResources,UpdateTerm,"
                 "SndRequestTerm,SndShutdown,DisplayCloseWindow,DisplayFreeOffscreenCanvas,DisplayFreeWindowCanvas,"
                 "TimerTerm,MenuShowBar,MenuTerm,StreamTerm,PalMgrTerm,ShapeMgrTerm,FileTerm,MemTerm,ClockFreeAll");
    EXPECT_EQ(log, expected);
}

TEST(ProgramTest, ASecondInstanceHandsItsCommandLineToTheFirstAndEndsWithZero) {
    TempFolder folder, elsewhere;
    ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
    Background first(folder);
    const HWND window = first.waitForFrame();
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(runChild(program() + " two words", elsewhere.path(), 20000).exitCode, 0u);
    EXPECT_FALSE(fileExists(elsewhere.file("tottlewick.log")));
    EXPECT_TRUE(logHas(folder, "WM_USER 1998"));
    EXPECT_EQ(GetForegroundWindow(), window);

    // The clipboard holds the file-drop block: offset 20, four zero fields, the command line, two zeros.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE block = GetClipboardData(CF_HDROP);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(block)), GlobalSize(block)),
              std::string("\x14\0\0\0", 4) + std::string(16, '\0') + "two words" + std::string(2, '\0'));
    GlobalUnlock(block);
    CloseClipboard();

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.end().exitCode, 0u);
}

// Icon 1 of the program file, in Tottlewick.exe and in the test application built from the same resources,
// is the 32 x 32 icon of the running program's main window class, as the probe hook inside the program
// sees it.
TEST(ProgramTest, TheProgramFileHoldsIcon1AndTheMainWindowClassCarriesIt) {
    for (const char* name : {"Tottlewick.exe", "TottlewickTestApp.exe"}) {
        HMODULE image = LoadLibraryExA(besideSelf(name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_NE(FindResourceA(image, MAKEINTRESOURCEA(1), RT_GROUP_ICON), nullptr) << name;
        FreeLibrary(image);
    }
    TempFolder folder;
    ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
    Background run(folder);
    const HWND window = run.waitForFrame();
    ASSERT_NE(window, nullptr);
    const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, probeMessage, GetModuleHandleA("quomb_probe_hook.dll"),
                                         GetWindowThreadProcessId(window, nullptr));
    ASSERT_NE(hook, nullptr);
    PostMessageA(window, RegisterWindowMessageA(kProbeMessage), 0, 0);
    const std::string answer = folder.file(kProbeFile);
    for (int waited = 0; waited < 20000 && (!fileExists(answer) || readWholeFile(answer).empty()); waited += 50)
        Sleep(50);
    UnhookWindowsHookEx(hook);
    const std::string line = fileExists(answer) ? readWholeFile(answer) : "";
    EXPECT_EQ(line.substr(0, line.find(',')), "icon own 32x32") << line;
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.end().exitCode, 0u);
}

// Failures before any manager starts (the managers' own are injected in the engine's tests): one box, exit 0.
TEST(ProgramTest, EarlyFailuresShowOneBoxAndEndWithZero) {
    struct Case { const char* name; bool global; const char* arguments; Lines log; };
    const Case cases[] = {
        {"no Global", false, "", {"box Tottlewick|Failed to load early resources|40"}},
        {"machine refused", true, " refuse", {displayLine(), "box Tottlewick|This machine is refused.|40"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ASSERT_TRUE(!c.global || writeTottlewickGlobal(folder.path()));
        EXPECT_EQ(runChild(program() + c.arguments, folder.path(), 20000).exitCode, 0u);
        EXPECT_EQ(logOf(folder), c.log);
    }
}

}  // namespace
