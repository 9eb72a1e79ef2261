// Platform memory layer: moveable global-memory blocks with statistics, a low-memory retry and an error word.
#pragma once

#include <cstdint>

// A platform (global-memory) block handle.
using PlatBlock = void*;

// Asked when an allocation fails: (requested bytes, attempt from 0); 0 means try again.
using MemLowMemoryCallback = std::int16_t (*)(std::uint32_t size, std::int16_t attempt);

// Flag bits shared by both memory layers; the platform layer reads only kMemZeroFill and kMemNoRetry.
constexpr std::uint16_t kMemZeroFill = 0x0040;
constexpr std::uint16_t kMemUnmapped = 0x0200;
constexpr std::uint16_t kMemFreshBlock = 0x0400;
constexpr std::uint16_t kMemResource = 0x1000;
constexpr std::uint16_t kMemNoRetry = 0x8000;

// Error words of both layers.
constexpr std::int16_t kMemErrNone = 0;
constexpr std::int16_t kMemErrNullHandle = 2;
constexpr std::int16_t kMemErrNoBlock = 3;
constexpr std::int16_t kMemErrNoMemory = 4;
constexpr std::int16_t kMemErrResize = 5;
constexpr std::int16_t kMemErrLocked = 6;

std::int16_t PlatMemInit(std::int16_t count);
std::int16_t PlatMemTerm();
MemLowMemoryCallback PlatMemSetLowMemoryCallback(MemLowMemoryCallback callback);
std::int16_t PlatMemGetError();

[[nodiscard]] PlatBlock PlatMemAlloc(std::uint32_t size, std::uint16_t flags);
[[nodiscard]] std::int16_t PlatMemResize(PlatBlock* block, std::uint32_t size);
std::int16_t PlatMemFree(PlatBlock* block);
[[nodiscard]] void* PlatMemLock(PlatBlock block);
std::int16_t PlatMemUnlock(PlatBlock block);
std::uint16_t PlatMemLockCount(PlatBlock block);
std::uint32_t PlatMemSize(PlatBlock block);
[[nodiscard]] std::int16_t PlatMemDiscard(PlatBlock block);
std::int16_t PlatMemIsDiscarded(PlatBlock block);
void PlatMemGetStats(std::uint32_t* count, std::uint32_t* bytes);
void PlatMemGetPeakStats(std::uint32_t* count, std::uint32_t* bytes, std::uint32_t* largest);

// Stores the 16-bit mode word and returns its previous value; nothing in either layer reads it.
std::uint16_t MemSetModeFlag(std::uint16_t value);
