// The module procedures: each makes its screen's scene object on 10000 and lets it go after 10001.
#include "ModuleProcs.h"

#include <new>

#include "AppBindings.h"
#include "Band.h"
#include "BLOK_STAK.h"
#include "BlueGoo.h"
#include "HatShop.h"
#include "IntroScene.h"
#include "MR_PLINK.h"
#include "OptionsScene.h"
#include "Picker.h"
#include "QuitConfirmScene.h"
#include "SceneGlobals.h"
#include "SlideShowScene.h"
#include "Toppers.h"
#include "Update.h"
#include "Zibb.h"

namespace {

using SceneFactory = Scene* (*)();

// The seven choices' activities, one line each.
Scene* newBand() { return new (std::nothrow) Band; }
Scene* newZibb() { return new (std::nothrow) Zibb; }
Scene* newBlueGoo() { return new (std::nothrow) BlueGoo; }
Scene* newBLOK_STAK() { return new (std::nothrow) BLOK_STAK; }
Scene* newMR_PLINK() { return new (std::nothrow) MR_PLINK; }
Scene* newToppers() { return new (std::nothrow) Toppers; }
Scene* newHatShop() { return new (std::nothrow) HatShop; }

Scene* newQuitConfirm() { return new (std::nothrow) QuitConfirmScene; }
Scene* newOptions() { return new (std::nothrow) OptionsScene; }
Scene* newSlideShow() { return new (std::nothrow) SlideShowScene; }
Scene* newIntro() { return new (std::nothrow) IntroScene; }

// The module argument of a switch caused by closing the window.
constexpr WPARAM kCloseArgument = WM_CLOSE;

// An activity's row: on 10000 its object is made and the Picker leaves the front; on 10001 the flag
// marks the object for the deferred deletion.
LRESULT activityModule(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SceneFactory make) {
    switch (message) {
    case kAppModuleStart:
        gActivity = make();
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
LRESULT replacingModule(HWND window, UINT message, WPARAM wParam, LPARAM lParam, SceneFactory make) {
    switch (message) {
    case kAppModuleStart:
        SceneDeleteActivity();
        gActivity = make();
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
    return activityModule(window, message, wParam, lParam, newBand);
}

LRESULT CALLBACK MR_PLINKModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam, newMR_PLINK);
}

LRESULT CALLBACK ToppersModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam, newToppers);
}

LRESULT CALLBACK BLOK_STAKModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam, newBLOK_STAK);
}

LRESULT CALLBACK HatShopModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam, newHatShop);
}

LRESULT CALLBACK ZibbModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam, newZibb);
}

LRESULT CALLBACK BlueGooModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam, newBlueGoo);
}

LRESULT CALLBACK QuitConfirmModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return activityModule(window, message, wParam, lParam, newQuitConfirm);
}

// Back from the slide show the options scene is made anew, so that it shows the settings as they are.
LRESULT CALLBACK OptionsModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kAppModuleResume) return activityModule(window, message, wParam, lParam, newOptions);
    SceneDeleteActivity();
    gActivity = newOptions();
    return 1;
}

LRESULT CALLBACK SlideShowModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return replacingModule(window, message, wParam, lParam, newSlideShow);
}

// Every tick runs one step of the Intro.
LRESULT CALLBACK IntroModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kAppTick) return replacingModule(window, message, wParam, lParam, newIntro);
    if (auto* intro = dynamic_cast<IntroScene*>(gActivity)) intro->Step();
    return 1;
}

// The Picker is made once; later it comes back with its return picture, or at once when the window is
// being closed, which then asks it for its exit command. Closing comes from the window, not from the
// ended screen's object, which therefore goes first: its backdrop leaves slot 1 to the Picker's.
LRESULT CALLBACK PickerModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAppModuleStart:
        gPickerInFront = 1;
        if (wParam == kCloseArgument) SceneDeleteActivity();
        if (!gPicker) gPicker = new (std::nothrow) Picker;
        else if (Picker* picker = PickerObject()) wParam == kCloseArgument ? picker->PickerShow(0) : picker->PickerReturn();
        if (wParam == kCloseArgument && gPicker) gPicker->OnCommand(kSceneExitCommand);
        return 1;
    case kAppModuleEnd:
        if (Picker* picker = PickerObject()) picker->PickerHide(0);
        return 1;
    default:
        return UpdateWindowProc(window, message, wParam, lParam);
    }
}
