// HatShop on the generated title's files, beside a floor measured in the same run: PaintAt (the brush's
// masked draw into the hat canvas, the hit test and quarter lines, the flush through AppRedraw) and the
// coverage check (ShapeCompare of the colour shape against the hat canvas), each against one plain
// ShapeDraw of the whole colour shape into a canvas of the hat's size.
#include <cstdio>

#include "AppRedraw.h"
#include "CannotMeasure.h"
#include "BenchClock.h"
#include "HatShop.h"
#include "Port.h"
#include "SceneBenchStart.h"
#include "ShapeBenchStart.h"
#include "SndPlayControl.h"

namespace {

constexpr int kBatches = 5;
constexpr int kRuns = 200;
constexpr std::uint16_t kFirstScheme = 8101;

// Strokes to and fro along the brim, so that the hat never fills.
Point strokePoint(int i) {
    return Point{static_cast<std::int16_t>(200 + (i % 20) * 4), 330};
}

}  // namespace

int main() {
    const TempFolder folder;
    startShapeBench(folder);
    if (!openTitleModule(folder, "HatShop")) cannotMeasure("the generated title is missing (build the tottlewick_title target)");
    SceneBenchCanvases canvases = startSceneBench();
    UpdateSetRedrawProc(AppRedraw);
    auto* hat = new HatShop;
    gActivity = hat;

    ShapeBank colours = ShapeBankLoad(static_cast<std::uint16_t>(kFirstScheme + 100 * HatShop::Design()));
    Rect frame{};
    ShapeGetFrameRect(&frame, colours, 0, 0, 0, 0);
    const auto size = static_cast<std::uint32_t>(RectWidth(&frame)) |
                      static_cast<std::uint32_t>(RectHeight(&frame)) << 16;
    Canvas plain = 0;
    CanvasCreate(&plain, size, kCanvasMemory);
    if (!colours || !plain) cannotMeasure("the colour shape or its canvas is missing");
    PortPush(plain);
    const auto x = static_cast<std::int16_t>(-frame.left), y = static_cast<std::int16_t>(-frame.top);
    const double floor = fastestEach(kBatches, kRuns, [&](int) { ShapeDraw(nullptr, colours, 0, x, y, 0); });
    PortPop();
    const double paint = fastestEach(kBatches, kRuns, [&](int i) { hat->PaintAt(strokePoint(i)); });
    const double check = fastestEach(kBatches, kRuns, [&](int) { hat->CheckCovered(); });
    SndStopAll();

    std::printf("colour shape %d x %d, hat %s\n", RectWidth(&frame), RectHeight(&frame),
                hat->Finished() ? "filled (the figures are void)" : "not filled");
    std::printf("%-64s %8.1f us   (floor)\n", "a plain ShapeDraw of the colour shape", floor * 1e6);
    std::printf("%-64s %8.1f us   %5.2fx\n", "PaintAt: the 40 x 40 brush and its flush through AppRedraw",
                paint * 1e6, paint / floor);
    std::printf("%-64s %8.1f us   %5.2fx\n", "the coverage check: ShapeCompare against the hat canvas", check * 1e6,
                check / floor);

    ShapeBankFree(&colours);
    CanvasDispose(&plain);
    stopSceneBench(canvases);
    return 0;
}
