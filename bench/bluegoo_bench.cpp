// BlueGoo during a flight, on the generated title's files, beside the bare screen update in the same run:
// a timer tick through the application handler and AppRedraw (the eleven spots, the goo's cycler and
// Mover, the background clip, the pointer) against UpdateFlush of the same rectangles drawing only the
// backdrop (goal <= 2x).
#include <cstdio>
#include <vector>

#include "Actor.h"
#include "AppBindings.h"
#include "AppRedraw.h"
#include "Backdrop.h"
#include "BenchClock.h"
#include "BlueGoo.h"
#include "DisplayCanvas.h"
#include "GeneratedTitle.h"
#include "SceneGlobals.h"
#include "SceneBenchStart.h"
#include "ShapeBenchStart.h"
#include "SndManager.h"
#include "SndPlayControl.h"
#include "SpriteCycler.h"
#include "Stream.h"
#include "Update.h"
#include "mss32.h"

namespace {

constexpr int kBatches = 5;
constexpr int kTicks = 40;

std::vector<Rect> drawn;

void keepingRedraw(std::uint16_t count, const Rect* rects) {
    drawn.assign(rects, rects + count);
    AppRedraw(count, rects);
}

void backdropOnly(std::uint16_t count, const Rect* rects) {
    for (std::uint16_t i = 0; i < count; ++i) BackdropDrawMain(&rects[i]);
}

// The sound service of the main loop, then the timer message.
void tick() {
    SndService();
    AppMessageHandler(nullptr, WM_TIMER, 1, 0);
}

}  // namespace

int main() {
    const TempFolder folder;
    startShapeBench(folder);
    for (const char* name : {"\\Resource\\Global.PRS", "\\disc\\Resource\\BlueGoo.PRS"}) {
        const std::string from = generatedTitleFolder() + name;
        CopyFileA(from.c_str(), folder.file(from.substr(from.rfind('\\') + 1)).c_str(), FALSE);
    }
    if (!ResOpenFile("Global")) return 1;
    SceneBenchCanvases canvases = startSceneBench();
    SpriteCyclerInit(10);
    UpdateSetRedrawProc(keepingRedraw);
    auto* goo = new BlueGoo;
    gActivity = goo;
    // The intro voice and the opening run on the real clock until the board is up.
    while (ActorIsActive(120) != 1) tick();
    goo->OnCommand(4050);
    tick();
    if (!goo->Flight()) return 2;
    const double flight = fastestEach(kBatches, kTicks, [](int) { tick(); });
    std::printf("a tick during the flight redraws %zu rectangles%s\n", drawn.size(),
                goo->Flight() ? "" : " (the goo landed before the end)");
    UpdateSetRedrawProc(backdropOnly);
    const double bare = fastestEach(kBatches, kTicks, [](int) {
        for (const Rect& r : drawn) UpdateInvalRectOnce(&r);
        UpdateFlush();
    });
    std::printf("%-64s %8.1f us   (baseline)\n", "UpdateFlush of the same rectangles, the backdrop only", bare * 1e6);
    std::printf("%-64s %8.1f us   %5.2fx\n", "a BlueGoo tick during a flight through AppRedraw (<= 2x)", flight * 1e6,
                flight / bare);

    stopSceneBench(canvases);
    return 0;
}
