// The resource manager: the source table and search list, loads and releases through memory handles,
// raw access, and the flag family.
#include "Res.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "FileDir.h"
#include "FileFolders.h"
#include "FilePath.h"
#include "ResFolder.h"
#include "SndCache.h"
#include "UtilString.h"

namespace {

enum class SourceKind : std::uint32_t { kFree = 0, kPrs = 1, kFolder = 2 };

struct Source {
    SourceKind kind = SourceKind::kFree;
    ResSource reference = 0;
    std::int16_t prsSlot = 0;
    FolderIndex* folder = nullptr;
    FileRef rawFile = 0;
    ResType rawType = 0;
    std::uint16_t rawId = 0;
};

// Where a resource was found: a PRS entry or a folder entry of one source.
struct Found {
    Source* source = nullptr;
    PrsRef prs = 0;
    std::int16_t entry = -1;
    explicit operator bool() const { return source != nullptr; }
};

struct ResState {
    Source table[kResMaxSources];
    std::vector<ResSource> searchList;  // the last one is searched first
    std::uint16_t sequence = 1;
    ResSource overrideSource = 0;
    std::uint16_t deferredMode = 0;
    std::vector<std::string> searchFolders{""};
    std::vector<const char*> searchFolderTexts;
    std::string startupFolders[3];
    bool hooksInstalled = false;
};

ResState res;

Source* sourceOf(ResSource reference) {
    std::uint32_t slot = reference & 0xFFFF;
    if (reference == 0 || slot >= kResMaxSources) return nullptr;
    Source& s = res.table[slot];
    return s.kind != SourceKind::kFree && s.reference == reference ? &s : nullptr;
}

std::int16_t slotNumber(const Source& s) { return static_cast<std::int16_t>(&s - res.table); }

// Visits the sources from the top until visit returns true; returns that source.
template <typename Visit>
Source* fromTop(Visit visit) {
    for (auto it = res.searchList.rbegin(); it != res.searchList.rend(); ++it) {
        Source* s = sourceOf(*it);
        if (s && visit(*s)) return s;
    }
    return nullptr;
}

Found findIn(Source& s, ResType type, std::uint16_t id) {
    if (s.kind == SourceKind::kPrs) {
        PrsRef ref = PrsFind(s.prsSlot, type, id);
        return ref ? Found{&s, ref, -1} : Found{};
    }
    std::int16_t entry = FolderFind(s.folder, type, id);
    return entry >= 0 ? Found{&s, 0, entry} : Found{};
}

Found findById(ResType type, std::uint16_t id) {
    Found found;
    fromTop([&](Source& s) { return bool(found = findIn(s, type, id)); });
    return found;
}

Found findByBlock(PlatBlock block) {
    Found found;
    fromTop([&](Source& s) {
        if (s.kind == SourceKind::kPrs) {
            PrsRef ref = PrsFindByBlock(s.prsSlot, block);
            if (ref) found = {&s, ref, -1};
        } else {
            std::int16_t entry = FolderFindByBlock(s.folder, block);
            if (entry >= 0) found = {&s, 0, entry};
        }
        return bool(found);
    });
    return found;
}

PlatBlock blockOf(const Found& f) {
    return f.prs ? PrsGetBlock(f.prs) : FolderGetBlock(f.source->folder, f.entry);
}

std::uint32_t lengthOf(const Found& f) {
    return f.prs ? PrsGetLength(f.prs) : FolderGetLength(f.source->folder, f.entry);
}

std::uint16_t handleFlags(MemHandle handle) { return MemHandleSetFlags(handle, 0, 1); }

bool resourceBacked(MemHandle handle) {
    return handle && (handleFlags(handle) & kMemResource) && MemHandleGetBlock(handle);
}

Found findByHandle(MemHandle handle) {
    return resourceBacked(handle) ? findByBlock(MemHandleGetBlock(handle)) : Found{};
}

std::int16_t testFlag(const Found& f, std::uint16_t prsBit, std::uint16_t folderBit) {
    if (!f) return 0;
    return f.prs ? ((PrsGetFlags(f.prs) & prsBit) ? 1 : 0) : ((FolderGetFlags(f.source->folder, f.entry) & folderBit) ? 1 : 0);
}

std::int16_t changeFlag(const Found& f, std::uint16_t prsBit, std::uint16_t folderBit, std::int16_t on) {
    if (!f) return 0;
    if (f.prs) return (PrsSetFlags(f.prs, prsBit, on) & prsBit) ? 1 : 0;
    return (FolderSetFlags(f.source->folder, f.entry, folderBit, on) & folderBit) ? 1 : 0;
}

void installHooks() {
    if (res.hooksInstalled) return;
    MemSetResourceHooks(ResReleaseHandle, ResReload);
    res.hooksInstalled = true;
}

Source* freeSourceSlot() {
    for (Source& s : res.table)
        if (s.kind == SourceKind::kFree) return &s;
    return nullptr;
}

// The data of a PRS entry: read, or (deferred mode, nothing loaded yet) only allocated. A block that the
// sound preload cache is still reading is finished first.
PlatBlock loadPrs(PrsRef ref) {
    if (PrsGetFlags(ref) & kPrsDeferred) SndCacheStop();
    if (res.deferredMode && !PrsGetBlock(ref)) {
        PlatBlock block = PrsAllocData(ref, 0);
        if (block) PrsSetFlags(ref, kPrsDeferred, 1);
        return block;
    }
    PlatBlock block = PrsReadData(ref);
    if (block && PrsGetUseCount(ref) == 0) PrsSetUseCount(ref, 1);
    return block;
}

PlatBlock loadFolder(FolderIndex* folder, std::int16_t entry) {
    if (FolderGetFlags(folder, entry) & kFolderDeferred) SndCacheStop();
    if (res.deferredMode && !FolderGetBlock(folder, entry)) {
        PlatBlock block = PlatMemAlloc(std::max<std::uint32_t>(FolderGetAllocSize(folder, entry), 1), 0);
        if (!block) return nullptr;
        FolderSetFlags(folder, entry, kFolderDeferred, 1);
        FolderSetBlock(folder, entry, block);
        FolderSetAllocSize(folder, entry, PlatMemSize(block));
        return block;
    }
    return FolderLoad(folder, entry) == 0 ? FolderGetBlock(folder, entry) : nullptr;
}

MemHandle registerLoaded(ResType type, std::uint16_t id, PlatBlock block, std::uint32_t size) {
    MemHandle handle = MemHandleRegister(block, size, kMemResource);
    if (!handle) return 0;
    char name[5] = {};
    for (int i = 0; i < 4; ++i) name[i] = static_cast<char>(type >> (8 * i));
    MemHandleSetLabel(handle, name, id);
    return handle;
}

// The handle registered for a block, found through the label every load gives it.
MemHandle handleOfBlock(PlatBlock block) {
    for (MemHandle h = MemHandleFind(0, nullptr, nullptr); h; h = MemHandleFind(h, nullptr, nullptr))
        if (MemHandleGetBlock(h) == block && (handleFlags(h) & kMemResource)) return h;
    return 0;
}

ResSource openFileAs(const char* name, bool inner);

ResSource tryExtension(const char* name, const char* extension) {
    std::string full = std::string(name) + extension;
    return full.size() < kFilePathSize ? openFileAs(full.c_str(), true) : 0;
}

ResSource openFileAs(const char* name, bool inner) {
    std::size_t length = std::strlen(name);
    if (!inner && (length <= 4 || name[length - 4] != '.')) {
        if (ResSource opened = tryExtension(name, ".PRX")) return opened;
        if (ResSource opened = tryExtension(name, ".PRS")) return opened;
    }
    return ResOpenInFolders(name, kResOpenDefault);
}

std::string withBackslash(const char* folder) {
    std::string text = folder ? folder : "";
    if (!text.empty() && text.back() != '\\') text += '\\';
    return text;
}

}  // namespace

