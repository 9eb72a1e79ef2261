// Keeps allocation failures inside the library: every exported entry runs its body through
// guardedCall, which turns std::bad_alloc into the entry's failure result.
#pragma once

#include <new>

template <typename Result, typename Body>
Result guardedCall(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return failure;
    }
}

template <typename Body>
void guardedCall(Body&& body) noexcept {
    try {
        body();
    } catch (const std::bad_alloc&) {
    }
}
