// The probe hook. Set on the program's thread, it is loaded into the program, so the handles it compares
// (the class icon, the cursor the window sets, the standard icon and arrow) all belong to one process.
#include "ProbeHook.h"

#include <cstdio>
#include <string>

namespace {

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
    if (std::FILE* file = std::fopen(kProbeFile, "wb")) {
        std::fputs(line.c_str(), file);
        std::fclose(file);
    }
}

}  // namespace

LRESULT CALLBACK probeMessage(int code, WPARAM removed, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == RegisterWindowMessageA(kProbeMessage))
        report(msg->hwnd);
    return CallNextHookEx(nullptr, code, removed, message);
}
