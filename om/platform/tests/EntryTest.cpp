// The test application end to end: single instance, start-up and shut-down order, task slices and
// assertions, each in programs of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "Files.h"
#include "TempFolder.h"
#include "TestSupport.h"

namespace {

std::string programPath(const char* name) { return programFolder() + name; }

// A program started without waiting for it; ended (if still running) when the test is done.
class RunningProgram {
public:
    RunningProgram(const std::string& commandLine, const std::string& folder) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = commandLine;
        started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                 &startup, &process) != 0;
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram() {
        if (!started) return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 259);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    // The exit code, or 259 when the program is still running after `ms`.
    DWORD waitForExit(DWORD ms) const {
        WaitForSingleObject(process.hProcess, ms);
        DWORD code = 259;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    bool started = false;
    PROCESS_INFORMATION process{};
};

HWND waitForWindow(const char* className, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (HWND found = FindWindowA(className, nullptr)) return found;
        Sleep(50);
    }
    return nullptr;
}

// The class name to count and the count, walked by EnumWindows.
std::pair<std::string, int> counted;

BOOL CALLBACK countWindow(HWND window, LPARAM) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (name == counted.first) ++counted.second;
    return TRUE;
}

int windowsOfClass(const char* className) {
    counted = {className, 0};
    EnumWindows(countWindow, 0);
    return counted.second;
}

std::string logOf(const TempFolder& folder) { return readWholeFile(folder.file("qtest.log")); }

struct InstanceCase {
    const char* program;
    const char* className;
};

class SingleInstanceTest : public ::testing::TestWithParam<InstanceCase> {};

TEST_P(SingleInstanceTest, SecondStartRaisesTheFirstAndEndsWithZero) {
    const InstanceCase& c = GetParam();
    TempFolder folder;
    RunningProgram first("\"" + programPath(c.program) + "\" wait", folder.path());
    ASSERT_TRUE(first.started);
    HWND window = waitForWindow(c.className, 20000);
    ASSERT_NE(window, nullptr) << "no window of class \"" << c.className << "\"";
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    EXPECT_STREQ(name, c.className);
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\n");

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    // A visible window of this process holds the foreground before the second start.
    HWND holder = CreateWindowExA(0, "STATIC", "holder", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    SetForegroundWindow(holder);
    EXPECT_EQ(GetForegroundWindow(), holder);

    const DWORD before = GetTickCount();
    const ChildResult second = runChild("\"" + programPath(c.program) + "\" wait", folder.path(), 10000);
    ASSERT_TRUE(second.started);
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_LT(GetTickCount() - before, 5000u);
    EXPECT_EQ(windowsOfClass(c.className), 1);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\n") << "the second start ran module initialisers";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.waitForExit(10000), 0u);
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\nloop ended\nterm 1\nterm 2\n");
    DestroyWindow(holder);
}

INSTANTIATE_TEST_SUITE_P(VersionBlocks, SingleInstanceTest,
                         ::testing::Values(InstanceCase{"QTest.exe", "KPR: QTest 1.0"},
                                           InstanceCase{"QPlain.exe", "KPR:  "}));

TEST(ApplicationRun, TasksSliceInPriorityOrderUntilQuitEndsThePass) {
    TempFolder folder;
    const ChildResult run = runChild("\"" + programPath("QTest.exe") + "\" tasks", folder.path(), 20000);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0u);
    // The suspended task S never runs; B quits on its third slice and C still has its own.
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\nA\nB\nC\nA\nB\nC\nA\nB\nC\nloop ended\nterm 1\nterm 2\n");
}

TEST(ApplicationRun, FailedAssertionPrintsItsPlaceAndExitsWithThree) {
    TempFolder folder;
    const ChildResult run = runChild("\"" + programPath("QTest.exe") + "\" assert", folder.path(), 20000);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.output.rfind("Assertion failed: std::strlen(mode()) == 0, file ", 0), 0u) << run.output;
    EXPECT_NE(run.output.find("QTest.cpp, line 66"), std::string::npos) << run.output;
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\n");
}

}  // namespace
