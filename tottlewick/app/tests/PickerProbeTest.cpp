// The Picker, its PREFS file, the options with the slide show and the quit confirmation in the real
// program on the generated title, on the scripted clock. Each scenario leaves the Intro by a key and then
// acts at fixed passes (100 ms each), with the commands a button would post.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Actor.h"
#include "AnimRes.h"
#include "AppBindings.h"
#include "AppGlobals.h"
#include "AppModule.h"
#include "Backdrop.h"
#include "Canvas.h"
#include "DisplayCanvas.h"
#include "HoverPointer.h"
#include "GeneratedTitle.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "ModuleProcs.h"
#include "OptionsScene.h"
#include "Picker.h"
#include "Port.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "QuitConfirmScene.h"
#include "SceneGlobals.h"
#include "SndCallLog.h"
#include "ScreenProbe.h"
#include "TempFolder.h"
#include "TitleProbe.h"

namespace {

using Lines = std::vector<std::string>;

const std::vector<std::uint32_t> kIdleActors{100, 120, 7011, 7015, 7020, 7025, 7030, 7035, 7040, 7045, 7050};

std::string at() {
    return " at " + std::to_string(probe::now());
}

std::string module() {
    const AppModuleProc current = AppGetModule();
    if (current == PickerModuleProc) return "Picker";
    if (current == BandModuleProc) return "Band";
    if (current == QuitConfirmModuleProc) return "Quit";
    if (current == OptionsModuleProc) return "Options";
    return current == SlideShowModuleProc ? "SlideShow" : "other";
}

void command(std::uint32_t id) {
    KitPost(kAppCommand, id);
}

void logIdle() {
    const Point mouse = KitMouseLocation();
    probe::log("idle " + probe::actorsPresent(kIdleActors) + " mouse " + std::to_string(mouse.h) + "," +
               std::to_string(mouse.v));
}

// Back to the Picker as an activity's exit button does it.
void exitActivity() {
    AppSetModule(probe::window(), PickerModuleProc, 0);
}

// The Picker's round trip to Band and back, twice: the second return finds Band's entry set before.
PROBE_SCENARIO(PickerChoice) {
    probe::advance(100);
    switch (pass) {
    case 1: probe::send(WM_CHAR, 'a'); break;
    case 5: logIdle(); probe::logSoundCalls(200); command(7035); break;
    case 8: probe::log("chose 207 " + std::to_string(probe::offscreenShows(207, 1))); command(100); break;
    case 10: probe::log("exit while busy: " + module()); probe::send(WM_LBUTTONUP); break;
    case 12: probe::log(module()); SndSetCallLog(nullptr); gPickerCompletion[kChoiceBand] = 1; exitActivity(); break;
    case 13: probe::log("return 201 " + std::to_string(probe::offscreenShows(201, 1))); break;
    case 15: probe::send(WM_LBUTTONUP); break;
    case 18: logIdle(); command(7035); break;
    case 20: probe::send(WM_LBUTTONUP); break;
    case 22: probe::log(module()); exitActivity(); break;
    case 23: probe::log("return 200 " + std::to_string(probe::offscreenShows(200, 1))); AppQuit(); break;
    default: break;
    }
}

// The guide's animation once the Picker shows: the one it plays, the frames it holds and how many of them
// load from the Picker's file.
PROBE_SCENARIO(PickerGuide) {
    probe::advance(100);
    if (pass == 1) probe::send(WM_CHAR, 'a');
    if (pass != 5) return;
    const AnimClip& guide = PickerObject()->Guide();
    std::string frames;
    int loading = 0;
    for (int i = 0; i < AnimClip::kSequenceLength; ++i) {
        const std::uint32_t id = guide.SequenceId(i);
        frames += " " + std::to_string(id);
        AnimRes anim = id ? AnimResLoad(static_cast<std::uint16_t>(id)) : 0;
        loading += anim && AnimResGetDuration(anim) > 0;
        AnimResFree(&anim);
    }
    probe::log("plays " + std::to_string(guide.Record().resId) + ", frames" + frames + ", " + std::to_string(loading) +
               " load");
    AppQuit();
}

PROBE_SCENARIO(PickerWithoutItsFile) {
    probe::advance(100);
    if (pass == 1) probe::send(WM_CHAR, 'a');
    if (pass == 5) command(7035);
    if (pass == 10) {
        probe::log(module());
        AppQuit();
    }
}

// The options: the preferences as read, the pressed buttons, then the commands of "commands.txt".
PROBE_SCENARIO(Options) {
    probe::advance(100);
    if (pass == 1) probe::send(WM_CHAR, 'a');
    if (pass == 5) {
        probe::log("prefs " + std::to_string(gPrefClickOnly) + " " + std::to_string(gPrefLevel) + " " +
                   std::to_string(gPrefThird));
        command(7050);
    }
    if (pass == 7) {
        std::string pressed = "pressed";
        for (std::uint32_t id : {7510, 7511, 7514, 7515, 7516}) {
            if (ActorIsPressed(id)) pressed += " " + std::to_string(id);
        }
        probe::log(pressed);
    }
    // One command a pass, as posted events are taken newest first.
    static std::ifstream script("commands.txt");
    std::uint32_t id = 0;
    if (pass >= 7 && script >> id) command(id);
    if (pass == 12) {
        probe::log(module());
        AppQuit();
    }
}

// The slide show from the options: its pictures as they show, and the options scene made anew after it;
// with "click.txt" a click on the first picture.
PROBE_SCENARIO(SlideShow) {
    static std::uint16_t shown = 0;
    probe::advance(100);
    if (pass == 1) probe::send(WM_CHAR, 'a');
    if (pass == 5) command(7050);
    if (pass == 7) command(7520);
    if (pass == 9) probe::log(std::string("prefs ") + (std::ifstream("PREFS.DAT") ? "written" : "missing"));
    if (pass == 10 && std::ifstream("click.txt")) probe::send(WM_LBUTTONDOWN);
    for (std::uint16_t id = 7530; pass > 7 && id <= 7532; ++id) {
        if (id > shown && probe::offscreenShows(id)) probe::log(std::to_string(shown = id) + at());
    }
    if (pass > 9 && dynamic_cast<OptionsScene*>(gActivity)) {
        probe::log("options" + at());
        AppQuit();
    }
}

// A mouse move to the middle of an actor.
void moveOnto(std::uint32_t id) {
    Rect bounds{};
    ActorGetBounds(&bounds, id);
    Point middle{static_cast<std::int16_t>((bounds.left + bounds.right) / 2),
                 static_cast<std::int16_t>((bounds.top + bounds.bottom) / 2)};
    CanvasToDevice(&middle, DisplayGetWindowCanvas());
    probe::send(WM_MOUSEMOVE, 0, MAKELPARAM(middle.h, middle.v));
}

// Closing the window during Band brings up the quit screen over the Picker; back with click-only 1 the
// guide's button waits for a click; again the quit screen, and a key.
PROBE_SCENARIO(Quit) {
    probe::advance(100);
    switch (pass) {
    case 1: probe::send(WM_CHAR, 'a'); break;
    case 5: command(7035); break;
    case 7: probe::send(WM_LBUTTONUP); break;
    case 9: probe::log(module()); probe::send(WM_CLOSE); break;
    case 11: probe::log(module() + " depth " + std::to_string(AppGetModuleDepth())); gPrefClickOnly = 1; command(7223); break;
    case 13: probe::log(module() + " " + probe::actorsPresent({100, 120, 7011})); moveOnto(7011); break;
    case 14: probe::log("hover " + std::to_string(gCurrentPointer && gCurrentPointer->Hovering())); command(100); break;
    case 16: probe::log(module() + ", key"); probe::send(WM_CHAR, 'q'); break;
    default: break;
    }
}

// Closed on the Intro's first picture, then back from the quit screen: backdrop 1, drawn alone over the
// offscreen picture at the end, is the Picker's 7000.
PROBE_SCENARIO(QuitFromTheIntro) {
    probe::advance(100);
    if (pass == 2) probe::send(WM_CLOSE);
    if (pass == 4) probe::log(module()), command(7223);
    if (pass != 6) return;
    const Rect all{0, 0, 640, 480};
    PortPush(DisplayGetOffscreenCanvas());
    BackdropDrawMain(&all);
    PortPop();
    probe::log(module() + " picture " + std::to_string(probe::offscreenShows(7000))), AppQuit();
}

struct PickerProbeTest : testing::Test {
    ProbeResult run(const std::string& scenario, const std::vector<std::string>& without = {}) {
        EXPECT_TRUE(useGeneratedTitle(folder.path(), "E:", without));
        return probeRun(scenario, folder.path());
    }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder.path() + "\\" + name, std::ios::binary) << bytes;
    }
    std::string prefs() {
        std::ifstream in(folder.path() + "\\PREFS.DAT", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    TempFolder folder;
};

const std::string kIdle = "idle 100 120 7011 7015 7020 7025 7030 7035 7040 7045 7050 mouse 370,180";

// 7035 shows 207 and plays 200, the exit button does nothing meanwhile, a release cuts 200 and the next
// tick switches to Band; back, 201 + Band's index shows while 200 plays, as Band's entry was set during
// the visit; after the second visit only 200.
TEST_F(PickerProbeTest, AChoiceSwitchesAndTheReturnShowsWhatWasReached) {
    const ProbeResult result = run("PickerChoice");
    EXPECT_EQ(result.log, (Lines{"door 1", kIdle, "snd start id=200 ch=7 pri=-32767 vol=1024 flags=2", "chose 207 1",
                                 "exit while busy: Picker", "snd stop ch=7", "Band", "return 201 1", kIdle, "Band",
                                 "return 200 1", "door 0"}));
}

// The guide plays 7850 and holds the 13 frames 7799-7811 that the title's Picker file provides.
TEST_F(PickerProbeTest, TheGuideHoldsItsThirteenFrames) {
    EXPECT_EQ(run("PickerGuide").log,
              (Lines{"door 1",
                     "plays 7850, frames 7799 7800 7801 7802 7803 7804 7805 7806 7807 7808 7809 7810 7811 0 0 0, 13 load",
                     "door 0"}));
}

TEST_F(PickerProbeTest, WithoutItsFileTheAlertComesOnceAndAChoiceStillSwitches) {
    const ProbeResult result = run("PickerWithoutItsFile", {"Picker.PRS"});
    EXPECT_EQ(result.log, (Lines{"door 1", "box Tottlewick|Resource File Not Opened|40", "Band", "door 0"}));
}

// The defaults without a file and no box; what the options write on "back"; a level the file gives that
// is none of 1, 2 and 4 presses no level button and is written back as read; a short file sets only its
// whole words (and the options still up at the end save on the way out); a longer one is rewritten to 6.
TEST_F(PickerProbeTest, PrefsAreReadShownAndWritten) {
    const std::string kDefaults = std::string("\x01\0\x01\0\x01\0", 6);
    const Lines kBack{"door 1", "prefs 0 1 1", "pressed 7511 7514", "Picker", "door 0"};
    struct Case {
        std::string file, commands;
        Lines log;
        std::string written;
    };
    const Case cases[] = {
        {"", "7510 7523", kBack, kDefaults},
        {"", "7516 7523", kBack, std::string("\0\0\x04\0\x01\0", 6)},
        {std::string("\x02\0\x07\0\x05\0", 6), "7523", {"door 1", "prefs 2 7 5", "pressed 7510", "Picker", "door 0"},
         std::string("\x02\0\x07\0\x05\0", 6)},
        {std::string("\x01\0\x04", 3), "", {"door 1", "prefs 1 1 1", "pressed 7510 7514", "Options", "door 0"}, kDefaults},
        {std::string("\x01\0\x01\0\x01\0\x09\x09", 8), "7523",
         {"door 1", "prefs 1 1 1", "pressed 7510 7514", "Picker", "door 0"}, kDefaults},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commands);
        DeleteFileA((folder.path() + "\\PREFS.DAT").c_str());
        if (!c.file.empty()) write("PREFS.DAT", c.file);
        write("commands.txt", c.commands);
        EXPECT_EQ(run("Options").log, c.log);
        EXPECT_EQ(prefs(), c.written);
    }
}

