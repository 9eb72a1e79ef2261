// Cached files: synchronous loads, loader threads driven step by step from a polling task, the registry.
#include "OMCachedFile.h"

#include <process.h>
#include <sys/stat.h>

#include <cstring>

#include "OMIStream.h"
#include "OMSearchPath.h"
#include "OMTask.h"

namespace {

// Serialises the opening step of every loader thread (the search path and the run-time file functions
// are shared by all of them).
class OpenLock {
public:
    OpenLock() { InitializeCriticalSection(&section_); }
    ~OpenLock() { DeleteCriticalSection(&section_); }
    void enter() { EnterCriticalSection(&section_); }
    void leave() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

OpenLock& openLock() {
    static OpenLock lock;
    return lock;
}

std::int32_t comparePriority(OMCachedFile* e, OMCachedFile* x) { return e->priority <= x->priority ? 1 : 0; }

OMTask*& pollingTask() {
    static OMTask* task = nullptr;
    return task;
}

void closeHandle(HANDLE& handle) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
}

std::uint8_t* allocatePages(std::uint32_t size) {
    return static_cast<std::uint8_t*>(VirtualAlloc(nullptr, size ? size : 1, MEM_COMMIT | MEM_RESERVE,
                                                   PAGE_READWRITE));
}

void freePages(std::uint8_t*& block) {
    if (block) VirtualFree(block, 0, MEM_RELEASE);
    block = nullptr;
}

// Bytes per sector of the volume that holds fullPath (its first three characters are the root).
std::int32_t sectorSizeOf(const char* fullPath) {
    char root[4] = {};
    std::memcpy(root, fullPath, 3);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) ||
        bytesPerSector == 0) {
        return 512;
    }
    return static_cast<std::int32_t>(bytesPerSector);
}

// Only drive-letter paths are accepted; the handle is closed otherwise.
bool onDriveLetterPath(HANDLE& handle, const char* name, char (&fullPath)[MAX_PATH]) {
    const DWORD length = GetFullPathNameA(name, MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH || fullPath[1] != ':') {
        closeHandle(handle);
        return false;
    }
    return true;
}

HANDLE openForReading(const char* name, std::int32_t* sectorSize) {
    HANDLE handle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    char fullPath[MAX_PATH];
    if (handle == INVALID_HANDLE_VALUE || !onDriveLetterPath(handle, name, fullPath)) return INVALID_HANDLE_VALUE;
    *sectorSize = sectorSizeOf(fullPath);
    std::uint8_t* scratch = allocatePages(static_cast<std::uint32_t>(*sectorSize));
    DWORD got = 0;
    if (scratch) ReadFile(handle, scratch, static_cast<DWORD>(*sectorSize), &got, nullptr);
    freePages(scratch);
    SetFilePointer(handle, 0, nullptr, FILE_BEGIN);
    return handle;
}

HANDLE openForWriting(const char* name) {
    HANDLE handle = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_FLAG_WRITE_THROUGH | FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    char fullPath[MAX_PATH];
    if (handle == INVALID_HANDLE_VALUE || !onDriveLetterPath(handle, name, fullPath)) return INVALID_HANDLE_VALUE;
    return handle;
}

std::int32_t readBlock(HANDLE handle, void* into, std::uint32_t count) {
    DWORD got = 0;
    if (handle == INVALID_HANDLE_VALUE || !ReadFile(handle, into, count, &got, nullptr)) return -1;
    return static_cast<std::int32_t>(got);
}

std::int32_t writeBlock(HANDLE handle, const void* from, std::uint32_t count) {
    DWORD put = 0;
    if (handle == INVALID_HANDLE_VALUE || !WriteFile(handle, from, count, &put, nullptr)) return -1;
    return static_cast<std::int32_t>(put);
}

