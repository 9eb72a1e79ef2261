// Relocatable memory handles: tables of registered platform blocks with locks, labels and share counts.
#pragma once

#include <cstdint>

#include "PlatMem.h"

// (odd sequence number << 16) | global entry index; never 0.
using MemHandle = std::uint32_t;

// Called for every matching handle by MemHandleForEach; 0 stops the walk.
using MemHandleVisitor = std::int16_t (*)(MemHandle handle);
// Hooks of the resource manager: gives a resource-backed handle back, and reads a discarded block again.
using MemReleaseHook = std::int16_t (*)(MemHandle* handle);
using MemReloadHook = std::int16_t (*)(MemHandle handle);

constexpr std::uint16_t kMemFirstTableEntries = 200;
constexpr std::uint16_t kMemGrowEntries = 25;
constexpr int kMemLabelLength = 15;

std::int16_t MemInit(std::uint16_t initialEntries, std::uint16_t growEntries);
std::int16_t MemTerm();
std::int16_t MemIsStarted();
std::int16_t MemGetError();
MemLowMemoryCallback MemSetLowMemoryCallback(MemLowMemoryCallback callback);
std::uint16_t MemGetDefaultFlags();
std::uint16_t MemSetDefaultFlags(std::uint16_t flags);
// Installs the resource manager's release and reload hooks (null for none).
void MemSetResourceHooks(MemReleaseHook release, MemReloadHook reload);

[[nodiscard]] MemHandle MemHandleAlloc(std::uint32_t size);
[[nodiscard]] MemHandle MemHandleAllocFlags(std::uint32_t size, std::uint16_t flags);
[[nodiscard]] MemHandle MemHandleRegister(PlatBlock block, std::uint32_t size, std::uint16_t flags);
std::int16_t MemHandleUnregister(MemHandle* handle);
std::int16_t MemHandleFree(MemHandle* handle);
[[nodiscard]] void* MemHandleLock(MemHandle handle);
std::int16_t MemHandleUnlock(MemHandle handle);
std::int16_t MemHandleIsLocked(MemHandle handle);
void* MemHandleGetPtr(MemHandle handle);
std::uint32_t MemHandleGetSize(MemHandle handle);
PlatBlock MemHandleGetBlock(MemHandle handle);
std::uint16_t MemHandleSetFlags(MemHandle handle, std::uint16_t mask, std::int16_t on);
std::int16_t MemHandleSetLabel(MemHandle handle, const char* name, std::uint32_t tag);
std::int16_t MemHandleGetLabel(MemHandle handle, char* nameOut, std::uint32_t* tagOut);
MemHandle MemHandleFind(MemHandle after, const char* name, const std::uint32_t* tag);
std::uint32_t MemHandleForEach(MemHandleVisitor visitor, const char* name, const std::uint32_t* tag);
MemHandle MemHandleFromPtr(const void* address);
[[nodiscard]] std::int16_t MemHandleResize(MemHandle* handle, std::uint32_t size);
[[nodiscard]] std::int16_t MemHandleResize(MemHandle* handle, std::uint32_t size, std::uint16_t flags);
std::int16_t MemHandlePurge(MemHandle handle);
std::int16_t MemHandleIsPurged(MemHandle handle);
void MemGetStats(std::uint32_t* count, std::uint32_t* bytes, std::uint32_t* largestLive);
void MemGetPeakStats(std::uint32_t* count, std::uint32_t* bytes, std::uint32_t* largest);
void MemGetFreeSpace(std::uint32_t* a, std::uint32_t* b, std::uint32_t* c, std::uint32_t* d);

[[nodiscard]] void* MemPtrAlloc(std::uint32_t size);
[[nodiscard]] void* MemPtrAllocFlags(std::uint32_t size, std::uint16_t flags);
std::int16_t MemPtrFree(void** address);
std::uint32_t MemPtrGetSize(const void* address);
