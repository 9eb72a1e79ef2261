// The print seam: the platform calls of printing in one table, which tests replace to print into memory.
#pragma once

#include <windows.h>

struct PrintPlatform {
    DWORD(WINAPI* getProfileString)(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size);
    BOOL(WINAPI* openPrinter)(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults);
    BOOL(WINAPI* getPrinter)(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed);
    LONG(WINAPI* documentProperties)(HWND window, HANDLE printer, LPSTR name, PDEVMODEA out, PDEVMODEA in,
                                     DWORD mode);
    BOOL(WINAPI* closePrinter)(HANDLE printer);
    HDC(WINAPI* createDC)(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode);
    int(WINAPI* setAbortProc)(HDC dc, ABORTPROC procedure);
    int(WINAPI* startDoc)(HDC dc, const DOCINFOA* info);
    int(WINAPI* startPage)(HDC dc);
    int(WINAPI* endPage)(HDC dc);
    int(WINAPI* endDoc)(HDC dc);
    int(WINAPI* getDeviceCaps)(HDC dc, int index);
};

// The table in use: the real calls until a test installs its own.
const PrintPlatform& PrintGetPlatform();
// Installs a table (null restores the real calls); returns the previous one.
PrintPlatform PrintSetPlatform(const PrintPlatform* platform);