std::uint32_t fileSizeOf(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) return 0;
    const DWORD size = GetFileSize(handle, nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

std::uint32_t sizeOnDisk(const char* path) {
    struct _stat status;
    return _stat(path, &status) == 0 ? static_cast<std::uint32_t>(status.st_size) : 0xFFFFFFFFu;
}

std::uint32_t committedSize(const void* block) {
    MEMORY_BASIC_INFORMATION info{};
    return VirtualQuery(block, &info, sizeof info) ? static_cast<std::uint32_t>(info.RegionSize) : 0;
}

OMCachedFile* registered(const char* name) {
    if (!name || !*name) return nullptr;
    for (OMListElement<OMCachedFile>* n = cachedFiles().head; n; n = n->next) {
        if (lstrcmpiA(n->element->name.get(), name) == 0) return n->element;
    }
    return nullptr;
}

// What is left after a step, wherever it was taken: a failed file is disposed of (and may be gone then),
// a finished one invokes its completion link. False when it failed.
bool settleStep(OMCachedFile* file, bool finished) {
    if (file->failed) {
        disposeFailed(file);
        return false;
    }
    if (finished && file->completionLink) file->completionLink->invoke();
    return true;
}

// One slice: the first unheld file of the loading list takes one step.
void pollCachedFiles(OMArg) {
    for (OMListElement<OMCachedFile>* n = loadingCachedFiles().head; n; n = n->next) {
        OMCachedFile* file = n->element;
        if (file->holdCount > 0) continue;
        settleStep(file, file->step());
        return;
    }
}

void joinLoadingList(OMCachedFile* file) {
    loadingCachedFiles().append(file);
    if (pollingTask()) return;
    const OMLinkToFct poll(pollCachedFiles);
    pollingTask() = new OMTask(&poll, 0);
    appendTask(pollingTask());
}

void leaveLoadingList(OMCachedFile* file) {
    if (!loadingCachedFiles().remove(file) || loadingCachedFiles().count) return;
    delete pollingTask();
    pollingTask() = nullptr;
}

OMCachedFile* keptIfLoaded(OMCachedFile* file) {
    if (file->failed) {
        delete file;
        return nullptr;
    }
    file->referenceCount = 1;
    return file;
}

} // namespace

std::int32_t roundBlockSize(std::int32_t size, std::int32_t sectorSize) {
    std::int32_t rounded = sectorSize > 0 ? sectorSize : 512;
    while (rounded < size && rounded <= 0x3FFFFFFF) rounded *= 2;
    return rounded;
}

// A failed file leaves the registry and keeps no bytes. Only streams still hold the object (its openers
// were given null), so it goes now, or with the last stream that claimed it.
void disposeFailed(OMCachedFile* file) {
    leaveLoadingList(file);
    cachedFiles().remove(file);
    file->stopLoader();
    file->discardData();
    if (file->claims <= 0) delete file;
}

unsigned __stdcall cachedFileLoader(void* self) {
    OMCachedFile* file = static_cast<OMCachedFile*>(self);
    for (;;) {
        WaitForSingleObject(file->goEvent, INFINITE);
        const OMCachedFileState now = file->state;
        if (now == OMCachedFileState::failed || now == OMCachedFileState::toEnd) break;
        file->threadStep();
        SetEvent(file->doneEvent);
    }
    SetEvent(file->doneEvent);
    return 0;
}

OMCachedFile::OMCachedFile(const char* fileName, const OMLink* link, std::int32_t loadPriority, bool background,
                           bool startNow)
    : OMCachedFile(fileName, nullptr, link, loadPriority, background, startNow) {}

OMCachedFile::OMCachedFile(const char* fileName, const char* copyPath, const OMLink* link,
                           std::int32_t loadPriority, bool background, bool startNow)
    : priority(loadPriority), name(copyOfText(fileName)), localPath(copyOfText(copyPath)) {
    replaceLink(completionLink, link);
    if (background) {
        startBackground(startNow);
    } else if (localPath) {
        copyNow();
    } else {
        loadNow();
    }
    if (!failed) cachedFiles().append(this);
}

OMCachedFile::~OMCachedFile() {
    stopLoader();
    closeHandles();
    discardData();
    cachedFiles().remove(this);
    delete completionLink;
}

void OMCachedFile::discardData() {
    freePages(transfer);
    freePages(memory);
    cursor = nullptr;
    if (localPath && GetFileAttributesA(localPath.get()) != INVALID_FILE_ATTRIBUTES) DeleteFileA(localPath.get());
}

void OMCachedFile::closeHandles() {
    closeHandle(source);
    closeHandle(destination);
}

const std::uint8_t* OMCachedFile::loadedData() const { return loaded && !localPath ? memory : nullptr; }

const char* OMCachedFile::loadedCopyPath() const { return loaded ? localPath.get() : nullptr; }

