// Where the build assembled the sample title: the folder "sample" beside the test programs' folder.
#pragma once

#include <windows.h>

#include <string>

inline std::string sampleFolder() {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    const std::string bin = own.substr(0, own.find_last_of('\\'));
    return bin.substr(0, bin.find_last_of('\\') + 1) + "sample";
}
