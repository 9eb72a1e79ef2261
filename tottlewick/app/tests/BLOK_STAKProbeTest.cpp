// BLOK_STAK in the real program on the generated title: from the Picker through the first group's two
// halves and the whole cycle of groups to a new draw, then out by the exit button; its file missing, and
// its clips withheld.
#include <gtest/gtest.h>

#include <algorithm>

#include "ActivityProbe.h"
#include "Actor.h"
#include "AppBindings.h"
#include "BLOK_STAK.h"
#include "ChoiceProbe.h"
#include "GeneratedTitle.h"
#include "PickerCompletion.h"
#include "Rand.h"
#include "SceneGlobals.h"
#include "TempFolder.h"
#include "TitleProbe.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::uint32_t kChoice = 7045;

// 32767 draws group 8 (and block 2 as the first target); then the draws go round.
std::uint16_t lastValue() { return 32767; }
std::uint16_t roundValues() {
    static std::uint16_t next = 0;
    next = static_cast<std::uint16_t>((next + 10923) % 32768);
    return next;
}

bool stackingSound(unsigned id) {
    return (id >= 5200 && id <= 5210) || (id >= 5300 && id <= 5309) || id == 5400 || id == 5550 ||
           (id >= 5500 && id <= 5502) || id == 500;
}

std::string position(std::uint32_t id) {
    Point at{};
    ActorGetPosition(&at, id);
    return std::to_string(at.h) + "," + std::to_string(at.v);
}

// Logs each set-up of the blocks and each change of the letters taken out of the alphabet.
void watch(const BLOK_STAK& blok) {
    static std::string setUp, out;
    std::string blocks;
    for (std::uint32_t id = 'A'; id <= 'Z'; ++id)
        if (ActorFindIndex(id) >= 0) blocks += static_cast<char>(id);
    const std::string now = "group " + std::to_string(blok.Group()) + " mode " + std::to_string(blok.CurrentMode()) +
                            " blocks " + blocks;
    if (blocks.size() == 3 && now != setUp) {
        setUp = now;
        probe::log(now + " at " + position(blocks[0]) + " " + position(blocks[1]) + " " + position(blocks[2]));
    }
    std::string hidden;
    for (char c = 'A'; c <= 'Z'; ++c)
        if (!blok.LetterShown(c)) hidden += c;
    if (hidden != out) probe::log("out " + (out = hidden));
}

// The first target is taken by the mouse, every later one by a key; the next pass tells the result.
void answer(const BLOK_STAK& blok) {
    static int picks = 0;
    static char pending = 0;
    if (pending && ActorIsPressed(static_cast<std::uint32_t>(pending)) > 0) {
        int pressed = 0;
        for (std::uint32_t id = 'A'; id <= 'Z'; ++id) pressed += ActorIsPressed(id) > 0;
        probe::log(std::string(picks == 1 ? "mouse " : "key ") + pending + " pressed " +
                   std::to_string(ActorIsPressed(static_cast<std::uint32_t>(pending))) + " with " +
                   std::to_string(pressed));
        pending = 0;
    } else if (!pending && blok.Interactive() && blok.VoiceState() == 0) {
        pending = blok.Target();
        if (picks++ == 0) {
            Rect bounds{};
            ActorGetBounds(&bounds, static_cast<std::uint32_t>(pending));
            probe::mouseAt(WM_MOUSEMOVE, Point{static_cast<std::int16_t>(bounds.left + 50),
                                               static_cast<std::int16_t>(bounds.top + 50)});
        } else {
            probe::send(WM_CHAR, 'k');
        }
    }
}

PROBE_SCENARIO(BlokStakCycle) {
    static int phase = 0;
    static bool completed = false, cycled = false;
    probe::advance(250);
    const auto* blok = dynamic_cast<const BLOK_STAK*>(gActivity);
    if (phase == 0 && probe::enterChoice(kChoice) && blok) {
        phase = 1;
        RandSetSource(lastValue);
        probe::logSoundStarts(stackingSound);
    } else if (phase == 1 && blok) {
        watch(*blok);
        if (ActorFindIndex('X') >= 0) RandSetSource(roundValues);
        answer(*blok);
        if (!completed && gPickerCompletion[kChoiceBLOK_STAK]) probe::log("completed"), completed = true;
        cycled = cycled || blok->CurrentMode() == BLOK_STAK::cycling;
        if (cycled && blok->CurrentMode() == BLOK_STAK::secondHalf) phase = 2;
    } else if (phase == 2) {
        probe::leaveByExit();
    }
}

