// Resource folders: listing, name rules, the search tree, and reading whole files into blocks.
#include "ResFolder.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "FileDir.h"
#include "UtilString.h"

struct FolderEntry {
    ResType type = 0;
    std::uint32_t id = 0;
    std::uint16_t flags = 0;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::uint32_t allocSize = 0;
    PlatBlock block = nullptr;
    std::int16_t left = -1;
    std::int16_t right = -1;
    char name[kFolderNameSize] = {};
};

struct FolderIndex {
    char path[kFilePathSize] = {};
    std::vector<FolderEntry> entries;
    std::int16_t root = -1;
};

namespace {

constexpr std::size_t kMaxEntries = 32767;
constexpr int kPendingRanges = 32;

bool keyLess(const FolderEntry& a, const FolderEntry& b) {
    return a.type != b.type ? a.type < b.type : a.id < b.id;
}

// Fills type and id from a file name; false when the name does not name a resource.
bool parseName(const char* name, FolderEntry& entry) {
    std::size_t length = std::strlen(name);
    if (length >= kFolderNameSize || !UtilIsDigit(name[0])) return false;
    std::size_t digits = 0;
    std::uint32_t id = 0;
    while (UtilIsDigit(name[digits])) id = id * 10 + std::uint32_t(name[digits++] - '0');
    const char* dot = std::strrchr(name, '.');
    const char* type = dot ? dot + 1 : name + digits;
    std::size_t typeLength = std::strlen(type);
    if (typeLength < 1 || typeLength > 4) return false;
    ResType raw = 0;
    for (std::size_t i = 0; i < typeLength; ++i) raw |= std::uint32_t(std::uint8_t(type[i])) << (8 * i);
    entry.type = ResTypeNormalise(raw);
    entry.id = id;
    std::memcpy(entry.name, name, length + 1);
    return true;
}

bool known(const FolderIndex& index, const FolderEntry& entry) {
    for (const FolderEntry& other : index.entries)
        if (other.type == entry.type && other.id == entry.id) return true;
    return false;
}

// Adds every file of the folder that names a new resource, sized from the listing itself: opening each file
// would need a slot of the file table, and a full table would drop entries.
void listFolder(FolderIndex& index) {
    std::string pattern = std::string(index.path) + "\\*.*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        FolderEntry entry;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !parseName(found.cFileName, entry) ||
            known(index, entry) || index.entries.size() >= kMaxEntries)
            continue;
        entry.length = entry.allocSize = found.nFileSizeLow;
        index.entries.push_back(entry);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Sorts the entry numbers by (type, id) and hangs them into a balanced tree: each range's middle is a node,
// its lower and upper sub-ranges give its children.
void buildTree(FolderIndex& index) {
    std::vector<std::int16_t> order;
    for (std::size_t i = 0; i < index.entries.size(); ++i) {
        auto n = static_cast<std::int16_t>(i);
        std::size_t at = order.size();
        while (at > 0 && keyLess(index.entries[n], index.entries[order[at - 1]])) --at;
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), n);
    }
    struct Range {
        int low, high;
        std::int16_t* link;
    };
    Range pending[kPendingRanges];
    int count = 0;
    pending[count++] = {0, int(order.size()) - 1, &index.root};
    while (count > 0) {
        Range range = pending[--count];
        if (range.low > range.high) continue;
        int middle = (range.low + range.high) / 2;
        FolderEntry& node = index.entries[order[middle]];
        *range.link = order[middle];
        if (count + 2 > kPendingRanges) continue;
        pending[count++] = {range.low, middle - 1, &node.left};
        pending[count++] = {middle + 1, range.high, &node.right};
    }
}

FolderEntry* entryAt(const FolderIndex* index, std::int16_t entry) {
    if (!index || entry < 0 || std::size_t(entry) >= index->entries.size()) return nullptr;
    return const_cast<FolderEntry*>(&index->entries[std::size_t(entry)]);
}

std::string filePath(const FolderIndex& index, const FolderEntry& entry) {
    return std::string(index.path) + "\\" + entry.name;
}

// A block that a failed read leaves unfilled. A new one is freed; a discarded one that was reallocated for
// the read is discarded again instead, since a resource handle may still hold it, and no longer counts as
// loaded, so that the next load reads the file again.
void dropUnread(FolderEntry& e, bool fresh, bool reused) {
    if (fresh) {
        PlatMemFree(&e.block);
    } else if (reused) {
        (void)PlatMemDiscard(e.block);
        e.flags = static_cast<std::uint16_t>(e.flags & ~kFolderLoaded);
    }
}

}  // namespace

