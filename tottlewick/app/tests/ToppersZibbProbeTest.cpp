// Toppers and Zibb in the real program on the generated title, entered from the Picker: a turn answered
// by a key and out by the exit button; without the module's file, one alert, the exit and the quit screen.
#include <gtest/gtest.h>

#include "AppBindings.h"
#include "AppModule.h"
#include "GeneratedTitle.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "ModuleProcs.h"
#include "SceneGlobals.h"
#include "SndCallLog.h"
#include "Sprite.h"
#include "TempFolder.h"
#include "TitleProbe.h"
#include "Toppers.h"
#include "Zibb.h"

namespace {

using Lines = std::vector<std::string>;

std::string gStarted;  // the ids of the sounds started while the call log is on, as " 1022 1922"

void collectStarts() {
    gStarted.clear();
    SndSetCallLog([](const char* line) {
        const std::string text(line);
        if (text.rfind("start id=", 0) == 0) gStarted += " " + text.substr(9, text.find(' ', 9) - 9);
    });
}

// Leaves the Intro by a key, chooses `choice` and cuts the switching sound short; true once done.
bool enter(std::uint32_t pass, std::uint32_t choice) {
    if (pass == 1) probe::send(WM_CHAR, 'a');
    if (pass == 5) KitPost(kAppCommand, choice);
    if (pass == 7) probe::send(WM_LBUTTONUP);
    return pass >= 9;
}

// Out by the exit button's command; once the Picker is idle again, the quit screen ends the run.
void leave(int& phase) {
    static std::uint32_t back = 0;
    if (phase == 10) {
        KitPost(kAppCommand, kSceneExitCommand);
        phase = 11;
    } else if (phase == 11 && AppGetModule() == PickerModuleProc) {
        probe::log("Picker");
        probe::send(WM_LBUTTONUP);
        back = probe::now();
        phase = 12;
    } else if (phase == 12 && probe::now() > back + 500) {
        probe::send(WM_CLOSE);
        phase = 13;
    } else if (phase == 13 && AppGetModule() == QuitConfirmModuleProc) {
        KitPost(kAppCommand, 7220);
        phase = 14;
    }
}

PROBE_SCENARIO(ToppersRound) {
    static int phase = 0;
    probe::advance(100);
    auto* toppers = dynamic_cast<Toppers*>(gActivity);
    if (phase == 0 && enter(pass, 7015)) phase = 1;
    if (phase == 1 && toppers && toppers->State() == 6) {
        const std::uint16_t* codes = toppers->Codes();
        bool hats = true;
        for (std::int16_t p = 0; p < 4; ++p) {
            std::uint16_t shape = 99;
            SpriteGetShapeIndex(static_cast<std::int16_t>(1002 + p), &shape);
            hats = hats && shape == codes[p];
        }
        probe::log(std::string("choosing, hats ") + (hats ? "as dealt" : "wrong"));
        collectStarts();
        probe::send(WM_CHAR, 'k');
        phase = 2;
    } else if (phase == 2 && toppers && toppers->State() == 7) {
        const std::string right = " " + std::to_string(1012 + 10 * toppers->Target()) + " 1922 " +
                                  std::to_string(1480 + toppers->Codes()[3]);  // the target hat's code
        probe::log(gStarted == right ? "a key answers right" : "a key started" + gStarted);
        SndSetCallLog(nullptr);
        phase = 3;
    } else if (phase == 3 && toppers && toppers->State() == 6) {
        phase = 10;
    }
    leave(phase);
}

PROBE_SCENARIO(ZibbRound) {
    static int phase = 0;
    probe::advance(100);
    auto* zibb = dynamic_cast<Zibb*>(gActivity);
    if (phase == 0 && enter(pass, 7020)) phase = 1;
    if (phase == 1 && zibb && zibb->State() == 13) {
        collectStarts();
        probe::send(WM_CHAR, 'k');
        phase = 2;
    } else if (phase == 2 && zibb && zibb->State() == 12) {
        const Point mouse = KitMouseLocation();
        probe::log("rewarded:" + gStarted + ", mouse " + std::to_string(mouse.h) + "," + std::to_string(mouse.v));
        SndSetCallLog(nullptr);
        phase = 3;
    } else if (phase == 3 && zibb && zibb->State() == 13) {
        phase = 10;
    }
    leave(phase);
}

// The module without its file: the alert, then out after 3 s.
void withoutFile(std::uint32_t pass, std::uint32_t choice) {
    static int phase = 0;
    probe::advance(100);
    if (phase == 0 && enter(pass, choice)) phase = 1;
    if (phase == 1 && pass == 40) phase = 10;
    leave(phase);
}

PROBE_SCENARIO(ToppersWithoutFile) { withoutFile(pass, 7015); }
PROBE_SCENARIO(ZibbWithoutFile) { withoutFile(pass, 7020); }

struct ToppersZibbProbeTest : testing::Test {
    ProbeResult run(const std::string& scenario, const std::vector<std::string>& without = {}) {
        EXPECT_TRUE(useGeneratedTitle(folder.path(), "E:", without));
        return probeRun(scenario, folder.path());
    }
    TempFolder folder;
};

TEST_F(ToppersZibbProbeTest, ToppersATurnByAKeyAndOut) {
    const ProbeResult result = run("ToppersRound");
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_EQ(result.log, (Lines{"door 1", "choosing, hats as dealt", "a key answers right", "Picker", "door 0"}));
}

TEST_F(ToppersZibbProbeTest, ZibbATurnByAKeyAndOut) {
    const ProbeResult result = run("ZibbRound");
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    // The pointer put on the target picture starts the kit's hover sound (a sample: id 0). Variant 1: clip B
    // 3220, cheer 3233, clip A 3227; the target named 3821 lies at (326, 385) and its follow-up is 3861; the
    // first reward of the run adds the sequence; the new turn, variant 2, is 3226.
    EXPECT_EQ(result.log, (Lines{"door 1",
                                 "rewarded: 0 3900 3220 3233 3227 3861 3200 3195 3201 500 3700 3226, mouse 326,385",
                                 "Picker", "door 0"}));
}

TEST_F(ToppersZibbProbeTest, WithoutTheirFilesOneAlertAndTheExitsStillWork) {
    for (const std::string module : {"Toppers", "Zibb"}) {
        SCOPED_TRACE(module);
        const ProbeResult result = run(module + "WithoutFile", {module + ".PRS"});
        EXPECT_EQ(result.exitCode, 0u) << result.output;
        EXPECT_EQ(result.log, (Lines{"door 1", "box Tottlewick|Resource File Not Opened|40", "Picker", "door 0"}));
    }
}

}  // namespace
