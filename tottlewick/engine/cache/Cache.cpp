// The background file cache: a queue of names and one paced copy at a time.
#include "Cache.h"

#include <windows.h>

#include <cstring>

#include "EngineClock.h"
#include "File.h"
#include "FileFolders.h"
#include "FilePath.h"
#include "MemHandle.h"
#include "SndCache.h"
#include "SndPlayControl.h"
#include "UtilString.h"

namespace {

constexpr int kNameSize = 256;
constexpr const char* kCompanionExtension = "PRD";

struct Queue {
    char names[kCacheQueueSize][kNameSize];
    std::uint16_t count;
    std::uint16_t index;
};

struct Copy {
    FileRef source;
    FileRef destination;
    MemHandle buffer;
    void* bytes;
    char sourcePath[kFilePathSize];
    char destinationPath[kFilePathSize];
    std::uint32_t left;
    bool active;
    std::int16_t sourceDrive;
    std::int16_t destinationDrive;
    std::uint32_t lastChunk;
};

Queue queue;
Copy copy;
SndDriveQuery driveInUse = SndIsDriveInUse;

// The name with its extension replaced by "PRD".
void companionName(const char* name, char* out) {
    char drive[kFilePathSize], folder[kFilePathSize], base[kFilePathSize];
    FileSplitPath(name, drive, folder, base, nullptr);
    FileBuildPath(out, drive, folder, base, kCompanionExtension);
}

// Closes what the copy opened and frees its buffer; a failed copy also deletes its destination.
void endCopy(bool failed) {
    if (copy.source) FileClose(copy.source);
    if (copy.destination) FileClose(copy.destination);
    if (copy.buffer) {
        MemHandleUnlock(copy.buffer);
        MemHandleFree(&copy.buffer);
    }
    if (failed && FileExists(copy.destinationPath)) FileDelete(copy.destinationPath);
    const Copy ended = copy;
    copy = Copy{};
    if (!failed) {
        // The finished copy takes the source's last-write time, so that it is found current afterwards.
        HANDLE from = CreateFileA(ended.sourcePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        HANDLE to = CreateFileA(ended.destinationPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                nullptr);
        FILETIME written{};
        if (from != INVALID_HANDLE_VALUE && to != INVALID_HANDLE_VALUE && GetFileTime(from, nullptr, nullptr, &written))
            SetFileTime(to, nullptr, nullptr, &written);
        if (from != INVALID_HANDLE_VALUE) CloseHandle(from);
        if (to != INVALID_HANDLE_VALUE) CloseHandle(to);
    }
}

bool sameTime(const FileTime& a, const FileTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

bool diskNeeded() {
    return SndCacheIsBusy() || driveInUse(copy.sourceDrive) || driveInUse(copy.destinationDrive);
}

}  // namespace

SndDriveQuery CacheSetDriveQuery(SndDriveQuery query) {
    const SndDriveQuery previous = driveInUse;
    driveInUse = query ? query : SndIsDriveInUse;
    return previous;
}

std::int16_t CacheUserPath(char* out, const char* name) {
    return FileBuildPath(out, nullptr, FileGetUserFolder(), name, nullptr);
}

ResSource CacheOpenResFile(const char* name) {
    char local[kFilePathSize];
    const ResSource source = CacheUserPath(local, name) ? ResOpenSource(local, kResOpenDefault) : 0;
    return source ? source : ResOpenFile(name);
}

std::int16_t CacheAdd(const char* name) {
    if (queue.count >= kCacheQueueSize) return 1;
    UtilStrCopy(queue.names[queue.count++], name, kNameSize);
    return copy.active ? 0 : CacheRefresh(name);
}

std::int16_t CacheAddResFile(const char* name) {
    const std::int16_t result = CacheAdd(name);
    if (result != 0) return result;
    char companion[kFilePathSize];
    companionName(name, companion);
    return CacheAdd(companion);
}

std::int16_t CacheRefresh(const char* name) {
    std::int16_t count = 0;
    const char* const* folders = nullptr;
    ResGetSearchFolders(&count, &folders);
    char source[kFilePathSize], destination[kFilePathSize];
    if (!FileFindPathInFolders(name, count, folders, source) || !CacheUserPath(destination, name)) return 1;
    if (CacheIsCurrent(source, destination)) return 0;
    if (copy.active) return 1;
    UtilStrCopy(copy.sourcePath, source, kFilePathSize);
    UtilStrCopy(copy.destinationPath, destination, kFilePathSize);
    return CacheStartCopy();
}

std::int16_t CacheIsCurrent(const char* sourcePath, const char* copyPath) {
    const FileRef source = FileOpen(sourcePath, kFileRead);
    const FileRef local = source ? FileOpen(copyPath, kFileRead) : 0;
    FileTime sourceTime{}, localTime{};
    const bool current = local && FileGetSize(source) == FileGetSize(local) &&
                         FileGetTimes(source, nullptr, &sourceTime) && FileGetTimes(local, nullptr, &localTime) &&
                         sameTime(sourceTime, localTime);
    if (local) FileClose(local);
    if (source) FileClose(source);
    return current ? 1 : 0;
}

std::int16_t CacheStartCopy() {
    if (copy.active) return 1;
    copy.source = FileOpen(copy.sourcePath, kFileRead);
    if (copy.source) {
        if (FileExists(copy.destinationPath)) FileDelete(copy.destinationPath);
        if (FileCreate(copy.destinationPath, FILE_ATTRIBUTE_NORMAL) == 0)
            copy.destination = FileOpen(copy.destinationPath, kFileWrite);
    }
    if (copy.destination) copy.buffer = MemHandleAlloc(kCacheChunkSize);
    copy.bytes = copy.buffer ? MemHandleLock(copy.buffer) : nullptr;
    if (!copy.bytes) {
        endCopy(true);
        return 1;
    }
    copy.left = static_cast<std::uint32_t>(FileGetSize(copy.source));
    copy.sourceDrive = FileGetDriveNumber(copy.sourcePath);
    copy.destinationDrive = FileGetDriveNumber(copy.destinationPath);
    copy.lastChunk = ClockMilliseconds();
    copy.active = true;
    return 0;
}

std::int16_t CacheCopyChunk() {
    if (!copy.active) return 1;
    const std::uint32_t count = copy.left < kCacheChunkSize ? copy.left : kCacheChunkSize;
    if (FileRead(copy.source, copy.bytes, count) != count || FileWrite(copy.destination, copy.bytes, count) != count) {
        endCopy(true);
        return 1;
    }
    copy.left -= count;
    if (copy.left == 0) endCopy(false);
    return 0;
}

std::int16_t CacheServeCopy() {
    if (!copy.active) return 0;
    const std::uint32_t now = ClockMilliseconds();
    if (now - copy.lastChunk >= kCacheInterval && !diskNeeded()) {
        CacheCopyChunk();
        copy.lastChunk = now;
    }
    return copy.active ? 1 : 0;
}

std::int16_t CacheNext() {
    if (queue.count == 0) return 0;
    if (copy.active) return 1;
    if (++queue.index < queue.count) {
        CacheRefresh(queue.names[queue.index]);
        return 1;
    }
    queue.count = 0;
    queue.index = 0;
    return 0;
}

std::int16_t CacheServe() {
    if (queue.count == 0 || !CacheNext()) return 0;
    CacheServeCopy();
    return 1;
}

std::int16_t CacheFlush() {
    while (CacheNext()) {
        if (CacheCopyChunk()) return 1;
    }
    return 0;
}

std::int16_t CacheIsEmpty() {
    return queue.count == 0 ? 1 : 0;
}

std::int16_t CacheRemove(const char* name) {
    char path[kFilePathSize], companion[kFilePathSize];
    if (!CacheUserPath(path, name)) return 1;
    companionName(path, companion);
    const std::int16_t first = FileDelete(path);
    const std::int16_t second = FileDelete(companion);
    return first ? first : (second ? 1 : 0);
}
