// The sample start benchmark's baseline program: a plain Win32 program that opens a 640 x 460 window in
// the middle of the screen and paints it once in the sample meadow's ground colour; it ends when its
// window is closed.
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
    type.lpszClassName = "SampleFirstFrame";
    RegisterClassA(&type);
    const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - 320;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - 240;
    CreateWindowExA(0, type.lpszClassName, "SampleFirstFrame", WS_POPUP | WS_VISIBLE, left, top, 640, 460, nullptr,
                    nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
