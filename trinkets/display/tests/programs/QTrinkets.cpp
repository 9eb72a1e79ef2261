// Runs PScripts\main.mps on a 640 x 460 trinket window with the input classes, "RSolid", and the commands
// "PostClick" x y (a press and release on the window) and "PostKey" code (a character to the main window).
#include <initializer_list>

#include "OMAlert.h"
#include "OMMultiTrinket.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "RHotSpot.h"
#include "RKbdInp.h"
#include "ScriptHost.h"
#include "SolidTrinket.h"
#include "YDeathInterest.h"
#include "YScriptLoader.h"

namespace {

OMSR solidClass{"RSolid", makeSolidTrinket};

void postClick(OMArg) {
    const int x = std::atoi(popParameter());
    const int y = std::atoi(popParameter());
    HWND target = OMTrinketWindow::mainTrinketWindow->hwnd;
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void postKey(OMArg) { PostMessageA(theApp->window, WM_CHAR, static_cast<WPARAM>(std::atoi(popParameter())), 1); }

}  // namespace

void applicationMain() {
    omSetAlertSink(alertToStandardError);
    // Naming the records links the classes in.
    for (const OMSR* record : {&OMMultiTrinket::classRecord, &RHotSpot::classRecord, &RKbdInp::classRecord}) {
        if (!classExists(record->className)) return;
    }
    const OMRect frame{0, 0, 640, 460};
    OMApp* app = new OMApp(2, &frame, nullptr, displayBitsPerPixel(0));
    ShowWindow(app->window, SW_SHOWNA);
    auto* window = new OMTrinketWindow(&frame, new OMTBackground, kFrameNone, 0);
    window->activate();
    app->active = 1;
    RKbdInp::setWindow(window);
    installDeathHooks();
    const OMLinkToFct click(postClick);
    registerScriptFunction("PostClick", &click);
    const OMLinkToFct key(postKey);
    registerScriptFunction("PostKey", &key);
    runFirstScript("main.mps");
    removeDeathHooks();
    clearScriptFunctions();
    delete window;
    delete app;
}
