// The drive door lock: the DOS IOCTL service of Windows 95/98 or the media-removal control of NT.
#include "DiscLock.h"

#include <cstdint>
#include <string>

#include "AppGlobals.h"

namespace {

// The register record of the DOS IOCTL service, 32 bits each.
struct DiocRegisters {
    DWORD ebx, edx, ecx, eax, edi, esi, flags;
};
static_assert(sizeof(DiocRegisters) == 28, "the register record is 28 bytes");

// The parameter block of "lock or unlock removable media".
struct LockBlock {
    std::uint8_t operation;  // 0 lock, 1 unlock
    std::uint8_t lockCount;  // outstanding locks, returned
};

constexpr DWORD kDiocDosIoctl = 1;
constexpr DWORD kCarryFlag = 1;
constexpr DWORD kMediaRemoval = 0x00074804;  // IOCTL_DISK_MEDIA_REMOVAL
// The lock count is a byte, so no drive holds more locks than this: an unlock stops after as many calls.
constexpr int kMaxUnlockCalls = 255;

std::uint8_t doorState = 0;

DWORD systemPlatformId() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) ? version.dwPlatformId : 0;
}

HANDLE systemOpen(const char* path, DWORD access, DWORD share, DWORD creation, DWORD flags) {
    return CreateFileA(path, access, share, nullptr, creation, flags, nullptr);
}

BOOL systemControl(HANDLE device, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize) {
    DWORD returned = 0;
    return DeviceIoControl(device, code, in, inSize, out, outSize, &returned, nullptr);
}

BOOL systemClose(HANDLE device) {
    return CloseHandle(device);
}

const DiscLockPlatform systemPlatform{systemPlatformId, systemOpen, systemControl, systemClose};
const DiscLockPlatform* platform = &systemPlatform;

char driveLetter() {
    return AppGetDiscResourceFolder()[0];
}

bool dosLockCall(HANDLE device, LockBlock& block) {
    DiocRegisters registers{};
    registers.eax = 0x440D;
    registers.ebx = static_cast<DWORD>(driveLetter() - 0x40);
    registers.ecx = 0x0848;
    registers.edx = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(&block));
    registers.flags = kCarryFlag;
    return platform->control(device, kDiocDosIoctl, &registers, sizeof registers, &registers, sizeof registers) &&
           !(registers.flags & kCarryFlag);
}

// An unlock repeats while the drive reports outstanding locks, at most kMaxUnlockCalls times.
void lockWindows95(std::uint8_t lock) {
    const HANDLE device = platform->open("\\\\.\\vwin32", 0, 0, 0, FILE_FLAG_DELETE_ON_CLOSE);
    if (device == INVALID_HANDLE_VALUE) return;
    LockBlock block{static_cast<std::uint8_t>(lock ? 0 : 1), 0};
    for (int call = 0; call < kMaxUnlockCalls && dosLockCall(device, block); ++call) {
        if (lock || block.lockCount == 0) {
            doorState = lock;
            break;
        }
        block.lockCount = 0;
    }
    platform->close(device);
}

void lockWindowsNt(std::uint8_t lock) {
    const std::string path = std::string("\\\\.\\") + driveLetter() + ":";
    const HANDLE device =
        platform->open(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0);
    if (device == INVALID_HANDLE_VALUE) return;
    std::uint8_t prevent = lock;
    if (platform->control(device, kMediaRemoval, &prevent, 1, nullptr, 0)) doorState = lock;
    platform->close(device);
}

}  // namespace

void DiscLockDoor(std::uint8_t lock) {
    if (lock == doorState) return;
    switch (platform->platformId()) {
    case VER_PLATFORM_WIN32_WINDOWS:
        lockWindows95(lock);
        break;
    case VER_PLATFORM_WIN32_NT:
        lockWindowsNt(lock);
        break;
    default:
        break;
    }
}

const DiscLockPlatform* DiscLockSetPlatform(const DiscLockPlatform* replacement) {
    const DiscLockPlatform* previous = platform;
    platform = replacement ? replacement : &systemPlatform;
    return previous;
}
