// NE module streams: the current-module state, the resource query and opening on the module's file.
#include "OMIStreamDLL16.h"

#include <io.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "OMAppInitTerm.h"
#include "OMRes.h"
#include "OMSearchPath.h"

namespace {

struct CurrentModule {
    std::unique_ptr<char[]> path;
    int fd = -1;
    long long length = 0;
    bool valid = false;
    std::vector<std::uint8_t> dos;
    std::vector<std::uint8_t> ne;
    std::vector<std::uint8_t> table;
    std::vector<std::uint8_t> names;
};

CurrentModule& currentModule() {
    static CurrentModule module;
    return module;
}

bool& cacheSwitch() {
    static bool on = false;
    return on;
}

bool sameModule(const char* a, const char* b) { return a && b && lstrcmpiA(a, b) == 0; }

// count bytes at offset of the module (its cached memory, else its descriptor); false past the end.
bool fetch(const std::uint8_t* memory, long long offset, std::size_t count, std::vector<std::uint8_t>& into) {
    CurrentModule& module = currentModule();
    if (offset < 0 || offset + static_cast<long long>(count) > module.length) return false;
    into.resize(count);
    if (memory) {
        std::copy(memory + offset, memory + offset + count, into.begin());
        return true;
    }
    if (count == 0) return true;
    return _lseeki64(module.fd, offset, SEEK_SET) == offset &&
           _read(module.fd, into.data(), static_cast<unsigned>(count)) == static_cast<int>(count);
}

ByteReader viewOf(const std::vector<std::uint8_t>& bytes) { return ByteReader(bytes.data(), bytes.size(), ByteOrder::little); }

bool readTables(const std::uint8_t* memory) {
    CurrentModule& module = currentModule();
    std::uint32_t neOffset = 0, namesOffset = 0, namesLength = 0;
    std::uint16_t tableOffset = 0, tableLength = 0;
    if (!fetch(memory, 0, kDosHeaderSize, module.dos) || !readDosHeader(viewOf(module.dos), neOffset) ||
        !fetch(memory, neOffset, kNeHeaderSize, module.ne) ||
        !readNeHeader(viewOf(module.ne), tableOffset, tableLength) ||
        !fetch(memory, static_cast<long long>(neOffset) + tableOffset, tableLength, module.table)) {
        return false;
    }
    module.names.clear();
    return !nameTableExtent(viewOf(module.table), namesOffset, namesLength) ||
           fetch(memory, namesOffset, namesLength, module.names);
}

// Makes path the current module; false when it can be read neither from memory nor from a file.
bool selectModule(const char* path) {
    CurrentModule& module = currentModule();
    if (cacheSwitch() && module.path) {
        if (sameModule(module.path.get(), path)) return module.valid;
        OMIStreamDLL16::flushInfoCache();
        cacheSwitch() = true;
    }
    module.path = copyOfText(path);
    const OMCachedFile* cached = findCachedFile(path);
    const std::uint8_t* memory = cached ? cached->loadedData() : nullptr;
    if (memory) {
        module.length = cached->fileSize;
    } else {
        const char* copy = cached ? cached->loadedCopyPath() : nullptr;
        const std::unique_ptr<char[]> file = copy ? copyOfText(copy) : resolvePath(path);
        module.fd = openBinary(file.get());
        if (module.fd < 0) return false;
        module.length = _filelengthi64(module.fd);
    }
    module.valid = readTables(memory);
    return module.valid;
}

void flushOnExit() { OMIStreamDLL16::flushInfoCache(); }

OMAppInitTerm dll16Record{nullptr, flushOnExit};

struct Dll16Registration {
    Dll16Registration() { registerInitTerm(&dll16Record); }
} dll16Registration;

} // namespace

OMNEResourceInfo OMIStreamDLL16::query(std::int16_t resId, const char* resType, const char* module) {
    OMNEResourceInfo info;
    if (resId > 0 && resType && *resType && module && *module && selectModule(module)) {
        const LPCSTR type = resTypeFromName(resType);
        const std::uint16_t integerType = IS_INTRESOURCE(type) ? LOWORD(reinterpret_cast<ULONG_PTR>(type)) : 0;
        const CurrentModule& current = currentModule();
        info = findNEResource(viewOf(current.table), viewOf(current.names), static_cast<std::uint16_t>(resId),
                              resType, integerType);
        if (static_cast<long long>(info.dataOffset) + info.size > current.length) info = OMNEResourceInfo{};
    }
    if (!cacheSwitch()) flushInfoCache();
    return info;
}

void OMIStreamDLL16::flushInfoCache() {
    CurrentModule& module = currentModule();
    closeDescriptor(module.fd);
    module = CurrentModule{};
    cacheSwitch() = false;
}

void OMIStreamDLL16::setModuleCacheOn(bool on) { cacheSwitch() = on; }

bool OMIStreamDLL16::moduleCacheOn() { return cacheSwitch(); }

OMIStreamDLL16::OMIStreamDLL16(std::int16_t resId, const char* resType, const char* module, std::int32_t blockSize,
                               std::uint8_t* given) {
    if (resId <= 0 || !resType || !*resType || !module || !*module || !validBlockSize(blockSize)) return;
    id = resId;
    type = copyOfText(resType);
    modulePath = copyOfText(module);
    const OMNEResourceInfo info = query(resId, resType, module);
    size = info.size;
    dataOffset = info.dataOffset;
    claimCachedFile(module, dataOffset);
    // The cached copy is read in place only when the resource lies inside it.
    if (fromCache && static_cast<long long>(dataOffset) + size > cachedFile->fileSize) fromCache = false;
    takeBufferArguments(blockSize, given);
    openFromCacheNow();
}

OMIStreamDLL16::OMIStreamDLL16(const OMIStreamDLL16& other)
    : OMIStreamFileBased(other), id(other.id), type(copyOfText(other.type.get())),
      modulePath(copyOfText(other.modulePath.get())), dataOffset(other.dataOffset) {
    openFromCacheNow();
    rereadBlockOf(other);
}

OMIStreamDLL16::~OMIStreamDLL16() {
    close();
    // The last claim on a local copy goes: the current module must not keep reading a file about to go.
    CurrentModule& module = currentModule();
    if (cachedFile && cachedFile->claims == 1 && cachedFile->localPath && cacheSwitch() &&
        sameModule(module.path.get(), modulePath.get())) {
        flushInfoCache();
        cacheSwitch() = true;
    }
}

std::int32_t OMIStreamDLL16::read() {
    if (!modulePath || size <= 0) return 0;
    if (!isOpen) {
        CurrentModule& module = currentModule();
        int descriptor = -1;
        bool owned = true;
        if (!fromCache && module.fd >= 0 && sameModule(module.path.get(), modulePath.get())) {
            // Whole mode shares the module's descriptor; block mode takes it over.
            descriptor = module.fd;
            owned = !whole;
            if (owned) module.fd = -1;
        } else if (!fromCache) {
            descriptor = openBinary(pathToOpen(modulePath.get()).get());
        }
        if (!openOn(descriptor, owned)) return 0;
    }
    return deliver();
}

void OMIStreamDLL16::close() { closeSource(); }
