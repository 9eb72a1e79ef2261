// BlueGoo in the real program on the generated title, entered from the Picker: the first board on
// scripted draws, a blob's flight into jar 1 and its landing, five picks, the feeding by a key and the
// closing with its sequence; then rounds by keys on seeded draws, each board a new permutation of the six
// places, and no closing sequence after the first; out by the exit button.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "ActivityProbe.h"
#include "ActivityProbeTest.h"
#include "Actor.h"
#include "AppBindings.h"
#include "BlueGoo.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "ModuleProcs.h"
#include "PickerCompletion.h"
#include "PointerSprite.h"
#include "SceneGlobals.h"
#include "Sprite.h"
#include "TitleLayout.h"
#include "TitlePaint.h"

namespace {

using probe::log;

constexpr Point kPlaces[6] = {{155, 103}, {449, 109}, {62, 221}, {307, 175}, {220, 286}, {452, 263}};
constexpr std::uint32_t kClosingIds[] = {4200, 4245, 4550, 4255, 4551, 500};

std::vector<std::string> calls;
// Whether the picture showed the gold star that the closing animation 4200 draws, after 4200 started and
// before the closing sequence (4245 first) did.
bool closingShown = false;

void watchClosing() {
    using title_layout::kReward;
    const bool closing = probe::channelOf(calls, 4200) >= 0 && probe::channelOf(calls, 4245) < 0;
    closingShown = closingShown || (closing && probe::offscreenPixel(kReward.centreX(), kReward.centreY()) ==
                                                   cubeColour(title_layout::kRewardColour));
}

std::string shown() {
    return std::exchange(closingShown, false) ? " shown" : " not shown";
}

std::string point(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

bool interactive() {
    return ActorIsActive(120) == 1;
}

const Mover* flight() {
    const auto* goo = dynamic_cast<const BlueGoo*>(gActivity);
    return goo ? goo->Flight() : nullptr;
}

// The place index (0-5) on which spot `command` is centred, -1 for none.
int placeOf(std::uint32_t command) {
    AnimSpot* spot = AnimSpot::AnimSpotFind(static_cast<std::int32_t>(command));
    const Rect bounds = spot->Bounds();
    const Point centre{static_cast<std::int16_t>(spot->Record().x + (bounds.right - bounds.left) / 2),
                       static_cast<std::int16_t>(spot->Record().y + (bounds.bottom - bounds.top) / 2)};
    const auto found = std::find_if(std::begin(kPlaces), std::end(kPlaces),
                                    [&](Point p) { return p.h == centre.h && p.v == centre.v; });
    return found == std::end(kPlaces) ? -1 : static_cast<int>(found - kPlaces);
}

std::string board() {
    std::string places;
    for (std::uint32_t command = 4050; command <= 4055; ++command) places += std::to_string(placeOf(command));
    return places;
}

// The pointer's colour: white (255) in the first phase, black (0) in the second.
std::string pointerColour() {
    const Point at = gCurrentPointer->Position();
    return std::to_string(probe::offscreenPixel(at.h + 6, at.v + 6));
}

int loopedStarts(const std::vector<std::string>& lines) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("start ", 0) == 0 && line.substr(line.size() - 8) == " flags=1";
    }));
}

std::string closingIds(const std::vector<std::string>& lines) {
    std::string ids;
    for (const std::uint32_t id : kClosingIds) {
        if (probe::channelOf(lines, id) >= 0) ids += (ids.empty() ? "" : " ") + std::to_string(id);
    }
    return ids;
}

// A new board: spot 0 holds a blob's animation again and the activity is interactive.
bool boardReady() {
    const AnimSpot* spot = AnimSpot::AnimSpotFind(4050);
    const std::uint32_t id = spot->Record().resId;
    return spot->Loaded() && id >= 4050 && id <= 4055 && interactive();
}

// Picks blobs (`first` already picked) until the fifth jar is filled, by posted commands or by keys. An
// event posted in one pass is handled after the next pass's look, which is therefore skipped.
std::function<bool()> fillJars(int first, bool byKey) {
    return [byKey, next = first, skip = false]() mutable {
        if (std::exchange(skip, false)) return false;
        if (next > 0 && !SpriteFind(static_cast<std::int16_t>(4089 + next))) return false;
        if (next == 5) return true;
        if (!interactive()) return false;
        if (byKey) probe::send(WM_CHAR, 'k');
        else probe::post(kAppCommand, 4050 + next);
        ++next;
        return skip = true, false;
    };
}

// Feeds the jars (`first` already fed) and waits for the next board.
std::function<bool()> feedJars(int first, bool byKey) {
    return [byKey, fed = first, skip = false]() mutable {
        probe::gather(calls);
        watchClosing();
        if (std::exchange(skip, false)) return false;
        if (fed == 5) return boardReady();
        if (!interactive() || SpriteFind(4090)) return false;
        if (byKey) probe::send(WM_CHAR, 'k');
        else probe::post(kAppCommand, 4050 + fed);
        ++fed;
        return skip = true, false;
    };
}

