// The file manager's open-file table: 16 slots named by FileRefs, and the engine's file error word.
#pragma once

#include <cstdint>

// Slot index 0-15 in the low byte, an odd open counter from bit 8; never 0.
using FileRef = std::uint32_t;

constexpr int kFilePathSize = 260;  // path buffers: 259 characters and a zero
constexpr int kFileSlots = 16;

// The file error word.
constexpr std::int16_t kFileErrNone = 0;
constexpr std::int16_t kFileErrSystem = 1;
constexpr std::int16_t kFileErrExists = 2;
constexpr std::int16_t kFileErrBadRef = 3;
constexpr std::int16_t kFileErrSeek = 5;
constexpr std::int16_t kFileErrShort = 6;
constexpr std::int16_t kFileErrName = 9;  // no name, empty or too long a name, null buffer, no such file
constexpr std::int16_t kFileErrClose = 10;
constexpr std::int16_t kFileErrTableFull = 12;

// Open mode bits.
constexpr std::uint16_t kFileRead = 1;
constexpr std::uint16_t kFileWrite = 2;
constexpr std::uint16_t kFileDenyRead = 4;
constexpr std::uint16_t kFileDenyWrite = 8;

struct FileTime {
    std::uint16_t year;
    std::uint16_t month;
    std::uint16_t day;
    std::uint16_t hour;
    std::uint16_t minute;
    std::uint16_t second;
};

void FileInit();
void FileTerm();
std::int16_t FileGetError();
// Sets the error word; the other parts of the file manager report through it.
void FileSetError(std::int16_t error);
// 1 when name is not null, not empty and fits a path buffer; else sets error 9.
bool FileNameUsable(const char* name);

std::int16_t FileCreate(const char* name, std::uint32_t attributes);
std::int16_t FileExists(const char* name);
std::int16_t FileDelete(const char* name);
[[nodiscard]] FileRef FileOpen(const char* name, std::uint16_t mode);
std::uint32_t FileRead(FileRef ref, void* buffer, std::uint32_t count);
std::uint32_t FileWrite(FileRef ref, const void* buffer, std::uint32_t count);
std::int32_t FileTell(FileRef ref);
std::int32_t FileSeek(FileRef ref, std::int32_t offset, std::int16_t origin);
std::int32_t FileGetSize(FileRef ref);
std::int16_t FileGetTimes(FileRef ref, FileTime* created, FileTime* modified);
std::int16_t FileGetPath(FileRef ref, char* buffer);
std::int16_t FileClose(FileRef ref);
std::int16_t FileSetSize(const char* name, std::uint32_t size);
std::int16_t FileRename(const char* from, const char* to);
std::uint32_t FileFreeSpace(std::int16_t drive);
// sectors per cluster x bytes per sector x free clusters, saturated at 0xFFFFFFFF.
std::uint32_t FileFreeSpaceProduct(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                                   std::uint32_t freeClusters);
