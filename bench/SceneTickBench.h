// The measuring of an activity's timer tick beside its floor, shared by the activity benchmarks: ticks through
// the application handler and AppRedraw, keeping the rectangles of the last redraw, against UpdateFlush of the
// same rectangles drawing only the backdrop, in the same run.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "AppBindings.h"
#include "CannotMeasure.h"
#include "AppRedraw.h"
#include "Backdrop.h"
#include "BenchClock.h"
#include "SndPlayControl.h"
#include "Update.h"

namespace scene_tick {

constexpr int kBatches = 5;
constexpr int kTicks = 40;

inline std::vector<Rect> drawn;

inline void keepingRedraw(std::uint16_t count, const Rect* rects) {
    drawn.assign(rects, rects + count);
    AppRedraw(count, rects);
}

inline void backdropOnly(std::uint16_t count, const Rect* rects) {
    for (std::uint16_t i = 0; i < count; ++i) BackdropDrawMain(&rects[i]);
}

}  // namespace scene_tick

// The sound service of the main loop, then the timer message.
inline void sceneTick() {
    SndService();
    AppMessageHandler(nullptr, WM_TIMER, 1, 0);
}

// Redraws go through AppRedraw, keeping their rectangles for the floor; set before the activity starts.
inline void keepSceneRedraws() { UpdateSetRedrawProc(scene_tick::keepingRedraw); }

// Measures the tick, then its floor, and prints both: `during` names the moment measured, `endedNote` is
// printed when `stillRunning()` says the moment ended while measuring, `label` names the tick's line.
template <typename StillRunning>
void measureTickBesideFloor(const char* during, const char* endedNote, const char* label, StillRunning stillRunning) {
    using namespace scene_tick;
    const double ticked = fastestEach(kBatches, kTicks, [](int) { sceneTick(); });
    if (drawn.empty()) cannotMeasure("the tick redrew nothing");
    std::printf("a tick %s redraws %zu rectangles%s\n", during, drawn.size(), stillRunning() ? "" : endedNote);
    UpdateSetRedrawProc(backdropOnly);
    const double bare = fastestEach(kBatches, kTicks, [](int) {
        for (const Rect& r : drawn) UpdateInvalRectOnce(&r);
        UpdateFlush();
    });
    std::printf("%-64s %8.1f us   (baseline)\n", "UpdateFlush of the same rectangles, the backdrop only", bare * 1e6);
    std::printf("%-64s %8.1f us   %5.2fx\n", label, ticked * 1e6, ticked / bare);
}
