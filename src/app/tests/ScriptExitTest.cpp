// QUOMB_32.exe's end as the script engine sees it: the registry of script commands is emptied and its
// records deleted, as a probe inside the ending program finds in its heaps.
#include <gtest/gtest.h>

#include <string>

#include "ProbeHook.h"
#include "ProgramTitle.h"

namespace {

std::string waitForProbe(const Title& title, const std::string& wanted) {
    const std::string answer = title.folder.file(kExitProbeFile);
    std::string seen;
    for (int waited = 0; waited < 20000; waited += 50) {
        seen = fileExists(answer) ? readWholeFile(answer) : "";
        if (seen.rfind(wanted, 0) == 0) break;
        Sleep(50);
    }
    return seen;
}

// Heaps that fill freed blocks keep no copy of a deleted name; the names are in use while the program runs.
TEST(ScriptExitTest, TheProgramsEndDeletesTheRecordsOfItsScriptCommands) {
    Title title;
    title.script("dorIruvu.mps", {"say running", "wait"});
    askForFreeChecks(true);
    const ProgramWindow program = title.run();
    const HWND trinkets = program.waitForWindow("OMWindowChildClass", 20000);
    askForFreeChecks(false);
    ASSERT_NE(nullptr, trinkets);
    const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, probeMessage, GetModuleHandleA("quomb_probe_hook.dll"),
                                         GetWindowThreadProcessId(trinkets, nullptr));
    ASSERT_NE(nullptr, hook);
    PostMessageA(trinkets, RegisterWindowMessageA(kExitProbeMessage), 0, 0);
    EXPECT_EQ("armed", waitForProbe(title, "armed"));
    PostMessageA(GetParent(trinkets), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.waitForExit(20000));
    UnhookWindowsHookEx(hook);
    EXPECT_EQ("left 0", waitForProbe(title, "left"));
    EXPECT_EQ("running\r\n", title.debugText());
}

}  // namespace
