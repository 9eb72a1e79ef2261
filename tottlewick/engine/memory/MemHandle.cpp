// Handle layer: a chain of handle tables, each one platform block holding a head and its entries.
//
// Each table is one zero-filled platform block, kept locked while the layer runs:
//
//   +--------------------------------------------------------------+
//   | head: count | next | last (first table) or previous | block   |
//   |       base index | free-list head                            |
//   +--------------------------------------------------------------+
//   | entry 0 | entry 1 | ... | entry count-1                       |
//   +--------------------------------------------------------------+
//
// A free entry keeps the local index of the next free entry in its tag; count ends the list.
#include "MemHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

struct HandleEntry {
    PlatBlock block;
    std::int16_t lockCount;
    std::uint32_t size;
    void* address;
    MemHandle handle;
    std::uint32_t tag;
    char name[kMemLabelLength + 1];
    std::uint16_t flags;
    std::uint16_t shareCount;
};

struct HandleTable {
    std::uint16_t count;
    HandleTable* next;
    HandleTable* lastOrPrevious;
    PlatBlock block;
    std::uint16_t base;
    std::uint16_t freeHead;

    HandleEntry* entries() { return reinterpret_cast<HandleEntry*>(this + 1); }
};

struct Slot {
    HandleTable* table = nullptr;
    std::uint16_t local = 0;
    HandleEntry* entry = nullptr;
};

struct MemState {
    std::uint32_t count = 0;
    std::uint32_t bytes = 0;
    std::uint32_t peakCount = 0;
    std::uint32_t peakBytes = 0;
    std::uint32_t largest = 0;
    HandleTable* chain = nullptr;
    std::uint16_t growCount = 0;
    std::uint16_t defaultFlags = kMemZeroFill;
    std::uint16_t sequence = 1;
    MemLowMemoryCallback callback = nullptr;
    std::int16_t error = 0;
};

constexpr std::uint32_t kMaxEntries = 65536;

MemState mem;
MemReleaseHook releaseHook = nullptr;
MemReloadHook reloadHook = nullptr;

std::int16_t fail(std::int16_t error) {
    mem.error = error;
    return 0;
}

HandleTable* lastTable() { return mem.chain ? mem.chain->lastOrPrevious : nullptr; }

HandleTable* appendTable(std::uint16_t count) {
    HandleTable* last = lastTable();
    std::uint32_t base = last ? std::uint32_t{last->base} + last->count : 0;
    if (count == 0 || base + count > kMaxEntries) return nullptr;
    PlatBlock block = PlatMemAlloc(sizeof(HandleTable) + count * sizeof(HandleEntry), kMemZeroFill);
    if (!block) return nullptr;
    auto* table = static_cast<HandleTable*>(PlatMemLock(block));
    if (!table) {
        PlatMemFree(&block);
        return nullptr;
    }
    table->count = count;
    table->block = block;
    table->base = static_cast<std::uint16_t>(base);
    for (std::uint16_t i = 0; i < count; ++i) table->entries()[i].tag = i + 1u;
    if (last) {
        last->next = table;
        table->lastOrPrevious = last;
        mem.chain->lastOrPrevious = table;
    } else {
        mem.chain = table;
        table->lastOrPrevious = table;
    }
    return table;
}

Slot slotAt(std::uint32_t index) {
    for (HandleTable* table = mem.chain; table; table = table->next) {
        if (index < std::uint32_t{table->base} + table->count) {
            auto local = static_cast<std::uint16_t>(index - table->base);
            return {table, local, &table->entries()[local]};
        }
    }
    return {};
}

// The live entry of a handle, or an empty slot for a null, stale or never issued handle.
Slot findLive(MemHandle handle) {
    if (handle == 0) return {};
    Slot slot = slotAt(handle & 0xFFFF);
    return slot.entry && slot.entry->handle == handle ? slot : Slot{};
}

// The live entry of a handle; sets error 2 for a null handle. A stale or never issued handle leaves the
// error word at 0: the operation simply does nothing. Every lock and unlock comes here, so the usual
// handle, one in the first table, is found without walking the chain.
HandleEntry* liveEntry(MemHandle handle) {
    mem.error = 0;
    if (handle == 0) {
        fail(kMemErrNullHandle);
        return nullptr;
    }
    const std::uint32_t index = handle & 0xFFFF;
    HandleTable* first = mem.chain;
    if (!first || index >= first->count) return findLive(handle).entry;
    HandleEntry* entry = &first->entries()[index];
    return entry->handle == handle ? entry : nullptr;
}

