// The exit dialog: centred on the screen, WAVE 6094 while it is open, 6097 or 6098 after "&Yes" and 6099
// after "&No".
#include "ExitDialog.h"

#include <windows.h>

#include <cstdlib>

#include "ApplicationMain.h"
#include "OMApp.h"
#include "OMSound.h"
#include "OMSystemUtilities.h"
#include "OMWaveSound.h"

namespace {

constexpr std::uint16_t kOpeningSound = 6094;
constexpr std::uint16_t kYesOddSound = 6097;
constexpr std::uint16_t kYesEvenSound = 6098;
constexpr std::uint16_t kNoSound = 6099;

void centreOnScreen(HWND dialog) {
    RECT frame{};
    GetWindowRect(dialog, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// Plays the button's sound to its end, then ends the dialog with 1 for "&Yes" and 0 for "&No".
void answer(HWND dialog, bool yes) {
    const std::uint16_t sound = !yes ? kNoSound : std::rand() % 2 != 0 ? kYesOddSound : kYesEvenSound;
    static_cast<void>(playWaveResource(sound, 0));
    EndDialog(dialog, yes ? 1 : 0);
}

INT_PTR CALLBACK exitDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        centreOnScreen(dialog);
        static_cast<void>(playWaveResource(kOpeningSound, 1));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == kExitYesButton || LOWORD(wParam) == kExitNoButton)) {
        answer(dialog, LOWORD(wParam) == kExitYesButton);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void exitQUOMB() {
    OMSound::pauseOutput();
    OMWaveSound::closeDevice();
    const INT_PTR result =
        DialogBoxParamA(appInstance(), kExitDialogName, theApp ? theApp->window : nullptr, exitDialogProcedure, 0);
    static_cast<void>(stopWaveResource());
    if (result != 0) return quitApplication();
    static_cast<void>(OMWaveSound::openDevice(1));
    OMSound::resumeOutput();
    OMSound::resumeAllPaused();
}

void exitQUOMBCommand(OMArg) { exitQUOMB(); }