TEST_F(PickerProbeTest, APrefsFileHeldOpenIsABadFileOnce) {
    write("PREFS.DAT", std::string("\x01\0\x02\0\x01\0", 6));
    write("commands.txt", "7523");
    const HANDLE held =
        CreateFileA((folder.path() + "\\PREFS.DAT").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const ProbeResult result = run("Options");
    CloseHandle(held);
    EXPECT_EQ(result.log, (Lines{"door 1", "box Tottlewick|Bad File|40", "prefs 0 1 1", "pressed 7511 7514", "Picker",
                                 "door 0"}));
}

// The options save on the way to the slide show; its pictures come 5 s apart (each seen after its
// flush's blinds) and the options are made anew 15 s after it started, or at once after a click.
TEST_F(PickerProbeTest, TheSlideShowRunsFifteenSecondsOrUntilAClick) {
    EXPECT_EQ(run("SlideShow").log, (Lines{"door 1", "prefs written", "7530 at 3402", "7531 at 8403", "7532 at 13404",
                                           "options at 17504", "door 0"}));
    write("click.txt", "");
    EXPECT_EQ(run("SlideShow").log, (Lines{"door 1", "prefs written", "7530 at 3402", "options at 3502", "door 0"}));
}

TEST_F(PickerProbeTest, ClosedDuringTheIntroBackShowsThePickersPicture) {
    EXPECT_EQ(run("QuitFromTheIntro").log, (Lines{"door 1", "Quit", "Picker picture 1", "door 0"}));
}

TEST_F(PickerProbeTest, TheQuitScreenGoesBackOrEndsTheRunOnAKey) {
    const ProbeResult result = run("Quit");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.log, (Lines{"door 1", "Band", "Quit depth 1", "Picker 100 120 7011", "hover 0", "Quit, key",
                                 "door 0"}));
}

}  // namespace