// A round by keys, its board checked to be a permutation of the six places, its closing animation
// seen; the last one logs.
int permutations = 0, closingsShown = 0;

std::function<bool()> roundByKeys(bool last) {
    return [last, started = false, filled = false, fill = fillJars(0, true), feed = feedJars(0, true)]() mutable {
        if (!std::exchange(started, true)) {
            std::string places = board();
            std::sort(places.begin(), places.end());
            permutations += places == "012345";
            calls.clear();
        }
        if (!filled && !(filled = fill())) return false;
        if (!feed()) return false;
        closingsShown += std::exchange(closingShown, false);
        if (last)
            log(std::to_string(permutations) + " boards of 3 permutations, closing " + closingIds(calls) + " shown " +
                std::to_string(closingsShown) + " of 3");
        return true;
    };
}

PROBE_SCENARIO(BlueGooRounds) {
    static probe::Steps steps{
        probe::enter(7040, BlueGooModuleProc),
        [] { probe::scriptRandom({0, 0, 0, 0, 0}); return true; },
        [] {
            if (!interactive()) return false;
            log("board " + board() + ", pointer " + pointerColour());
            probe::post(kAppCommand, 4050);
            return true;
        },
        [] {
            if (!flight()) return false;
            log("flight from " + point(flight()->startX, flight()->startY));
            return true;
        },
        [] {
            if (flight()->moving) return false;
            log("stops on " + point(flight()->intX, flight()->intY));
            probe::takeCalls();
            return true;
        },
        [] {
            probe::gather(calls);
            if (!SpriteFind(4090)) return false;
            const Point mouse = KitMouseLocation();
            const std::string stop = "stop ch=" + std::to_string(probe::channelOf(calls, 4080));
            log("landing " + probe::startLine(calls, 4080) + ", stopped " + std::to_string(std::count(calls.begin(),
                calls.end(), stop)) + ", mouse " + point(mouse.h, mouse.v) + ", sprite 4090");
            return true;
        },
        fillJars(1, false),
        [] {
            if (!interactive() || SpriteFind(4090)) return false;
            log("phase 2, pointer " + pointerColour());
            probe::post(kAppCommand, 120);
            calls.clear();
            probe::takeCalls();
            return true;
        },
        [] {
            // 4061 names no spot: the help voice goes on.
            probe::gather(calls);
            if (probe::channelOf(calls, 4825) < 0) return false;
            probe::post(kAppCommand, 4061);
            return true;
        },
        [passes = 0]() mutable {
            probe::gather(calls);
            if (++passes < 5) return false;
            const std::string stop = "stop ch=" + std::to_string(probe::channelOf(calls, 4825));
            log("4061 in phase 2: voice stops " + std::to_string(std::count(calls.begin(), calls.end(), stop)));
            calls.clear();
            probe::takeCalls();
            probe::send(WM_CHAR, 'k');
            log("key posts " + probe::posted().front());
            return true;
        },
        [] {
            probe::gather(calls);
            static bool fed = false;
            fed = fed || AnimSpot::AnimSpotFind(4050)->Record().resId == 4150;
            if (!fed || AnimSpot::AnimSpotFind(4050)->Record().resId != 4160) return false;
            log("fed 4150 then 4160, " + std::to_string(loopedStarts(calls)) + " sample looping");
            calls.clear();
            return true;
        },
        feedJars(1, false),
        [] {
            log("closing " + closingIds(calls) + ", 4200" + shown() + ", completion " +
                std::to_string(gPickerCompletion[kChoiceBlueGoo]));
            probe::seedRandom(45);
            return true;
        },
        roundByKeys(false),
        roundByKeys(false),
        roundByKeys(true),
        [] {
            probe::post(kAppCommand, 100);
            return true;
        },
        [] { return AppGetModule() == PickerModuleProc; },
    };
    steps.run();
}

using BlueGooProbeTest = ActivityProbeTest;

TEST_F(BlueGooProbeTest, ARoundThenRoundsByKeys) {
    const ProbeResult run = probeRun("BlueGooRounds", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "board 123450, pointer 255", "flight from 499,109", "stops on 80,239",
                              "landing start id=4080 pri=-32767 vol=1024 flags=4, stopped 0, mouse 130,282, sprite 4090", "phase 2, pointer 0", "4061 in phase 2: voice stops 0", "key posts 10010 4050",
                              "fed 4150 then 4160, 1 sample looping", "closing 4200 4245 4550 4255 4551 500, 4200 shown, completion 1",
                              "3 boards of 3 permutations, closing 4200 shown 3 of 3",
                              "door 0"}));
}

}  // namespace
