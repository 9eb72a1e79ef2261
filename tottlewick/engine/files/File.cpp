// The open-file table over CreateFileA handles, and the operations on named files.
#include "File.h"

#include <windows.h>

#include <cstring>

#include "FilePath.h"
#include "UtilString.h"

namespace {

struct FileSlot {
    FileRef ref;
    HANDLE handle;
    char path[kFilePathSize];
    std::uint16_t mode;
};

FileSlot slots[kFileSlots];
std::uint32_t openCounter = 1;
std::int16_t fileError = 0;

std::int16_t fail(std::int16_t error) {
    fileError = error;
    return error;
}

std::uint32_t noBytes(std::int16_t error) {
    fileError = error;
    return 0;
}

// The slot of a current reference, or null with error 3.
FileSlot* slotOf(FileRef ref) {
    FileSlot* slot = (ref & 0xFF) < kFileSlots ? &slots[ref & 0xFF] : nullptr;
    if (ref == 0 || !slot || slot->ref != ref || slot->handle == INVALID_HANDLE_VALUE) {
        fileError = kFileErrBadRef;
        return nullptr;
    }
    return slot;
}

FileSlot* freeSlot() {
    for (FileSlot& slot : slots)
        if (slot.ref == 0) return &slot;
    return nullptr;
}

DWORD sharingOf(std::uint16_t mode) {
    return ((mode & kFileDenyRead) ? 0 : FILE_SHARE_READ) | ((mode & kFileDenyWrite) ? 0 : FILE_SHARE_WRITE);
}

DWORD accessOf(std::uint16_t mode) {
    return ((mode & kFileRead) ? GENERIC_READ : 0) | ((mode & kFileWrite) ? GENERIC_WRITE : 0);
}

void toFileTime(const FILETIME& source, FileTime* out) {
    SYSTEMTIME time{};
    FileTimeToSystemTime(&source, &time);
    *out = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

// Seeks and reports as FileTell/FileSeek do: -1 for a zero reference, 0 for another bad one.
std::int32_t seekSlot(FileRef ref, std::int32_t offset, DWORD origin) {
    fileError = 0;
    if (ref == 0) {
        fileError = kFileErrBadRef;
        return -1;
    }
    FileSlot* slot = slotOf(ref);
    if (!slot) return 0;
    DWORD position = SetFilePointer(slot->handle, offset, nullptr, origin);
    if (position == INVALID_SET_FILE_POINTER) fileError = kFileErrSeek;
    return static_cast<std::int32_t>(position);
}

}  // namespace

void FileInit() {
    for (FileSlot& slot : slots) slot = {0, INVALID_HANDLE_VALUE, {}, 0};
}

void FileTerm() {
    for (FileSlot& slot : slots)
        if (slot.ref != 0) FileClose(slot.ref);
}

std::int16_t FileGetError() { return fileError; }

void FileSetError(std::int16_t error) { fileError = error; }

bool FileNameUsable(const char* name) {
    if (name && name[0] && std::strlen(name) < kFilePathSize) return true;
    fileError = kFileErrName;
    return false;
}

std::int16_t FileCreate(const char* name, std::uint32_t attributes) {
    fileError = 0;
    if (!FileNameUsable(name)) return fileError;
    if (FileExists(name)) return fail(kFileErrExists);
    HANDLE handle = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                CREATE_NEW, attributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return fail(kFileErrSystem);
    CloseHandle(handle);
    return 0;
}

std::int16_t FileExists(const char* name) {
    fileError = 0;
    if (!name) {
        fileError = kFileErrName;
        return 0;
    }
    if (std::strlen(name) >= kFilePathSize) {
        fileError = kFileErrName;
        return 0;
    }
    HANDLE handle = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    CloseHandle(handle);
    return 1;
}

std::int16_t FileDelete(const char* name) {
    fileError = 0;
    if (!FileNameUsable(name)) return fileError;
    return DeleteFileA(name) ? 0 : fail(kFileErrSystem);
}

FileRef FileOpen(const char* name, std::uint16_t mode) {
    fileError = 0;
    if (!FileNameUsable(name)) return 0;
    if (!FileExists(name)) {
        fail(kFileErrName);
        return 0;
    }
    FileSlot* slot = freeSlot();
    if (!slot) {
        fail(kFileErrTableFull);
        return 0;
    }
    HANDLE handle = CreateFileA(name, accessOf(mode), sharingOf(mode), nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        fail(kFileErrSystem);
        return 0;
    }
    slot->ref = static_cast<FileRef>(slot - slots) | (openCounter << 8);
    openCounter += 2;
    slot->handle = handle;
    UtilStrCopy(slot->path, name, kFilePathSize);
    slot->mode = mode;
    return slot->ref;
}

namespace {

// Runs one read or write on an open slot; a transfer shorter than asked sets the short-transfer error.
template <typename Transfer>
std::uint32_t transferBytes(FileRef ref, const void* buffer, std::uint32_t count, Transfer transfer) {
    fileError = 0;
    if (ref == 0) return noBytes(kFileErrBadRef);
    if (!buffer) return noBytes(kFileErrName);
    FileSlot* slot = slotOf(ref);
    if (!slot) return 0;
    DWORD done = 0;
    if (!transfer(slot->handle, &done)) done = 0;
    if (done < count) fileError = kFileErrShort;
    return done;
}

}  // namespace

std::uint32_t FileRead(FileRef ref, void* buffer, std::uint32_t count) {
    return transferBytes(ref, buffer, count, [&](HANDLE handle, DWORD* done) {
        return ReadFile(handle, buffer, count, done, nullptr) != 0;
    });
}

std::uint32_t FileWrite(FileRef ref, const void* buffer, std::uint32_t count) {
    return transferBytes(ref, buffer, count, [&](HANDLE handle, DWORD* done) {
        return WriteFile(handle, buffer, count, done, nullptr) != 0;
    });
}

std::int32_t FileTell(FileRef ref) { return seekSlot(ref, 0, FILE_CURRENT); }

std::int32_t FileSeek(FileRef ref, std::int32_t offset, std::int16_t origin) {
    if (origin < 0 || origin > 2) {
        if (!slotOf(ref)) return ref == 0 ? -1 : 0;
        fileError = kFileErrSeek;
        return -1;
    }
    return seekSlot(ref, offset, static_cast<DWORD>(origin));
}

std::int32_t FileGetSize(FileRef ref) {
    FileSlot* slot = slotOf(ref);
    if (!slot) return ref == 0 ? -1 : 0;
    return static_cast<std::int32_t>(GetFileSize(slot->handle, nullptr));
}

std::int16_t FileGetTimes(FileRef ref, FileTime* created, FileTime* modified) {
    FileSlot* slot = slotOf(ref);
    if (!slot) return 0;
    FILETIME creation, lastWrite;
    if (!GetFileTime(slot->handle, &creation, nullptr, &lastWrite)) return 0;
    if (created) toFileTime(creation, created);
    if (modified) toFileTime(lastWrite, modified);
    return 1;
}

std::int16_t FileGetPath(FileRef ref, char* buffer) {
    fileError = 0;
    if (!buffer) return fail(kFileErrName);
    FileSlot* slot = slotOf(ref);
    if (!slot) return fileError;
    std::memcpy(buffer, slot->path, kFilePathSize);
    return 0;
}

std::int16_t FileClose(FileRef ref) {
    fileError = 0;
    FileSlot* slot = slotOf(ref);
    if (!slot) return fileError;
    if (!CloseHandle(slot->handle)) return fail(kFileErrClose);
    slot->ref = 0;
    slot->handle = INVALID_HANDLE_VALUE;
    return 0;
}

std::int16_t FileSetSize(const char* name, std::uint32_t size) {
    FileRef ref = FileOpen(name, kFileWrite);
    if (!ref) return kFileErrSystem;
    FileSlot* slot = slotOf(ref);
    bool placed = SetFilePointer(slot->handle, static_cast<LONG>(size), nullptr, FILE_BEGIN) == size;
    bool cut = placed && SetEndOfFile(slot->handle);
    FileClose(ref);
    if (!placed) return kFileErrSystem;
    return cut ? fileError : fail(kFileErrSystem);
}

std::int16_t FileRename(const char* from, const char* to) {
    fileError = 0;
    if (!from || !to) {
        fileError = kFileErrName;
        return kFileErrSystem;
    }
    char drive[kFilePathSize], folder[kFilePathSize], name[kFilePathSize], extension[4];
    FileGetDrivePart(from, drive);
    FileGetFolderPart(from, folder);
    FileGetNamePart(to, name);
    FileGetExtensionPart(to, extension);
    char target[kFilePathSize];
    if (FileBuildPath(target, drive, folder, name, extension) == 0 && fileError != 0) return fileError;
    return MoveFileA(from, target) ? 0 : fail(kFileErrSystem);
}

std::uint32_t FileFreeSpaceProduct(std::uint32_t sectorsPerCluster, std::uint32_t bytesPerSector,
                                   std::uint32_t freeClusters) {
    std::uint64_t bytes = std::uint64_t{sectorsPerCluster} * bytesPerSector;
    if (bytes != 0 && freeClusters > 0xFFFFFFFFull / bytes) return 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(bytes * freeClusters);
}

std::uint32_t FileFreeSpace(std::int16_t drive) {
    fileError = 0;
    char root[4] = {static_cast<char>('A' + drive - 1), ':', '\\', 0};
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    bool asked = drive >= 1 && drive <= 26 ? GetDiskFreeSpaceA(root, &sectors, &bytes, &freeClusters, &clusters)
                 : drive == 0           ? GetDiskFreeSpaceA(nullptr, &sectors, &bytes, &freeClusters, &clusters)
                                        : false;
    if (!asked) {
        fail(kFileErrSystem);
        return 0;
    }
    return FileFreeSpaceProduct(sectors, bytes, freeClusters);
}
