// Child processes for end-to-end tests; output goes through a temporary file, not a pipe, so a
// chatty child never blocks.
#include "ChildProcess.h"

#include <windows.h>

#include "Files.h"
#include "TempFolder.h"

ChildResult runChild(const std::string& commandLine, const std::string& folder, unsigned long timeoutMs) {
    ChildResult result;
    TempFolder scratch;
    std::string outputName = scratch.file("output.txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return result;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::string mutableLine = commandLine;
    result.started = CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
    CloseHandle(output);
    if (!result.started) return result;

    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 259);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = code;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    result.output = readWholeFile(outputName);
    return result;
}

ChildResult runOwnTests(const std::string& filter, const std::string& folder) {
    char path[MAX_PATH];
    const std::string program(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return runChild("\"" + program + "\" --gtest_also_run_disabled_tests --gtest_filter=" + filter, folder);
}