ResSource ResOpenSource(const char* path, std::uint16_t mode) {
    if (!path || res.searchList.size() >= kResMaxSources) return 0;
    Source* s = freeSourceSlot();
    if (!s) return 0;
    char extension[kFilePathSize];
    FileGetExtensionPart(path, extension);
    UtilStrCase(extension, 1);
    if (std::strcmp(extension, "PRS") == 0 || std::strcmp(extension, "PRX") == 0) {
        // Resource files are only ever read here: the data disc is read-only.
        std::int16_t slot = PrsOpen(path, mode == kResOpenClosed ? 0 : kPrsKeepOpen, nullptr);
        if (!slot) return 0;
        *s = Source{SourceKind::kPrs, 0, slot};
    } else if (extension[0] == 0) {
        FolderIndex* folder = FolderOpen(path);
        if (!folder) return 0;
        *s = Source{SourceKind::kFolder, 0, 0, folder};
    } else {
        return 0;
    }
    installHooks();
    s->reference = ResSource{res.sequence} << 16 | std::uint32_t(slotNumber(*s));
    res.sequence = static_cast<std::uint16_t>(res.sequence + 2);
    res.searchList.push_back(s->reference);
    return s->reference;
}

std::int16_t ResCloseSource(ResSource source) {
    Source* s = sourceOf(source);
    if (!s) return 0;
    res.searchList.erase(std::remove(res.searchList.begin(), res.searchList.end(), source), res.searchList.end());
    if (s->kind == SourceKind::kPrs) {
        PrsClose(s->prsSlot);
    } else {
        if (s->rawFile) FileClose(s->rawFile);
        FolderClose(s->folder);
    }
    *s = Source{};
    return 1;
}

