// The end-to-end tests' helpers: scripts written as lines into "PScripts\", and a test application run beside them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "ChildProcess.h"
#include "Files.h"
#include "ProgramWindow.h"
#include "TempFolder.h"

// The lines, each ended by CR LF.
inline std::string lines(const std::vector<std::string>& text) {
    std::string joined;
    for (const std::string& line : text) joined += line + "\r\n";
    return joined;
}

// Writes PScripts\name of the folder, one line an entry.
inline void writeScript(const TempFolder& folder, const std::string& name, const std::vector<std::string>& text) {
    CreateDirectoryA(folder.file("PScripts").c_str(), nullptr);
    writeWholeFile(folder.file("PScripts\\" + name), lines(text));
}

// Runs the test application beside this test program in the folder, with the arguments.
inline ChildResult runProgram(const char* name, const TempFolder& folder, const std::string& arguments = "") {
    return runChild("\"" + ProgramWindow::ownFolder() + name + "\" " + arguments, folder.path(), 60000);
}
