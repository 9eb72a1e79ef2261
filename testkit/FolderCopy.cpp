// Recursive folder copies through the system's file search.
#include "FolderCopy.h"

#include <windows.h>

void copyFolder(const std::string& from, const std::string& to, const std::string& skip) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || name == skip) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) copyFolder(from + "\\" + name, to + "\\" + name, skip);
        else CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
