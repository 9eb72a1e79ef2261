// The early start of the program.
#include "AppStart.h"

#include <windows.h>

#include <algorithm>
#include <initializer_list>

#include "AppBindings.h"
#include "AppMain.h"
#include "Clock.h"
#include "File.h"
#include "FileDir.h"
#include "FilePath.h"
#include "MemHandle.h"
#include "Res.h"
#include "SndUtil.h"
#include "Str.h"

namespace {

constexpr std::uint16_t kMemTableEntries = 200;
constexpr std::uint16_t kMemTableGrowth = 25;

ResSource earlyResources = 0;

// Opens the first of path + ".PRX", path + ".PRS" that exists; 0 when neither does or opens.
ResSource openFirstFile(const char* path) {
    for (const char* extension : {".PRX", ".PRS"}) {
        char file[kFilePathSize];
        if (!FileBuildPath(file, nullptr, nullptr, path, extension) || !FileExists(file)) continue;
        if (const ResSource source = ResOpenSource(file, kResOpenDefault)) return source;
    }
    return 0;
}

}  // namespace

std::int16_t DisplayGetCaps(AppDisplayInfo* info) {
    HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!dc) return 0;
    info->width = static_cast<std::uint16_t>(GetDeviceCaps(dc, HORZRES));
    info->height = static_cast<std::uint16_t>(GetDeviceCaps(dc, VERTRES));
    info->bitsPerPixel = static_cast<std::uint16_t>(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES));
    info->availableMemory = SysGetAvailableMemory();
    DeleteDC(dc);
    return 1;
}

std::uint32_t SysGetAvailableMemory() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    const std::uint64_t bytes = std::uint64_t(status.dwAvailPhys) + status.dwAvailPageFile;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, 0xFFFFFFFFu));
}

std::int16_t AppCheckRequirements() {
    for (;;) {
        AppDisplayInfo info{};
        if (!DisplayGetCaps(&info)) return 0;
        const std::int32_t answer = AppConfigCallback(kAppQueryRequirements, &info);
        if (answer == 0) {
            *AppGetDisplayInfo() = info;
            return 1;
        }
        if (answer > 0) return 0;
    }
}

std::int16_t AppInitEarly() {
    SndSeedRandomTime();
    ClockInitAll();
    if (MemInit(kMemTableEntries, kMemTableGrowth)) {
        PlatMemSetLowMemoryCallback(AppOutOfMemory);
        FileInit();
        if (FileGetError() != kFileErrNone) {
            AppAlertNumbered(1, "Failed to initialize file manager");
        } else if (!AppOpenEarlyResources()) {
            AppAlertNumbered(2, "Failed to load early resources");
        } else {
            return 1;
        }
        MemTerm();
    }
    ClockFreeAll();
    return 0;
}

std::int16_t AppOpenEarlyResources() {
    char path[kFilePathSize];
    if (!FileBuildPath(path, nullptr, AppGetApplicationFolder(), nullptr, nullptr) ||
        !FileAppendDir(path, "Resource") || !FileAppendName(path, "Global"))
        return 0;
    AppConfigCallback(kAppQueryEarlyPath, path);
    earlyResources = openFirstFile(path);
    if (!earlyResources && FileDirExists(path)) earlyResources = ResOpenSource(path, kResOpenDefault);
    if (!earlyResources) return 0;
    StrInit();
    return 1;
}

void AppCloseEarlyResources() {
    StrTerm();
    if (earlyResources) ResCloseSource(earlyResources);
    earlyResources = 0;
}
