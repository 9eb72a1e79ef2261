// The program, data and user folders, paths inside them, and searches through lists of folders.
#pragma once

#include <cstdint>

#include "File.h"

// Fills the program folder from the running program's path (without a closing backslash) and copies it
// into the data and user folders; the user folder counts as set only after FileSetUserFolder.
void FileInitFolders();
// Replaces the data folder; 0 when the folder is null, empty or too long.
std::int16_t FileSetDataFolder(const char* folder);
// Leading blanks skipped; an empty rest gives 1 and changes nothing; else at most 259 characters of it
// become the user folder and 0 is returned.
std::int16_t FileSetUserFolder(const char* folder);
const char* FileGetProgramFolder();
const char* FileGetDataFolder();
const char* FileGetUserFolder();

// out = folder, a backslash and the name; 1 on success, 0 when the result does not fit (error 9) or,
// for the user folder, while it is not set (nothing written).
std::int16_t FileUserPath(const char* name, char* out);
std::int16_t FileProgramPath(const char* name, char* out);
std::int16_t FileDataPath(const char* name, char* out);

// Tries folder text followed directly by name for each folder (at most count, up to a null entry).
std::int16_t FileFindInFolders(const char* name, std::int16_t count, const char* const* folders,
                               const char** foundFolder);
std::int16_t FileFindPathInFolders(const char* name, std::int16_t count, const char* const* folders, char* out);
std::int16_t FileFindDirInFolders(const char* name, std::int16_t count, const char* const* folders,
                                  const char** foundFolder);
std::int16_t FileFindDirPathInFolders(const char* name, std::int16_t count, const char* const* folders,
                                      char* out);
