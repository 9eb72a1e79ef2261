// Linked into the test programs of objects that script handlers may end in mid-call: freed memory is
// overwritten with addresses outside the process, so that code which touches an object after a handler
// ended it faults at once instead of reading stale values. (The compiler cannot see that these replacements
// pair with each other.)
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    if (!p) return;
    std::memset(p, 0xF0, _msize(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }
#pragma GCC diagnostic pop
