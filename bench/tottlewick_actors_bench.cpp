// Actors beside the shape manager, measured in the same run: ActorDrawAll of 32 buttons (64 x 64 0xC002
// shapes) and one 20-event animation into a 640 x 480 canvas against the same shapes drawn with
// ShapeDraw in a loop (goal <= 1.2x); ActorTrackMouse over the 32 against 32 ShapeHitTest calls; and the
// event scan of a 1000-event animation in both modes.
#include <cstdio>
#include <string>
#include <vector>

#include "Actor.h"
#include "CannotMeasure.h"
#include "BenchClock.h"
#include "File.h"
#include "Palette.h"
#include "Port.h"
#include "PrsWriter.h"
#include "Res.h"
#include "ShapeBenchStart.h"
#include "TempFolder.h"
#include "XmvWriter.h"
#include "XpkForge.h"

namespace {

constexpr int kButtons = 32;
constexpr int kBatches = 5;
constexpr int kRounds = 200;

// 'XPK' 1: one 64 x 64 picture; 'XMV' 2: 20 events of it; 'XMV' 3: 1000 events, one after the other.
bool writeResourcesOfBench(const TempFolder& folder) {
    ForgeBank bank;
    bank.shapes = {forgePattern(kForgeRun8, 64, 64, 5)};
    XmvSpec twenty = xmvStub(1), thousand = xmvStub(1);
    twenty.events.clear();
    for (int i = 0; i < 20; ++i) twenty.events.push_back({5, 0, 0, 60, std::int16_t(i * 8), std::int16_t(i * 4)});
    thousand.duration = 60000;
    thousand.events.clear();
    for (std::uint32_t i = 0; i < 1000; ++i) thousand.events.push_back({3, 0, i * 60, 60});
    return writeResources(folder.file("Bench.PRS"), {{"XPK", 1, forgeXpk(bank, ByteOrder::big)},
                                                      {"XMV", 2, xmvWrite(twenty, ByteOrder::big)},
                                                      {"XMV", 3, xmvWrite(thousand, ByteOrder::big)}});
}

std::int16_t x(int i) { return std::int16_t(i % 8 * 80); }
std::int16_t y(int i) { return std::int16_t(i / 8 * 80); }

void line(const char* what, double each, double floor) {
    std::printf("%-60s %8.1f us   %5.2fx%s\n", what, each * 1e6, each / floor, floor == each ? "   (baseline)" : "");
}

std::int16_t countEvent(const XmvEvent&, std::uint32_t, void* context) {
    ++*static_cast<std::uint32_t*>(context);
    return 1;
}

}  // namespace

int main() {
    const TempFolder folder;
    startShapeBench(folder);
    if (!writeResourcesOfBench(folder) || !ResOpenFile("Bench")) cannotMeasure("the resource file did not open");
    Canvas canvas = 0;
    CanvasCreate(&canvas, 640 | 480u << 16, kCanvasMemory);
    PortSet(canvas);
    const ShapeBank bank = ShapeBankLoad(1);
    for (int i = 0; i < kButtons; ++i) ActorAddButton(PointPack(x(i), y(i)), bank, 0, 0, 0, std::uint32_t(i + 1));
    ActorAddAnim(PointPack(100, 100), 2, 0, 100);

    const double shapes = fastestEach(kBatches, kRounds, [&](int) {
        for (int i = 0; i < kButtons; ++i) ShapeDraw(nullptr, bank, 0, x(i), y(i), 0);
        for (int e = 0; e < 20; ++e) ShapeDraw(nullptr, bank, 0, std::int16_t(100 + e * 8), std::int16_t(100 + e * 4), 0);
    });
    line("ShapeDraw of the same 52 shapes", shapes, shapes);
    line("ActorDrawAll: 32 buttons and a 20-event animation (<= 1.2x)",
         fastestEach(kBatches, kRounds, [&](int) { ActorDrawAll(nullptr); }), shapes);

    const double hits = fastestEach(kBatches, kRounds, [&](int r) {
        for (int i = 0; i < kButtons; ++i) ShapeHitTest(std::int16_t(r % 640), 20, bank, 0, x(i), y(i), 0);
    });
    line("32 ShapeHitTest calls", hits, hits);
    line("ActorTrackMouse over 32 buttons",
         fastestEach(kBatches, kRounds, [&](int r) { ActorTrackMouse(PointPack(std::int16_t(r % 640), 20)); }), hits);

    AnimRes thousand = AnimResLoad(3);
    for (bool seek : {true, false}) {
        std::uint32_t visits = 0;
        const double scan = fastestEach(kBatches, kRounds, [&](int r) {
            const XmvScan from{seek, 0, 0, std::uint32_t(r * 293 % 60000)};
            AnimResForEachEvent(thousand, from, nullptr, countEvent, &visits);
        });
        std::printf("%-60s %8.1f us   (%s)\n", seek ? "event scan of 1000 events, seeking" : "event scan of 1000 events, from the start",
                    scan * 1e6, seek ? "the events before the time are passed over" : "every started event visited");
    }
    AnimResFree(&thousand);
    ActorRemoveAll();
    return 0;
}
