// Platform memory layer over GlobalAlloc and its family; every block is moveable.
#include "PlatMem.h"

#include <windows.h>

#include <algorithm>

namespace {

struct PlatState {
    std::uint32_t count = 0;
    std::uint32_t bytes = 0;
    std::uint32_t peakCount = 0;
    std::uint32_t peakBytes = 0;
    std::uint32_t largest = 0;
    MemLowMemoryCallback callback = nullptr;
    std::int16_t error = 0;
    std::uint16_t mode = 0;
};

PlatState plat;

HGLOBAL native(PlatBlock block) { return static_cast<HGLOBAL>(block); }

void countIn(PlatBlock block) {
    std::uint32_t size = static_cast<std::uint32_t>(GlobalSize(native(block)));
    ++plat.count;
    plat.bytes += size;
    plat.peakCount = std::max(plat.peakCount, plat.count);
    plat.peakBytes = std::max(plat.peakBytes, plat.bytes);
    plat.largest = std::max(plat.largest, size);
}

void countOut(PlatBlock block) {
    --plat.count;
    plat.bytes -= static_cast<std::uint32_t>(GlobalSize(native(block)));
}

bool fail(std::int16_t error) {
    plat.error = error;
    return false;
}

}  // namespace

std::int16_t PlatMemInit(std::int16_t) {
    plat = PlatState{};
    return 1;
}

std::int16_t PlatMemTerm() {
    plat.callback = nullptr;
    plat.error = 0;
    return 1;
}

MemLowMemoryCallback PlatMemSetLowMemoryCallback(MemLowMemoryCallback callback) {
    MemLowMemoryCallback previous = plat.callback;
    plat.callback = callback;
    return previous;
}

std::int16_t PlatMemGetError() { return plat.error; }

PlatBlock PlatMemAlloc(std::uint32_t size, std::uint16_t flags) {
    plat.error = 0;
    UINT nativeFlags = GMEM_MOVEABLE | ((flags & kMemZeroFill) ? GMEM_ZEROINIT : 0);
    for (std::int16_t attempt = 0;; ++attempt) {
        if (HGLOBAL block = GlobalAlloc(nativeFlags, size)) {
            countIn(block);
            return block;
        }
        if ((flags & kMemNoRetry) || !plat.callback || plat.callback(size, attempt) != 0) {
            fail(kMemErrNoMemory);
            return nullptr;
        }
    }
}

std::int16_t PlatMemResize(PlatBlock* block, std::uint32_t size) {
    plat.error = 0;
    if (!block || !*block) return fail(kMemErrNullHandle);
    countOut(*block);
    HGLOBAL resized = GlobalReAlloc(native(*block), size, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!resized) {
        countIn(*block);  // the old block is still there and still counted
        return fail(kMemErrResize);
    }
    *block = resized;
    countIn(resized);
    return 1;
}

std::int16_t PlatMemFree(PlatBlock* block) {
    plat.error = 0;
    if (!block || !*block) return fail(kMemErrNullHandle);
    if (PlatMemLockCount(*block) != 0) return fail(kMemErrLocked);
    countOut(*block);
    if (GlobalFree(native(*block)) != nullptr) {
        countIn(*block);
        return fail(kMemErrLocked);
    }
    *block = nullptr;
    return 1;
}

void* PlatMemLock(PlatBlock block) {
    plat.error = 0;
    if (!block) {
        fail(kMemErrNullHandle);
        return nullptr;
    }
    return GlobalLock(native(block));
}

std::int16_t PlatMemUnlock(PlatBlock block) {
    plat.error = 0;
    if (!block) return fail(kMemErrNullHandle);
    return GlobalUnlock(native(block)) ? 0 : 1;
}

std::uint16_t PlatMemLockCount(PlatBlock block) {
    if (!block) return 0;
    UINT flags = GlobalFlags(native(block));
    return flags == GMEM_INVALID_HANDLE ? 0 : static_cast<std::uint16_t>(flags & GMEM_LOCKCOUNT);
}

std::uint32_t PlatMemSize(PlatBlock block) {
    return block ? static_cast<std::uint32_t>(GlobalSize(native(block))) : 0;
}

std::int16_t PlatMemDiscard(PlatBlock block) {
    plat.error = 0;
    if (!block) return fail(kMemErrNullHandle);
    if (PlatMemLockCount(block) != 0) return fail(kMemErrLocked);
    std::uint32_t before = PlatMemSize(block);
    if (!GlobalReAlloc(native(block), 0, GMEM_MOVEABLE)) return fail(kMemErrLocked);
    plat.bytes -= before;
    return 1;
}

std::int16_t PlatMemIsDiscarded(PlatBlock block) {
    if (!block) return 0;
    UINT flags = GlobalFlags(native(block));
    return flags != GMEM_INVALID_HANDLE && (flags & GMEM_DISCARDED) ? 1 : 0;
}

void PlatMemGetStats(std::uint32_t* count, std::uint32_t* bytes) {
    if (count) *count = plat.count;
    if (bytes) *bytes = plat.bytes;
}

void PlatMemGetPeakStats(std::uint32_t* count, std::uint32_t* bytes, std::uint32_t* largest) {
    if (count) *count = plat.peakCount;
    if (bytes) *bytes = plat.peakBytes;
    if (largest) *largest = plat.largest;
}

std::uint16_t MemSetModeFlag(std::uint16_t value) {
    std::uint16_t previous = plat.mode;
    plat.mode = value;
    return previous;
}
