// MR_PLINK in the real program on the generated title, entered from the Picker: the set drawn at random
// the first time, the asked spots on scripted draws, a wrong spot, two games of six right ones with the
// reward and the closing sequence after the first only, and the next two visits on the next sets.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "ActivityProbe.h"
#include "ActivityProbeTest.h"
#include "Actor.h"
#include "AnimSpot.h"
#include "AppBindings.h"
#include "ModuleProcs.h"
#include "PickerCompletion.h"

namespace {

using probe::log;

constexpr std::uint32_t kFirstPrompt = 6056;  // set 1: 6050 + 6 + target

std::vector<std::string> calls;
std::string asked;  // the targets asked, in order

bool interactive() {
    return ActorIsActive(120) == 1;
}

// The target of the last prompt started.
int lastTarget() {
    static int target = -1;
    for (auto line = calls.rbegin(); line != calls.rend(); ++line) {
        for (std::uint32_t id = kFirstPrompt; id < kFirstPrompt + 6; ++id) {
            if (line->rfind("start id=" + std::to_string(id) + " ", 0) == 0) return target = static_cast<int>(id - kFirstPrompt);
        }
    }
    return target;
}

// Answers the asked spots until a game of six is won and the next one asks.
std::function<bool()> game(bool wrongFirst) {
    return [wrongFirst, right = 0, wrong = wrongFirst, skip = false]() mutable {
        probe::gather(calls);
        if (std::exchange(skip, false) || !interactive()) return false;
        const int target = lastTarget();
        if (right == 6) return true;
        if (std::exchange(wrong, false)) {
            probe::post(kAppCommand, static_cast<WPARAM>((target + 1) % 6));
        } else {
            asked += std::to_string(target);
            probe::post(kAppCommand, static_cast<WPARAM>(target));
            ++right;
        }
        return skip = true, false;
    };
}

std::string spotSet() {
    return std::to_string(AnimSpot::AnimSpotFind(0)->Record().resId);
}

std::string between(std::uint32_t first, std::uint32_t last) {
    std::vector<std::string> lines;
    for (const std::string& line : calls) {
        const std::uint32_t id = static_cast<std::uint32_t>(std::atoi(line.c_str() + 9));
        if (line.rfind("start id=", 0) == 0 && ((id >= first && id <= last) || (id == 500 && last == 6043))) lines.push_back(line);
    }
    return probe::startedIds(lines);
}

PROBE_SCENARIO(MR_PLINKGames) {
    static probe::Steps steps{
        [] { probe::scriptRandom({16384, 0, 0, 0, 0, 0}); return true; },
        probe::enter(7030, MR_PLINKModuleProc),
        [] { log("set " + spotSet()); return true; },
        game(true),
        [] {
            log("asked " + asked + ", spots " + between(6200, 6251) + ", rewards " + between(6010, 6043) +
                ", completion " + std::to_string(gPickerCompletion[kChoiceMR_PLINK]));
            calls.clear();
            asked.clear();
            return true;
        },
        game(false),
        [] {
            log("second game: rewards " + between(6010, 6043));
            probe::post(kAppCommand, 100);
            return true;
        },
        [] { return AppGetModule() == PickerModuleProc; },
        probe::enter(7030, MR_PLINKModuleProc),
        [] {
            log("second visit " + spotSet());
            probe::post(kAppCommand, 100);
            return true;
        },
        [] { return AppGetModule() == PickerModuleProc; },
        probe::enter(7030, MR_PLINKModuleProc),
        [] {
            log("third visit " + spotSet());
            probe::post(kAppCommand, 100);
            return true;
        },
        [] { return AppGetModule() == PickerModuleProc; },
    };
    steps.run();
}

using MR_PLINKProbeTest = ActivityProbeTest;

TEST_F(MR_PLINKProbeTest, TwoGamesThenTheNextSets) {
    const ProbeResult run = probeRun("MR_PLINKGames", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "set 6200", "asked 123450, spots 6220 6210 6211 6220 6221 6230 6231 6240 6241 6250 6251 6200 6201, rewards 6020 6040 6041 6042 6043 500, completion 1",
                              "second game: rewards 6020", "second visit 6300", "third visit 6100", "door 0"}));
}

}  // namespace
