// The test application end to end: single instance, start-up and shut-down order, task slices and
// assertions, each in programs of its own.
#include <future>

#include "ChildProcess.h"
#include "TestSupport.h"

namespace {
std::string command(const char* program, const char* mode) { return "\"" + programFolder() + program + "\" " + mode; }

std::string logOf(const TempFolder& folder) { return readWholeFile(folder.file("qtest.log")); }

HWND waitForWindow(const char* className) {
    for (int waited = 0; waited < 20000; waited += 50, Sleep(50)) {
        if (HWND found = FindWindowA(className, nullptr)) return found;
    }
    return nullptr;
}

int windowsOfClass(const char* className) {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, nullptr)) != nullptr;) ++count;
    return count;
}

// The program and its class name: "KPR: " with the version block's name and version, or one blank.
class SingleInstanceTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(SingleInstanceTest, SecondStartRaisesTheFirstAndEndsWithZero) {
    const auto [program, className] = GetParam();
    TempFolder folder;
    std::future<ChildResult> first =
        std::async(std::launch::async, runChild, command(program, "wait"), folder.path(), 60000);
    HWND window = waitForWindow(className);
    ASSERT_NE(window, nullptr) << "no window of class \"" << className << "\"";
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\n");
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(window));
    // A visible window of this process holds the foreground before the second start.
    HWND holder = CreateWindowExA(0, "STATIC", "holder", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    SetForegroundWindow(holder);
    EXPECT_EQ(GetForegroundWindow(), holder);
    const DWORD before = GetTickCount();
    EXPECT_EQ(runChild(command(program, "wait"), folder.path(), 10000).exitCode, 0u);
    EXPECT_LT(GetTickCount() - before, 5000u);
    EXPECT_EQ(std::make_tuple(windowsOfClass(className), bool(IsIconic(window)), GetForegroundWindow()),
              std::make_tuple(1, false, window));
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\n") << "the second start ran module initialisers";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.get().exitCode, 0u);
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\nloop ended\nterm 1\nterm 2\n");
    DestroyWindow(holder);
}

INSTANTIATE_TEST_SUITE_P(VersionBlocks, SingleInstanceTest,
                         ::testing::Values(std::pair("QTest.exe", "KPR: QTest 1.0"),
                                           std::pair("QPlain.exe", "KPR:  ")));

// Tasks: the suspended task S never runs; B quits on its third slice and C still has its own. A failed
// assertion prints its place and exits with 3.
TEST(ApplicationRun, TasksSliceInPriorityOrderAndAFailedAssertionExitsWithThree) {
    TempFolder folder;
    EXPECT_EQ(runChild(command("QTest.exe", "tasks"), folder.path(), 20000).exitCode, 0u);
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\nA\nB\nC\nA\nB\nC\nA\nB\nC\nloop ended\nterm 1\nterm 2\n");
    DeleteFileA(folder.file("qtest.log").c_str());
    const ChildResult failed = runChild(command("QTest.exe", "assert"), folder.path(), 20000);
    EXPECT_EQ(failed.exitCode, 3u);
    EXPECT_EQ(failed.output.rfind("Assertion failed: std::strlen(mode()) == 0, file ", 0), 0u) << failed.output;
    EXPECT_NE(failed.output.find("QTest.cpp, line 64"), std::string::npos) << failed.output;
    EXPECT_EQ(logOf(folder), "init 1\ninit 3\n");
}
}  // namespace
