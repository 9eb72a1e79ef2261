// A test application that runs a sound script as the product does: the first script from "PScripts\"
// (default main.mps, or the one named on the command line) on the real wave-out device, with the script
// sound player linked in and "WAVE" resources read from the NE module "PRsc\sounds.dll". Alerts are
// written to standard error instead of shown.
#include <cstdio>
#include <cstring>
#include <string>

#include "OMAlert.h"
#include "OMApp.h"
#include "OMIStreamDLL16.h"
#include "OMIStreamFile.h"
#include "OMSystemUtilities.h"
#include "RDitty.h"
#include "YThread.h"

namespace {
int alertToStandardError(const char* text, unsigned, const char*) {
    std::fprintf(stderr, "alert: %s\n", text);
    std::fflush(stderr);
    return 1;
}

OMIStream* scriptStreamResolver(const char* name) {
    const std::string path = std::string("PScripts\\") + name;
    return new OMIStreamFile(path.c_str(), kStreamWhole, nullptr);
}
}  // namespace

OMIStream* findResource(std::uint16_t id, const char* tag) {
    if (std::strcmp(tag, "WAVE") != 0) return nullptr;
    return new OMIStreamDLL16(static_cast<std::int16_t>(id), tag, "PRsc\\sounds.dll", kStreamWhole, nullptr);
}

void applicationMain() {
    omSetAlertSink(alertToStandardError);
    if (!findClass(RDitty::classRecord.className)) return;
    const OMRect screen = screenBounds(0);
    const OMColorRecord background{0, 0, 0, 248};
    OMApp* app = new OMApp(2, &screen, &background, displayBitsPerPixel(0));
    auto* thread = new YThread(__argc > 1 ? __argv[1] : "main.mps", scriptStreamResolver);
    if (thread->loaded) {
        thread->running = 1;
        if (thread->onStarted) thread->onStarted->invoke();
        theApp->runMessageLoop();
    }
    delete thread;
    delete app;
}
