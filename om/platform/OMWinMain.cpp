// The program's entry: single-instance test, class plug-in loading, module initialisers, the application,
// terminators.
#include "OMApp.h"
#include "OMAppInitTerm.h"
#include "OMClassLibraries.h"
#include "OMSystemUtilities.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    setAppInstance(instance);
    windowClassName().clear();
    if (!findRunningInstance(instance)) {
        installMessageBoxAlerts();
        installClassLibraryLoader();
        runInitFunctions();
        applicationMain();
        runTermFunctions();
    }
    windowClassName().clear();
    return 0;
}
