// Byte copy and fill that ignore null pointers, and the block-kind mode query.
#include "MemUtil.h"

#include <cstring>

void MemCopy(void* dst, const void* src, std::uint32_t n) {
    if (dst && src && n) std::memmove(dst, src, n);
}

void MemFill(void* ptr, std::uint32_t n, std::uint8_t value) {
    if (ptr) std::memset(ptr, value, n);
}

std::int16_t ModeForBlockKind(MemHandle handle, std::int16_t mode) {
    auto* block = static_cast<const std::uint8_t*>(MemHandleLock(handle));
    if (!block) return mode;
    std::uint32_t kind = 0;
    if (MemHandleGetSize(handle) >= 8) std::memcpy(&kind, block + 4, sizeof kind);
    MemHandleUnlock(handle);
    return mode == 7 && kind == 1 ? 6 : mode;
}
