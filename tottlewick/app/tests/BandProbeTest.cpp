// Band in the real program on the generated title, entered from the Picker: the silent tracks started in
// step, a musician switched on, the conductor's two reactions and the next song, a key, the goodbye of
// the first exit and the plain second exit.
#include <gtest/gtest.h>

#include "ActivityProbe.h"
#include "ActivityProbeTest.h"
#include "Activity.h"
#include "Actor.h"
#include "AppBindings.h"
#include "ChoiceProbe.h"
#include "HoverPointer.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "ModuleProcs.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "SndChannel.h"
#include "SndPlayControl.h"
#include "Sprite.h"

namespace {

using probe::log;

std::vector<std::string> calls;  // gathered while a step waits

// The stops of the tracks' channels among lines.
int trackStops(const std::vector<std::string>& lines, const std::vector<std::string>& start) {
    int stops = 0;
    for (const std::uint32_t id : {2030u, 2040u, 2050u, 2060u}) {
        const std::string stop = "stop ch=" + std::to_string(probe::channelOf(start, id));
        for (const std::string& line : lines) stops += line == stop;
    }
    return stops;
}

std::string shown(std::int16_t sprite) {
    return std::to_string(sprite) + (SpriteIsHidden(sprite) ? " hidden" : " shown");
}

// The four tracks' volumes, and whether they play at one position.
std::string tracks(const std::vector<std::string>& lines) {
    std::string out = "volumes";
    std::uint32_t first = 0;
    bool inStep = true;
    for (const std::uint32_t id : {2030u, 2040u, 2050u, 2060u}) {
        const std::int16_t channel = probe::channelOf(lines, id);
        out += " " + std::to_string(SndChannelGetVolume(channel));
        if (id == 2030) first = SndGetPosition(channel);
        inStep = inStep && SndGetPosition(channel) == first && !SndChannelIsPaused(channel);
    }
    return out + (inStep ? ", in step" : ", out of step");
}

PROBE_SCENARIO(BandRound) {
    static std::vector<std::string> start;
    static probe::Steps steps{
        probe::enter(7035, BandModuleProc),
        [] { start = probe::takeCalls(); return true; },
        [] {
            if (ActorIsActive(120) != 1) return false;
            log("start " + probe::startedIds(start) + ", " + tracks(start));
            probe::post(kAppCommand, 2024);
            return true;
        },
        [] {
            probe::gather(calls);
            if (SpriteIsHidden(2022) || probe::startedIds(calls) != "2020") return false;
            log("2024 without music: " + probe::startedIds(calls) + ", track stops " + std::to_string(trackStops(calls, start)));
            probe::post(kAppCommand, 2031);
            return true;
        },
        [] {
            probe::gather(calls);
            if (SpriteIsHidden(2111)) return false;
            log("2031: " + shown(2111) + ", " + shown(2101) + ", volume " +
                std::to_string(SndChannelGetVolume(probe::channelOf(start, 2040))) + ", " + shown(2025) + ", " +
                probe::startLine(calls, 2024));
            probe::scriptRandom({32767});
            probe::send(WM_CHAR, 'k');
            log("key posts " + probe::posted().front());
            return true;
        },
        [] {
            if (SpriteIsHidden(2113)) return false;
            probe::post(kAppCommand, 2024);
            calls.clear();
            return true;
        },
        [] {
            probe::gather(calls);
            if (probe::startedIds(calls).find("2160") == std::string::npos) return false;
            log("2024 after music: " + probe::startedIds(calls) + ", completion " + std::to_string(gPickerCompletion[0]));
            probe::post(kAppCommand, 100);
            calls.clear();
            return true;
        },
        [] {
            probe::gather(calls);
            if (AppGetModule() != PickerModuleProc) return false;
            log("first exit: " + probe::startedIds(calls) + ", then the Picker");
            return true;
        },
        probe::enter(7035, BandModuleProc),
        [] {
            probe::post(kAppCommand, 100);
            probe::takeCalls();
            return true;
        },
        [] {
            if (AppGetModule() != PickerModuleProc) return false;
            log("second exit: " + probe::startedIds(probe::takeCalls()));
            return true;
        },
    };
    steps.run();
}

// The pointer's offset, and where it is drawn against the mouse.
std::string pointerPlace() {
    const Point offset = gCurrentPointer->Offset(), at = gCurrentPointer->Position(), mouse = KitMouseLocation();
    return "offset " + std::to_string(offset.h) + "," + std::to_string(offset.v) + ", drawn at mouse " +
           std::to_string(at.h - mouse.h) + "," + std::to_string(at.v - mouse.v);
}

// With the click-only preference the help button fires on a click, with no hover before it.
PROBE_SCENARIO(BandClickOnlyHelp) {
    static probe::Steps steps{
        [] { gPrefClickOnly = 1; return true; },
        probe::enter(7035, BandModuleProc),
        [] {
            if (ActorIsActive(kActivityHelpCommand) != 1) return false;
            log("before: " + pointerPlace());
            probe::takeCalls();
            probe::clickActor(kActivityHelpCommand);
            return true;
        },
        [] {
            probe::gather(calls);
            if (probe::startedIds(calls).find("2810") == std::string::npos) return false;
            log("after help: " + pointerPlace() + (gCurrentPointer->Hovering() ? ", hovering" : ""));
            return true;
        },
    };
    steps.run();
}

using BandProbeTest = ActivityProbeTest;

TEST_F(BandProbeTest, AClickOnlyHelpClickLeavesThePointerWhereTheModulePutIt) {
    const ProbeResult run = probeRun("BandClickOnlyHelp", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "before: offset -12,-45, drawn at mouse -12,-45",
                              "after help: offset -12,-45, drawn at mouse -12,-45", "door 0"}));
}

TEST_F(BandProbeTest, ARoundFromThePickerAndOutTwice) {
    const ProbeResult run = probeRun("BandRound", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(run.log, (Lines{"door 1", "start 2030 2040 2050 2060 2800, volumes 0 0 0 0, in step",
                              "2024 without music: 2020, track stops 0",
                              "2031: 2111 shown, 2101 hidden, volume 1024, 2025 shown, start id=2024 pri=-32767 vol=1024 flags=1",
                              "key posts 10010 2033",
                              "2024 after music: 2120 2130 2140 2150 2160, completion 1",
                              "first exit: 2010 2011 2012 2013 200, then the Picker",
                              "second exit: 200", "door 0"}));
}

}  // namespace