template <typename Visit>
void forEachLive(std::uint32_t firstIndex, Visit visit) {
    for (HandleTable* table = mem.chain; table; table = table->next) {
        for (std::uint16_t i = 0; i < table->count; ++i) {
            HandleEntry& entry = table->entries()[i];
            if (std::uint32_t{table->base} + i >= firstIndex && entry.handle != 0 && !visit(entry)) return;
        }
    }
}

bool labelMatches(const HandleEntry& entry, const char* name, const std::uint32_t* tag) {
    return (!name || std::strcmp(entry.name, name) == 0) && (!tag || entry.tag == *tag);
}

MemHandle shareExisting(PlatBlock block) {
    MemHandle found = 0;
    forEachLive(0, [&](HandleEntry& entry) {
        if (entry.block != block) return true;
        ++entry.shareCount;
        found = entry.handle;
        return false;
    });
    return found;
}

Slot takeFreeEntry() {
    HandleTable* table = mem.chain;
    while (table && table->freeHead >= table->count) table = table->next;
    if (!table) table = appendTable(mem.growCount);
    if (!table) return {};
    std::uint16_t local = table->freeHead;
    HandleEntry* entry = &table->entries()[local];
    table->freeHead = static_cast<std::uint16_t>(entry->tag);
    return {table, local, entry};
}

void countIn(std::uint32_t size) {
    ++mem.count;
    mem.bytes += size;
    mem.peakCount = std::max(mem.peakCount, mem.count);
    mem.peakBytes = std::max(mem.peakBytes, mem.bytes);
    mem.largest = std::max(mem.largest, size);
}

void releaseEntry(const Slot& slot) {
    HandleEntry& entry = *slot.entry;
    if (!(entry.flags & kMemUnmapped)) PlatMemUnlock(entry.block);
    --mem.count;
    mem.bytes -= entry.size;
    entry = HandleEntry{};
    entry.tag = slot.table->freeHead;
    slot.table->freeHead = slot.local;
}

// An entry that holds an address holds the platform lock taken with it, and a locked block cannot be
// discarded; discarding goes through MemHandlePurge, which forgets the address. So only an entry without
// an address needs to ask the platform, which spares a flags query on every lock of a mapped block.
bool isDiscarded(const HandleEntry& entry) { return !entry.address && PlatMemIsDiscarded(entry.block); }

// Reads a discarded resource-backed block back through the resource manager before a lock.
void reloadIfDiscarded(HandleEntry& entry) {
    if (!(entry.flags & kMemResource) || !isDiscarded(entry)) return;
    if (!reloadHook || !reloadHook(entry.handle)) entry.address = nullptr;
}

void relock(HandleEntry& entry) {
    if (!(entry.flags & kMemUnmapped)) entry.address = PlatMemLock(entry.block);
}

}  // namespace

std::int16_t MemInit(std::uint16_t initialEntries, std::uint16_t growEntries) {
    mem = MemState{};
    mem.growCount = growEntries;
    PlatMemInit(0);
    return appendTable(initialEntries) ? 1 : 0;
}

std::int16_t MemTerm() {
    for (HandleTable* table = mem.chain; table;) {
        HandleTable* next = table->next;
        PlatBlock block = table->block;
        PlatMemUnlock(block);
        PlatMemFree(&block);
        table = next;
    }
    mem.chain = nullptr;
    PlatMemTerm();
    return 1;
}

std::int16_t MemIsStarted() { return mem.chain ? 1 : 0; }

std::int16_t MemGetError() { return mem.error; }

MemLowMemoryCallback MemSetLowMemoryCallback(MemLowMemoryCallback callback) {
    MemLowMemoryCallback previous = mem.callback;
    mem.callback = callback;
    return previous;
}

std::uint16_t MemGetDefaultFlags() { return mem.defaultFlags; }

std::uint16_t MemSetDefaultFlags(std::uint16_t flags) {
    std::uint16_t previous = mem.defaultFlags;
    mem.defaultFlags = flags;
    return previous;
}

void MemSetResourceHooks(MemReleaseHook release, MemReloadHook reload) {
    releaseHook = release;
    reloadHook = reload;
}

MemHandle MemHandleAlloc(std::uint32_t size) { return MemHandleAllocFlags(size, mem.defaultFlags); }

MemHandle MemHandleAllocFlags(std::uint32_t size, std::uint16_t flags) {
    mem.error = 0;
    for (std::int16_t attempt = 0;; ++attempt) {
        if (PlatBlock block = PlatMemAlloc(size, flags)) {
            MemHandle handle = MemHandleRegister(block, size, flags | kMemFreshBlock);
            if (!handle) PlatMemFree(&block);
            return handle;
        }
        fail(kMemErrNoMemory);
        if ((flags & kMemNoRetry) || !mem.callback || mem.callback(size, attempt) != 0) return 0;
    }
}

