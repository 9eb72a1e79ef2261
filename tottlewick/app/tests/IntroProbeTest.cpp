// The Intro in the real program on the generated title, on the scripted clock: its two pictures with
// their palettes, the film with its sound track, the Picker after it, and the ways out by a click or a key.
#include <gtest/gtest.h>


#include "AppGlobals.h"
#include "AppModule.h"
#include "GeneratedTitle.h"
#include "IntroScene.h"
#include "ModuleProcs.h"
#include "SceneGlobals.h"
#include "ScreenProbe.h"
#include "SndCallLog.h"
#include "TempFolder.h"
#include "TitleProbe.h"

namespace {

using Lines = std::vector<std::string>;

std::string at() {
    return " at " + std::to_string(probe::now());
}

// Logs each picture and the film as they first appear, and the Picker once it is current.
bool watchIntro() {
    static bool second = false, film = false;
    if (!second && probe::offscreenShows(800)) {
        second = true;
        probe::log("800 palette " + std::to_string(probe::paletteIs(800)) + at());
    }
    const auto* intro = dynamic_cast<const IntroScene*>(gActivity);
    if (!film && intro && intro->Film()) {
        film = true;
        Rect rect{};
        SmfGetRect(intro->Film(), &rect);
        probe::log("film " + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                   std::to_string(rect.right) + "," + std::to_string(rect.bottom) + at());
    }
    if (AppGetModule() != PickerModuleProc) return false;
    SndSetCallLog(nullptr);
    probe::log("Picker" + at());
    AppQuit();
    return true;
}

PROBE_SCENARIO(IntroRuns) {
    if (pass == 1) {
        probe::log("750 palette " + std::to_string(probe::paletteIs(750)) + " picture " +
                   std::to_string(probe::offscreenShows(750)));
        probe::logSoundCalls();
    }
    if (!watchIntro()) probe::advance(100);
}

PROBE_SCENARIO(IntroClick) {
    if (pass == 1) {
        probe::logSoundCalls();
        probe::send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    }
    if (!watchIntro()) probe::advance(100);
}

// Without the film the Intro waits after the pictures until a key.
PROBE_SCENARIO(IntroWithoutFilm) {
    if (probe::now() == 12000) {
        probe::log(AppGetModule() == IntroModuleProc ? "Intro at 12000" : "left early");
        probe::send(WM_CHAR, 'a');
    }
    if (!watchIntro()) probe::advance(100);
}

struct IntroProbeTest : testing::Test {
    TempFolder folder;
};

// Each reveal's blinds take 0.5 s of the scripted clock: the first picture's timer starts at 0.5 s, so
// 800 shows at 3.5 s + its reveal and its own transition, and the film starts at 6.5 s + a reveal. The
// sound track starts paused and is resumed when the film has been served once; the 320 x 240 film is
// centred; the Picker (whose guide then speaks) follows the film's 3 s.
TEST_F(IntroProbeTest, PicturesThenTheFilmThenThePicker) {
    ASSERT_TRUE(useGeneratedTitle(folder.path()));
    ProbeResult run = probeRun("IntroRuns", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    ASSERT_EQ(run.log.size(), 10u) << run.output;
    EXPECT_EQ(Lines(run.log.begin(), run.log.begin() + 8),
              (Lines{"door 1", "750 palette 1 picture 1", "800 palette 1 at 4500",
                     "snd start id=700 ch=7 pri=-32767 vol=1024 flags=2", "snd pause ch=7",
                     "film 160,120,480,360 at 7500", "snd resume ch=7",
                     "snd start id=7850 ch=7 pri=-32767 vol=1024 flags=6"}));
    EXPECT_GE(std::stoul(run.log[8].substr(run.log[8].rfind(' '))), 10500u) << run.log[8];
}

TEST_F(IntroProbeTest, AClickOnTheFirstPictureSkipsTheFilm) {
    ASSERT_TRUE(useGeneratedTitle(folder.path()));
    const ProbeResult run = probeRun("IntroClick", folder.path());
    EXPECT_EQ(run.log, (Lines{"door 1", "snd start id=7850 ch=7 pri=-32767 vol=1024 flags=6", "Picker at 1000",
                              "door 0"}));
}

// The film's block renamed in Intro.PRS, so that no 'SMF' 700 is found.
TEST_F(IntroProbeTest, WithoutTheFilmOnlyAKeyLeaves) {
    ASSERT_TRUE(useGeneratedTitle(folder.path()));
    ASSERT_TRUE(withholdType("E:\\Resource\\Intro.PRS", "SMF"));
    const ProbeResult run = probeRun("IntroWithoutFilm", folder.path());
    EXPECT_EQ(run.log, (Lines{"door 1", "800 palette 1 at 4500", "Intro at 12000", "Picker at 12500", "door 0"}));
}

}  // namespace
