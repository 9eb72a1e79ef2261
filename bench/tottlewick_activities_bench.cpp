// The activity kit beside the bare screen update, measured in the same run: one timer tick of a scene
// with full tables (16 buttons, 20 playing animation spots, 10 sprite cyclers and a hover pointer) through
// the application handler and AppRedraw, against UpdateFlush of the same rectangles drawing only the
// backdrop (goal <= 2x), with the drawing of each layer beside it; and a mouse move through both tracking passes (spots, then buttons) against
// ActorTrackMouse alone.
#include <cstdio>
#include <memory>
#include <vector>

#include "Actor.h"
#include "CannotMeasure.h"
#include "AnimSpot.h"
#include "AppBindings.h"
#include "AppRedraw.h"
#include "Backdrop.h"
#include "BenchClock.h"
#include "CommandButton.h"
#include "DisplayCanvas.h"
#include "HoverPointer.h"
#include "KitGlobals.h"
#include "Port.h"
#include "PrsWriter.h"
#include "Scene.h"
#include "SceneGlobals.h"
#include "SceneBenchStart.h"
#include "ShapeBenchStart.h"
#include "SndManager.h"
#include "SpriteCycler.h"
#include "Stream.h"
#include "Update.h"
#include "XmvWriter.h"
#include "XpkForge.h"
#include "mss32.h"

namespace {

constexpr int kBatches = 5;
constexpr int kTicks = 60;
constexpr int kButtons = 16;
constexpr int kSpots = 20;
constexpr int kCyclers = 10;

std::int16_t column(int i, int step) { return std::int16_t(i % 8 * step); }
std::int16_t row(int i, int step, int top) { return std::int16_t(top + i / 8 * step); }

// 'XPK' 1: one 48 x 48 picture (pointer, buttons, cyclers' first frame); 'XPK' 2: twelve 160 x 160
// tiles; 'XPK' 3: eight 32 x 32 frames; 'XMV' 1: the hover animation; 'XMV' 2: a looping 0.1 s one.
bool writeBenchResources(const TempFolder& folder) {
    ForgeBank picture;
    picture.shapes = {forgePattern(kForgeRun8, 48, 48, 7)};
    ForgeBank tiles;
    for (int i = 0; i < 12; ++i) tiles.shapes.push_back(forgePattern(kForgeRun8, 160, 160, std::uint32_t(20 + i)));
    ForgeBank frames;
    for (int i = 0; i < 8; ++i) frames.shapes.push_back(forgePattern(kForgeRun8, 32, 32, std::uint32_t(40 + i)));
    XmvSpec spot = xmvStub(3);
    spot.events = {{3, 0, 0, 30}, {3, 1, 30, 30}};
    return writeResources(folder.file("Bench.PRS"), {{"XPK", 1, forgeXpk(picture, ByteOrder::big)},
                                                      {"XPK", 2, forgeXpk(tiles, ByteOrder::big)},
                                                      {"XPK", 3, forgeXpk(frames, ByteOrder::big)},
                                                      {"XMV", 1, xmvWrite(xmvStub(1), ByteOrder::big)},
                                                      {"XMV", 2, xmvWrite(spot, ByteOrder::big)}});
}

// A screen whose tick and drawing cover every table of the kit.
class FullScene : public Scene {
public:
    FullScene() : pointer_(kKitHoverAnim, 1, 0, 0) {
        gCurrentPointer = &pointer_;
        for (int i = 0; i < kButtons; ++i) {
            buttons_.push_back(std::make_unique<CommandButton>());
            buttons_.back()->Add(std::uint32_t(200 + i), 1, 1, 1, 0, column(i, 80), row(i, 60, 0));
            buttons_.back()->Register(this, 0, 1);
        }
        for (int i = 0; i < kSpots; ++i) {
            spots_[i].SetMode(AnimClip::loop);
            spots_[i].Load(2, std::uint32_t(300 + i), 1, 0);
            spots_[i].StartAt(column(i, 80), row(i, 60, 200));
        }
        for (int i = 0; i < kCyclers; ++i) {
            const std::uint16_t slot = SpriteCyclerAdd(3);
            SpriteCyclerSetPosition(slot, column(i, 64), 420);
            SpriteCyclerSetRate(slot, 30, 1);
        }
    }
    void OnTimer(std::uint32_t, std::int32_t) override {
        pointer_.Tick();
        AnimSpot::AnimSpotsTickAll();
        SpriteCyclersTick();
    }
    void Draw(const Rect& rect) override {
        BackdropDrawMain(&rect);
        ActorDrawAll(&rect);
        AnimSpot::AnimSpotsDrawAll(&rect);
        SpriteCyclersDraw(rect);
        pointer_.Draw(&rect);
    }

private:
    HoverPointer pointer_;
    std::vector<std::unique_ptr<CommandButton>> buttons_;
    AnimSpot spots_[kSpots];
};

std::vector<Rect> drawn;

// AppRedraw, keeping the rectangles of the flush for the baseline.
void keepingRedraw(std::uint16_t count, const Rect* rects) {
    drawn.assign(rects, rects + count);
    AppRedraw(count, rects);
}

void backdropOnly(std::uint16_t count, const Rect* rects) {
    for (std::uint16_t i = 0; i < count; ++i) BackdropDrawMain(&rects[i]);
}

void line(const char* what, double each, double floor) {
    std::printf("%-64s %8.1f us   %5.2fx%s\n", what, each * 1e6, each / floor, floor == each ? "   (baseline)" : "");
}

}  // namespace

