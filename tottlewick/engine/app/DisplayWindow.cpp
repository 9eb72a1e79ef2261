// The main window and its display mode.
#include "DisplayWindow.h"

#include <vector>

#include "AppBindings.h"
#include "AppGlobals.h"
#include "AppStart.h"
#include "ApplProc.h"
#include "DisplayStyle.h"

namespace {

constexpr char kMenuClass[] = "APPLICATIONMENU";
constexpr char kMenuName[] = "APPLICATIONMAINMENU";
constexpr int kWindowExtraBytes = 4;

struct WindowState {
    HWND window = nullptr;
    std::uint32_t mode = 0;
    std::uint32_t flags = 0;
    DisplayPlacement placement = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0};
    bool modeChanged = false;
};

WindowState state;

void useWholeScreen() {
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    state.placement.x = 0;
    state.placement.y = 0;
    state.placement.width = dc ? GetDeviceCaps(dc, HORZRES) : 0;
    state.placement.height = dc ? GetDeviceCaps(dc, VERTRES) : 0;
    if (dc) DeleteDC(dc);
}

// The display modes the system offers.
std::vector<DisplayModeInfo> displayModes() {
    std::vector<DisplayModeInfo> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i)
        modes.push_back({mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel});
    return modes;
}

// Tests the mode at bits per pixel; sets it for real when the test passes.
bool trySetMode(DEVMODEA mode, std::uint32_t bitsPerPixel) {
    mode.dmBitsPerPel = bitsPerPixel;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS;
    if (ChangeDisplaySettingsA(&mode, CDS_TEST) != DISP_CHANGE_SUCCESSFUL) return false;
    return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
}

// Sets the fitting display mode, first at its own depth and then at the accepted display depth.
bool chooseDisplayMode() {
    const int chosen = displayChooseMode(displayModes(), state.placement.width, state.placement.height,
                                         state.placement.depth);
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (chosen < 0 || !EnumDisplaySettingsA(nullptr, static_cast<DWORD>(chosen), &mode)) return false;
    state.modeChanged =
        trySetMode(mode, mode.dmBitsPerPel) || trySetMode(mode, AppGetDisplayInfo()->bitsPerPixel);
    return state.modeChanged;
}

// Shows, restores or raises the existing window; true with *result set when it was restored from an icon.
bool bringBack(std::int16_t* result) {
    if (!IsWindowVisible(state.window)) ShowWindow(state.window, (state.mode & 1) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    if (IsIconic(state.window)) {
        *result = OpenIcon(state.window) ? 0 : 1;
        return true;
    }
    BringWindowToTop(state.window);
    return false;
}

void recordWindow() {
    RECT frame{};
    GetWindowRect(state.window, &frame);
    state.placement = {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                       AppGetDisplayInfo()->bitsPerPixel};
    InvalidateRect(state.window, nullptr, TRUE);
    UpdateWindow(state.window);
}

}  // namespace

std::int16_t AppSetupWindowClass() {
    AppConfigCallback(kAppQueryProductName, AppGetProductName());
    state.placement = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, state.placement.depth};
    const auto answer = static_cast<std::uint32_t>(AppConfigCallback(kAppQueryWindowMode, &state.placement));
    state.mode = answer & 0xFF;
    state.flags = answer & ~0xFFu;
    if (state.mode == kDisplayModeNone) return 1;
    if (state.mode == kDisplayModeAdopt) {
        state.window = reinterpret_cast<HWND>(static_cast<std::intptr_t>(state.placement.x));
        return 1;
    }
    if (state.mode == kDisplayModeFullScreen && !(state.flags & kDisplayChooseMode)) useWholeScreen();
    return AppRegisterWindowClasses();
}

std::int16_t AppRegisterWindowClasses() {
    WNDCLASSA main{};
    main.style = CS_OWNDC | CS_DBLCLKS;
    main.lpfnWndProc = ApplProc;
    main.cbWndExtra = kWindowExtraBytes;
    main.hInstance = AppGetInstance();
    main.hIcon = LoadIconA(AppGetInstance(), MAKEINTRESOURCEA(1));
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    main.lpszClassName = AppGetProductName();
    if (!RegisterClassA(&main)) return 0;
    if (state.flags & kDisplayMenuClass) {
        WNDCLASSA menu{};
        menu.style = CS_HREDRAW | CS_VREDRAW;
        menu.lpfnWndProc = ApplicationMenuProc;
        menu.cbWndExtra = kWindowExtraBytes;
        menu.hInstance = AppGetInstance();
        menu.hIcon = main.hIcon;
        menu.lpszMenuName = kMenuName;
        menu.lpszClassName = kMenuClass;
        RegisterClassA(&menu);
    }
    return 1;
}

std::int16_t DisplayOpenWindow() {
    if (!state.window && state.mode == kDisplayModeFullScreen && (state.flags & kDisplayChooseMode) &&
        !chooseDisplayMode()) {
        DisplayGetCaps(AppGetDisplayInfo());
        AppSetupWindowClass();
        state.flags &= ~kDisplayChooseMode;
        return DisplayApplyWindowMode();
    }
    if (!state.window) {
        DisplayGetCaps(AppGetDisplayInfo());
        DisplayCreateWindow();
        if (state.window && AppGetMenuResource()) SetMenu(state.window, AppGetMenuResource());
    } else {
        std::int16_t restored = 0;
        if (bringBack(&restored)) return restored;
    }
    if (!state.window) return 1;
    recordWindow();
    return 0;
}

void DisplayCreateWindow() {
    state.window = CreateWindowExA(0, AppGetProductName(), AppGetProductName(),
                                   displayWindowStyle(state.mode, state.flags, true), state.placement.x,
                                   state.placement.y, state.placement.width, state.placement.height, nullptr,
                                   nullptr, AppGetInstance(), nullptr);
}

std::int16_t DisplayApplyWindowMode() {
    if (state.mode == kDisplayModeFullScreen) useWholeScreen();
    if (state.window) {
        ShowWindow(state.window, SW_HIDE);
        HMENU menu = GetMenu(state.window);
        SetMenu(state.window, nullptr);
        SetWindowLongA(state.window, GWL_STYLE, static_cast<LONG>(displayWindowStyle(state.mode, state.flags, false)));
        MoveWindow(state.window, state.placement.x, state.placement.y, state.placement.width,
                   state.placement.height, FALSE);
        SetMenu(state.window, menu);
    }
    return DisplayOpenWindow();
}

void DisplayCloseWindow() {
    if (state.window) DestroyWindow(state.window);
    state.window = nullptr;
    if (state.modeChanged) ChangeDisplaySettingsA(nullptr, 0);
    state.modeChanged = false;
}

HWND DisplayGetWindow() { return state.window; }

void DisplaySetWindow(HWND window) { state.window = window; }

std::int16_t DisplayHasWindow() { return state.window ? 1 : 0; }

std::int16_t DisplayIsPaletteDevice() {
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!dc) return 0;
    const bool palette = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
    DeleteDC(dc);
    return palette ? 1 : 0;
}
