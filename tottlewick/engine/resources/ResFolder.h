// Resource folders: a directory in which every resource is a file of its own ("12.xpk" is XPK 12),
// indexed in memory with a balanced search tree.
#pragma once

#include <cstdint>

#include "File.h"
#include "PlatMem.h"
#include "PrsFile.h"

// Flags of a folder entry.
constexpr std::uint16_t kFolderKeep = 0x0400;
constexpr std::uint16_t kFolderDeferred = 0x0800;
constexpr std::uint16_t kFolderLoaded = 0x4000;
constexpr std::uint16_t kFolderMark = 0x8000;
constexpr std::uint16_t kFolderUnloadClears = 0xF000;
constexpr int kFolderNameSize = 32;

struct FolderIndex;

// Null when the folder cannot be listed or memory runs out.
FolderIndex* FolderOpen(const char* path);
void FolderClose(FolderIndex* index);
std::int16_t FolderGetCount(const FolderIndex* index);
std::int16_t FolderFind(const FolderIndex* index, ResType type, std::uint16_t id);
std::int16_t FolderFindByBlock(const FolderIndex* index, PlatBlock block);
// 0 when the file was read into the entry's block, 1 on failure.
std::int16_t FolderLoad(FolderIndex* index, std::int16_t entry);
std::int16_t FolderUnload(FolderIndex* index, std::int16_t entry);
// The entry's file opened for reading and positioned at its data, or 0.
FileRef FolderOpenData(const FolderIndex* index, std::int16_t entry);

ResType FolderGetType(const FolderIndex* index, std::int16_t entry);
std::uint32_t FolderGetId(const FolderIndex* index, std::int16_t entry);
std::uint16_t FolderGetFlags(const FolderIndex* index, std::int16_t entry);
std::uint16_t FolderSetFlags(FolderIndex* index, std::int16_t entry, std::uint16_t mask, std::int16_t on);
const char* FolderGetName(const FolderIndex* index, std::int16_t entry);
std::uint32_t FolderGetOffset(const FolderIndex* index, std::int16_t entry);
std::uint32_t FolderGetLength(const FolderIndex* index, std::int16_t entry);
std::uint32_t FolderGetAllocSize(const FolderIndex* index, std::int16_t entry);
void FolderSetAllocSize(FolderIndex* index, std::int16_t entry, std::uint32_t size);
PlatBlock FolderGetBlock(const FolderIndex* index, std::int16_t entry);
void FolderSetBlock(FolderIndex* index, std::int16_t entry, PlatBlock block);