FolderIndex* FolderOpen(const char* path) {
    if (!path || std::strlen(path) >= kFilePathSize || !FileDirExists(path)) return nullptr;
    auto* index = new FolderIndex;
    UtilStrCopy(index->path, path, kFilePathSize);
    listFolder(*index);
    buildTree(*index);
    return index;
}

void FolderClose(FolderIndex* index) { delete index; }

std::int16_t FolderGetCount(const FolderIndex* index) {
    return index ? static_cast<std::int16_t>(index->entries.size()) : 0;
}

std::int16_t FolderFind(const FolderIndex* index, ResType type, std::uint16_t id) {
    if (!index) return -1;
    FolderEntry wanted;
    wanted.type = ResTypeNormalise(type);
    wanted.id = id;
    std::int16_t n = index->root;
    for (std::size_t steps = 0; n >= 0 && steps <= index->entries.size(); ++steps) {
        const FolderEntry& node = index->entries[std::size_t(n)];
        if (node.type == wanted.type && node.id == wanted.id) return n;
        n = keyLess(node, wanted) ? node.right : node.left;
    }
    return -1;
}

std::int16_t FolderFindByBlock(const FolderIndex* index, PlatBlock block) {
    if (!index || !block) return -1;
    for (std::size_t i = 0; i < index->entries.size(); ++i)
        if (index->entries[i].block == block) return static_cast<std::int16_t>(i);
    return -1;
}

std::int16_t FolderLoad(FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    if (!e) return 1;
    if (e->block && !PlatMemIsDiscarded(e->block) && (e->flags & kFolderLoaded)) return 0;
    std::uint32_t bytes = e->allocSize ? e->allocSize : 1;
    bool fresh = e->block == nullptr;
    bool reused = !fresh && PlatMemIsDiscarded(e->block);
    if (fresh) e->block = PlatMemAlloc(bytes, 0);
    else if (reused && !PlatMemResize(&e->block, bytes)) return 1;
    if (!e->block) return 1;
    FileRef file = FolderOpenData(index, entry);
    void* address = file ? PlatMemLock(e->block) : nullptr;
    bool read = address && FileRead(file, address, e->length) == e->length;
    if (address) PlatMemUnlock(e->block);
    if (file) FileClose(file);
    if (!read) {
        dropUnread(*e, fresh, reused);
        return 1;
    }
    e->flags |= kFolderLoaded;
    return 0;
}

std::int16_t FolderUnload(FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    if (!e) return 1;
    if ((e->flags & kFolderKeep) || !e->block) return 0;
    if (!PlatMemFree(&e->block)) return 1;
    e->block = nullptr;
    e->flags = static_cast<std::uint16_t>(e->flags & ~kFolderUnloadClears);
    return 0;
}

FileRef FolderOpenData(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    if (!e) return 0;
    std::string path = filePath(*index, *e);
    FileRef file = path.size() < kFilePathSize ? FileOpen(path.c_str(), kFileRead) : 0;
    if (file && FileSeek(file, std::int32_t(e->offset), 0) != std::int32_t(e->offset)) {
        FileClose(file);
        return 0;
    }
    return file;
}

ResType FolderGetType(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->type : 0;
}

std::uint32_t FolderGetId(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->id : 0;
}

std::uint16_t FolderGetFlags(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->flags : 0;
}

std::uint16_t FolderSetFlags(FolderIndex* index, std::int16_t entry, std::uint16_t mask, std::int16_t on) {
    FolderEntry* e = entryAt(index, entry);
    if (!e) return 0;
    std::uint16_t previous = e->flags;
    e->flags = static_cast<std::uint16_t>(on ? previous | mask : previous & ~mask);
    return previous;
}

const char* FolderGetName(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->name : nullptr;
}

std::uint32_t FolderGetOffset(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->offset : 0;
}

std::uint32_t FolderGetLength(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->length : 0;
}

std::uint32_t FolderGetAllocSize(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->allocSize : 0;
}

void FolderSetAllocSize(FolderIndex* index, std::int16_t entry, std::uint32_t size) {
    if (FolderEntry* e = entryAt(index, entry)) e->allocSize = size;
}

PlatBlock FolderGetBlock(const FolderIndex* index, std::int16_t entry) {
    FolderEntry* e = entryAt(index, entry);
    return e ? e->block : nullptr;
}

void FolderSetBlock(FolderIndex* index, std::int16_t entry, PlatBlock block) {
    if (FolderEntry* e = entryAt(index, entry)) e->block = block;
}
