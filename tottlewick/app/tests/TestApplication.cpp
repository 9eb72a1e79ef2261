// The activity layer's stand-in in TottlewickTestApp.exe: it answers the configuration queries, shows
// 'DIB' 1, plays 'AIF' 1, runs one module and logs each message box (answered OK), manager step and
// message that matters to "tottlewick.log" in the current folder. Command-line words: "refuse" (query 2
// refuses the machine) and "signal" (the event "TottlewickFirstFrame" is set after the first flushed frame).
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
#include "FileDir.h"
#include "FilePath.h"
#include "MemHandle.h"
#include "Res.h"
#include "SndPlay.h"
#include "Str.h"
#include "Update.h"
#include "UtilString.h"

namespace {

std::string logPath;
bool frameFlushed = false;

void logLine(const std::string& line) {
    if (FILE* file = std::fopen(logPath.c_str(), "ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

bool hasWord(const char* word) {
    return (" " + std::string(AppGetCommandLine()) + " ").find(" " + std::string(word) + " ") != std::string::npos;
}

// The seams go in with the first query, before anything can be shown.
void install() {
    if (!logPath.empty()) return;
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    logPath = std::string(folder) + "\\tottlewick.log";
    EngineSetMessageBoxHook([](const char* text, const char* caption, unsigned style) {
        logLine("box " + EngineMessageBoxLine(text, caption, style));
        return IDOK;
    });
    AppSetStepHook([](const char* step) {
        logLine(std::string("step ") + step);
        return true;
    });
}

std::int32_t locateFolders(char* application) {
    if (!FileGetCurrentDirectory(application, kFilePathSize)) return 1;
    UtilStrCopy(AppGetLocalResourceFolder(), application, kFilePathSize);
    if (!FileAppendName(AppGetLocalResourceFolder(), "Resource")) return 1;
    UtilStrCopy(AppGetDiscResourceFolder(), AppGetLocalResourceFolder(), kFilePathSize);
    return 0;
}

// Copies the 8-bit pixels of the stored bitmap file 'DIB' 1 to the top-left of the offscreen picture.
void drawPicture() {
    MemHandle picture = ResLoad(resType("DIB"), 1);
    const auto* data = static_cast<const std::uint8_t*>(picture ? MemHandleLock(picture) : nullptr);
    const ByteReader file(data, data ? MemHandleGetSize(picture) : 0, ByteOrder::little);
    DibHeader header{};
    std::uint32_t offset = 0;
    const std::uint8_t* info = file.spanAt(14, sizeof header);
    if (info) std::memcpy(&header, info, sizeof header);
    const bool placed = file.u32At(10, offset) && header.height > 0 && header.bitCount == 8;
    const std::uint8_t* pixels = placed ? file.spanAt(offset, DibStride(&header) * header.height) : nullptr;
    if (const Canvas offscreen = DisplayGetOffscreenCanvas(); pixels && offscreen) {
        const Rect whole{0, 0, static_cast<std::int16_t>(header.width), static_cast<std::int16_t>(header.height)};
        DibCopyRect(CanvasGetBits(offscreen), CanvasGetDib(offscreen), 0, 0, pixels, &header, &whole);
    }
    if (data) MemHandleUnlock(picture);
    MemHandleFree(&picture);
}

LRESULT CALLBACK TestModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAppModuleStart || message == kAppModuleEnd) logLine("module " + std::to_string(message));
    return UpdateWindowProc(window, message, wParam, lParam);
}

void flush() {
    UpdateFlush();
    if (frameFlushed) return;
    frameFlushed = true;
    logLine("frame");
    if (HANDLE event = hasWord("signal") ? OpenEventA(EVENT_MODIFY_STATE, FALSE, "TottlewickFirstFrame") : nullptr) {
        SetEvent(event);
        CloseHandle(event);
    }
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
        DisplayOpenWindow();
        CursorInit();
        CursorSetVisible(0);
        DisplaySetPaletteFromDib(1);
        drawPicture();
        UpdateInvalRect(nullptr);
        logLine("sound " + std::to_string(SndPlayId(1, 0, 1024, 0)));
        AppSetModule(window, TestModuleProc, 0);
        return 0;
    case kAppShutdown:
    case WM_DESTROY:
        logLine("shutdown " + std::to_string(message));
        AppSetModule(window, nullptr, 0);
        CursorShutdown();
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
    }
    if (const AppModuleProc module = AppGetModule()) return module(window, message, wParam, lParam);
    return UpdateWindowProc(window, message, wParam, lParam);
}
