// The class-wide search path: directories in which bare file names are looked up before opening.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One directory of the search path. A scanned directory keeps a snapshot of its file names (not of its
// sub-directories), so look-ups in it never touch the disk.
class OMPathDirectory {
public:
    OMPathDirectory(const char* directory, std::int32_t scan);

    // Always ends in "\".
    std::string path;
    std::int32_t scanned;
    std::vector<std::string> fileNames;
};

// Appends a directory (nothing for a null or empty path); with `scan` non-zero its names are read now.
void addSearchDirectory(const char* path, std::int32_t scan);
// 0 (default): the last directory is the fallback and is not searched; non-zero: every directory is
// searched and there is no fallback.
void setSearchAll(std::int32_t flag);
// Empties the path list. Registered as a terminator, so the list is emptied at exit.
void clearSearchPath();

// The full name under which `name` is to be opened: a copy of the name when it holds ":" or "\" or
// the list is empty; else the first directory that has the file, else the fallback's path + name.
// Null for a null or empty name, or when every directory is searched and none has the file.
std::unique_ptr<char[]> resolvePath(const char* name);
