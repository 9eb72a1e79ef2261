// One frame of screen updates beside memcpy, measured in the same run: 20 scattered 64 x 64 dirty
// rectangles flushed over a tiled backdrop of 160 x 160 tiles with 10, 30 and 100 sprites of 48 x 48
// (redrawn into the offscreen canvas, then copied to a second memory canvas or to a window), against
// memcpy of the same rectangles' rows between two 640 x 480 buffers. Frames per second side by side.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Backdrop.h"
#include "CannotMeasure.h"
#include "BenchClock.h"
#include "Canvas.h"
#include "File.h"
#include "MemHandle.h"
#include "Palette.h"
#include "PrsWriter.h"
#include "Res.h"
#include "ShapeBenchStart.h"
#include "ShapeMgr.h"
#include "Sprite.h"
#include "TempFolder.h"
#include "Update.h"
#include "XpkForge.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kDirty = 20;
constexpr int kBatches = 5;
constexpr int kFrames = 60;


// A fixed scatter of points on a 4-pixel grid, the same every run.
std::vector<Rect> scatter(int count, int size, std::uint32_t seed) {
    std::vector<Rect> out;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int x = int(seed >> 8) % (kWidth - size) & ~3;
        const int y = int(seed >> 20) % (kHeight - size) & ~1;
        out.push_back({std::int16_t(x), std::int16_t(y), std::int16_t(x + size), std::int16_t(y + size)});
    }
    return out;
}

// 'XPK' 1: twelve solid tiles; 'XPK' 2: one 48 x 48 sprite picture with skips, fills and literals.
bool writeBanks(const TempFolder& folder) {
    ForgeBank tiles;
    for (int i = 0; i < 12; ++i) {
        ForgeShape tile;
        tile.width = tile.frameWidth = 160;
        tile.height = tile.frameHeight = 160;
        tile.pixels.assign(160 * 160, {ForgePixel::opaque, std::uint16_t(20 + i), 0});
        tiles.shapes.push_back(tile);
    }
    ForgeBank sprite;
    sprite.shapes = {forgePattern(kForgeRun8, 48, 48, 7)};
    sprite.shapes[0].frameWidth = sprite.shapes[0].frameHeight = 48;
    return writeResources(folder.file("Bench.PRS"),
                          {{"XPK", 1, forgeXpk(tiles, ByteOrder::big)}, {"XPK", 2, forgeXpk(sprite, ByteOrder::big)}});
}

void redraw(std::uint16_t count, const Rect* rects) {
    for (std::uint16_t i = 0; i < count; ++i) {
        BackdropDrawMain(&rects[i]);
        SpriteDrawAll(&rects[i]);
    }
}

double flushEach(const std::vector<Rect>& dirty) {
    return fastestEach(kBatches, kFrames, [&](int) {
        for (const Rect& r : dirty) UpdateInvalRectOnce(&r);
        UpdateFlush();
    });
}

void report(const char* what, double each, double floor) {
    std::printf("%-44s %9.0f frames/s  %8.1f us   %6.1fx memcpy's time\n", what, 1.0 / each, each * 1e6, each / floor);
}

}  // namespace

int main() {
    const TempFolder folder;
    startShapeBench(folder);
    if (!writeBanks(folder) || !ResOpenFile("Bench")) cannotMeasure("the resource file did not open");

    Canvas offscreen = 0;
    Canvas target = 0;
    const std::uintptr_t size = kWidth | std::uintptr_t(kHeight) << 16;
    CanvasCreate(&offscreen, size, kCanvasMemory | kCanvasOffscreen);
    CanvasCreate(&target, size, kCanvasMemory);
    const Rect screen{0, 0, kWidth, kHeight};
    UpdateSetCurrent(UpdateListCreate(kUpdateCapacity, &screen));
    UpdateSetOffscreenCanvas(offscreen);
    UpdateSetRedrawProc(redraw);
    BackdropLoadMain(1, 4, 3, 0, 0);
    ShapeBank sprite = ShapeBankLoad(2);

    const std::vector<Rect> dirty = scatter(kDirty, 64, 1);
    for (const Rect& r : dirty) UpdateInvalRectOnce(&r);
    std::printf("%d dirty rectangles of 64 x 64 merge into %d\n", kDirty, UpdateGetOnceRects(nullptr));
    UpdateFlush();
    UpdateFlush();

    std::vector<std::uint8_t> from(kWidth * kHeight, 7);
    std::vector<std::uint8_t> to(from.size());
    const double floor = fastestEach(kBatches, kFrames, [&](int) {
        for (const Rect& r : dirty) {
            for (int y = r.top; y < r.bottom; ++y)
                std::memcpy(&to[y * kWidth + r.left], &from[y * kWidth + r.left], 64);
        }
    });
    std::printf("%-44s %9.0f frames/s  %8.1f us   (floor)\n", "memcpy of the rectangles' rows", 1.0 / floor,
                floor * 1e6);

    WNDCLASSA type{};
    type.lpfnWndProc = DefWindowProcA;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "UpdateBench";
    RegisterClassA(&type);
    HWND window = CreateWindowExA(0, "UpdateBench", "", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr,
                                  type.hInstance, nullptr);
    Canvas windowCanvas = 0;
    CanvasCreate(&windowCanvas, reinterpret_cast<std::uintptr_t>(window), kCanvasWindow);

    // The copies alone, GDI blits between memory device contexts: Wine's share of every flush.
    UpdateSetWindowCanvas(target);
    UpdateSetRedrawProc(nullptr);
    report("flush without redrawing, to a memory canvas", flushEach(dirty), floor);
    UpdateSetRedrawProc(redraw);

    int placed = 0;
    for (int count : {10, 30, 100}) {
        for (const Rect& r : scatter(count - placed, 48, std::uint32_t(count))) {
            SpriteCreateAnon(PointPack(r.left, r.top), sprite, 0);
        }
        placed = count;
        char what[64];
        UpdateSetWindowCanvas(target);
        std::snprintf(what, sizeof what, "flush, %3d sprites, to a memory canvas", count);
        report(what, flushEach(dirty), floor);
        UpdateSetWindowCanvas(windowCanvas);
        std::snprintf(what, sizeof what, "flush, %3d sprites, to a window", count);
        report(what, flushEach(dirty), floor);
    }

    SpriteDisposeAll();
    ShapeBankFree(&sprite);
    BackdropFreeAll();
    CanvasDispose(&windowCanvas);
    DestroyWindow(window);
    CanvasDispose(&target);
    CanvasDispose(&offscreen);
    return 0;
}
