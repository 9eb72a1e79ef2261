// The activities' shared probe steps.
#include <windows.h>

#include "ChoiceProbe.h"

#include <cstdlib>

#include "Actor.h"
#include "AppBindings.h"
#include "AppModule.h"
#include "ModuleProcs.h"
#include "SndCallLog.h"
#include "TitleProbe.h"

namespace probe {
namespace {

constexpr std::uint32_t kQuitYes = 7220;

bool (*soundWanted)(unsigned) = nullptr;

void logStart(const char* line) {
    const std::string text = line;
    if (text.rfind("start id=", 0) != 0) return;
    const unsigned id = static_cast<unsigned>(std::strtoul(text.c_str() + 9, nullptr, 10));
    if (soundWanted(id)) log("snd " + std::to_string(id));
}

}  // namespace

bool enterChoice(std::uint32_t command) {
    const AppModuleProc module = AppGetModule();
    if (module == IntroModuleProc) AppSetModule(window(), PickerModuleProc, 0);
    else if (module == PickerModuleProc) send(kAppCommand, command);
    else if (module) return true;
    return false;
}

void mouseAt(UINT message, Point point) {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 640) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - 480) / 2;
    send(message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(left + point.h, top + point.v));
}

void clickActor(std::uint32_t id) {
    Rect bounds{};
    ActorGetBounds(&bounds, id);
    const Point middle{static_cast<std::int16_t>((bounds.left + bounds.right) / 2),
                       static_cast<std::int16_t>((bounds.top + bounds.bottom) / 2)};
    mouseAt(WM_MOUSEMOVE, middle);
    mouseAt(WM_LBUTTONDOWN, middle);
    mouseAt(WM_LBUTTONUP, middle);
}

void logSoundStarts(bool (*wanted)(unsigned id)) {
    soundWanted = wanted;
    SndSetCallLog(logStart);
}

void leaveByExit() {
    static bool back = false;
    const AppModuleProc module = AppGetModule();
    if (!back && module != PickerModuleProc) {
        clickActor(100);
    } else if (!back) {
        back = true;
        SndSetCallLog(nullptr);
        log("Picker");
    } else {
        // The Picker takes its exit command once its return picture has gone.
        send(kAppCommand, module == QuitConfirmModuleProc ? kQuitYes : 100);
    }
}

}  // namespace probe
