// BlueGoo during a flight, on the generated title's files, beside the bare screen update in the same run:
// a timer tick through the application handler and AppRedraw (the eleven spots, the goo's cycler and
// Mover, the background clip, the pointer) against UpdateFlush of the same rectangles drawing only the
// backdrop (goal <= 2x).
#include "Actor.h"
#include "CannotMeasure.h"
#include "BlueGoo.h"
#include "SceneBenchStart.h"
#include "SceneTickBench.h"
#include "ShapeBenchStart.h"

int main() {
    const TempFolder folder;
    startShapeBench(folder);
    if (!openTitleModule(folder, "BlueGoo")) cannotMeasure("the generated title is missing (build the tottlewick_title target)");
    SceneBenchCanvases canvases = startSceneBench();
    SpriteCyclerInit(10);
    keepSceneRedraws();
    auto* goo = new BlueGoo;
    gActivity = goo;
    // The intro voice and the opening run on the real clock until the board is up.
    while (ActorIsActive(120) != 1) sceneTick();
    goo->OnCommand(4050);
    sceneTick();
    if (!goo->Flight()) cannotMeasure("the goo did not take flight");
    measureTickBesideFloor("during the flight", " (the goo landed before the end)",
                           "a BlueGoo tick during a flight through AppRedraw (<= 2x)", [goo] { return goo->Flight(); });

    stopSceneBench(canvases);
    return 0;
}
