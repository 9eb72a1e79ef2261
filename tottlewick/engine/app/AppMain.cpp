// The entry of the program.
#include "AppMain.h"

#include "AppBindings.h"
#include "AppBox.h"
#include "AppEvents.h"
#include "AppGlobals.h"
#include "AppInstance.h"
#include "AppManagers.h"
#include "AppModule.h"
#include "AppRun.h"
#include "AppStart.h"
#include "DisplayWindow.h"
#include "EngineMessageBox.h"
#include "Str.h"

namespace {

constexpr int kQueueSizeWanted = 120;
constexpr DWORD kOutOfMemoryCode = 1;

bool setQueueSize() {
    for (int size = kQueueSizeWanted; size >= 1; --size) {
        if (SetMessageQueue(size)) return true;
    }
    return false;
}

}  // namespace

int AppMain(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int) {
    AppInitGlobals(instance);
    AppClearPostedEvents();
    AppSaveCommandLine(commandLine);
    AppConfigCallback(kAppQueryProductName, AppGetProductName());
    if (AppCheckSingleInstance(previous, 1)) ExitProcess(0);
    if (!setQueueSize()) return 1;
    AppInitFolders();
    if (!AppLocateResources() || !AppInitEarly() || !AppCheckRequirements() || !AppSetupWindowClass()) return 0;
    AppLoadMenuResources();
    if (!AppInitManagers(0)) return 0;
    AppRun();
    AppSendMessage(nullptr, kAppShutdown, 0, 0);
    AppDestroyMenuResource();
    AppShutdown();
    return 0;
}

std::int16_t AppOutOfMemory(std::uint32_t, std::int16_t mayCancel) {
    const unsigned modal = MB_ICONSTOP | MB_SYSTEMMODAL | MB_TASKMODAL;
    if (mayCancel == 0) {
        EngineMessageBox(nullptr, StrGetMessage(1, "OUT of MEMORY! \nTry Quitting other applications and Hit OK."),
                         AppGetProductName(), MB_OK | modal);
        return 0;
    }
    const int answer = EngineMessageBox(
        nullptr,
        StrGetMessage(2, "OUT of MEMORY! \nTry Quitting other applications and Hit OK or Hit Cancel to Exit."),
        AppGetProductName(), MB_RETRYCANCEL | modal);
    if (answer == IDRETRY) return 0;
    RaiseException(kOutOfMemoryCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return 1;
}

std::int16_t AppAlertNumbered(std::uint16_t id, const char* defaultText) {
    char text[kAppTextSize];
    return AppAlert(AppLoadString(text, sizeof text, id) ? text : defaultText);
}

std::int16_t AppLoadString(char* buffer, int size, std::uint16_t id) {
    return LoadStringA(AppGetInstance(), id, buffer, size) > 0 ? 1 : 0;
}
