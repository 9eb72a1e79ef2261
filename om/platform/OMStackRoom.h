// The room left on the calling thread's stack, for work that nests as deep as its input asks.
#pragma once

#include <cstddef>

// The bytes between the caller's frame and the lowest address of the thread's stack reservation.
std::size_t stackRoom();
