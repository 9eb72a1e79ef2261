// The application message handler's stand-in for the tests of the configuration callback and the module
// procedures: every message goes to the current module.
#include <windows.h>

#include "AppBindings.h"
#include "AppModule.h"
#include "Update.h"

LRESULT AppMessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const AppModuleProc module = AppGetModule()) return module(window, message, wParam, lParam);
    return UpdateWindowProc(window, message, wParam, lParam);
}
