// Directory operations over FindFirstFileA and the current directory.
#include "FileDir.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "File.h"

namespace {

bool fits(const std::string& path) { return path.size() < static_cast<std::size_t>(kFilePathSize); }

// Calls visit(name, isFolder) for every entry of folder except "." and ".."; visit returns false to stop.
// Returns false when the folder cannot be listed.
template <typename Visit>
bool listFolder(const std::string& folder, Visit visit) {
    if (!fits(folder + "\\*")) return false;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool going = true;
    do {
        if (std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0) continue;
        going = visit(std::string(entry.cFileName), (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (going && FindNextFileA(search, &entry));
    FindClose(search);
    return true;
}

bool forEachPath(const std::string& folder, std::int16_t depth, std::int16_t maxDepth, FilePathVisitor visitor) {
    bool complete = true;
    bool listed = listFolder(folder, [&](const std::string& name, bool isFolder) {
        std::string full = folder + "\\" + name;
        if (!fits(full)) return complete = false;
        visitor(full.c_str());
        if (isFolder && depth < maxDepth) complete = forEachPath(full, depth + 1, maxDepth, visitor) && complete;
        return true;
    });
    return listed && complete;
}

// 1 when the visitor stopped the walk.
std::int16_t walk(const std::string& folder, std::int16_t depth, FileWalkVisitor visitor) {
    std::int16_t stopped = 0;
    listFolder(folder, [&](const std::string& name, bool isFolder) {
        if (visitor(name.c_str(), isFolder ? 1 : 0, depth) != 0) {
            stopped = 1;
            return false;
        }
        if (isFolder) stopped = walk(folder + "\\" + name, static_cast<std::int16_t>(depth + 1), visitor);
        return stopped == 0;
    });
    return stopped;
}

}  // namespace

std::int16_t FileCreateDirectory(const char* path) {
    return path && std::strlen(path) < kFilePathSize && CreateDirectoryA(path, nullptr) ? 1 : 0;
}

std::int16_t FileDirExists(const char* path) {
    if (!path || std::strlen(path) >= kFilePathSize) return 0;
    char saved[kFilePathSize];
    DWORD length = GetCurrentDirectoryA(sizeof saved, saved);
    if (length == 0 || length >= sizeof saved) return 0;
    std::int16_t exists = SetCurrentDirectoryA(path) ? 1 : 0;
    SetCurrentDirectoryA(saved);
    return exists;
}

std::int16_t FileGetCurrentDirectory(char* buffer, std::int16_t maxLength) {
    char current[kFilePathSize];
    DWORD length = GetCurrentDirectoryA(kFilePathSize - 2, current);
    if (!buffer || length == 0 || length >= kFilePathSize - 2) return 0;
    if (static_cast<std::int32_t>(length) + 2 > maxLength) return 0;  // backslash and zero
    std::memcpy(buffer, current, length);
    buffer[length] = '\\';
    buffer[length + 1] = 0;
    return 1;
}

std::int16_t FileForEachPath(const char* path, std::int16_t maxDepth, FilePathVisitor visitor) {
    if (!path || !visitor) return 0;
    return forEachPath(path, 1, maxDepth, visitor) ? 1 : 0;
}

std::int16_t FileWalk(const char* path, FileWalkVisitor visitor) {
    if (!path || !visitor) return 0;
    return walk(path, 0, visitor);
}

std::int16_t FileRemoveDirectory(const char* path) {
    if (!path) return 0;
    std::string folder = path;
    bool allGone = true;
    listFolder(folder, [&](const std::string& name, bool isFolder) {
        std::string full = folder + "\\" + name;
        allGone = isFolder ? FileRemoveDirectory(full.c_str()) == 1 : fits(full) && DeleteFileA(full.c_str());
        return allGone;
    });
    return allGone && RemoveDirectoryA(path) ? 1 : 0;
}
