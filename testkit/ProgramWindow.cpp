// Watching a program's windows from outside: polling for its window and for colours on the screen, and
// posting keys to it.
#include "ProgramWindow.h"

#include <cstring>

namespace {

constexpr DWORD kPollMs = 5;

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

bool matches(HWND window, const WindowSearch& search) {
    char name[256];
    return IsWindowVisible(window) && GetClassNameA(window, name, sizeof name) > 0 &&
           std::strcmp(name, search.className) == 0;
}

BOOL CALLBACK visitChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (matches(window, *search)) search->found = window;
    return search->found == nullptr;
}

BOOL CALLBACK visitTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (matches(window, *search)) search->found = window;
    else EnumChildWindows(window, visitChild, data);
    return search->found == nullptr;
}

}  // namespace

ProgramWindow::ProgramWindow(const std::string& program, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = "\"" + program + "\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process_))
        process_ = {};
}

ProgramWindow::~ProgramWindow() {
    if (!started()) return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 259);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND ProgramWindow::waitForWindow(const char* className, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        WindowSearch search{process_.dwProcessId, className, nullptr};
        EnumWindows(visitTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) return nullptr;
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

COLORREF ProgramWindow::colourAt(HWND window, POINT at) {
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF shown = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return shown;
}

bool ProgramWindow::waitForColour(HWND window, POINT at, COLORREF colour, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        if (colourAt(window, at) == colour) return true;
        if (WaitForSingleObject(process_.hProcess, kPollMs) == WAIT_OBJECT_0) return false;
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

void ProgramWindow::postCharacter(HWND window, char character, UINT virtualKey) {
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, 0)) << 16;
    PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(character)), scanCode | 1);
    PostMessageA(window, WM_KEYUP, virtualKey, scanCode | 1 | 0xC0000000);
}

namespace {

// Each input event gets time to reach the program before the next one, as a hand's would.
constexpr DWORD kInputGapMs = 30;

void sendMouse(HWND window, POINT at, DWORD buttons) {
    ClientToScreen(window, &at);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run 0..65535 over the screen; rounding up lands on the pixel itself.
    input.mi.dx = (at.x * 65536 + width - 1) / width;
    input.mi.dy = (at.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
    Sleep(kInputGapMs);
}

void sendKey(UINT virtualKey, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, 0));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(kInputGapMs);
}

}  // namespace

void ProgramWindow::click(HWND window, POINT at) {
    sendMouse(window, at, 0);
    sendMouse(window, at, MOUSEEVENTF_LEFTDOWN);
    sendMouse(window, at, MOUSEEVENTF_LEFTUP);
}

void ProgramWindow::drag(HWND window, POINT from, POINT to) {
    constexpr int kSteps = 8;
    sendMouse(window, from, 0);
    sendMouse(window, from, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= kSteps; ++i)
        sendMouse(window, POINT{from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps}, 0);
    sendMouse(window, to, MOUSEEVENTF_LEFTUP);
}

void ProgramWindow::typeKey(UINT virtualKey, bool shift) {
    if (shift) sendKey(VK_SHIFT, 0);
    sendKey(virtualKey, 0);
    sendKey(virtualKey, KEYEVENTF_KEYUP);
    if (shift) sendKey(VK_SHIFT, KEYEVENTF_KEYUP);
}

DWORD ProgramWindow::waitForExit(DWORD timeoutMs) const {
    if (!started() || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::string ProgramWindow::ownFolder() {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return own.substr(0, own.find_last_of('\\') + 1);
}