void OMCachedFile::releaseClaim() {
    if (claims > 0) --claims;
    if (referenceCount > 0) --referenceCount;
    if (failed ? claims == 0 : referenceCount == 0 && releasePending && !keep) delete this;
}

void OMCachedFile::loadNow() {
    const std::unique_ptr<char[]> path = resolvePath(name.get());
    source = path ? openForReading(path.get(), &sectorSize) : INVALID_HANDLE_VALUE;
    failed = 1;
    if (source != INVALID_HANDLE_VALUE) {
        fileSize = fileSizeOf(source);
        memory = allocatePages(fileSize);
        committed_ = memory ? committedSize(memory) : 0;
        bytesRemaining = static_cast<std::int32_t>(committed_);
        const std::int32_t got = memory ? readBlock(source, memory, committed_) : -1;
        // A short read (the file shrank) would leave bytes that were never read.
        failed = got < 0 || static_cast<std::uint32_t>(got) < fileSize ? 1 : 0;
        loaded = failed ? 0 : 1;
        bytesRemaining = 0;
    }
    closeHandle(source);
    if (failed) discardData();
    if (completionLink) completionLink->invoke();
}

void OMCachedFile::copyNow() {
    const std::unique_ptr<char[]> path = resolvePath(name.get());
    destination = openForWriting(localPath.get());
    source = path && destination != INVALID_HANDLE_VALUE ? openForReading(path.get(), &sectorSize)
                                                          : INVALID_HANDLE_VALUE;
    bool transferred = false;
    if (source != INVALID_HANDLE_VALUE) {
        fileSize = fileSizeOf(source);
        bytesRemaining = static_cast<std::int32_t>(fileSize);
        transfer = allocatePages(kCachedFileCopyBlockSize);
        transferred = transfer != nullptr;
        while (transferred && bytesRemaining > 0) {
            const std::int32_t got = readBlock(source, transfer, kCachedFileCopyBlockSize);
            transferred = got > 0 && writeBlock(destination, transfer, static_cast<std::uint32_t>(got)) == got;
            if (transferred) bytesRemaining -= got;
        }
    }
    closeHandles();
    freePages(transfer);
    destinationSize = sizeOnDisk(localPath.get());
    loaded = transferred && destinationSize == fileSize ? 1 : 0;
    failed = loaded ? 0 : 1;
    if (failed) discardData();
}

void OMCachedFile::startBackground(bool startNow) {
    state = OMCachedFileState::toOpen;
    doneEvent = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    goEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    thread = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, kCachedFileLoaderStack, cachedFileLoader, this, 0, nullptr));
    if (!doneEvent || !goEvent || !thread) {
        stopLoader();
        failed = 1;
        return;
    }
    joinLoadingList(this);
    if (!startNow) return;
    step();
    waitIdle();
    if (state == OMCachedFileState::failed) step();
}

void OMCachedFile::advanceState() {
    const bool copy = localPath != nullptr;
    switch (state) {
    case OMCachedFileState::failed:
        SetEvent(doneEvent);
        break;
    case OMCachedFileState::opened:
        state = OMCachedFileState::toRead;
        break;
    case OMCachedFileState::readDone:
        state = copy ? OMCachedFileState::toWrite
                     : (bytesRemaining > 0 ? OMCachedFileState::toRead : OMCachedFileState::toFinish);
        break;
    case OMCachedFileState::written:
        state = bytesRemaining > 0 ? OMCachedFileState::toRead : OMCachedFileState::toFinish;
        break;
    case OMCachedFileState::verified:
        state = OMCachedFileState::toEnd;
        break;
    default:
        break;
    }
}

bool OMCachedFile::step() {
    if (!thread || WaitForSingleObject(doneEvent, 0) != WAIT_OBJECT_0) return false;
    advanceState();
    // Taken before the go signal: once released, the thread owns the state and may fail at once, and
    // only a state of 0 or 9 handed over here makes it end.
    const OMCachedFileState released = state;
    SetEvent(goEvent);
    if (released != OMCachedFileState::failed && released != OMCachedFileState::toEnd) return false;
    const bool finished = released == OMCachedFileState::toEnd;
    endLoading();
    (finished ? loaded : failed) = 1;
    if (failed) {
        closeHandles();
        discardData();
    }
    return finished;
}