MemHandle MemHandleRegister(PlatBlock block, std::uint32_t size, std::uint16_t flags) {
    mem.error = 0;
    if (!block) return fail(kMemErrNullHandle);
    if (!(flags & kMemFreshBlock)) {
        if (MemHandle shared = shareExisting(block)) return shared;
    }
    Slot slot = takeFreeEntry();
    if (!slot.entry) return fail(kMemErrNoMemory);
    HandleEntry& entry = *slot.entry;
    entry = HandleEntry{};
    entry.handle = (MemHandle{mem.sequence} << 16) | (slot.table->base + slot.local);
    mem.sequence = static_cast<std::uint16_t>(mem.sequence + 2);
    entry.block = block;
    entry.size = size;
    entry.flags = flags;
    relock(entry);
    countIn(size);
    entry.shareCount = 1;
    return entry.handle;
}

// Clears the caller's handle only when a registration was released; a refusal leaves it valid.
std::int16_t MemHandleUnregister(MemHandle* handle) {
    mem.error = 0;
    if (!handle) return fail(kMemErrNullHandle);
    Slot slot = findLive(*handle);
    if (!slot.entry) return *handle ? 0 : fail(kMemErrNullHandle);
    HandleEntry& entry = *slot.entry;
    if (entry.shareCount == 1 && entry.lockCount != 0) return fail(kMemErrLocked);
    *handle = 0;
    if (--entry.shareCount > 0) return 0;
    releaseEntry(slot);
    return 1;
}

std::int16_t MemHandleFree(MemHandle* handle) {
    mem.error = 0;
    if (!handle || !*handle) return fail(kMemErrNullHandle);
    HandleEntry* entry = findLive(*handle).entry;
    if (!entry) return fail(kMemErrLocked);
    if (entry->shareCount == 1 && entry->lockCount != 0) return fail(kMemErrLocked);
    if ((entry->flags & kMemResource) && releaseHook) return releaseHook(handle);
    PlatBlock block = entry->block;
    if (!block) return fail(kMemErrLocked);
    if (MemHandleUnregister(handle) == 1) PlatMemFree(&block);
    return 1;
}

void* MemHandleLock(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    if (!entry) return nullptr;
    reloadIfDiscarded(*entry);
    if (entry->flags & kMemUnmapped) return nullptr;
    if (!entry->address) entry->address = PlatMemLock(entry->block);
    if (!entry->address) {
        fail(kMemErrNoBlock);
        return nullptr;
    }
    ++entry->lockCount;
    return entry->address;
}

std::int16_t MemHandleUnlock(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    if (entry && !(entry->flags & kMemUnmapped)) --entry->lockCount;
    return 0;
}

std::int16_t MemHandleIsLocked(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    return entry && entry->lockCount != 0 ? 1 : 0;
}

void* MemHandleGetPtr(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    return entry && entry->lockCount != 0 ? entry->address : nullptr;
}

std::uint32_t MemHandleGetSize(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    return entry && !isDiscarded(*entry) ? entry->size : 0;
}

PlatBlock MemHandleGetBlock(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    return entry ? entry->block : nullptr;
}

std::uint16_t MemHandleSetFlags(MemHandle handle, std::uint16_t mask, std::int16_t on) {
    HandleEntry* entry = liveEntry(handle);
    if (!entry) return 0;
    std::uint16_t previous = entry->flags;
    entry->flags = static_cast<std::uint16_t>(on ? previous | mask : previous & ~mask);
    return previous;
}

std::int16_t MemHandleSetLabel(MemHandle handle, const char* name, std::uint32_t tag) {
    HandleEntry* entry = liveEntry(handle);
    if (!entry) return 0;
    if (name) {
        std::memset(entry->name, 0, sizeof entry->name);
        std::strncpy(entry->name, name, kMemLabelLength);
    }
    entry->tag = tag;
    return 1;
}

std::int16_t MemHandleGetLabel(MemHandle handle, char* nameOut, std::uint32_t* tagOut) {
    HandleEntry* entry = liveEntry(handle);
    if (!entry) return 0;
    if (nameOut) std::memcpy(nameOut, entry->name, sizeof entry->name);
    if (tagOut) *tagOut = entry->tag;
    return 1;
}

MemHandle MemHandleFind(MemHandle after, const char* name, const std::uint32_t* tag) {
    mem.error = 0;
    MemHandle found = 0;
    forEachLive(after ? (after & 0xFFFF) + 1 : 0, [&](const HandleEntry& entry) {
        if (!labelMatches(entry, name, tag)) return true;
        found = entry.handle;
        return false;
    });
    return found;
}

