// A host program of Glimmer.dll for the end-to-end tests: loads the library by name, finds its five
// exports under their undecorated names with the C calling convention, shows the splash screen of an
// application, clicks at a point of it and removes it.
//
//   glimmer_host.exe APPLICATION X Y
//
// Prints "removed after N ms"; exit code 0, or 1 to 3 when the library, an export or the window is
// missing.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "SplashDriver.h"

namespace {

using DisplayFunction = int(__cdecl*)(char*);
using VoidFunction = void(__cdecl*)();
using HandBackFunction = void(__cdecl*)(char*, int*);

template <typename Function>
Function exported(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 1;
    HMODULE library = LoadLibraryA("Glimmer.dll");
    if (library == nullptr) return 1;
    auto display = exported<DisplayFunction>(library, "dssDisplaySplashScreen");
    auto displayLast = exported<DisplayFunction>(library, "dssDisplayLastSplashScreen");
    auto remove = exported<VoidFunction>(library, "dssRemoveSplashScreen");
    auto handBack = exported<HandBackFunction>(library, "dssHandleHotspotsLocally");
    auto deinitialize = exported<VoidFunction>(library, "dssDeinitialize");
    if (!display || !displayLast || !remove || !handBack || !deinitialize) return 2;

    if (display(argv[1]) != 0) return 2;
    HWND dialog = findSplashDialog();
    if (dialog == nullptr) return 3;
    clickAt(dialog, std::atoi(argv[2]), std::atoi(argv[3]));
    unsigned long start = GetTickCount();
    remove();
    std::printf("removed after %lu ms\n", GetTickCount() - start);
    deinitialize();
    FreeLibrary(library);
    return 0;
}