ResSource ResGetTopSource() { return res.searchList.empty() ? 0 : res.searchList.back(); }

ResSource ResMoveToTop(ResSource source) {
    auto it = std::find(res.searchList.begin(), res.searchList.end(), source);
    if (source == 0 || it == res.searchList.end()) return 0;
    ResSource previous = res.searchList.back();
    res.searchList.erase(it);
    res.searchList.push_back(source);
    return previous;
}

std::uint16_t ResGetCount(ResSource source) {
    std::uint32_t slot = source & 0xFFFF;
    if (slot >= kResMaxSources) return 0;
    const Source& s = res.table[slot];
    if (s.kind == SourceKind::kPrs) return PrsGetCount(s.prsSlot);
    if (s.kind == SourceKind::kFolder) return static_cast<std::uint16_t>(FolderGetCount(s.folder));
    return 0;
}

std::int16_t ResGetInfo(ResSource source, std::uint16_t n, ResType* type, std::uint16_t* id, char* name,
                        std::uint32_t* size, std::uint16_t* flags, std::uint32_t* offset) {
    Source* s = sourceOf(source);
    if (!s || n >= ResGetCount(source)) return 0;
    Found f{s, s->kind == SourceKind::kPrs ? PrsGetNth(s->prsSlot, n) : 0, static_cast<std::int16_t>(n)};
    bool prs = f.prs != 0;
    if (type) *type = prs ? PrsGetType(f.prs) : FolderGetType(s->folder, f.entry);
    if (id) *id = static_cast<std::uint16_t>(prs ? PrsGetId(f.prs) : FolderGetId(s->folder, f.entry));
    if (name) UtilStrCopy(name, prs ? "" : FolderGetName(s->folder, f.entry), kFolderNameSize);
    if (size) *size = lengthOf(f);
    if (flags) *flags = prs ? PrsGetFlags(f.prs) : FolderGetFlags(s->folder, f.entry);
    if (offset) *offset = prs ? PrsGetOffset(f.prs) : FolderGetOffset(s->folder, f.entry);
    return 1;
}

ResSource ResOpenFile(const char* name) {
    if (!name || !name[0]) return 0;
    ResSource opened = openFileAs(name, false);
    if (opened && res.overrideSource) ResMoveToTop(res.overrideSource);
    return opened;
}

std::int16_t ResCloseFile(ResSource* source) {
    if (source && *source) ResCloseSource(*source);
    if (source) *source = 0;
    return 1;
}

std::int16_t ResOpenOverride() {
    const char* folders[3];
    for (int i = 0; i < 3; ++i) {
        if (res.startupFolders[i].empty()) res.startupFolders[i] = withBackslash(FileGetProgramFolder());
        folders[i] = res.startupFolders[i].c_str();
    }
    ResSetSearchFolders(3, folders);
    res.overrideSource = ResOpenFile("Override");
    return 1;
}

std::int16_t ResCloseOverride() {
    if (res.overrideSource) ResCloseSource(res.overrideSource);
    res.overrideSource = 0;
    return 1;
}

ResSource ResSetOverride(ResSource source) {
    ResSource previous = res.overrideSource;
    res.overrideSource = source;
    return previous;
}

std::int16_t ResMoveSourceToTop(ResSource source) {
    bool moved = ResMoveToTop(source) != 0;
    bool overrideMoved = ResMoveToTop(res.overrideSource) != 0;
    return moved && overrideMoved ? 1 : 0;
}

