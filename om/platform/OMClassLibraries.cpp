// The Win32 side of class plug-ins: LoadLibraryA with the attach entry, FreeLibrary, the "*.lrn" scan.
#include "OMClassLibraries.h"

#include <windows.h>

#include "OMPlugin.h"
#include "OMSR.h"

namespace {

// Longest list-box entry taken, with its terminating zero; longer entries are skipped.
constexpr LRESULT kEntryBufferSize = 1024;

void* loadLibraryFile(const char* fileName) {
    HMODULE library = LoadLibraryA(fileName);
    if (!library) return nullptr;
    auto attach = reinterpret_cast<OMPluginAttachEntry>(
        reinterpret_cast<void*>(GetProcAddress(library, kOMPluginAttachName)));
    if (!attach || !attach(&omGlobals(), kOMPluginInterfaceVersion)) {
        FreeLibrary(library);
        return nullptr;
    }
    return library;
}

void releaseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

// A hidden list box lists the plug-in files of the current folder; they are taken from the last entry.
void listLibraryFiles(void (*each)(const char* fileName)) {
    HWND list = CreateWindowExA(0, "LISTBOX", "*.lrn", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!list) return;
    SendMessageA(list, LB_DIR, 0, reinterpret_cast<LPARAM>("*.lrn"));
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = count == LB_ERR ? -1 : count - 1; i >= 0; --i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        if (length == LB_ERR) break;
        if (length >= kEntryBufferSize) continue;
        char entry[kEntryBufferSize];
        if (SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry)) == LB_ERR) break;
        each(entry);
    }
    DestroyWindow(list);
}

const OMClassLibraryLoader win32Loader = {loadLibraryFile, releaseLibrary, listLibraryFiles};

}  // namespace

void installClassLibraryLoader() { setClassLibraryLoader(&win32Loader); }
