// BLOK_STAK while the first group's blocks arrive, on the generated title's files, beside the bare screen
// update in the same run: a timer tick through the application handler and AppRedraw (the alphabet row,
// the tower and character clips playing, the stack clip's last frame, the pointer) against UpdateFlush of
// the same rectangles drawing only the backdrop (goal <= 2x).
#include "BLOK_STAK.h"
#include "CannotMeasure.h"
#include "SceneBenchStart.h"
#include "SceneTickBench.h"
#include "ShapeBenchStart.h"

namespace {

constexpr std::uint32_t kTowerArrives = 5;     // the tower machine while the blocks-arrive clip plays
constexpr std::uint32_t kCharacterPlays = 6;  // the character machine while its 5120 clip plays

}  // namespace

int main() {
    const TempFolder folder;
    startShapeBench(folder);
    if (!openTitleModule(folder, "BLOK_STAK")) cannotMeasure("the generated title is missing (build the tottlewick_title target)");
    SceneBenchCanvases canvases = startSceneBench();
    SpriteCyclerInit(10);
    keepSceneRedraws();
    auto* blocks = new BLOK_STAK;
    gActivity = blocks;
    // The intro voice, the first group's stack and the character run on the real clock until the tower
    // brings the blocks in.
    while (blocks->TowerState() != kTowerArrives) sceneTick();
    if (blocks->CharacterState() != kCharacterPlays) cannotMeasure("the character did not play as the blocks arrived");
    measureTickBesideFloor("while the blocks arrive", " (the tower clip ended before the end)",
                           "a BLOK_STAK tick as the blocks arrive, through AppRedraw (<= 2x)",
                           [blocks] { return blocks->TowerState() == kTowerArrives; });

    stopSceneBench(canvases);
    return 0;
}
