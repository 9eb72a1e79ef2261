// The probe hook. Set on the program's thread, it is loaded into the program, so the handles it compares
// (the class icon, the cursor the window sets, the standard icon and arrow) all belong to one process; it
// stays there until the process ends, so its detach runs after the program's own shut-down and can walk
// the heaps.
#include "ProbeHook.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kRegistryName[] = "SetAnswer";
bool exitProbeArmed = false;

void writeProbeFile(const char* name, const std::string& line) {
    const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

// The icon's or cursor's information with its bitmaps already deleted; false when it is no icon.
bool readIcon(HICON icon, ICONINFO& info, BITMAP& bitmap) {
    if (!GetIconInfo(icon, &info)) return false;
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

std::string iconSize(HICON icon) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (!readIcon(icon, info, bitmap)) return "none";
    return std::to_string(bitmap.bmWidth) + "x" + std::to_string(bitmap.bmHeight);
}

std::string hotspot(HCURSOR cursor) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (!readIcon(cursor, info, bitmap)) return "none";
    return std::to_string(info.xHotspot) + "," + std::to_string(info.yHotspot);
}

void report(HWND trinkets) {
    const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(GetAncestor(trinkets, GA_ROOT), GCLP_HICON));
    SendMessageA(trinkets, WM_SETCURSOR, reinterpret_cast<WPARAM>(trinkets), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const HCURSOR cursor = GetCursor();
    const bool standardIcon = icon == LoadIconA(nullptr, IDI_APPLICATION);
    const bool arrow = cursor == LoadCursorA(nullptr, IDC_ARROW);
    const std::string line = std::string("icon ") + (standardIcon ? "standard " : "own ") + iconSize(icon) +
                             ", cursor " + (arrow ? "arrow" : "own") + " hotspot " + hotspot(cursor);
    writeProbeFile(kProbeFile, line);
}

bool holdsRegistryName(const PROCESS_HEAP_ENTRY& entry) {
    const auto* bytes = static_cast<const char*>(entry.lpData);
    const std::size_t size = entry.cbData, length = sizeof kRegistryName - 1;
    for (std::size_t at = 0; size >= length && at <= size - length; ++at) {
        if (std::memcmp(bytes + at, kRegistryName, length) == 0) return true;
    }
    return false;
}

int blocksHoldingRegistryName() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    int found = 0;
    for (const HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) && holdsRegistryName(entry)) ++found;
        }
        HeapUnlock(heap);
    }
    return found;
}

}  // namespace

LRESULT CALLBACK probeMessage(int code, WPARAM removed, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE) {
        if (msg->message == RegisterWindowMessageA(kProbeMessage)) report(msg->hwnd);
        if (msg->message == RegisterWindowMessageA(kExitProbeMessage)) {
            exitProbeArmed = true;
            writeProbeFile(kExitProbeFile, "armed");
        }
    }
    return CallNextHookEx(nullptr, code, removed, message);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved);

// Only a process that ends (reserved non-null) is probed: a probe unloaded earlier has nothing to say.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved && exitProbeArmed)
        writeProbeFile(kExitProbeFile, "left " + std::to_string(blocksHoldingRegistryName()));
    return TRUE;
}
