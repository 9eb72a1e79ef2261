// The end-to-end tests' helpers: a test application beside this test program, and scripts as lines.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "ChildProcess.h"
#include "Files.h"
#include "TempFolder.h"

inline std::string programPath(const char* name) {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of('\\') + 1) + name;
}

// The lines, each ended by CR LF.
inline std::string lines(const std::vector<std::string>& text) {
    std::string joined;
    for (const std::string& line : text) joined += line + "\r\n";
    return joined;
}
