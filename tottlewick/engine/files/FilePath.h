// Path splitting and building on 8-bit strings; every output buffer holds kFilePathSize characters.
#pragma once

#include <cstdint>

#include "File.h"

constexpr int kFileExtensionSize = 4;  // three characters, zero-padded

// Each splitter copies the path first, so its output may be the path's own buffer; each returns its length.
std::int16_t FileGetDrivePart(const char* path, char* drive);
std::int16_t FileGetFolderPart(const char* path, char* folder);
std::int16_t FileGetNamePart(const char* path, char* name);
std::int16_t FileGetExtensionPart(const char* path, char* extension);
std::int16_t FileGetFileNamePart(const char* path, char* fileName);
// Fills whichever outputs are not null; returns the sum of their lengths.
std::int16_t FileSplitPath(const char* path, char* drive, char* folder, char* name, char* extension);

// The builders refuse a result that would not fit a path buffer: they leave out empty, set error 9
// and return 0 (FileAppendDir and FileAppendName return null and leave the path as it was).
std::int16_t FileBuildPath(char* out, const char* drive, const char* folder, const char* name,
                           const char* extension);
char* FileAppendDir(char* path, const char* folder);
char* FileAppendName(char* path, const char* name);
std::int16_t FileDriveNumber(const char* path);
std::int16_t FileGetDriveNumber(const char* path);
std::int16_t FileBuildPathOnDrive(char* out, std::int16_t driveNumber, const char* folder, const char* name);
void FileSplitName(const char* path, std::int16_t* driveNumber, char* folderOut, char* fileNameOut);