// The thread's last signal, then its end; the events go with it.
void OMCachedFile::endLoading() {
    leaveLoadingList(this);
    WaitForSingleObject(doneEvent, INFINITE);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(goEvent);
    CloseHandle(doneEvent);
    thread = goEvent = doneEvent = nullptr;
}

void OMCachedFile::stopLoader() {
    leaveLoadingList(this);
    if (thread) {
        WaitForSingleObject(doneEvent, INFINITE);
        state = OMCachedFileState::toEnd;
        SetEvent(goEvent);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        thread = nullptr;
    }
    if (goEvent) CloseHandle(goEvent);
    if (doneEvent) CloseHandle(doneEvent);
    goEvent = doneEvent = nullptr;
}

void OMCachedFile::waitIdle() {
    WaitForSingleObject(doneEvent, INFINITE);
    SetEvent(doneEvent);
}

std::int32_t OMCachedFile::waitLoaded() {
    const std::int32_t before = blockSize;
    // Resizing steps the loader too, and may be what finishes it.
    bool finished = blockSize < kCachedFileWaitBlockSize && resize(kCachedFileWaitBlockSize);
    while (!loaded && !failed) {
        waitIdle();
        finished = step();
    }
    blockSize = before;
    return settleStep(this, finished) ? 1 : 0;
}

// A load ended here has left the loading list, so no slice would complete or dispose of it.
void OMCachedFile::setBlockSize(std::int32_t size) { settleStep(this, resize(size)); }

bool OMCachedFile::resize(std::int32_t size) {
    if (size == blockSize) return false;
    if (!thread) {
        blockSize = size;
        return false;
    }
    // The state is read only while the thread is parked.
    waitIdle();
    if (state == OMCachedFileState::toOpen) {
        step();
        waitIdle();
    }
    const std::int32_t rounded = roundBlockSize(size, sectorSize);
    if (localPath && state == OMCachedFileState::readDone) {
        step();
        waitIdle();
    }
    if (localPath && transfer) {
        std::uint8_t* larger = allocatePages(static_cast<std::uint32_t>(rounded));
        if (!larger) return false;
        freePages(transfer);
        transfer = larger;
    }
    blockSize = rounded;
    return step();
}

void OMCachedFile::threadStep() {
    switch (state) {
    case OMCachedFileState::toOpen:
        openLock().enter();
        openStep();
        openLock().leave();
        break;
    case OMCachedFileState::toRead:
        readStep();
        break;
    case OMCachedFileState::toWrite:
        writeStep();
        break;
    case OMCachedFileState::toFinish:
        finishStep();
        break;
    default:
        break;
    }
}

void OMCachedFile::openStep() {
    const std::unique_ptr<char[]> path = resolvePath(name.get());
    if (localPath) destination = openForWriting(localPath.get());
    const bool destinationReady = !localPath || destination != INVALID_HANDLE_VALUE;
    source = path && destinationReady ? openForReading(path.get(), &sectorSize) : INVALID_HANDLE_VALUE;
    if (source == INVALID_HANDLE_VALUE) {
        closeHandles();
        state = OMCachedFileState::failed;
        return;
    }
    fileSize = fileSizeOf(source);
    bytesRemaining = static_cast<std::int32_t>(fileSize);
    if (localPath) {
        blockSize = roundBlockSize(blockSize, sectorSize);
        transfer = allocatePages(static_cast<std::uint32_t>(blockSize));
    } else {
        memory = allocatePages(fileSize);
        cursor = memory;
        committed_ = memory ? committedSize(memory) : 0;
    }
    state = (localPath ? transfer : memory) ? OMCachedFileState::opened : OMCachedFileState::failed;
}

void OMCachedFile::readStep() {
    if (bytesRemaining <= 0) {
        lastRead_ = 0;
        state = OMCachedFileState::readDone;
        return;
    }
    std::uint8_t* into = localPath ? transfer : cursor;
    std::uint32_t wanted = static_cast<std::uint32_t>(blockSize);
    if (!localPath) {
        if (bytesRemaining < blockSize) wanted = static_cast<std::uint32_t>(sectorSize);
        // Never past the committed pages, whatever the sector size.
        const std::uint32_t room = committed_ - static_cast<std::uint32_t>(cursor - memory);
        if (wanted > room) wanted = room;
    }
    lastRead_ = readBlock(source, into, wanted);
    // Nothing read while bytes remain means the file shrank: the load fails rather than loop.
    if (lastRead_ <= 0) {
        closeHandles();
        state = OMCachedFileState::failed;
        return;
    }
    if (!localPath) {
        cursor += lastRead_;
        bytesRemaining -= lastRead_;
    }
    state = OMCachedFileState::readDone;
}

