// The single-instance check and the hand-over of the command line to the first instance.
#include "AppInstance.h"

#include <windows.h>

#include <cstring>

#include "AppGlobals.h"
#include "ByteWriter.h"

namespace {

constexpr DWORD kMappingSize = 32;
constexpr std::uint32_t kDropFilesOffset = 20;

// Places the block as CF_HDROP on the clipboard owned by `owner`; nothing when it cannot be made.
void placeDropBlock(HWND owner, const std::string& block) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, block.size());
    if (!memory) return;
    if (void* address = GlobalLock(memory)) {
        std::memcpy(address, block.data(), block.size());
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return;
    }
    if (!SetClipboardData(CF_HDROP, memory)) GlobalFree(memory);
    CloseClipboard();
}

}  // namespace

std::string AppDropBlock(const std::string& commandLine) {
    ByteWriter out(ByteOrder::little);
    out.u32(kDropFilesOffset);
    for (int field = 0; field < 4; ++field) out.u32(0);  // point x and y, non-client, wide characters
    out.text(commandLine);
    out.u16(0);
    return out.str();
}

std::int16_t AppCheckSingleInstance(void*, std::int16_t handOver) {
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, kMappingSize, AppGetProductName());
    if (!mapping || GetLastError() != ERROR_ALREADY_EXISTS) return 0;
    CloseHandle(mapping);
    if (!handOver) return 1;
    HWND first = FindWindowA(AppGetProductName(), nullptr);
    if (!first) return 1;
    ShowWindow(first, SW_MAXIMIZE);
    SetForegroundWindow(first);
    placeDropBlock(first, AppDropBlock(AppGetCommandLine()));
    SendMessageA(first, WM_USER, kAppHandOverCode, 0);
    return 1;
}
