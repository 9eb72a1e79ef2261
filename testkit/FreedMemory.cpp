// Replaces the program's new and delete (see FreedMemory.h). Blocks up to kHeldSize are objects a handler
// may end in mid-call; larger ones (pictures, buffers) are filled and given back at once, so that what is
// held stays small.
#include "FreedMemory.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>

namespace {

constexpr unsigned char kFill = 0xF0;
constexpr std::size_t kHeldSize = 4096;
constexpr std::size_t kHeldBlocks = 4096;

std::atomic<void*> held[kHeldBlocks];
std::atomic<std::size_t> nextHeld{0};

}  // namespace

// The compiler cannot see that these replacements pair with each other.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (!p) return;
    const std::size_t size = _msize(p);
    std::memset(p, kFill, size);
    if (size > kHeldSize) return std::free(p);
    std::free(held[nextHeld++ % kHeldBlocks].exchange(p));
}
void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }
#pragma GCC diagnostic pop

bool freedUntouched(const void* block) {
    const auto* bytes = static_cast<const unsigned char*>(block);
    return std::all_of(bytes, bytes + _msize(const_cast<void*>(block)), [](unsigned char b) { return b == kFill; });
}