int main() {
    const TempFolder folder;
    startShapeBench(folder);
    if (!writeBenchResources(folder) || !ResOpenFile("Bench")) cannotMeasure("the resource file did not open");
    SceneBenchCanvases canvases = startSceneBench();
    BackdropLoadMain(2, 4, 3, 0, 0);
    SpriteCyclerInit(kCyclers);
    gActivity = new FullScene;

    UpdateSetRedrawProc(keepingRedraw);
    const Rect screen{0, 0, 640, 480};
    UpdateInvalRect(&screen);
    UpdateFlush();
    UpdateFlush();
    const double tick = fastestEach(kBatches, kTicks, [](int) { AppMessageHandler(nullptr, WM_TIMER, 1, 0); });
    std::printf("a tick redraws %zu rectangles\n", drawn.size());
    UpdateSetRedrawProc(backdropOnly);
    const double bare = fastestEach(kBatches, kTicks, [](int) {
        for (const Rect& r : drawn) UpdateInvalRectOnce(&r);
        UpdateFlush();
    });
    line("UpdateFlush of the same rectangles, the backdrop only", bare, bare);
    line("a timer tick of the full scene through AppRedraw (<= 2x)", tick, bare);
    line("  of which the scene's OnTimer", fastestEach(kBatches, kTicks, [](int) { gActivity->OnTimer(1, 0); }), bare);
    // Where the drawing goes: the backdrop with one layer of the scene at a time, under each clip.
    static int layer = 0;
    UpdateSetRedrawProc([](std::uint16_t count, const Rect* rects) {
        for (std::uint16_t i = 0; i < count; ++i) {
            CanvasSetClip(PortGet(), &rects[i]);
            BackdropDrawMain(&rects[i]);
            if (layer == 0) ActorDrawAll(&rects[i]);
            if (layer == 1) AnimSpot::AnimSpotsDrawAll(&rects[i]);
            if (layer == 2) SpriteCyclersDraw(rects[i]);
            if (layer == 3) gCurrentPointer->Draw(&rects[i]);
        }
    });
    const char* layers[] = {"  backdrop and the 16 buttons", "  backdrop and the 20 spots", "  backdrop and the 10 cyclers",
                            "  backdrop and the pointer"};
    for (layer = 0; layer < 4; ++layer) {
        line(layers[layer], fastestEach(kBatches, kTicks, [](int) {
                 for (const Rect& r : drawn) UpdateInvalRectOnce(&r);
                 UpdateFlush();
             }), bare);
    }

    const double actors = fastestEach(kBatches, kTicks * 10, [](int r) {
        ActorTrackMouse(PointPack(std::int16_t(r * 7 % 640), std::int16_t(r * 13 % 480)));
    });
    line("ActorTrackMouse alone", actors, actors);
    line("a mouse move through the spots' and the buttons' tracking", fastestEach(kBatches, kTicks * 10, [](int r) {
             const Point point{std::int16_t(r * 7 % 640), std::int16_t(r * 13 % 480)};
             AnimSpot::AnimSpotsTrackMouse(point);
             CommandButton::ButtonsTrackMouse(point);
         }), actors);

    stopSceneBench(canvases);
    return 0;
}
