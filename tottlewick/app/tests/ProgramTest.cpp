// Tottlewick.exe end to end: each run in a folder of its own with the generated "Resource\Global.PRS",
// checked through the test application's log (message boxes, manager steps, messages), the window it
// opens and the picture on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <future>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Files.h"
#include "TempFolder.h"
#include "TottlewickGlobal.h"

namespace {

constexpr char kClass[] = "Tottlewick";

std::string program() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return "\"" + folder.substr(0, folder.find_last_of('\\') + 1) + "Tottlewick.exe\"";
}

// The log's lines; none while it does not exist.
std::vector<std::string> logOf(const TempFolder& folder) {
    const std::string name = folder.file("tottlewick.log");
    std::vector<std::string> lines;
    if (fileExists(name)) lines = splitLines(readWholeFile(name), "\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

bool logHas(const TempFolder& folder, const std::string& line) {
    for (const std::string& l : logOf(folder)) {
        if (l == line) return true;
    }
    return false;
}

// Waits up to 20 s for the condition.
template <class Condition>
bool waitFor(Condition condition) {
    for (int waited = 0; waited < 20000; waited += 50, Sleep(50)) {
        if (condition()) return true;
    }
    return false;
}

std::vector<std::string> prefixed(const char* prefix, const std::vector<const char*>& names) {
    std::vector<std::string> lines;
    for (const char* name : names) lines.push_back(std::string(prefix) + name);
    return lines;
}

const std::vector<const char*> kStartSteps = {
    "ShapeMgrInit", "PalMgrInit", "StreamInit", "TimerInit", "DisplayOpenWindow", "SndInit", "SndRequestInit",
    "SndActivateWindow", "DisplayCreateWindowCanvas", "DisplayCreateDefaultOffscreen", "DisplaySetScreenRect",
    "UpdateInit", "TimerSet", "10004"};
const std::vector<const char*> kShutdownSteps = {
    "10005", "TimerKillAll", "AppSetModule", "SndDeactivateWindow", "AppCloseEarlyResources", "UpdateTerm",
    "SndRequestTerm", "SndShutdown", "DisplayCloseWindow", "DisplayFreeOffscreenCanvas", "DisplayFreeWindowCanvas",
    "TimerTerm", "MenuShowBar", "MenuTerm", "StreamTerm", "PalMgrTerm", "ShapeMgrTerm", "FileTerm", "MemTerm",
    "ClockFreeAll"};

std::string displayLine() {
    HDC screen = GetDC(nullptr);
    const std::string line = "display " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                             std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "x" +
                             std::to_string(GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES));
    ReleaseDC(nullptr, screen);
    return line;
}

// The screen's colour at x, y as 0x00RRGGBB, read through a 24-bit DIB section.
std::uint32_t screenColour(int x, int y) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP shot = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    HDC screen = GetDC(nullptr);
    BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint8_t*>(bits);
    const std::uint32_t colour = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    ReleaseDC(nullptr, screen);
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    return colour;
}

// A run of the program in the background; its window once it shows its first frame.
class Background {
public:
    Background(const TempFolder& folder, const std::string& arguments)
        : folder_(folder), child_(std::async(std::launch::async, runChild, program() + " " + arguments, folder.path(),
                                             60000)) {}
    HWND waitForFrame() {
        waitFor([&] { return logHas(folder_, "frame"); });
        return FindWindowA(kClass, nullptr);
    }
    ChildResult end() { return child_.get(); }

private:
    const TempFolder& folder_;
    std::future<ChildResult> child_;
};

