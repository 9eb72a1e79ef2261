// A host program of Glimmer.dll: `glimmer_host.exe APPLICATION X Y` loads the library by name, finds
// its five exports under their undecorated names (C calling convention), shows the application's splash
// screen, clicks at (X, Y) and removes it. Exit code 0, or 1 to 3 when the library, an export or the
// window is missing.
#include <windows.h>

#include <cstdlib>

#include "SplashDriver.h"

namespace {

template <typename Function>
Function exported(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

int main(int argc, char** argv) {
    HMODULE library = argc == 4 ? LoadLibraryA("Glimmer.dll") : nullptr;
    if (library == nullptr) return 1;
    const char* const names[] = {"dssDisplaySplashScreen", "dssDisplayLastSplashScreen", "dssRemoveSplashScreen",
                                 "dssHandleHotspotsLocally", "dssDeinitialize"};
    for (const char* name : names) {
        if (GetProcAddress(library, name) == nullptr) return 2;
    }
    if (exported<int(__cdecl*)(char*)>(library, names[0])(argv[1]) != 0) return 2;
    HWND dialog = findSplashDialog();
    if (dialog == nullptr) return 3;
    clickAt(dialog, std::atoi(argv[2]), std::atoi(argv[3]));
    exported<void(__cdecl*)()>(library, names[2])();
    exported<void(__cdecl*)()>(library, names[4])();
    FreeLibrary(library);
    return 0;
}
