// The background file cache: resource files copied from the resource search folders into the user folder
// a chunk at a time while the program idles, paced at 115000 bytes a second and paused while sound needs
// a disc. Each resource file's "PRD" companion is cached and removed with it.
#pragma once

#include <cstdint>

#include "Res.h"
#include "SndCache.h"

constexpr int kCacheQueueSize = 10;
constexpr std::uint32_t kCacheChunkSize = 8192;
constexpr std::uint32_t kCacheRate = 115000;                                     // bytes a second
constexpr std::uint32_t kCacheInterval = kCacheChunkSize * 1000 / kCacheRate;  // 71 ms

// Replaces the question whether a streamed sound reads from a drive (null: the play layer's own).
SndDriveQuery CacheSetDriveQuery(SndDriveQuery query);
// The user folder joined with the name: its length, 0 when it does not fit.
std::int16_t CacheUserPath(char* out, const char* name);
ResSource CacheOpenResFile(const char* name);
// Queues the name (1 when the queue is full) and refreshes it at once when no copy runs.
std::int16_t CacheAdd(const char* name);
std::int16_t CacheAddResFile(const char* name);
// 1 when the name is in no search folder or its copy cannot start; 0 when current or started.
std::int16_t CacheRefresh(const char* name);
std::int16_t CacheIsCurrent(const char* sourcePath, const char* copyPath);
std::int16_t CacheStartCopy();
std::int16_t CacheCopyChunk();
std::int16_t CacheServeCopy();
std::int16_t CacheNext();
// The idle pass's service: 1 while the queue has work.
std::int16_t CacheServe();
std::int16_t CacheFlush();
std::int16_t CacheIsEmpty();
std::int16_t CacheRemove(const char* name);
