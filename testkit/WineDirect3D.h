// Wine's Direct3D renderer setting for the DirectDraw tests and benchmarks.
#pragma once

#include <windows.h>

// Wine's DirectDraw draws on an 8-bit X display only through its GDI renderer: sets
// HKCU\Software\Wine\Direct3D "renderer" to "gdi" in this Wine world. ddraw.dll reads the setting when it
// loads, so call this before.
inline void useWineGdiRenderer() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Direct3D", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, "renderer", 0, REG_SZ, reinterpret_cast<const BYTE*>("gdi"), 4);
    RegCloseKey(key);
}