// Help at once, while the intro is still to play or playing; then, once blocks are set up and the voice
// is free, help again. Out when the second help has been heard or 30 s after the entry.
PROBE_SCENARIO(BlokStakEarlyHelp) {
    static std::uint32_t entered = 0;
    static int phase = 0;
    probe::advance(250);
    const auto* blok = dynamic_cast<const BLOK_STAK*>(gActivity);
    if (phase == 0 && probe::enterChoice(kChoice) && blok) {
        entered = probe::now();
        probe::log("help at voice state " + std::to_string(blok->VoiceState()));
        probe::logSoundStarts([](unsigned id) { return id == 5001; });
        probe::post(kAppCommand, 120);
        phase = 1;
    } else if (phase == 1 && blok && ActorFindIndex(static_cast<std::uint32_t>(blok->Target())) >= 0 &&
               blok->VoiceState() == 0) {
        probe::log("blocks set up");
        probe::post(kAppCommand, 120);
        phase = 2;
    } else if (phase == 3 || (phase == 2 && blok && blok->VoiceState() == 0) ||
               (phase > 0 && probe::now() > entered + 30000)) {
        phase = 3;
        probe::leaveByExit();
    }
}

bool voiceOrTower(unsigned id) {
    return id == 5001 || id == 5002 || id == 5401 || (id >= 5633 && id <= 5658) || id == 5210 ||
           (id >= 5202 && id <= 5207);
}

// The idle timer while the stacking voice plays, then help while the tower's voice plays; the blocks
// taken as in the cycle between them. Out once the second half's blocks are set up, or 60 s after the
// entry.
PROBE_SCENARIO(BlokStakVoiceBusy) {
    static int phase = 0;
    static std::uint32_t entered = 0;
    probe::advance(250);
    const auto* blok = dynamic_cast<const BLOK_STAK*>(gActivity);
    if (phase == 0 && probe::enterChoice(kChoice) && blok) {
        entered = probe::now();
        RandSetSource(lastValue);
        probe::logSoundStarts(voiceOrTower);
        phase = 1;
    } else if (phase == 1 && blok && blok->VoiceState() == 8) {
        RandSetSource(roundValues);
        probe::log("idle timer at voice state 8");
        probe::send(WM_TIMER, kNoInputTimerId);
        phase = 2;
    } else if (phase == 2 && blok && blok->VoiceState() == 14) {
        probe::log("help at voice state 14");
        probe::post(kAppCommand, kActivityHelpCommand);
        phase = 3;
    } else if (phase == 2 && blok) {
        answer(*blok);
    } else if (phase == 3 && blok && ActorFindIndex('A') >= 0) {
        probe::log("second half set up");
        phase = 4;
    }
    if (phase == 4 || (phase > 0 && probe::now() > entered + 60000)) probe::leaveByExit();
}

// Waits 5 s in the activity, watching it, then leaves by its exit and quits.
PROBE_SCENARIO(BlokStakBadInput) {
    static std::uint32_t entered = 0;
    probe::advance(100);
    if (!entered && probe::enterChoice(kChoice)) entered = probe::now();
    if (const auto* blok = dynamic_cast<const BLOK_STAK*>(gActivity)) watch(*blok);
    if (entered && probe::now() > entered + 5000) probe::leaveByExit();
}

// The first line of `wanted` that does not follow the previous one in `run`; empty when all do.
std::string missing(const Lines& run, const Lines& wanted) {
    auto at = run.begin();
    for (const std::string& line : wanted) {
        at = std::find(at, run.end(), line);
        if (at == run.end()) return line;
    }
    return {};
}

int count(const Lines& run, const std::string& part) {
    return static_cast<int>(std::count_if(run.begin(), run.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    }));
}

struct BLOK_STAKProbeTest : testing::Test {
    TempFolder folder;
};

