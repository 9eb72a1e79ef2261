// QUOMB_32.exe on a machine that fails a start-up check, run under this test as its debugger: Wine's
// per-program DLL overrides take the wave-out drivers or WING32.DLL away from a copy of the program, and
// breakpoints at system functions show which probes and which term functions ran before the program ended.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ProgramWindow.h"
#include "TempFolder.h"

namespace {

// The system functions watched: the WING32.DLL probe, the disk probe's first call, and the sound call that
// a term function makes.
constexpr const char* kWatched[] = {"LoadLibraryA", "GetTempFileNameA", "sndPlaySoundA"};
constexpr BYTE kInt3 = 0xCC;

struct Breakpoint {
    const char* name;
    std::uintptr_t address;
    std::uintptr_t moduleBase;
    BYTE original = 0;
    bool armed = false;
};

// Each watched function's address and the base of the module that holds it, in this process.
std::vector<Breakpoint> watchedFunctions() {
    LoadLibraryA("winmm.dll");
    std::vector<Breakpoint> points;
    for (const char* name : kWatched) {
        FARPROC function = nullptr;
        for (const char* module : {"kernel32.dll", "winmm.dll"})
            if (!function) function = GetProcAddress(GetModuleHandleA(module), name);
        HMODULE owner = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(function), &owner);
        points.push_back({name, reinterpret_cast<std::uintptr_t>(function), reinterpret_cast<std::uintptr_t>(owner)});
    }
    return points;
}

struct AlertSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findAlert(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<AlertSearch*>(data);
    DWORD owner = 0;
    char name[16] = {};
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, name, sizeof name);
    if (owner == search->process && IsWindowVisible(window) && std::string(name) == "#32770") search->found = window;
    return search->found ? FALSE : TRUE;
}

// One run of a program started as the debuggee; each watched function's first call is recorded and the
// program goes on; the first alert box is read and answered OK.
class DebuggedRun {
public:
    DebuggedRun(const std::string& program, const std::string& folder) : points_(watchedFunctions()) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                                  folder.c_str(), &startup, &process_);
    }
    ~DebuggedRun() {
        if (!started_) return;
        if (exitCode_ == STILL_ACTIVE) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    // Serves the debuggee's events until it ends or timeoutMs pass; false on time-out.
    bool runToExit(DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        while (started_ && exitCode_ == STILL_ACTIVE && GetTickCount() - start < timeoutMs) {
            DEBUG_EVENT event{};
            if (!WaitForDebugEvent(&event, 50)) {
                if (alert.empty()) answerAlert();
                continue;
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, serve(event));
        }
        return exitCode_ != STILL_ACTIVE;
    }
    bool allArmed() const {
        for (const Breakpoint& point : points_)
            if (!point.armed) return false;
        return true;
    }

    bool started() const { return started_; }
    DWORD exitCode() const { return exitCode_; }
    std::string calls;  // "name" or "name(argument)" for each first call, blank-separated
    std::string alert;  // the alert's title, ": " and text

private:
    DWORD serve(const DEBUG_EVENT& event) {
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            return DBG_CONTINUE;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
            arm(reinterpret_cast<std::uintptr_t>(event.u.LoadDll.lpBaseOfDll));
            return DBG_CONTINUE;
        case EXIT_PROCESS_DEBUG_EVENT:
            exitCode_ = event.u.ExitProcess.dwExitCode;
            return DBG_CONTINUE;
        case EXCEPTION_DEBUG_EVENT: {
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            if (record.ExceptionCode != EXCEPTION_BREAKPOINT) return DBG_EXCEPTION_NOT_HANDLED;
            for (Breakpoint& point : points_)
                if (point.armed && reinterpret_cast<std::uintptr_t>(record.ExceptionAddress) == point.address)
                    hit(point, event.dwThreadId);
            return DBG_CONTINUE;
        }
        default: return DBG_CONTINUE;
        }
    }
    // Wine maps its own DLLs at the same address in every process, so the test's addresses hold there.
    void arm(std::uintptr_t moduleBase) {
        for (Breakpoint& point : points_) {
            if (point.armed || point.moduleBase != moduleBase) continue;
            const auto at = reinterpret_cast<void*>(point.address);
            point.armed = ReadProcessMemory(process_.hProcess, at, &point.original, 1, nullptr) &&
                          WriteProcessMemory(process_.hProcess, at, &kInt3, 1, nullptr);
        }
    }
    // Records the call, puts the function's first byte back and resumes the thread at the function.
    void hit(Breakpoint& point, DWORD threadId) {
        const auto at = reinterpret_cast<void*>(point.address);
        WriteProcessMemory(process_.hProcess, at, &point.original, 1, nullptr);
        FlushInstructionCache(process_.hProcess, at, 1);
        const HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, threadId);
        CONTEXT context{};
        context.ContextFlags = CONTEXT_CONTROL;
        GetThreadContext(thread, &context);
        calls += (calls.empty() ? "" : " ") + std::string(point.name);
        if (point.name == std::string("LoadLibraryA")) calls += "(" + firstArgumentText(context.Esp) + ")";
        context.Eip = static_cast<DWORD>(point.address);
        SetThreadContext(thread, &context);
        CloseHandle(thread);
    }
    // The text that the first stack argument points to (on entry, the return address lies at esp).
    std::string firstArgumentText(DWORD esp) const {
        DWORD text = 0;
        char buffer[64] = {};
        ReadProcessMemory(process_.hProcess, reinterpret_cast<void*>(esp + 4), &text, sizeof text, nullptr);
        ReadProcessMemory(process_.hProcess, reinterpret_cast<void*>(text), buffer, sizeof buffer - 1, nullptr);
        return buffer;
    }
    void answerAlert() {
        AlertSearch search{process_.dwProcessId, nullptr};
        EnumWindows(findAlert, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return;
        char title[64] = {};
        char text[512] = {};
        GetWindowTextA(search.found, title, sizeof title);
        GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
        alert = std::string(title) + ": " + text;
        PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    }

    std::vector<Breakpoint> points_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    DWORD exitCode_ = STILL_ACTIVE;
};

