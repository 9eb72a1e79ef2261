// The preload list, the running read over a stream into the resource's deferred block, and its close.
#include "SndCache.h"

#include <algorithm>
#include <vector>

#include "EngineClock.h"
#include "FilePath.h"
#include "Stream.h"

namespace {

struct Read {
    ResType type = 0;
    std::uint16_t id = 0;
    MemHandle block = 0;
    ResRawRef raw = 0;
    Stream stream = 0;
    std::int16_t drive = 0;
};

struct Cache {
    std::vector<SndCacheItem> list;
    std::size_t next = 0;
    bool active = false;
    ResSource file = 0;
    bool reading = false;
    Read read;
    std::uint32_t chunk = kSndCacheChunk;
    std::uint32_t interval = 0;
    std::uint32_t lastStep = 0;
    SndDriveQuery driveQuery = nullptr;
};

Cache cache;

// While the read runs, every serve of its stream reads the next chunk.
std::uint32_t readOnServe(Stream stream, std::uint32_t message) {
    return message == kStreamMsgServe && StreamGetState(stream) == kStreamRunning ? kStreamMsgFill : message;
}

std::int16_t driveOf(FileRef file) {
    char path[kFilePathSize];
    return FileGetPath(file, path) == 0 ? FileDriveNumber(path) : 0;
}

// Gives the block back to its resource unread: discarded once no handle holds it, so that a later load
// reads the file.
void releaseUnread(MemHandle& handle) {
    PlatBlock block = MemHandleGetBlock(handle);
    ResEndDeferred(&handle);
    (void)PlatMemDiscard(block);
}

// Opens the resource in place, has the manager allocate its block without reading, and starts a stream of
// its bytes into that block.
bool openRead(const SndCacheItem& item) {
    FileRef file = 0;
    std::uint32_t offset = 0, size = 0;
    ResRawRef raw = ResOpenRaw(item.type, item.id, &file, &offset, &size);
    if (!raw) return false;
    std::uint16_t mode = ResSetDeferredMode(1);
    MemHandle block = ResLoad(item.type, item.id);
    ResSetDeferredMode(mode);
    Stream stream = 0;
    void* address = block ? MemHandleLock(block) : nullptr;
    if (!address || !StreamOpenFileRef(&stream, file, offset, size)) {
        if (address) MemHandleUnlock(block);
        if (block) releaseUnread(block);
        ResCloseRaw(raw);
        return false;
    }
    cache.read = Read{item.type, item.id, block, raw, stream, driveOf(file)};
    cache.reading = true;
    StreamSetBuffer(stream, address, size);
    StreamSetChunkSize(stream, std::min(size, cache.chunk));
    StreamSetFilter(stream, readOnServe);
    StreamSetUserData(stream, block);
    cache.interval = cache.chunk * 1000 / kSndCacheBytesPerSecond;
    StreamStart(stream);
    return true;
}

bool startEntry(const SndCacheItem& item) {
    if (cache.reading || ResIsLoaded(item.type, item.id)) return false;
    ResSource previous = ResMoveToTop(cache.file);
    bool started = openRead(item);
    if (previous) ResMoveToTop(previous);
    return started;
}

void dropList() {
    cache.list.clear();
    cache.next = 0;
    cache.active = false;
}

void startNext() {
    while (cache.next < cache.list.size())
        if (startEntry(cache.list[cache.next++])) return;
    dropList();
}

// Reads what is left at once. A fill that moves nothing (a read error) ends the read with the block
// released unread instead of trying again for ever.
void closeRead() {
    Read& r = cache.read;
    bool complete = true;
    while (complete && StreamGetRemaining(r.stream) > 0) {
        std::uint32_t before = StreamGetPosition(r.stream);
        StreamSend(r.stream, kStreamMsgFill);
        complete = StreamGetPosition(r.stream) != before;
    }
    StreamStop(r.stream);
    MemHandleUnlock(r.block);
    ResCloseRaw(r.raw);
    StreamClose(&r.stream);
    if (complete)
        ResEndDeferred(&r.block);
    else
        releaseUnread(r.block);
    r = Read{};
    cache.reading = false;
}

bool driveBusy() { return cache.driveQuery && cache.read.drive > 0 && cache.driveQuery(cache.read.drive); }

}  // namespace

std::int16_t SndCacheFile(ResSource file, std::int16_t keep) {
    std::vector<std::pair<std::uint32_t, SndCacheItem>> entries;
    for (std::uint16_t n = 0, count = ResGetCount(file); n < count; ++n) {
        SndCacheItem item{};
        std::uint32_t offset = 0;
        if (ResGetInfo(file, n, &item.type, &item.id, nullptr, nullptr, nullptr, &offset))
            entries.push_back({offset, item});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SndCacheItem> list;
    for (const auto& entry : entries) list.push_back(entry.second);
    ResSource previous = ResMoveToTop(file);
    std::int16_t started = SndCacheStart(static_cast<std::uint16_t>(list.size()), list.data(), keep);
    if (previous) ResMoveToTop(previous);
    return started;
}

std::int16_t SndCacheStart(std::uint16_t count, const SndCacheItem* list, std::int16_t keep) {
    if (cache.active || (count && !list)) return 0;
    cache.list.assign(list, list + count);
    if (keep)
        for (const SndCacheItem& item : cache.list) ResSetKeepById(item.type, item.id, 1);
    cache.file = ResGetTopSource();
    cache.next = 0;
    cache.active = true;
    startNext();
    return 1;
}

void SndCacheStop() {
    if (cache.reading) closeRead();
    dropList();
}

std::int16_t SndCacheIsBusy() { return cache.active || cache.reading ? 1 : 0; }

std::int16_t SndCacheService() {
    if (cache.reading && !driveBusy()) {
        Stream stream = cache.read.stream;
        if (StreamGetRemaining(stream) == 0 || StreamGetState(stream) != kStreamRunning) {
            closeRead();
            startNext();
        } else {
            StreamServe(stream);
        }
    }
    cache.lastStep = ClockMilliseconds();
    return cache.reading ? 1 : 0;
}

std::int16_t SndCacheIdle() {
    if (!cache.reading) return 0;
    if (ClockMilliseconds() - cache.lastStep < cache.interval) return 1;
    return SndCacheService();
}

std::uint32_t SndGetCacheChunk() { return cache.chunk; }

std::uint32_t SndSetCacheChunk(std::uint32_t bytes) {
    std::uint32_t previous = cache.chunk;
    cache.chunk = bytes;
    return previous;
}

SndDriveQuery SndCacheSetDriveQuery(SndDriveQuery query) {
    SndDriveQuery previous = cache.driveQuery;
    cache.driveQuery = query;
    return previous;
}
