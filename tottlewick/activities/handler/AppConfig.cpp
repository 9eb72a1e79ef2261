// The answers to the engine's configuration queries during start-up.
#include <windows.h>

#include "AppBindings.h"
#include "AppBox.h"
#include "AppGlobals.h"
#include "Canvas.h"
#include "Disc.h"
#include "FileDir.h"
#include "FilePath.h"
#include "Str.h"
#include "UtilString.h"

namespace {

constexpr std::uint16_t kLeastDepth = 8;
// Message 110 asks for 16384 KB; the record's available memory is measured against that figure.
constexpr std::uint32_t kLeastMemory = 16384u * 1024u;
constexpr char kDiscLabel[] = "Tottlewick";
constexpr char kDiscFolder[] = "Resource";

std::int32_t checkRequirements(const AppDisplayInfo& info) {
    CanvasSetDefaultDepth(8);
    if (info.bitsPerPixel < kLeastDepth) {
        AppAlert("A monitor depth of at least 256 colors is required to run Tottlewick.");
        return 1;
    }
    if (info.availableMemory < kLeastMemory) {
        AppAlert(StrGetMessage(110, "Tottlewick requires at least 16384 KBytes of physical memory."));
        return 1;
    }
    return 0;
}

// The application folder is the current one, the local resources lie beneath it and the disc's on the
// data disc, asked for until it is found or the user gives up (which ends the start).
std::int32_t locateFolders(char* application) {
    FileGetCurrentDirectory(application, kFilePathSize);
    UtilStrCopy(AppGetLocalResourceFolder(), application, kFilePathSize);
    FileAppendName(AppGetLocalResourceFolder(), StrGetMessage(101, kDiscFolder));
    char* disc = AppGetDiscResourceFolder();
    while (!DiscFind(kDiscLabel, disc)) {
        if (!DiscRequest(kDiscLabel)) {
            AppQuit();
            return 1;
        }
    }
    FileAppendName(disc, kDiscFolder);
    return 0;
}

}  // namespace

std::int32_t AppConfigCallback(std::int16_t query, void* data) {
    switch (query) {
    case kAppQueryProductName:
        UtilStrCopy(static_cast<char*>(data), StrGetMessage(100, "Tottlewick"), kAppTextSize);
        return 0;
    case kAppQueryRequirements:
        return checkRequirements(*static_cast<const AppDisplayInfo*>(data));
    case kAppQueryWindowMode:
        return 1;
    case kAppQueryFolders:
        return locateFolders(static_cast<char*>(data));
    default:
        return 0;
    }
}
