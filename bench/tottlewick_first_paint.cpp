// The start benchmark's baseline program: a plain Win32 program that opens a full-screen window, paints it
// once and then sets the event "TottlewickFirstFrame"; it ends when its window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK paintOnce(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window, &paint);
        GdiFlush();
        if (HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TottlewickFirstFrame")) {
            SetEvent(event);
            CloseHandle(event);
        }
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA type{};
    type.lpfnWndProc = paintOnce;
    type.hInstance = instance;
    type.lpszClassName = "FirstPaint";
    RegisterClassA(&type);
    CreateWindowExA(0, type.lpszClassName, "FirstPaint", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
