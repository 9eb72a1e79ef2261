// Objects whose deletion fills their memory with a pattern and keeps it: a call through a deleted object's
// table then faults at once, and a write to it shows as a changed byte.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

template <class T>
struct Poisoned : T {
    static constexpr unsigned char kPattern = 0xA5;
    using T::T;

    // Out of line, so that the compiler pairs the delete below with this new.
    [[gnu::noinline]] static void* operator new(std::size_t size) { return ::operator new(size); }
    static void operator delete(void* memory) {
        std::memset(memory, kPattern, sizeof(Poisoned));
        kept().push_back(memory);
    }
    // True when nothing wrote to the deleted object since its deletion.
    static bool untouched(const void* gone) {
        const auto* bytes = static_cast<const unsigned char*>(gone);
        return std::all_of(bytes, bytes + sizeof(Poisoned), [](unsigned char b) { return b == kPattern; });
    }
    // Frees what the deleted objects held.
    static void release() {
        for (void* memory : kept()) ::operator delete(memory);
        kept().clear();
    }

private:
    static std::vector<void*>& kept() {
        static std::vector<void*> memory;
        return memory;
    }
};