void ResSetSearchFolders(std::int16_t count, const char* const* list) {
    res.searchFolders.clear();
    for (std::int16_t i = 0; list && i < count && list[i]; ++i) res.searchFolders.emplace_back(list[i]);
}

void ResGetSearchFolders(std::int16_t* count, const char* const** list) {
    res.searchFolderTexts.clear();
    for (const std::string& folder : res.searchFolders) res.searchFolderTexts.push_back(folder.c_str());
    if (count) *count = static_cast<std::int16_t>(res.searchFolderTexts.size());
    if (list) *list = res.searchFolderTexts.data();
}

void ResSetStartupFolders(const char* application, const char* localResources, const char* discResources) {
    res.startupFolders[0] = withBackslash(application);
    res.startupFolders[1] = withBackslash(localResources);
    res.startupFolders[2] = withBackslash(discResources);
}

ResSource ResOpenInFolders(const char* name, std::uint16_t mode) {
    std::int16_t count = 0;
    const char* const* folders = nullptr;
    ResGetSearchFolders(&count, &folders);
    char path[kFilePathSize];
    if (FileFindPathInFolders(name, count, folders, path) || FileFindDirPathInFolders(name, count, folders, path))
        return ResOpenSource(path, mode);
    return 0;
}

MemHandle ResLoad(ResType type, std::uint16_t id) {
    MemHandle handle = 0;
    fromTop([&](Source& s) {
        Found f = findIn(s, type, id);
        if (!f) return false;
        PlatBlock block = f.prs ? loadPrs(f.prs) : loadFolder(s.folder, f.entry);
        if (!block) return false;
        std::uint32_t size = f.prs ? PrsGetLength(f.prs) : FolderGetAllocSize(s.folder, f.entry);
        handle = registerLoaded(ResTypeNormalise(type), id, block, size);
        return true;
    });
    return handle;
}

MemHandle ByteOrderLoad(ResType type, std::uint16_t id, ByteOrderSwap swap) {
    MemHandle handle = ResLoad(type, id);
    if (!handle) return 0;
    void* data = MemHandleGetSize(handle) >= 4 ? MemHandleLock(handle) : nullptr;
    std::uint32_t marker = data ? ByteOrderReadMarker(data) : 0;
    bool valid = data && ByteOrderMarkerValid(marker);
    if (valid && ByteOrderNeedsSwap(marker) && swap) swap(data);
    if (data) MemHandleUnlock(handle);
    if (valid) return handle;
    MemHandleFree(&handle);
    return 0;
}

std::int16_t ResReleaseHandle(MemHandle* handle) {
    if (!handle || !resourceBacked(*handle)) return 0;
    PlatBlock block = MemHandleGetBlock(*handle);
    if (MemHandleUnregister(handle) != 1) return 0;
    Found f = findByBlock(block);
    if (!f) {
        // Its source was closed while the handle lived: the block is ours to free.
        PlatMemFree(&block);
        return 1;
    }
    if (!f.prs) {
        FolderUnload(f.source->folder, f.entry);
        return 1;
    }
    if (PrsDecUseCount(f.prs) != 0) return 0;
    PrsUnload(f.prs);
    return 1;
}

std::int16_t ResRelease(ResType type, std::uint16_t id) {
    Found f = findById(type, id);
    PlatBlock block = f ? blockOf(f) : nullptr;
    MemHandle handle = block ? handleOfBlock(block) : 0;
    return handle ? ResReleaseHandle(&handle) : 0;
}

std::int16_t ResReload(MemHandle handle) {
    Found f = findByHandle(handle);
    if (!f) return 0;
    if (!f.prs) return FolderLoad(f.source->folder, f.entry) == 0 ? 1 : 0;
    if (PrsGetFlags(f.prs) & kPrsDeferred) SndCacheStop();
    if (PrsIsLoaded(f.prs)) return 1;
    return PrsReadData(f.prs) ? 1 : 0;
}

std::int16_t ResDetach(MemHandle handle) {
    if (MemHandleIsLocked(handle)) return 0;
    Found f = findByHandle(handle);
    if (!f) return 0;
    if (f.prs) {
        PrsSetUseCount(f.prs, 0);
        PrsSetFlags(f.prs, kPrsRead, 0);
        PrsSetBlock(f.prs, nullptr);
    } else {
        FolderSetBlock(f.source->folder, f.entry, nullptr);
    }
    MemHandleSetFlags(handle, kMemResource, 0);
    return 1;
}

