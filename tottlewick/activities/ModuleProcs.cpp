// The module procedures. The screens' own scene classes join this table as they are built; until then a
// procedure keeps the Picker flag and the deletions of its row, which the message handler relies on.
#include "ModuleProcs.h"

#include "AppBindings.h"
#include "Scene.h"
#include "SceneGlobals.h"
#include "Update.h"

namespace {

// The module argument of a switch caused by closing the window.
constexpr WPARAM kCloseArgument = WM_CLOSE;

// An activity's row: on 10000 the Picker leaves the front; on 10001 the flag marks the activity object for
// the deferred deletion.
LRESULT activityModule(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAppModuleStart:
        gPickerInFront = 0;
        return 1;
    case kAppModuleEnd:
        gPickerInFront = 1;
        return 1;
    default:
        return UpdateWindowProc(window, message, wParam, lParam);
    }
}

// The Intro's and the slide show's row: the object of a still-running activity goes at once.
LRESULT replacingModule(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAppModuleStart:
        SceneDeleteActivity();
        gPickerInFront = 0;
        return 1;
    case kAppModuleEnd:
        return 1;
    default:
        return UpdateWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK BandModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

LRESULT CALLBACK MR_PLINKModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

LRESULT CALLBACK ToppersModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

LRESULT CALLBACK BLOK_STAKModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

LRESULT CALLBACK HatShopModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

LRESULT CALLBACK ZibbModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

LRESULT CALLBACK BlueGooModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

LRESULT CALLBACK QuitConfirmModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam);
}

// A resume drops the options scene, so that a new one shows the settings as they are now.
LRESULT CALLBACK OptionsModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kAppModuleResume) return activityModule(window, message, wParam, lParam);
    SceneDeleteActivity();
    return UpdateWindowProc(window, message, wParam, lParam);
}

LRESULT CALLBACK SlideShowModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return replacingModule(window, message, wParam, lParam);
}

LRESULT CALLBACK IntroModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return replacingModule(window, message, wParam, lParam);
}

// A switch made by closing the window asks the Picker for its exit command.
LRESULT CALLBACK PickerModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAppModuleStart:
        gPickerInFront = 1;
        if (wParam == kCloseArgument && gPicker) gPicker->OnCommand(kSceneExitCommand);
        return 1;
    case kAppModuleEnd:
        return 1;
    default:
        return UpdateWindowProc(window, message, wParam, lParam);
    }
}
