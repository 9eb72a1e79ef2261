// Glimmer.dll: the entry point and the five exports over the library-wide object.
#include <windows.h>

#include <new>

#include "Glimmer.h"
#include "cDSSObject.h"

namespace {

cDSSObject* theObject = nullptr;

template <typename Body>
void withDisplay(Body&& body) noexcept {
    try {
        if (theObject != nullptr && theObject->display() != nullptr) body(*theObject->display());
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        theObject = new (std::nothrow) cDSSObject(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        delete theObject;
        theObject = nullptr;
    }
    return TRUE;
}

int dssDisplaySplashScreen(char* application) {
    withDisplay([&](cDSSDisplay& display) { display.display(application, cDSSDisplay::kChoose); });
    return 0;
}

int dssDisplayLastSplashScreen(char* application) {
    withDisplay([&](cDSSDisplay& display) { display.display(application, cDSSDisplay::kLast); });
    return 0;
}

void dssRemoveSplashScreen(void) {
    withDisplay([](cDSSDisplay& display) { display.remove(); });
}

void dssHandleHotspotsLocally(char* buffer, int* length) {
    withDisplay([&](cDSSDisplay& display) { display.handleHotspotsLocally(buffer, length); });
}

void dssDeinitialize(void) {}
