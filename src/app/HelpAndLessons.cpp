// Help through the Windows help engine, and the prompt for the disc that holds a lesson.
#include "HelpAndLessons.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CDRoot.h"
#include "OMApp.h"
#include "OMIStreamDLL16.h"
#include "OMIStreamFile.h"
#include "OMSParameter.h"
#include "OMSystemUtilities.h"

namespace {

constexpr UINT kHelpPartialKey = 0x105;
constexpr unsigned kDiscPromptFlags = 0x3001;
constexpr int kCancel = 2;

HelpEngine& helpEngine() {
    static HelpEngine engine = WinHelpA;
    return engine;
}

// Whether the file opens (found directly or along the file search path).
bool opens(const std::string& name) { return OMIStreamFile::open(name.c_str()).found != 0; }

std::string lessonName(const char* pattern, int lesson) {
    char name[64];
    std::snprintf(name, sizeof name, pattern, lesson, lesson);
    return name;
}

// Asks for the disc until the wanted lesson file opens; Cancel ends the program.
void promptForDisc(int lesson) {
    const int disc = opens(cdRoot() + "lessons\\lsn012\\lsn012.rsc") ? 2 : 1;
    const std::string wanted = cdRoot() + lessonName("lessons\\lsn%03d\\lsn%03d.rsc", lesson);
    char message[64];
    std::snprintf(message, sizeof message, "Please insert the Tallomar CD #%d.", disc);
    while (!opens(wanted))
        if (alertBox(message, kDiscPromptFlags, nullptr) == kCancel) std::exit(1);
}

}  // namespace

HelpEngine setHelpEngine(HelpEngine engine) {
    const HelpEngine previous = helpEngine();
    helpEngine() = engine ? engine : WinHelpA;
    return previous;
}

void helpCommand(OMArg) {
    const std::string topic = popParameter();
    const std::string file = cdRoot() + "QUOMB.HLP";
    helpEngine()(theApp ? theApp->window : nullptr, file.c_str(), kHelpPartialKey,
                 reinterpret_cast<ULONG_PTR>(topic.c_str()));
}

void checkCDCommand(OMArg) {
    const int lesson = std::atoi(popParameter());
    OMIStreamDLL16::flushInfoCache();
    if (!opens(lessonName("rsc\\lsn%03d.rsc", lesson))) promptForDisc(lesson);
    OMIStreamDLL16::setModuleCacheOn(true);
}
