// Zibb: 200 seeded deals from the buttons' ranges without a repeated target; a scripted turn answered by
// a key after a wrong picture, with the reward and the once-per-run sequence; a module without
// its animations.
#include <cstdlib>

#include "Cursor.h"
#include "ModuleProcs.h"
#include "ModuleTestSupport.h"
#include "PickerCompletion.h"
#include "SndSample.h"
#include "XpkForge.h"
#include "Zibb.h"

namespace {

struct ZibbTest : ModuleTest {
    void SetUp() override {
        ModuleTest::SetUp();
        gPickerInFront = 0;  // the key's command goes to the activity
    }
    void TearDown() override {
        gActivity = nullptr;
        ModuleTest::TearDown();
    }
    // The module's file: pictures 10 x 10 in variant 2 and 20 x 20 in variant 1, their hit masks, the
    // character's and the sequence's animations (0.1 s) unless withheld, and every sound (0.1 s).
    void writeModule(bool withAnims) {
        std::vector<PrsResource> files;
        const std::string pcm = tone();
        for (std::uint16_t picture = 3050; picture <= 3069; ++picture) {
            files.push_back({"XPK", picture, forgeXpk(square(10), ByteOrder::big)});
            files.push_back({"XPK", std::uint16_t(picture + 300), forgeXpk(square(20), ByteOrder::big)});
            files.push_back({"XPK", std::uint16_t(picture + 100), forgeXpk(square(10), ByteOrder::big)});
            files.push_back({"AIF", std::uint16_t(picture + 760), pcm});
            files.push_back({"AIF", std::uint16_t(picture + 800), pcm});
        }
        for (const std::uint16_t id : {3800, 3805, 3700, 3900, 3232, 3233}) files.push_back({"AIF", id, pcm});
        for (const std::uint16_t id : {3225, 3226, 3227, 3228, 3220, 3221, 3200, 3195, 3201, 500, 3020}) {
            if (id != 3020) files.push_back({"AIF", id, pcm});
            if (withAnims) files.push_back({"XMV", id, xmvWrite(xmvStub(1), ByteOrder::big)});
        }
        ASSERT_TRUE(writeResources(folder.file("Zibb.PRS"), files));
    }
    static ForgeBank square(int side) {
        ForgeBank bank;
        bank.shapes = {handShape(std::vector<std::string>(side, std::string(side, '1')))};
        return bank;
    }
    // A key answers the naming; the reward runs until the next naming.
    static void answerByKey(Zibb& zibb) {
        runUntil(zibb, 13);
        zibb.OnKey();
        runUntil(zibb, 4);
    }
};

// First in the run: the once-per-run sequence is still to come. Left while a later cheer sounds, the
// activity frees every sample.
TEST_F(ZibbTest, AWrongPictureWaitsAndAKeyPointsAtTheTargetAndIsRewarded) {
    writeModule(true);
    // variant 1; pictures 3052, 3054, 3060, then 3066, 3068, 3069; the target is button 0 (3812).
    scriptRandom({0, 16384, 0, 0, 0, 0, 0});
    {
        Zibb zibb;
        gActivity = &zibb;
        runUntil(zibb, 13);
        calls.clear();
        zibb.OnCommand(3051);
        EXPECT_EQ(sounds(), std::vector<std::string>{"3900"});
        runUntil(zibb, 13);
        zibb.OnKey();
        Point mouse{};
        CursorGetLocation(&mouse);
        EXPECT_EQ(mouse.h, 89);
        EXPECT_EQ(mouse.v, 183);
        runUntil(zibb, 12);
        EXPECT_EQ(sounds(), (std::vector<std::string>{"3900", "3220", "3233", "stop 3225", "3227", "3852", "3200",
                                                       "3195", "3201", "500", "3700", "stop 3227"}));
        EXPECT_EQ(gPickerCompletion[kChoiceZibb], 1);
        answerByKey(zibb);
        answerByKey(zibb);
        for (const std::string& id : sounds()) EXPECT_NE(id, "3200") << "the sequence once in the run";
        runUntil(zibb, 13);
        zibb.OnKey();
        runUntil(zibb, 9);
        const char* cheer = zibb.Variant() == 2 ? "3232" : "3233";
        EXPECT_EQ(SndIsPlaying(static_cast<std::int16_t>(channelOf(cheer))), 1) << "the cheer sounds";
        gActivity = nullptr;
    }
    for (const std::uint16_t id : {3900, 3232, 3233}) EXPECT_EQ(SndIsSampleLoaded(id), 0) << id;
}

TEST_F(ZibbTest, SeededDealsTakeEachButtonFromItsRangeAndNeverRepeatTheTarget) {
    writeModule(true);
    std::srand(11);
    Zibb zibb;
    gActivity = &zibb;
    const std::uint16_t low[] = {3050, 3054, 3060, 3062, 3064, 3068};
    const std::uint16_t high[] = {3053, 3059, 3061, 3067, 3068, 3069};
    std::uint32_t previous = 0;
    for (int turn = 0; turn < 200; ++turn) {
        answerByKey(zibb);
        const std::uint32_t name = zibb.Picture(zibb.Target()) + 760u;
        EXPECT_NE(name, previous);
        previous = name;
        for (int i = 0; i < 6; ++i) {
            EXPECT_GE(zibb.Picture(i), low[i]);
            EXPECT_LE(zibb.Picture(i), high[i]);
            Rect bounds{};
            ActorGetBounds(&bounds, 3050u + static_cast<std::uint32_t>(i));
            EXPECT_EQ(bounds.right - bounds.left, zibb.Variant() == 1 ? 20 : 10) << "variant " << zibb.Variant();
        }
        EXPECT_TRUE(zibb.Picture(3) < 3066 || zibb.Picture(4) == 3068) << "the layout of the coin toss";
    }
}

// Without its file the probe shows the alert and the exit; here the animations are withheld.
TEST_F(ZibbTest, WithoutItsAnimationsTheExitStillLeaves) {
    writeModule(false);
    Zibb zibb;
    gActivity = &zibb;
    for (int i = 0; i < 100; ++i) frame(zibb);
    zibb.OnKey();
    for (int i = 0; i < 100; ++i) frame(zibb);
    EXPECT_EQ(zibb.OnCommand(100), 1);
    EXPECT_EQ(AppGetModule(), PickerModuleProc);
}

}  // namespace
