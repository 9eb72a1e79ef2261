// The sound preload cache: reads a list of resources in the background, a chunk at a time from the idle
// loop and paced to 115000 bytes a second, into blocks that the resource manager allocated without
// reading (deferred loads), so that later loads come from memory.
#pragma once

#include <cstdint>

#include "PrsFile.h"
#include "Res.h"

struct SndCacheItem {
    ResType type;
    std::uint16_t id;
};

// Asks whether a streamed sound is reading from a drive (1-26); the cache leaves that drive alone.
using SndDriveQuery = std::int16_t (*)(std::int16_t drive);

constexpr std::uint32_t kSndCacheChunk = 8192;
constexpr std::uint32_t kSndCacheBytesPerSecond = 115000;

// Every resource of the file in the order of its data, as SndCacheStart with the file searched first.
std::int16_t SndCacheFile(ResSource file, std::int16_t keep);
// Starts reading the list (keep: mark each resource kept); 0 when a list is active or memory fails.
std::int16_t SndCacheStart(std::uint16_t count, const SndCacheItem* list, std::int16_t keep);
// Finishes the running read at once and drops the list.
void SndCacheStop();
std::int16_t SndCacheIsBusy();
// One step: the next chunk, or the close of a finished read and the start of the next; 1 while a read runs.
std::int16_t SndCacheService();
// The main loop's pass: a step when the pacing interval has passed; 1 while waiting for it.
std::int16_t SndCacheIdle();
std::uint32_t SndGetCacheChunk();
std::uint32_t SndSetCacheChunk(std::uint32_t bytes);
// Installs the play layer's drive question (null: no drive is ever in use); returns the previous one.
SndDriveQuery SndCacheSetDriveQuery(SndDriveQuery query);
