// The automation object "Dunmoth.Logging" and the library's COM entry points behind it.
#pragma once

#include <windows.h>

// The module the library was loaded as (set by DllMain); its type library is read from there.
void setWXLogModule(HMODULE module);
HMODULE wxlogModule();

// The class factory of the automation object, for DllGetClassObject.
HRESULT getWXLogClassObject(REFCLSID clsid, REFIID iid, void** object);

// True while an automation object lives or a client holds a server lock.
bool wxlogServerInUse();

// Writes the CLSID, ProgID and in-process server keys under HKEY_CLASSES_ROOT.
HRESULT registerWXLogServer();
