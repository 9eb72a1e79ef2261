// The DirectDraw library, loaded by name on first use and freed by its module terminator.
#pragma once

#include <windows.h>

#include <ddraw.h>

// The library's module and the three entry points the application uses; each stays null when the
// library or the export is missing.
struct OMDirectDrawLibrary {
    HMODULE module = nullptr;
    HRESULT(WINAPI* directDrawCreate)(GUID* driver, IDirectDraw** made, IUnknown* outer) = nullptr;
    HRESULT(WINAPI* enumerateA)(LPDDENUMCALLBACKA callback, void* context) = nullptr;
    HRESULT(WINAPI* enumerateExA)(LPDDENUMCALLBACKEXA callback, void* context, DWORD flags) = nullptr;

    // DirectDraw is used only when it can be created and at least one enumerate function exists.
    bool usable() const { return directDrawCreate && (enumerateA || enumerateExA); }
};

const OMDirectDrawLibrary& directDrawLibrary();

// Loads "DDRAW.DLL" and fetches its entry points once; nothing when it is already loaded.
void loadDirectDraw();
// Frees the library when loaded; the entry points go with it. The module's terminator.
void unloadDirectDraw();

// The application's IDirectDraw2 while the application runs in DirectDraw mode, else null: every
// surface, clipper and palette of the canvases is made through it.
IDirectDraw2* activeDirectDraw();
