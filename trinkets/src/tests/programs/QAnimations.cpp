// Runs PScripts\main.mps until a script quits, on a 640 x 460 trinket window, with ASEQ data looked up by
// id in the 16-bit resource module "anims.dll" of the working folder; alerts go to standard error.
#include <windows.h>

#include "OMAlert.h"
#include "OMIStreamDLL16.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"
#include "RAnimation.h"
#include "ScriptHost.h"
#include "YDeathInterest.h"

namespace {

constexpr const char* kModule = "anims.dll";

OMIStream* findAnimation(std::int16_t id) {
    if (OMIStreamDLL16::query(id, "ASEQ", kModule).size == 0) return nullptr;
    return new OMIStreamDLL16(id, "ASEQ", kModule, kStreamWhole, nullptr);
}

}  // namespace

void applicationMain() {
    omSetAlertSink(alertToStandardError);
    // Naming the records links the classes in.
    if (!classExists(OMAnimation::classRecord.className) || !classExists(RAnimation::classRecord.className)) return;
    const OMRect frame{0, 0, 640, 460};
    OMApp* app = new OMApp(2, &frame, nullptr, displayBitsPerPixel(0));
    ShowWindow(app->window, SW_SHOWNA);
    auto* window = new OMTrinketWindow(&frame, new OMTBackground, kFrameNone, 0);
    window->activate();
    app->active = 1;
    OMAnimation::animationHook = findAnimation;
    installDeathHooks();
    runFirstScript("main.mps");
    removeDeathHooks();
    delete window;
    delete app;
}
