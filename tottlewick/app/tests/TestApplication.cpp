// The test application that stands in for the activity layer in Tottlewick.exe. It answers the
// configuration queries, starts and shuts down with the application messages, shows the picture of
// 'DIB' 1 and plays 'AIF' 1, runs one module, and writes what it sees to "tottlewick.log" in the current
// folder: one line per message box (through the engine's message-box road, answered OK), per step of the
// manager start and shutdown, and per message that matters. Words of the command line choose behaviours:
//   refuse        configuration query 2 refuses the machine
//   signal        the event "TottlewickFirstFrame" is set after the first flushed frame
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "AppBindings.h"
#include "AppBox.h"
#include "AppGlobals.h"
#include "AppManagers.h"
#include "AppModule.h"
#include "ByteReader.h"
#include "Canvas.h"
#include "Cursor.h"
#include "DibPixels.h"
#include "DisplayCanvas.h"
#include "DisplayPalette.h"
#include "DisplayWindow.h"
#include "EngineMessageBox.h"
#include "File.h"
#include "FileDir.h"
#include "FilePath.h"
#include "MemHandle.h"
#include "Res.h"
#include "SndPlay.h"
#include "Str.h"
#include "Update.h"
#include "UtilString.h"

namespace {

constexpr char kLogName[] = "tottlewick.log";
constexpr std::uint16_t kPictureId = 1;
constexpr std::uint16_t kSoundId = 1;

std::string logPath;
bool frameFlushed = false;

void logLine(const std::string& line) {
    if (FILE* file = std::fopen(logPath.c_str(), "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

bool hasWord(const char* word) {
    const std::string line = " " + std::string(AppGetCommandLine()) + " ";
    return line.find(std::string(" ") + word + " ") != std::string::npos;
}

int logBox(const char* text, const char* caption, unsigned style) {
    logLine("box " + EngineMessageBoxLine(text, caption, style));
    return IDOK;
}

bool logStep(const char* step) {
    logLine(std::string("step ") + step);
    return true;
}

// The seams go in with the first query, before anything can be shown.
void install() {
    if (!logPath.empty()) return;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    logPath = std::string(folder) + "\\" + kLogName;
    EngineSetMessageBoxHook(logBox);
    AppSetStepHook(logStep);
}

std::int32_t locateFolders(char* application) {
    if (!FileGetCurrentDirectory(application, kFilePathSize)) return 1;
    UtilStrCopy(AppGetLocalResourceFolder(), application, kFilePathSize);
    if (!FileAppendName(AppGetLocalResourceFolder(), "Resource")) return 1;
    UtilStrCopy(AppGetDiscResourceFolder(), AppGetLocalResourceFolder(), kFilePathSize);
    return 0;
}

// Copies the pixels of the stored bitmap file 'DIB' 1 to the top-left of the offscreen picture.
void drawPicture() {
    MemHandle picture = ResLoad(resType("DIB"), kPictureId);
    const auto* data = static_cast<const std::uint8_t*>(picture ? MemHandleLock(picture) : nullptr);
    const Canvas offscreen = DisplayGetOffscreenCanvas();
    if (data && offscreen) {
        const ByteReader file(data, MemHandleGetSize(picture), ByteOrder::little);
        DibHeader header{};
        std::uint32_t offset = 0;
        const std::uint8_t* info = file.spanAt(14, sizeof header);
        if (info) std::memcpy(&header, info, sizeof header);
        const bool placed = file.u32At(10, offset) && header.height > 0;
        const std::uint8_t* pixels = placed ? file.spanAt(offset, DibStride(&header) * header.height) : nullptr;
        if (info && header.bitCount == 8 && pixels) {
            const Rect whole{0, 0, static_cast<std::int16_t>(header.width), static_cast<std::int16_t>(header.height)};
            DibCopyRect(CanvasGetBits(offscreen), CanvasGetDib(offscreen), 0, 0, pixels, &header, &whole);
        }
    }
    if (data) MemHandleUnlock(picture);
    MemHandleFree(&picture);
}

LRESULT CALLBACK TestModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAppModuleStart || message == kAppModuleEnd) logLine("module " + std::to_string(message));
    return UpdateWindowProc(window, message, wParam, lParam);
}

void startUp(HWND window) {
    DisplayOpenWindow();
    CursorInit();
    CursorSetVisible(0);
    DisplaySetPaletteFromDib(kPictureId);
    drawPicture();
    UpdateInvalRect(nullptr);
    logLine("sound " + std::to_string(SndPlayId(kSoundId, 0, 1024, 0)));
    AppSetModule(window, TestModuleProc, 0);
}

void shutDown(HWND window, UINT message) {
    logLine("shutdown " + std::to_string(message));
    AppSetModule(window, nullptr, 0);
    CursorShutdown();
}

void flush() {
    UpdateFlush();
    if (frameFlushed) return;
    frameFlushed = true;
    logLine("frame");
    if (!hasWord("signal")) return;
    if (HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, "TottlewickFirstFrame")) {
        SetEvent(event);
        CloseHandle(event);
    }
}

LRESULT forward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const AppModuleProc module = AppGetModule()) return module(window, message, wParam, lParam);
    return UpdateWindowProc(window, message, wParam, lParam);
}

}  // namespace

std::int32_t AppConfigCallback(std::int16_t query, void* data) {
    install();
    switch (query) {
    case kAppQueryProductName:
        UtilStrCopy(static_cast<char*>(data), StrGetMessage(100, "Tottlewick"), kAppTextSize);
        return 0;
    case kAppQueryRequirements: {
        CanvasSetDefaultDepth(8);
        const auto* info = static_cast<const AppDisplayInfo*>(data);
        logLine("display " + std::to_string(info->width) + "x" + std::to_string(info->height) + "x" +
                std::to_string(info->bitsPerPixel));
        if (!hasWord("refuse")) return 0;
        AppAlert("This machine is refused.");
        return 1;
    }
    case kAppQueryWindowMode:
        return 1;
    case kAppQueryFolders:
        return locateFolders(static_cast<char*>(data));
    default:
        return 0;
    }
}

LRESULT AppMessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kAppStartup:
        logLine("10004");
        startUp(window);
        return 0;
    case kAppShutdown:
    case WM_DESTROY:
        shutDown(window, message);
        return 0;
    case WM_CLOSE:
        logLine("close");
        AppQuit();
        return 1;
    case WM_USER:
        logLine("WM_USER " + std::to_string(wParam));
        break;
    case kAppTick:
        flush();
        break;
    default:
        break;
    }
    return forward(window, message, wParam, lParam);
}
