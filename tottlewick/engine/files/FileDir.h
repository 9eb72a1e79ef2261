// Directory operations of the file manager.
#pragma once

#include <cstdint>

// Called with the full path of every entry.
using FilePathVisitor = void (*)(const char* fullPath);
// Called with an entry's name, whether it is a folder, and its depth (0 at the top); non-zero stops.
using FileWalkVisitor = std::int16_t (*)(const char* entryName, std::int16_t isFolder, std::int16_t depth);

std::int16_t FileCreateDirectory(const char* path);
std::int16_t FileDirExists(const char* path);
// The current directory with a backslash appended into a buffer of maxLength characters (zero included);
// 0 and the buffer untouched when it does not fit.
std::int16_t FileGetCurrentDirectory(char* buffer, std::int16_t maxLength);
// Visits every entry under path, descending into folders while the depth (1 at the top) is below maxDepth;
// 1 when every listing completed, 0 for a null path or a folder that cannot be listed.
std::int16_t FileForEachPath(const char* path, std::int16_t maxDepth, FilePathVisitor visitor);
// Walks every entry under path, descending into every folder; 1 when the visitor stopped the walk.
std::int16_t FileWalk(const char* path, FileWalkVisitor visitor);
// Deletes the entries of a folder (folders with their contents) and the folder; 1 when all went.
std::int16_t FileRemoveDirectory(const char* path);
