// The trinket window's update pass beside memcpy, measured in the same run: 1, 10 and 50 solid 64 x 64
// trinkets move every frame on the 640 x 460 window; each pass ticks them, redraws the damaged region into
// the 8-bit off-screen canvas and presents its bounding box. The baseline copies the same damaged rows
// (the present region's rectangles) between two 640 x 460 byte buffers with memcpy. Passes are timed with
// and without the present to the screen, which is Wine's share. Frames per second side by side.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchClock.h"
#include "OMApp.h"
#include "OMSystemUtilities.h"
#include "OMTBackground.h"
#include "OMTrinketWindow.h"
#include "SolidTrinket.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 460;
constexpr int kSize = 64;
constexpr int kFrames = 120;

struct Mover {
    SolidTrinket* trinket;
    int dx;
    int dy;
};

// The rectangles of the last present region, caught after each compose.
std::vector<RECT> damaged;
std::vector<std::vector<RECT>> damageOfFrame;

void noteDamage(OMArg window) {
    const OMRegion& region = reinterpret_cast<OMTrinketWindow*>(window)->presentRegion[0];
    damaged = region.handle() ? SolidTrinket::rectsOf(region) : std::vector<RECT>{};
}

// Trinkets spread over the window, each moving 3 to 7 pixels a frame, turning at the edges.
std::vector<Mover> makeMovers(OMTrinketWindow* window, int count) {
    std::vector<Mover> movers;
    std::uint32_t seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const int x = int(seed >> 8) % (kWidth - kSize);
        const int y = int(seed >> 20) % (kHeight - kSize);
        auto* t = new SolidTrinket(window, {x, y, x + kSize, y + kSize}, std::uint8_t(10 + i));
        movers.push_back({t, 3 + int(seed % 5), 3 + int((seed >> 4) % 5)});
    }
    return movers;
}

void step(std::vector<Mover>& movers) {
    for (Mover& m : movers) {
        const OMRect& b = m.trinket->getBounds();
        if (b.left + m.dx < 0 || b.right + m.dx > kWidth) m.dx = -m.dx;
        if (b.top + m.dy < 0 || b.bottom + m.dy > kHeight) m.dy = -m.dy;
        m.trinket->place(b.left + m.dx, b.top + m.dy);
    }
}

// Seconds per update pass (the moves are made outside the timing), best of three batches.
double passEach(OMTrinketWindow* window, std::vector<Mover>& movers, bool record) {
    double best = 1e9;
    for (int batch = 0; batch < 3; ++batch) {
        double total = 0;
        for (int f = 0; f < kFrames; ++f) {
            step(movers);
            const double start = seconds();
            window->update();
            total += seconds() - start;
            if (record && batch == 0) damageOfFrame.push_back(damaged);
        }
        best = std::min(best, total / kFrames);
    }
    return best;
}

double memcpyEach(std::vector<std::uint8_t>& from, std::vector<std::uint8_t>& to) {
    double best = 1e9;
    for (int batch = 0; batch < 3; ++batch) {
        const double start = seconds();
        for (const std::vector<RECT>& frame : damageOfFrame) {
            for (const RECT& r : frame) {
                for (LONG y = r.top; y < r.bottom; ++y) {
                    std::memcpy(&to[std::size_t(y) * kWidth + r.left], &from[std::size_t(y) * kWidth + r.left],
                                std::size_t(r.right - r.left));
                }
            }
        }
        best = std::min(best, (seconds() - start) / double(damageOfFrame.size()));
    }
    return best;
}

double bytesPerFrame() {
    double bytes = 0;
    for (const std::vector<RECT>& frame : damageOfFrame) {
        for (const RECT& r : frame) bytes += double(r.right - r.left) * double(r.bottom - r.top);
    }
    return bytes / double(damageOfFrame.size());
}

}  // namespace

void applicationMain() {
    const OMRect frame{0, 0, kWidth, kHeight};
    auto* app = new OMApp(2, &frame, nullptr, displayBitsPerPixel(0));
    ShowWindow(app->window, SW_SHOWNA);
    auto* window = new OMTrinketWindow(&frame, new OMTBackground, kFrameNone, 0);
    window->activate();
    const OMLinkToFct note(noteDamage, reinterpret_cast<OMArg>(window));
    window->postComposeLink = note.clone();
    std::vector<std::uint8_t> from(std::size_t(kWidth) * kHeight, 7);
    std::vector<std::uint8_t> to(from.size(), 0);
    std::printf("trinkets  damaged bytes/frame  pass+present us  fps    pass only us  fps    memcpy us  ratio\n");
    for (int count : {1, 10, 50}) {
        std::vector<Mover> movers = makeMovers(window, count);
        window->update();
        damageOfFrame.clear();
        const double presented = passEach(window, movers, true);
        window->presentEnabled = 0;
        const double composed = passEach(window, movers, false);
        window->presentEnabled = 1;
        const double copied = memcpyEach(from, to);
        std::printf("%8d  %19.0f  %15.1f  %5.0f  %12.1f  %5.0f  %9.2f  %5.0fx\n", count, bytesPerFrame(),
                    presented * 1e6, 1.0 / presented, composed * 1e6, 1.0 / composed, copied * 1e6,
                    composed / copied);
        for (Mover& m : movers) delete m.trinket;
        window->update();
    }
    delete window;
    delete app;
}
