// Loading and freeing ddraw.dll by name.
#include "OMDirectDraw.h"

#include "OMApp.h"
#include "OMAppInitTerm.h"

namespace {

OMDirectDrawLibrary library;

OMAppInitTerm directDrawRecord{nullptr, unloadDirectDraw};

struct DirectDrawRegistration {
    DirectDrawRegistration() { registerInitTerm(&directDrawRecord); }
} directDrawRegistration;

template <typename Function>
void fetch(Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library.module, name)));
}

}  // namespace

const OMDirectDrawLibrary& directDrawLibrary() { return library; }

void loadDirectDraw() {
    if (library.module) return;
    library.module = LoadLibraryA("DDRAW.DLL");
    if (!library.module) return;
    fetch(library.directDrawCreate, "DirectDrawCreate");
    fetch(library.enumerateA, "DirectDrawEnumerateA");
    fetch(library.enumerateExA, "DirectDrawEnumerateExA");
}

void unloadDirectDraw() {
    if (!library.module) return;
    FreeLibrary(library.module);
    library = OMDirectDrawLibrary{};
}

IDirectDraw2* activeDirectDraw() { return directDrawActive && theApp ? theApp->directDraw2 : nullptr; }