TEST_F(BLOK_STAKProbeTest, GroupEightThenTheCycleThenANewDraw) {
    ASSERT_TRUE(useGeneratedTitle(folder.path()));
    const ProbeResult run = probeRun("BlokStakCycle", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    // Sounds start within a pass; what the pass changed is logged after it.
    const Lines start = {"snd 5309", "group 8 mode 1 blocks XYZ at 222,194 360,195 504,195", "out XYZ", "snd 5300",
                         "out ABCXYZ", "mouse Z pressed 1 with 1", "snd 5400", "snd 5206", "snd 5210", "completed",
                         "snd 5207",
                         "group 8 mode 2 blocks ABC at 222,194 360,195 504,195", "snd 5202", "snd 5203",
                         "snd 5550", "snd 5500", "snd 5501", "snd 5502", "snd 500",
                         "group 0 mode 2 blocks ABC at 222,194 360,195 504,195",
                         "group 1 mode 2 blocks DEF at 222,194 360,195 504,195", "snd 5204", "snd 5205",
                         "group 6 mode 2 blocks RST at 222,194 360,195 504,195",
                         "group 7 mode 2 blocks UVW at 222,194 360,195 504,195", "Picker"};
    EXPECT_EQ(missing(run.log, start), "") << testing::PrintToString(run.log);
    // A key always takes the asked block, for good: every pick is pressed, the earlier ones stay so.
    EXPECT_EQ(count(run.log, "pressed 1"), count(run.log, "pressed "));
    EXPECT_EQ(count(run.log, " with 3"), count(run.log, " with 1"));
    EXPECT_GE(count(run.log, " with 3"), 10);
    // Back at group 8 the cycle draws anew: the next set-up is mode 1 again.
    const auto last = std::find(run.log.begin(), run.log.end(), start[start.size() - 2]);
    ASSERT_NE(last, run.log.end());
    const auto drawn = std::find_if(last + 1, run.log.end(), [](const std::string& line) {
        return line.rfind("group ", 0) == 0;
    });
    ASSERT_NE(drawn, run.log.end());
    EXPECT_NE(drawn->find(" mode 1 "), std::string::npos) << *drawn;
}

TEST_F(BLOK_STAKProbeTest, HelpDuringTheIntroKeepsItsEndAndHelpLaterIsHeard) {
    ASSERT_TRUE(useGeneratedTitle(folder.path()));
    const ProbeResult run = probeRun("BlokStakEarlyHelp", folder.path());
    EXPECT_EQ(run.log, (Lines{"door 1", "help at voice state 1", "blocks set up", "snd 5001", "Picker", "door 0"}));
}

// Neither the idle prompt nor help takes the voice from a step whose end moves the activity on: the
// target's name follows the stacking voice, and after the tower's voice the tower is finished and the
// next blocks come.
TEST_F(BLOK_STAKProbeTest, TheIdlePromptAndHelpWaitForTheStackingAndTowerVoices) {
    ASSERT_TRUE(useGeneratedTitle(folder.path()));
    const ProbeResult run = probeRun("BlokStakVoiceBusy", folder.path());
    EXPECT_EQ(run.log, (Lines{"door 1", "snd 5401", "idle timer at voice state 8", "snd 5658", "mouse Z pressed 1 with 1",
                              "snd 5401", "snd 5656", "key X pressed 1 with 2", "snd 5401", "snd 5657",
                              "key Y pressed 1 with 3", "snd 5206", "snd 5210", "help at voice state 14", "snd 5207",
                              "second half set up", "Picker", "door 0"}));
}

TEST_F(BLOK_STAKProbeTest, WithoutItsFileOrItsClipsItStillLeaves) {
    ASSERT_TRUE(useGeneratedTitle(folder.path(), "E:", {"BLOK_STAK.PRS"}));
    ProbeResult run = probeRun("BlokStakBadInput", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(count(run.log, "Resource File Not Opened"), 1) << testing::PrintToString(run.log);
    EXPECT_EQ(count(run.log, "Picker"), 1);

    for (const char* type : {"XMV", "XPK"}) {
        SCOPED_TRACE(type);
        ASSERT_TRUE(useGeneratedTitle(folder.path()));
        ASSERT_TRUE(withholdType("E:\\Resource\\BLOK_STAK.PRS", type));
        run = probeRun("BlokStakBadInput", folder.path());
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_EQ(count(run.log, "box"), 0) << testing::PrintToString(run.log);
        EXPECT_NE(count(run.log, "out "), 0) << "the first group's letters leave the alphabet, pictures or none";
        EXPECT_EQ(count(run.log, "Picker"), 1);
    }
}

}  // namespace
