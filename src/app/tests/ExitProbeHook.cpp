// The exit probe. Set on the program's thread, it is loaded into the program and stays there until the
// process ends; its detach then runs after the program's own shut-down, when it walks the heaps.
#include "ExitProbeHook.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kName[] = "SetAnswer";
bool armed = false;

void writeProbeFile(const std::string& line) {
    const HANDLE file = CreateFileA(kExitProbeFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

bool holdsName(const PROCESS_HEAP_ENTRY& entry) {
    const auto* bytes = static_cast<const char*>(entry.lpData);
    const std::size_t size = entry.cbData, length = sizeof kName - 1;
    for (std::size_t at = 0; size >= length && at <= size - length; ++at) {
        if (std::memcmp(bytes + at, kName, length) == 0) return true;
    }
    return false;
}

int blocksHoldingName() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    int found = 0;
    for (const HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && holdsName(entry)) ++found;
        }
        HeapUnlock(heap);
    }
    return found;
}

}  // namespace

LRESULT CALLBACK exitProbeMessage(int code, WPARAM removed, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == RegisterWindowMessageA(kExitProbeMessage)) {
        armed = true;
        writeProbeFile("armed");
    }
    return CallNextHookEx(nullptr, code, removed, message);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved);

// Only a process that ends (reserved non-null) is probed: a probe unloaded earlier has nothing to say.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved && armed) writeProbeFile("left " + std::to_string(blocksHoldingName()));
    return TRUE;
}