// Walks by handle, so a visitor may free the handle it is given.
std::uint32_t MemHandleForEach(MemHandleVisitor visitor, const char* name, const std::uint32_t* tag) {
    mem.error = 0;
    if (!visitor) return static_cast<std::uint32_t>(fail(kMemErrNoBlock));
    std::uint32_t calls = 0;
    for (MemHandle handle = MemHandleFind(0, name, tag); handle; handle = MemHandleFind(handle, name, tag)) {
        ++calls;
        if (visitor(handle) == 0) break;
    }
    return calls;
}

MemHandle MemHandleFromPtr(const void* address) {
    mem.error = 0;
    if (!address) return static_cast<MemHandle>(fail(kMemErrNoBlock));
    MemHandle found = 0;
    forEachLive(0, [&](const HandleEntry& entry) {
        if (entry.address != address) return true;
        found = entry.handle;
        return false;
    });
    return found;
}

std::int16_t MemHandleResize(MemHandle* handle, std::uint32_t size) {
    return MemHandleResize(handle, size, mem.defaultFlags);
}

std::int16_t MemHandleResize(MemHandle* handle, std::uint32_t size, std::uint16_t flags) {
    if (!handle) return fail(kMemErrNullHandle);
    HandleEntry* entry = liveEntry(*handle);
    if (!entry) return 0;
    if (!(entry->flags & kMemUnmapped)) PlatMemUnlock(entry->block);
    for (std::int16_t attempt = 0;; ++attempt) {
        PlatBlock block = entry->block;
        if (PlatMemResize(&block, size)) {
            mem.bytes = mem.bytes - entry->size + size;
            mem.peakBytes = std::max(mem.peakBytes, mem.bytes);
            mem.largest = std::max(mem.largest, size);
            entry->block = block;
            entry->size = size;
            relock(*entry);
            return 1;
        }
        fail(kMemErrResize);
        if ((flags & kMemNoRetry) || !mem.callback || mem.callback(size, attempt) != 0) {
            relock(*entry);
            return 0;
        }
    }
}

// Discarding forgets the stored address, so that the next lock maps the block read back.
std::int16_t MemHandlePurge(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    if (!entry) return 0;
    if (!PlatMemDiscard(entry->block)) return fail(PlatMemGetError());
    entry->address = nullptr;
    return 1;
}

std::int16_t MemHandleIsPurged(MemHandle handle) {
    HandleEntry* entry = liveEntry(handle);
    return entry && isDiscarded(*entry) ? 1 : 0;
}

void MemGetStats(std::uint32_t* count, std::uint32_t* bytes, std::uint32_t* largestLive) {
    if (count) *count = mem.count;
    if (bytes) *bytes = mem.bytes;
    if (!largestLive) return;
    *largestLive = 0;
    forEachLive(0, [&](const HandleEntry& entry) {
        *largestLive = std::max(*largestLive, entry.size);
        return true;
    });
}

void MemGetPeakStats(std::uint32_t* count, std::uint32_t* bytes, std::uint32_t* largest) {
    if (count) *count = mem.peakCount;
    if (bytes) *bytes = mem.peakBytes;
    if (largest) *largest = mem.largest;
}

void MemGetFreeSpace(std::uint32_t* a, std::uint32_t* b, std::uint32_t* c, std::uint32_t* d) {
    constexpr std::uint32_t kNominal = 1048576;
    std::uint32_t compacted = static_cast<std::uint32_t>(GlobalCompact(0));
    if (a) *a = kNominal;
    if (b) *b = kNominal;
    if (c) *c = compacted;
    if (d) *d = compacted;
}

void* MemPtrAlloc(std::uint32_t size) { return MemPtrAllocFlags(size, mem.defaultFlags); }

void* MemPtrAllocFlags(std::uint32_t size, std::uint16_t flags) {
    MemHandle handle = MemHandleAllocFlags(size, flags);
    if (!handle) return nullptr;
    std::uint16_t mode = MemSetModeFlag(1);
    void* address = MemHandleLock(handle);
    MemSetModeFlag(mode);
    return address;
}

std::int16_t MemPtrFree(void** address) {
    if (!address || !*address) return fail(kMemErrNoBlock);
    MemHandle handle = MemHandleFromPtr(*address);
    if (!handle) return 0;
    MemHandleUnlock(handle);
    if (!MemHandleFree(&handle)) return 0;
    *address = nullptr;
    return 1;
}

std::uint32_t MemPtrGetSize(const void* address) {
    MemHandle handle = MemHandleFromPtr(address);
    return handle ? MemHandleGetSize(handle) : 0;
}
