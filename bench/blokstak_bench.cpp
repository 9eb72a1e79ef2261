// BLOK_STAK while the first group's blocks arrive, on the generated title's files, beside the bare screen
// update in the same run: a timer tick through the application handler and AppRedraw (the alphabet row,
// the tower and character clips playing, the stack clip's last frame, the pointer) against UpdateFlush of
// the same rectangles drawing only the backdrop (goal <= 2x).
#include <cstdio>
#include <vector>

#include "AppBindings.h"
#include "AppRedraw.h"
#include "BLOK_STAK.h"
#include "Backdrop.h"
#include "BenchClock.h"
#include "GeneratedTitle.h"
#include "SceneBenchStart.h"
#include "ShapeBenchStart.h"
#include "SndPlayControl.h"

namespace {

constexpr int kBatches = 5;
constexpr int kTicks = 40;
constexpr std::uint32_t kTowerArrives = 5;     // the tower machine while the blocks-arrive clip plays
constexpr std::uint32_t kCharacterPlays = 6;  // the character machine while its 5120 clip plays

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
    for (const char* name : {"\\Resource\\Global.PRS", "\\disc\\Resource\\BLOK_STAK.PRS"}) {
        const std::string from = generatedTitleFolder() + name;
        CopyFileA(from.c_str(), folder.file(from.substr(from.rfind('\\') + 1)).c_str(), FALSE);
    }
    if (!ResOpenFile("Global")) return 1;
    SceneBenchCanvases canvases = startSceneBench();
    SpriteCyclerInit(10);
    UpdateSetRedrawProc(keepingRedraw);
    auto* blocks = new BLOK_STAK;
    gActivity = blocks;
    // The intro voice, the first group's stack and the character run on the real clock until the tower
    // brings the blocks in.
    while (blocks->TowerState() != kTowerArrives) tick();
    if (blocks->CharacterState() != kCharacterPlays) return 2;
    const double arriving = fastestEach(kBatches, kTicks, [](int) { tick(); });
    std::printf("a tick while the blocks arrive redraws %zu rectangles%s\n", drawn.size(),
                blocks->TowerState() == kTowerArrives ? "" : " (the tower clip ended before the end)");
    UpdateSetRedrawProc(backdropOnly);
    const double bare = fastestEach(kBatches, kTicks, [](int) {
        for (const Rect& r : drawn) UpdateInvalRectOnce(&r);
        UpdateFlush();
    });
    std::printf("%-64s %8.1f us   (baseline)\n", "UpdateFlush of the same rectangles, the backdrop only", bare * 1e6);
    std::printf("%-64s %8.1f us   %5.2fx\n", "a BLOK_STAK tick as the blocks arrive, through AppRedraw (<= 2x)", arriving * 1e6,
                arriving / bare);

    stopSceneBench(canvases);
    return 0;
}
