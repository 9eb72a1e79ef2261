// Files cached whole in memory or copied to a local path, loaded at once or by a loader thread per file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "OMLink.h"
#include "OMList.h"

// Loader states: the thread performs 1, 3, 5 and 7 and leaves at 0 or 9; the main thread turns 2 into 3,
// 4 into 5 (copy) or 3/7 (whole file), 6 into 3 or 7, and 8 into 9.
enum class OMCachedFileState : std::int32_t {
    failed = 0,
    toOpen = 1,
    opened = 2,
    toRead = 3,
    readDone = 4,
    toWrite = 5,
    written = 6,
    toFinish = 7,
    verified = 8,
    toEnd = 9,
};

inline constexpr std::int32_t kCachedFileBlockSize = 8192;
inline constexpr std::int32_t kCachedFileCopyBlockSize = 65536;
inline constexpr std::int32_t kCachedFileWaitBlockSize = 65536;
inline constexpr std::uint32_t kCachedFileLoaderStack = 4096;

// The smallest power-of-two multiple of sectorSize that is not below size.
std::int32_t roundBlockSize(std::int32_t size, std::int32_t sectorSize);

// One cached file. Either the whole file is read into a block of virtual memory, or it is copied to a
// local path that is deleted again when the object is destroyed. A background file is registered at once,
// but streams read its data only once `loaded` is set; a failed one leaves the registry and keeps no data.
class OMCachedFile {
public:
    OMCachedFile(const char* fileName, const OMLink* link, std::int32_t loadPriority, bool background,
                 bool startNow);
    OMCachedFile(const char* fileName, const char* copyPath, const OMLink* link, std::int32_t loadPriority,
                 bool background, bool startNow);
    OMCachedFile(const OMCachedFile&) = delete;
    OMCachedFile& operator=(const OMCachedFile&) = delete;
    ~OMCachedFile();

    // A file still loading takes a step with the new size; when that ends the load as failed, the file is
    // disposed of, as by waitLoaded.
    void setBlockSize(std::int32_t size);
    // Finishes loading on this thread: 1 when loaded; 0 when it failed, and the file is then disposed of.
    [[nodiscard]] std::int32_t waitLoaded();

    // The file's bytes once loaded whole into memory, else null.
    const std::uint8_t* loadedData() const;
    // The local copy once loaded, else null.
    const char* loadedCopyPath() const;
    // A stream's claim on the object: one more reference, which only the stream gives back. A failed file,
    // or one whose owner released it while streams held it, is deleted with the last claim.
    void retain() {
        ++claims;
        ++referenceCount;
    }
    void releaseClaim();

    // Advances the loader by one step; true when this step finished the load.
    bool step();

    std::int32_t holdCount = 0;
    OMLink* completionLink = nullptr;
    std::int32_t priority;
    std::int32_t loaded = 0;
    std::int32_t failed = 0;
    std::int32_t bytesRemaining = 0;
    std::unique_ptr<char[]> name;
    HANDLE source = INVALID_HANDLE_VALUE;
    std::uint32_t fileSize = 0;
    std::int32_t referenceCount = 0;
    std::int32_t keep = 0;
    std::uint8_t* memory = nullptr;
    std::uint8_t* cursor = nullptr;
    std::unique_ptr<char[]> localPath;
    HANDLE destination = INVALID_HANDLE_VALUE;
    std::uint32_t destinationSize = 0;
    std::uint8_t* transfer = nullptr;
    OMCachedFileState state = OMCachedFileState::failed;
    std::int32_t blockSize = kCachedFileBlockSize;
    HANDLE goEvent = nullptr;
    HANDLE doneEvent = nullptr;
    HANDLE thread = nullptr;
    std::int32_t sectorSize = 512;
    // How many of the references are stream claims, and whether a release came while only they held it.
    std::int32_t claims = 0;
    std::int32_t releasePending = 0;

private:
    friend void disposeFailed(OMCachedFile* file);
    friend unsigned __stdcall cachedFileLoader(void* self);

    void loadNow();
    void copyNow();
    void startBackground(bool startNow);
    void waitIdle();
    // setBlockSize's work; true when its last step finished the load.
    [[nodiscard]] bool resize(std::int32_t size);
    void stopLoader();
    void endLoading();
    void discardData();
    void advanceState();
    // One step of the loader thread for the current state.
    void threadStep();
    void openStep();
    void readStep();
    void writeStep();
    void finishStep();
    void closeHandles();

    std::uint32_t committed_ = 0;
    std::int32_t lastRead_ = 0;
};

// Registry by name (compared without letter case); null or empty names are refused.
OMCachedFile* findCachedFile(const char* name);
OMCachedFile* loadCachedFile(const char* name);
OMCachedFile* loadCachedFileCopy(const char* name, const char* localPath);
OMCachedFile* openCachedFileInMemory(const char* name, const OMLink* link, std::int32_t priority, bool startNow);
OMCachedFile* openCachedFile(const char* name, const char* localPath, const OMLink* link, std::int32_t priority,
                             bool startNow);
std::int32_t cachedFileBlockSize(const char* name);
std::int32_t cachedFileExists(const char* name);
void setCachedFileBlockSize(const char* name, std::int32_t size);
void releaseCachedFile(const char* name);
void holdAllLoads();
void releaseAllLoads();
void suspendCachedFileTask();
void resumeCachedFileTask();

// Every registered file, and the files still loading in the background (lowest priority value first).
OMList<OMCachedFile>& cachedFiles();
OMList<OMCachedFile>& loadingCachedFiles();
