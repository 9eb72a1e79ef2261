// A stand-in for ddraw.dll in the fallback tests, built twice: with DirectDrawCreate only, and with the
// two enumerate functions as well. DirectDrawCreate notes each call in "fakeddraw.log" of the current
// folder and fails, as do the enumerate functions.
#include <windows.h>

#include <cstdio>

extern "C" {
HRESULT WINAPI DirectDrawCreate(GUID* driver, void** made, IUnknown* outer);
HRESULT WINAPI DirectDrawEnumerateA(void* callback, void* context);
HRESULT WINAPI DirectDrawEnumerateExA(void* callback, void* context, DWORD flags);
}

HRESULT WINAPI DirectDrawCreate(GUID*, void** made, IUnknown*) {
    if (std::FILE* log = std::fopen("fakeddraw.log", "ab")) {
        std::fputs("DirectDrawCreate\n", log);
        std::fclose(log);
    }
    *made = nullptr;
    return E_FAIL;
}

HRESULT WINAPI DirectDrawEnumerateA(void*, void*) { return E_FAIL; }

HRESULT WINAPI DirectDrawEnumerateExA(void*, void*, DWORD) { return E_FAIL; }
