// Toppers: the hats dealt over 100 seeded turns and their places, the levels and the closing sequence; a
// scripted turn answered by a key after a wrong pick; a module without its animations.
#include <cstdlib>
#include <set>

#include "ModuleProcs.h"
#include "ModuleTestSupport.h"
#include "PickerCompletion.h"
#include "SndSample.h"
#include "Sprite.h"
#include "Toppers.h"
#include "XpkForge.h"

namespace {

struct ToppersTest : ModuleTest {
    // The module's file: 16 hats, the cats', the idles' (`idleUnits` / 600 s) and the clips' animations
    // (0.1 s) unless withheld, and every sound it plays (0.1 s) but the cats' (their animation is silent);
    // the questions and praises in a file of their own, so that they can stream while a celebration
    // streams from the module's file (one raw access per file).
    void writeModule(bool withAnims, std::uint32_t idleUnits = 60) {
        ForgeBank hats;
        for (int code = 0; code < 16; ++code) hats.shapes.push_back(handShape({"11", "11"}));
        std::vector<PrsResource> files{{"XPK", 1002, forgeXpk(hats, ByteOrder::big)}};
        const std::string pcm = tone();
        std::vector<std::uint16_t> sounds{1800, 1810, 1811, 1911, 1922, 1930};
        std::vector<PrsResource> voices;
        for (std::uint16_t code = 0; code < 16; ++code) {
            for (const int first : {1400, 1480}) voices.push_back({"AIF", std::uint16_t(first + code), pcm});
        }
        ASSERT_TRUE(writeResources(folder.file("Voices.PRS"), voices));
        ASSERT_NE(ResOpenFile("Voices"), 0u);
        for (const std::uint16_t id : {1012, 1022, 1032, 1210, 1200, 1465, 1250, 1475, 1251, 500, 1031}) {
            if (id != 1031) sounds.push_back(id);
            if (withAnims) files.push_back({"XMV", id, xmvWrite(xmvStub(1), ByteOrder::big)});
        }
        for (const std::uint16_t id : sounds) files.push_back({"AIF", id, pcm});
        XmvSpec idle = xmvStub(1);
        idle.duration = idle.events[0].duration = idleUnits;
        for (const std::uint16_t id : {1010, 1020, 1030}) {
            if (withAnims) files.push_back({"XMV", id, xmvWrite(idle, ByteOrder::big)});
        }
        ASSERT_TRUE(writeResources(folder.file("Toppers.PRS"), files));
    }
    static int count(const std::string& text) {
        int n = 0;
        for (const std::string& line : calls) n += line.find(text) != std::string::npos;
        return n;
    }
};

TEST_F(ToppersTest, HundredSeededTurnsDealByLevelAndTheClosingFollowsTheFirstLevelEndOnly) {
    writeModule(true);
    std::srand(7);
    Toppers toppers;
    std::set<int> levelsSeen;
    int levelEnds = 0;
    for (int turn = 0; turn < 100; ++turn) {
        const std::uint16_t level = toppers.Level();
        runUntil(toppers, 6);
        if (toppers.Level() != level) {
            ++levelEnds;
            EXPECT_EQ(toppers.Level(), level % 8 + 1);
        }
        levelsSeen.insert(toppers.Level());
        const std::uint16_t* codes = toppers.Codes();
        std::set<int> styles, variants;
        for (int k = 0; k < 3; ++k) styles.insert(codes[k] / 4), variants.insert(codes[k] % 4);
        EXPECT_EQ(styles.size(), 3u);
        EXPECT_EQ(variants.size(), toppers.Level() <= 4 ? 3u : 1u) << "level " << toppers.Level();
        EXPECT_EQ(codes[3], codes[toppers.Target()]);
        for (std::int16_t p = 0; p < 4; ++p) {
            std::uint16_t shape = 99;
            SpriteGetShapeIndex(static_cast<std::int16_t>(1002 + p), &shape);
            EXPECT_EQ(shape, codes[p]);
        }
        toppers.OnKey();
        frame(toppers);
        EXPECT_EQ(toppers.State(), 7u);
        const std::string celebration = std::to_string(1012 + 10 * toppers.Target());
        EXPECT_EQ(SndIsPlaying(static_cast<std::int16_t>(channelOf(celebration))), 1) << "turn " << turn;
    }
    EXPECT_EQ(levelsSeen.size(), 8u);
    EXPECT_GE(levelEnds, 30);
    EXPECT_EQ(count("start id=1465 "), 1) << "the closing sequence once in the run";
    EXPECT_EQ(gPickerCompletion[kChoiceToppers], 1);
}

TEST_F(ToppersTest, AWrongCatKeepsTheTargetAndAKeyAnswersRight) {
    writeModule(true);
    // level 1; styles 0, 1, 2; variants 0, 2, 1; target cat 1: codes 0, 6, 9 and 6 above.
    scriptRandom({0, 0, 8192, 16384, 0, 16384, 8192, 16384});
    Toppers toppers;
    runUntil(toppers, 6);
    EXPECT_EQ(toppers.Codes()[1], 6);
    Point place{};
    SpriteGetPosition(1003, &place);
    EXPECT_EQ(place.h, 305);
    EXPECT_EQ(place.v, 300);
    SpriteGetPosition(1005, &place);
    EXPECT_EQ(place.h, 296) << "the target hat, variant 2";
    calls.clear();
    toppers.OnCommand(1031);
    EXPECT_EQ(toppers.State(), 8u);
    EXPECT_EQ(count("start id=1930 "), 1);
    EXPECT_EQ(count("start id=1911 "), 1);
    EXPECT_EQ(count("flags=2"), 0) << "no voice after a wrong pick";
    runUntil(toppers, 6);
    EXPECT_EQ(toppers.Target(), 1);
    calls.clear();
    toppers.OnKey();
    frame(toppers);
    EXPECT_EQ(sounds(), (std::vector<std::string>{"1022", "1922", "1486"}));
}

// Cat 0's idle (10 s) still plays when its reaction to a wrong pick (0.1 s) ends: the turn goes on. Left
// just after the next wrong pick, while its two sounds play, the activity frees every sample.
TEST_F(ToppersTest, AnIdleOutlastingAWrongCatsReactionKeepsTheTurnAndLeavingFreesTheSamples) {
    writeModule(true, 6000);
    scriptRandom({0, 0, 8192, 16384, 0, 16384, 8192, 16384, 0});  // as above, then cat 0's idle
    {
        Toppers toppers;
        runUntil(toppers, 6);
        toppers.OnTimer(1000, 0);
        toppers.OnCommand(1011);
        EXPECT_EQ(toppers.State(), 8u);
        runUntil(toppers, 6);
        toppers.OnCommand(1011);
    }
    for (const std::uint16_t id : {1911, 1922, 1930}) EXPECT_EQ(SndIsSampleLoaded(id), 0) << id;
}

// Without its file the probe shows the alert and the exit; here the animations are withheld.
TEST_F(ToppersTest, WithoutItsAnimationsTheExitStillLeaves) {
    writeModule(false);
    Toppers toppers;
    for (int i = 0; i < 100; ++i) frame(toppers);
    toppers.OnKey();
    for (int i = 0; i < 100; ++i) frame(toppers);
    EXPECT_EQ(toppers.OnCommand(100), 1);
    EXPECT_EQ(AppGetModule(), PickerModuleProc);
}

}  // namespace