// Wine's DLL overrides for one program name, in force while the object lives.
class ProgramOverrides {
public:
    ProgramOverrides(const std::string& program, const std::vector<const char*>& disabled)
        : key_("Software\\Wine\\AppDefaults\\" + program) {
        const std::string overrides = key_ + "\\DllOverrides";
        for (const char* dll : disabled) RegSetKeyValueA(HKEY_CURRENT_USER, overrides.c_str(), dll, REG_SZ, "", 1);
    }
    ~ProgramOverrides() { RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str()); }

private:
    std::string key_;
};

// The first failing check ends the program at once: its alert, exit code 0, none of the later probes and
// no term function (the system utilities' term function stops any sound through sndPlaySoundA).
TEST(StartUpCheckTest, TheFirstFailingCheckEndsTheProgramBeforeTheLaterProbesAndTheTermFunctions) {
    const struct {
        const char* program;
        std::vector<const char*> disabled;
        const char* alert;
        const char* calls;
    } cases[] = {
        {"QuombNoWave.exe", {"winealsa.drv", "winepulse.drv", "wineoss.drv"},
         "Alert: This application requires .WAV driver to run.", ""},
        {"QuombNoWing.exe", {"wing32"}, "Alert: This application requires Wing to run.", "LoadLibraryA(WING32.DLL)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        TempFolder folder;
        const std::string program = folder.file(c.program);
        const std::string built = ProgramWindow::ownFolder();
        ASSERT_TRUE(CopyFileA((built + "QUOMB_32.exe").c_str(), program.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((built + "smackw32.dll").c_str(), folder.file("smackw32.dll").c_str(), FALSE));
        const ProgramOverrides overrides(c.program, c.disabled);
        DebuggedRun run(program, folder.path());
        ASSERT_TRUE(run.started());
        ASSERT_TRUE(run.runToExit(60000)) << "calls so far: " << run.calls;
        EXPECT_TRUE(run.allArmed());
        EXPECT_EQ(c.alert, run.alert);
        EXPECT_EQ(c.calls, run.calls);
        EXPECT_EQ(0u, run.exitCode());
    }
}

}  // namespace
