// The start benchmarks' baseline program: a plain Win32 program that opens a window over the whole screen,
// paints it once in the sample meadow's ground colour and then sets the event "TottlewickFirstFrame" when a
// benchmark made one; it ends when its window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK paintOnce(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH ground = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(dc, &paint.rcPaint, ground);
        DeleteObject(ground);
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
    type.lpszClassName = "FirstFrameBaseline";
    RegisterClassA(&type);
    CreateWindowExA(0, type.lpszClassName, "FirstFrameBaseline", WS_POPUP | WS_VISIBLE, 0, 0,
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
