// Runs scripts as the product does, with a test class and a bell-ringing task. Command line:
//   [name]                 runs PScripts\name (default main.mps) until a script quits
//   compile name image     compiles PScripts\name and writes its precompiled image to image
#include <cstdlib>

#include "OMAlert.h"
#include "OMSR.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "ScriptHost.h"
#include "ThreadObjects.h"
#include "YCompiledImage.h"
#include "YDeathInterest.h"
#include "YScriptLoader.h"

namespace {

OMSR bellClass{"RBell", makeBell};
std::int32_t visits = 0;

void registerCommands() {
    const OMLinkToFct random(&randomNumberCommand);
    registerScriptFunction("RandomNumber", &random);
    const OMLinkToFct normalization(&setCorralTrinketNormalizationCommand);
    registerScriptFunction("SetCorralTrinketNormalization", &normalization);
    const OMLinkToFct visit([](OMArg) { setResultVariable(visits++); });
    registerScriptFunction("Visit", &visit);
}

int compileImage(const std::string& name, const std::string& image) {
    YThread thread(name.c_str(), scriptStreamResolver);
    return thread.loaded && saveCompiledScript(thread.script, image.c_str()) ? 0 : 2;
}

void runScripts(const std::string& first) {
    const OMLinkToFct ring([](OMArg) { RBell::ringArmed(); });
    OMTask bells(&ring, 0);
    appendTask(&bells);
    runFirstScript(first);
}

}  // namespace

void applicationMain() {
    omSetAlertSink(alertToStandardError);
    const std::vector<std::string> words(__argv + 1, __argv + __argc);
    const OMRect screen = screenBounds(0);
    const OMColorRecord background{0, 0, 0, 248};
    OMApp* app = new OMApp(2, &screen, &background, displayBitsPerPixel(0));
    installDeathHooks();
    registerCommands();
    int code = 0;
    if (words.size() == 3 && words[0] == "compile") code = compileImage(words[1], words[2]);
    else runScripts(words.empty() ? "main.mps" : words[0]);
    removeDeathHooks();
    clearScriptFunctions();
    delete app;
    if (code) std::exit(code);
}
