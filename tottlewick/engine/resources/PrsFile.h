// PRS resource files: the PRS, PRX and PRD forms, their in-memory index, data reads, and the writer side
// that adds, replaces and deletes resources and compacts a file.
#pragma once

#include <cstdint>

#include "File.h"
#include "PlatMem.h"

// Four characters, the first in the lowest byte ("XPK" is 'X' | 'P' << 8 | 'K' << 16).
using ResType = std::uint32_t;

constexpr ResType resType(const char* text) {
    ResType type = 0;
    for (int i = 0; i < 4 && text[i]; ++i) type |= std::uint32_t(std::uint8_t(text[i])) << (8 * i);
    return type;
}
// Upper-cases a-z in all four characters and turns a blank fourth character into a zero byte.
ResType ResTypeNormalise(ResType type);

// A resource inside an open file: (slot << 16) | entry number.
using PrsRef = std::uint32_t;

constexpr int kPrsSlots = 10;
constexpr std::uint32_t kPrsHeaderSize = 48;
constexpr std::uint32_t kPrsBlockHeaderSize = 28;
constexpr std::uint32_t kPrsIndexHeadSize = 168;
constexpr std::uint32_t kPrsIndexEntrySize = 24;

// Open modes: keep the file open between accesses; ask for write access too (the writer side).
constexpr std::uint16_t kPrsKeepOpen = 0x0002;
constexpr std::uint16_t kPrsWritable = 0x0004;

// Attribute flags of an entry.
constexpr std::uint16_t kPrsDeferred = 0x0008;
constexpr std::uint16_t kPrsStored = 0x0010;
constexpr std::uint16_t kPrsRead = 0x0020;
constexpr std::uint16_t kPrsKeep = 0x0040;
constexpr std::uint16_t kPrsMark = 0x0080;

// The error word of this layer.
constexpr std::int16_t kPrsErrNone = 0;
constexpr std::int16_t kPrsErrWrite = 1;
constexpr std::int16_t kPrsErrNotPrs = 2;
constexpr std::int16_t kPrsErrChain = 3;
constexpr std::int16_t kPrsErrNoMemory = 4;
constexpr std::int16_t kPrsErrExists = 5;
constexpr std::int16_t kPrsErrNotFound = 8;
constexpr std::int16_t kPrsErrFile = -2;

// A block header as the writer's caller gives it; blockLength = 28 + data length.
struct PrsBlockHeader {
    ResType type = 0;
    std::uint16_t id = 0;
    std::uint8_t reserved[16] = {};
    std::uint16_t flags = 0;
    std::uint32_t blockLength = kPrsBlockHeaderSize;
};

std::int16_t PrsGetError();

// Reading side. signature null: the file is accepted when byte 31 is 0x1A.
std::int16_t PrsOpen(const char* path, std::uint16_t mode, const char* signature);
std::int16_t PrsClose(std::int16_t slot);
PrsRef PrsFind(std::int16_t slot, ResType type, std::uint16_t id);
PrsRef PrsFindByBlock(std::int16_t slot, PlatBlock block);
// The data file positioned at the resource's data, opened with mode when not already open.
FileRef PrsOpenData(PrsRef ref, std::uint16_t mode);
PlatBlock PrsReadData(PrsRef ref);
PlatBlock PrsAllocData(PrsRef ref, std::uint32_t size);
PlatBlock PrsGetBlock(PrsRef ref);
void PrsSetBlock(PrsRef ref, PlatBlock block);
std::uint16_t PrsGetUseCount(PrsRef ref);
std::uint16_t PrsSetUseCount(PrsRef ref, std::uint16_t count);
std::uint16_t PrsIncUseCount(PrsRef ref);
std::uint16_t PrsDecUseCount(PrsRef ref);
std::int16_t PrsUnload(PrsRef ref);
std::int16_t PrsIsLoaded(PrsRef ref);
std::uint16_t PrsGetFlags(PrsRef ref);
std::uint16_t PrsSetFlags(PrsRef ref, std::uint16_t mask, std::int16_t on);
std::uint16_t PrsGetCount(std::int16_t slot);
std::uint16_t PrsGetMode(std::int16_t slot);
// The n-th resource in list order (from 0); 0 when there is none.
PrsRef PrsGetNth(std::int16_t slot, std::uint16_t n);
ResType PrsGetType(PrsRef ref);
std::uint16_t PrsGetId(PrsRef ref);
std::uint32_t PrsGetLength(PrsRef ref);
std::uint32_t PrsGetOffset(PrsRef ref);

// Writing side: each failure code is also set as the error word. header: 48 bytes, or null for the default.
FileRef PrsCreate(const char* path, const std::uint8_t* header);
std::int16_t PrsAdd(std::int16_t slot, const PrsBlockHeader& header, const void* data);
std::int16_t PrsReplace(std::int16_t slot, const PrsBlockHeader& header, const void* data);
std::int16_t PrsDelete(std::int16_t slot, ResType type, std::uint16_t id);
// Compacts the PRS file named; a PRX sibling is neither read nor written.
std::int16_t PrsCompact(const char* path);

// Sibling names: ".PRX" (fourth character of a PRS/PRD/PRX extension made 'X') and ".PRD" (of ".PRS");
// false when the path has no such extension or the result does not fit.
bool PrsSiblingName(const char* path, char letter, char* out);