void OMCachedFile::writeStep() {
    // Only the bytes the last read produced are written, never stale buffer contents.
    const std::int32_t count = lastRead_ < bytesRemaining ? lastRead_ : bytesRemaining;
    if (writeBlock(destination, transfer, static_cast<std::uint32_t>(count)) != count) {
        closeHandles();
        state = OMCachedFileState::failed;
        return;
    }
    bytesRemaining -= count;
    state = OMCachedFileState::written;
}

void OMCachedFile::finishStep() {
    closeHandles();
    if (!localPath) {
        state = OMCachedFileState::verified;
        return;
    }
    freePages(transfer);
    destinationSize = sizeOnDisk(localPath.get());
    state = destinationSize == fileSize ? OMCachedFileState::verified : OMCachedFileState::failed;
}

OMList<OMCachedFile>& cachedFiles() {
    static OMList<OMCachedFile> files;
    return files;
}

OMList<OMCachedFile>& loadingCachedFiles() {
    static OMList<OMCachedFile> files(comparePriority);
    return files;
}

OMCachedFile* findCachedFile(const char* name) { return registered(name); }

namespace {

OMCachedFile* loadRegistered(OMCachedFile* file) {
    if (!file->loaded && !file->waitLoaded()) return nullptr;
    ++file->referenceCount;
    return file;
}

} // namespace

OMCachedFile* loadCachedFile(const char* name) {
    if (!name || !*name) return nullptr;
    if (OMCachedFile* file = registered(name)) return loadRegistered(file);
    return keptIfLoaded(new OMCachedFile(name, nullptr, 0, false, false));
}

OMCachedFile* loadCachedFileCopy(const char* name, const char* localPath) {
    if (!name || !*name) return nullptr;
    if (OMCachedFile* file = registered(name)) return loadRegistered(file);
    return keptIfLoaded(new OMCachedFile(name, localPath, nullptr, 0, false, false));
}

OMCachedFile* openCachedFileInMemory(const char* name, const OMLink* link, std::int32_t priority, bool startNow) {
    return openCachedFile(name, nullptr, link, priority, startNow);
}

OMCachedFile* openCachedFile(const char* name, const char* localPath, const OMLink* link, std::int32_t priority,
                             bool startNow) {
    if (!name || !*name) return nullptr;
    if (OMCachedFile* file = registered(name)) return file;
    OMCachedFile* file = new OMCachedFile(name, localPath, link, priority, true, startNow);
    if (!file->failed) return file;
    delete file;
    return nullptr;
}

std::int32_t cachedFileBlockSize(const char* name) {
    const OMCachedFile* file = registered(name);
    return file ? file->blockSize : 0;
}

std::int32_t cachedFileExists(const char* name) { return registered(name) ? 1 : 0; }

void setCachedFileBlockSize(const char* name, std::int32_t size) {
    if (OMCachedFile* file = registered(name)) file->setBlockSize(size);
}

void releaseCachedFile(const char* name) {
    OMCachedFile* file = registered(name);
    if (!file) return;
    // A release never takes a stream's claim: once only claims are left, the last of them deletes it.
    if (file->referenceCount > file->claims) --file->referenceCount;
    if (file->referenceCount == file->claims) file->releasePending = 1;
    if (file->referenceCount == 0 && !file->keep) delete file;
}

void holdAllLoads() {
    for (OMListElement<OMCachedFile>* n = cachedFiles().head; n; n = n->next) ++n->element->holdCount;
}

void releaseAllLoads() {
    for (OMListElement<OMCachedFile>* n = cachedFiles().head; n; n = n->next) {
        if (n->element->holdCount > 0) --n->element->holdCount;
    }
}

void suspendCachedFileTask() {
    if (pollingTask()) pollingTask()->suspended = 1;
}

void resumeCachedFileTask() {
    if (pollingTask()) pollingTask()->suspended = 0;
}
