// Keeps the data disc's drive door locked while the program runs.
#pragma once

#include <windows.h>

#include <cstdint>

// The system calls the lock makes, replaceable in tests.
struct DiscLockPlatform {
    DWORD (*platformId)();  // GetVersionEx's platform id
    HANDLE (*open)(const char* path, DWORD access, DWORD share, DWORD creation, DWORD flags);
    BOOL (*control)(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize);
    BOOL (*close)(HANDLE device);
};

// Locks (1) or unlocks (0) the door of the disc resource folder's drive; a call that asks for the state
// the door is in does nothing, and a failed call leaves the state for a later one to try again.
void DiscLockDoor(std::uint8_t lock);
// Null restores the system's calls; returns the previous set.
const DiscLockPlatform* DiscLockSetPlatform(const DiscLockPlatform* platform);
