// Start-up and shutdown shared by the benchmarks that run an activity scene: streams and the sound manager on
// the sound library's real clock, and an off-screen and a window canvas of 640 x 480 behind the update list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "Canvas.h"
#include "Backdrop.h"
#include "DisplayCanvas.h"
#include "GeneratedTitle.h"
#include "Res.h"
#include "SceneGlobals.h"
#include "SpriteCycler.h"
#include "SndManager.h"
#include "Stream.h"
#include "TempFolder.h"
#include "Update.h"
#include "mss32.h"

// Copies the generated title's Global.PRS and one module's file ("BlueGoo") into the bench's folder and
// opens Global; false when it does not open.
inline bool openTitleModule(const TempFolder& folder, const std::string& module) {
    for (const std::string& name : {std::string("\\Resource\\Global.PRS"), "\\disc\\Resource\\" + module + ".PRS"}) {
        const std::string from = generatedTitleFolder() + name;
        CopyFileA(from.c_str(), folder.file(from.substr(from.rfind('\\') + 1)).c_str(), FALSE);
    }
    return ResOpenFile("Global") != 0;
}

struct SceneBenchCanvases {
    Canvas offscreen = 0;
    Canvas target = 0;
};

inline SceneBenchCanvases startSceneBench() {
    StreamInit();
    MssTestUseVirtualDevice(nullptr);
    SndInit(nullptr, 8, 2, 16, 22050);

    SceneBenchCanvases canvases;
    const std::uintptr_t size = 640 | std::uintptr_t(480) << 16;
    CanvasCreate(&canvases.offscreen, size, kCanvasMemory | kCanvasOffscreen);
    CanvasCreate(&canvases.target, size, kCanvasMemory);
    const Rect screen{0, 0, 640, 480};
    DisplaySetScreenRect(&screen);
    UpdateSetCurrent(UpdateListCreate(kUpdateCapacity, &screen));
    UpdateSetOffscreenCanvas(canvases.offscreen);
    UpdateSetWindowCanvas(canvases.target);
    return canvases;
}

inline void stopSceneBench(SceneBenchCanvases& canvases) {
    SceneDeleteActivity();
    SpriteCyclerShutdown();
    BackdropFreeAll();
    SndShutdown();
    CanvasDispose(&canvases.target);
    CanvasDispose(&canvases.offscreen);
}