void ResEndDeferred(MemHandle* handle) {
    if (!handle || !*handle) return;
    Found f = findByBlock(MemHandleGetBlock(*handle));
    if (f && f.prs) PrsSetFlags(f.prs, kPrsDeferred, 0);
    if (f && !f.prs) FolderSetFlags(f.source->folder, f.entry, kFolderDeferred, 0);
    MemHandleUnregister(handle);
}

std::uint16_t ResGetDeferredMode() { return res.deferredMode; }

std::uint16_t ResSetDeferredMode(std::uint16_t value) {
    std::uint16_t previous = res.deferredMode;
    res.deferredMode = value;
    return previous;
}

ResRawRef ResOpenRaw(ResType type, std::uint16_t id, FileRef* file, std::uint32_t* offset, std::uint32_t* size) {
    Found f = findById(type, id);
    if (!f || f.source->rawFile) return 0;
    Source& s = *f.source;
    FileRef opened = f.prs ? PrsOpenData(f.prs, kFileRead) : FolderOpenData(s.folder, f.entry);
    if (!opened) return 0;
    s.rawFile = opened;
    s.rawType = ResTypeNormalise(type);
    s.rawId = id;
    if (file) *file = opened;
    if (offset) *offset = static_cast<std::uint32_t>(FileTell(opened));
    if (size) *size = lengthOf(f);
    std::uint32_t entry = f.prs ? (f.prs & 0xFFFF) : std::uint32_t(f.entry);
    return ResRawRef(slotNumber(s) + 1) << 16 | entry;
}

std::int16_t ResCloseRaw(ResRawRef raw) {
    std::uint32_t slot = (raw >> 16) - 1;
    if (raw == 0 || slot >= kResMaxSources) return 0;
    Source& s = res.table[slot];
    if (s.kind == SourceKind::kFolder && s.rawFile) FileClose(s.rawFile);
    s.rawFile = 0;
    s.rawType = 0;
    s.rawId = 0;
    return 1;
}

std::uint32_t ResGetSize(ResType type, std::uint16_t id) {
    Found f = findById(type, id);
    return f ? lengthOf(f) : 0;
}

std::uint32_t ResGetHandleSize(MemHandle handle) {
    Found f = findByHandle(handle);
    return f ? lengthOf(f) : 0;
}

std::int16_t ResGetKeep(MemHandle handle) { return testFlag(findByHandle(handle), kPrsKeep, kFolderKeep); }

std::int16_t ResSetKeep(MemHandle handle, std::int16_t on) {
    return changeFlag(findByHandle(handle), kPrsKeep, kFolderKeep, on);
}

std::int16_t ResGetKeepById(ResType type, std::uint16_t id) {
    return testFlag(findById(type, id), kPrsKeep, kFolderKeep);
}

std::int16_t ResSetKeepById(ResType type, std::uint16_t id, std::int16_t on) {
    return changeFlag(findById(type, id), kPrsKeep, kFolderKeep, on);
}

std::int16_t ResGetResident(MemHandle handle) { return testFlag(findByHandle(handle), kPrsMark, kFolderMark); }

std::int16_t ResSetResident(MemHandle handle, std::int16_t on) {
    return changeFlag(findByHandle(handle), kPrsMark, kFolderMark, on);
}

std::int16_t ResGetResidentById(ResType type, std::uint16_t id) {
    return testFlag(findById(type, id), kPrsMark, kFolderMark);
}

std::int16_t ResSetResidentById(ResType type, std::uint16_t id, std::int16_t on) {
    return changeFlag(findById(type, id), kPrsMark, kFolderMark, on);
}

std::int16_t ResIsInUse(ResType type, std::uint16_t id) {
    Found f = findById(type, id);
    if (!f) return 0;
    return f.prs ? (PrsGetUseCount(f.prs) > 0 ? 1 : 0) : (blockOf(f) ? 1 : 0);
}

std::int16_t ResIsLoaded(ResType type, std::uint16_t id) {
    Found f = findById(type, id);
    PlatBlock block = f ? blockOf(f) : nullptr;
    return block && !PlatMemIsDiscarded(block) ? 1 : 0;
}