TEST(ProgramTest, StartsFullScreenShowsThePictureAndShutsDownOnce) {
    TempFolder folder;
    ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
    Background run(folder, "");
    const HWND window = run.waitForFrame();
    ASSERT_NE(window, nullptr) << "no window of class Tottlewick";

    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, width);
    EXPECT_EQ(frame.bottom, height);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & WS_CAPTION);

    // The 640 x 480 picture is centred; the test picture sits at its top-left, red over blue.
    const int left = (width - 640) / 2;
    const int top = (height - 480) / 2;
    struct Probe {
        int x, y;
        std::uint32_t colour;
    };
    for (const Probe& probe : {Probe{left + 10, top + 10, 0xFF0000}, Probe{left + 60, top + 40, 0x0000FF},
                               Probe{left + 320, top + 240, 0}, Probe{left - 1, top - 1, 0},
                               Probe{width - 1, height - 1, 0}}) {
        SCOPED_TRACE(std::to_string(probe.x) + "," + std::to_string(probe.y));
        EXPECT_EQ(screenColour(probe.x, probe.y), probe.colour);
    }

    PostMessageA(window, WM_CLOSE, 0, 0);
    const ChildResult ended = run.end();
    EXPECT_EQ(ended.exitCode, 0u);

    // The sound plays on a channel (0 to 15) that the sound manager chooses.
    std::vector<std::string> log = logOf(folder);
    for (std::string& line : log) {
        if (line.rfind("sound ", 0) != 0) continue;
        EXPECT_NE(line, "sound -1");
        line = "sound";
    }
    std::vector<std::string> expected = {displayLine()};
    for (const std::string& step : prefixed("step ", kStartSteps)) expected.push_back(step);
    for (const char* line : {"10004", "sound", "module 10000", "frame", "close", "shutdown 10005", "module 10001"})
        expected.push_back(line);
    for (const std::string& step : prefixed("step ", kShutdownSteps)) expected.push_back(step);
    EXPECT_EQ(log, expected);
}

TEST(ProgramTest, ASecondInstanceHandsItsCommandLineToTheFirstAndEndsWithZero) {
    TempFolder folder;
    ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
    Background first(folder, "");
    const HWND window = first.waitForFrame();
    ASSERT_NE(window, nullptr);

    TempFolder elsewhere;
    const ChildResult second = runChild(program() + " two words", elsewhere.path(), 20000);
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_FALSE(fileExists(elsewhere.file("tottlewick.log")));
    EXPECT_TRUE(logHas(folder, "WM_USER 1998"));
    EXPECT_EQ(GetForegroundWindow(), window);

    // The clipboard holds the file-drop block: offset 20, four zero fields, the command line, two zeros.
    const std::string expected =
        std::string("\x14\0\0\0", 4) + std::string(16, '\0') + "two words" + std::string(2, '\0');
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE block = GetClipboardData(CF_HDROP);
    ASSERT_NE(block, nullptr);
    const char* bytes = static_cast<const char*>(GlobalLock(block));
    EXPECT_EQ(std::string(bytes, GlobalSize(block)), expected);
    GlobalUnlock(block);
    CloseClipboard();

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.end().exitCode, 0u);
}

// Failures before the managers run: each shows one box and ends the run with 0, no manager started.
// (Failures of the managers' start are injected step by step in the engine's own tests.)
TEST(ProgramTest, EarlyFailuresShowOneBoxAndEndWithZero) {
    struct Case {
        const char* name;
        bool global;
        const char* arguments;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"no Global", false, "", {"box Tottlewick|Failed to load early resources|40"}},
        {"machine refused", true, "refuse", {displayLine(), "box Tottlewick|This machine is refused.|40"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.global) {
            ASSERT_TRUE(writeTottlewickGlobal(folder.path()));
        }
        const ChildResult run = runChild(program() + " " + c.arguments, folder.path(), 20000);
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_EQ(logOf(folder), c.log);
    }
}

TEST(ProgramTest, TheWindowProceduresAreExportedUnderTheirNames) {
    std::string path = program();
    path = path.substr(1, path.size() - 2);
    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(image, nullptr);
    EXPECT_NE(GetProcAddress(image, "ApplProc"), nullptr);
    EXPECT_NE(GetProcAddress(image, "ApplicationMenuProc"), nullptr);
    FreeLibrary(image);
}

}  // namespace
