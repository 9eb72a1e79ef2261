// Unique temporary folders for tests.
#include "TempFolder.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

namespace {

void removeTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    char base[MAX_PATH];
    DWORD length = GetTempPathA(MAX_PATH, base);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no temporary folder");
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[MAX_PATH + 64];
        std::snprintf(name, sizeof name, "%st%lu_%u_%u", base, GetCurrentProcessId(), ++serial,
                      static_cast<unsigned>(GetTickCount()));
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() { removeTree(path_); }
