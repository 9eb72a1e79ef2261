// Finding and starting the default web browser.
#include "BrowserLaunch.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>

#include "DssTrace.h"
#include "cDSSFile.h"

std::string findBrowser() {
    char folder[MAX_PATH + 1] = {};
    std::string probe = GetTempPathA(MAX_PATH, folder) != 0 ? folder : "c:\\";
    if (probe.back() != '\\') probe += '\\';
    probe += "_tempoid.htm";

    bool created = false;
    if (!cDSSFile::exists(probe)) {
        if (std::FILE* file = std::fopen(probe.c_str(), "w")) {
            std::fclose(file);
            created = true;
        }
    }
    char browser[MAX_PATH] = {};
    HINSTANCE result = FindExecutableA(probe.c_str(), "", browser);
    if (created) DeleteFileA(probe.c_str());
    if (reinterpret_cast<INT_PTR>(result) <= 32) return {};
    return browser;
}

bool launchBrowser(const std::string& browser, const std::string& url) {
    // Built at its full length: a long URL is passed on whole rather than cut.
    std::string command = "\"" + browser + "\" " + url;
    dssTrace("WinExecing: [%s]\n", command.c_str());
    UINT result = WinExec(command.c_str(), SW_SHOW);
    dssTrace("WinExec() => %u, GetLastError => %lu\n", result, GetLastError());
    return result > 31;
}
