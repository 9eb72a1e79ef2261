// File.h over memoryFiles(): sixteen open-file slots with a position each; every file has one fixed time.
#include "MemoryFiles.h"

#include <algorithm>
#include <cstring>

#include "File.h"

namespace {

struct OpenFile {
    bool used = false;
    std::string name;
    std::uint32_t position = 0;
};

OpenFile openFiles[kFileSlots];

std::string* contentOf(FileRef ref) {
    if (ref == 0 || ref > kFileSlots || !openFiles[ref - 1].used) return nullptr;
    auto it = memoryFiles().find(openFiles[ref - 1].name);
    return it == memoryFiles().end() ? nullptr : &it->second;
}

}  // namespace

std::map<std::string, std::string>& memoryFiles() {
    static std::map<std::string, std::string> files;
    return files;
}

std::int16_t FileCreate(const char* name, std::uint32_t) {
    memoryFiles()[name].clear();
    return 0;
}

std::int16_t FileExists(const char* name) { return memoryFiles().count(name) ? 1 : 0; }

std::int16_t FileDelete(const char* name) { return memoryFiles().erase(name) ? 0 : kFileErrName; }

std::int16_t FileRename(const char* from, const char* to) {
    auto it = memoryFiles().find(from);
    if (it == memoryFiles().end() || memoryFiles().count(to)) return kFileErrName;
    std::string content = std::move(it->second);
    memoryFiles().erase(it);
    memoryFiles()[to] = std::move(content);
    return 0;
}

FileRef FileOpen(const char* name, std::uint16_t) {
    if (!memoryFiles().count(name)) return 0;
    for (FileRef ref = 1; ref <= kFileSlots; ++ref) {
        if (!openFiles[ref - 1].used) {
            openFiles[ref - 1] = {true, name, 0};
            return ref;
        }
    }
    return 0;
}

std::int16_t FileClose(FileRef ref) {
    if (ref == 0 || ref > kFileSlots || !openFiles[ref - 1].used) return kFileErrBadRef;
    openFiles[ref - 1] = OpenFile{};
    return 0;
}

std::uint32_t FileRead(FileRef ref, void* buffer, std::uint32_t count) {
    const std::string* content = contentOf(ref);
    if (!content) return 0;
    std::uint32_t& position = openFiles[ref - 1].position;
    const auto size = static_cast<std::uint32_t>(content->size());
    const std::uint32_t n = position < size ? std::min(count, size - position) : 0;
    std::memcpy(buffer, content->data() + position, n);
    position += n;
    return n;
}

std::uint32_t FileWrite(FileRef ref, const void* buffer, std::uint32_t count) {
    std::string* content = contentOf(ref);
    if (!content) return 0;
    std::uint32_t& position = openFiles[ref - 1].position;
    if (content->size() < position + std::size_t{count}) content->resize(position + std::size_t{count});
    std::memcpy(&(*content)[position], buffer, count);
    position += count;
    return count;
}

std::int32_t FileSeek(FileRef ref, std::int32_t offset, std::int16_t origin) {
    const std::string* content = contentOf(ref);
    if (!content) return -1;
    const std::int64_t end = static_cast<std::int64_t>(content->size());
    const std::int64_t base = origin == 0 ? 0 : origin == 1 ? openFiles[ref - 1].position : end;
    const std::int64_t at = base + offset;
    if (origin < 0 || origin > 2 || at < 0 || at > INT32_MAX) return -1;
    openFiles[ref - 1].position = static_cast<std::uint32_t>(at);
    return static_cast<std::int32_t>(at);
}

std::int32_t FileTell(FileRef ref) { return FileSeek(ref, 0, 1); }

std::int32_t FileGetSize(FileRef ref) {
    const std::string* content = contentOf(ref);
    return content ? static_cast<std::int32_t>(content->size()) : -1;
}

std::int16_t FileGetTimes(FileRef ref, FileTime* created, FileTime* modified) {
    if (!contentOf(ref)) return 0;
    const FileTime time{1996, 6, 1, 12, 0, 0};
    if (created) *created = time;
    if (modified) *modified = time;
    return 1;
}
