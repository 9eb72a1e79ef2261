// Cel animations on the fake clock: runs forward and once, the frame count, rates, a missing ASEQ, and the
// release events over and beside the picture.
#include "AnimationFiles.h"
#include "AseqWriter.h"
#include "ModuleResources.h"
#include "ProgramWindow.h"
#include "RToon.h"
#include "TrinketFixture.h"

namespace {

struct ToonTest : TrinketFixture {
    // Animation 7 at 8 frames a second: six 4 x 4 pictures, then a hold, a sound cue and the end; animation 8
    // the same at rate 0; animation 9 at rate 0 with picture i placed 4 x i to the right.
    void SetUp() override {
        TrinketFixture::SetUp();
        ASSERT_TRUE(classExists(RToon::classRecord.className));
        AseqPicture p{8, {}, 0, {{}}, {}};
        for (std::int16_t i = 0; i < 6; ++i) {
            p.sequences[0].push_back({0, 0, i, 0});
            p.frames.push_back({4, 4, std::vector<std::uint8_t>(16, static_cast<std::uint8_t>(20 + i)), {}});
        }
        p.sequences[0].insert(p.sequences[0].end(), {{0, 0, kAseqHold, 0}, {0, 0, -101, 5}, {0, 0, kAseqEnd, 0}});
        seven = writeAseq(p, ByteOrder::big);
        data.animation(7, seven);
        p.frameRate = 0;
        data.animation(8, writeAseq(p, ByteOrder::big));
        for (std::int16_t i = 0; i < 6; ++i) p.sequences[0][static_cast<std::size_t>(i)].x = static_cast<std::int16_t>(4 * i);
        data.animation(9, writeAseq(p, ByteOrder::big));
    }
    RToon* toon(const char* arguments) {
        auto* t = static_cast<RToon*>(createObjectFromText("RToon", arguments));
        if (t) watch(t, {"finished", "hit", "rectHit"});
        return t;
    }
    // The frames shown at each step due, one period (7 sixtieths) apart; "F" marks a "finished".
    std::string steps(RToon* t, int count) {
        std::string shown;
        for (int i = 0; i < count; ++i) {
            fakeMs = (static_cast<std::uint32_t>(t->dueTime) * 1000 + 59) / 60;
            eventLog.clear();
            window->update();
            shown += std::to_string(t->shownFrame) + (eventLog.empty() ? " " : "F ");
        }
        return shown;
    }
    AnimationFiles data;
    std::string seven;
};

TEST_F(ToonTest, ARunShowsItsFramesRepeatsAndFinishesOnItsLastFrame) {
    RToon* t = toon("100 50 7 1 0 0");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(numbers({t->frames, t->rate, t->ticksPerFrame, t->isTouchy()}), "7 8 7 0");
    EXPECT_EQ(t->invokeMethod("startToon", "0", "5", "2", "0", kParameterEnd), 1);
    EXPECT_EQ(steps(t, 14), "0 1 2 3 4 5 0 1 2 3 4 5F 5 5 ");
    EXPECT_EQ(backPixel(101, 51), 25);
    t->invokeMethod("startToon", "5", "3", "1", "0", kParameterEnd);
    EXPECT_EQ(steps(t, 4), "5 4 3F 3 ");
    t->invokeMethod("startToon", "3", "3", "1", "0", kParameterEnd);
    const std::string shown = steps(t, 2);
    EXPECT_EQ(shown + t->getProperty("status"), "3 3 0");
    delete t;
}

// Rate 0, from the data or set, keeps the period; an id without data makes no toon; a toon never moves.
TEST_F(ToonTest, RateZeroKeepsThePeriodAndAMissingIdMakesNoToon) {
    RToon* fromData = toon("0 0 8 1 0 0");
    RToon* t = toon("100 50 7 1 2 0");
    t->setProperty("rate", "0");
    t->setProperty("offset", "30");  // dy 30; dx is the next parameter
    EXPECT_EQ(numbers({fromData->ticksPerFrame, t->ticksPerFrame, t->shownFrame, t->bounds.left, t->bounds.top}),
              "4 7 2 100 50");
    std::string read;
    for (const char* name : {"rate", "frame", "hot", "offset"}) read += std::string(t->getProperty(name)) + "/";
    EXPECT_EQ(read, "0/2/2/2/") << "hot and offset write nothing";
    t->setProperty("rate", "120");
    EXPECT_EQ(t->ticksPerFrame, 0);
    EXPECT_EQ(toon("0 0 99 1 0 0"), nullptr);
    delete fromData;
    delete t;
}

// A toon of a module resource is set up as one made by id, without the id, and runs the same way.
TEST_F(ToonTest, AToonOfAModuleResourceIsSetUpAsOneMadeById) {
    const std::string module = data.folder.file("toons.dll");
    ASSERT_TRUE(writeModuleWithResources(ProgramWindow::ownFolder() + "ResModule.dll", module, {{"ASEQ", 7, seven}}));
    OMResFile file(module.c_str());
    ASSERT_EQ(file.status, kResFileUsable);
    auto* t = new RToon(window, new OMRes(7, "ASEQ", &file), 100, 50, 1, 2, 0);
    t->registerProperties();
    watch(t, {"finished"});
    window->update();
    char text[32];
    t->describe(text, sizeof text);
    EXPECT_EQ(numbers({t->originX, t->originY, t->frames, t->rate, t->ticksPerFrame, t->isTouchy(), t->shownFrame,
                       t->status, t->isVisible(), backPixel(100, 50)}) + " / " + text,
              "100 50 7 8 7 0 2 0 1 22 / 100 50 0");
    t->invokeMethod("startToon", "2", "4", "1", "0", kParameterEnd);
    EXPECT_EQ(steps(t, 4), "2 3 4F 4 ");
    delete t;
}

TEST_F(ToonTest, AReleaseOverThePictureIsAHitAndBesideItARectHit) {
    RToon* t = toon("100 50 7 1 0 0");
    t->tag = 3;
    run({mouse(WM_LBUTTONDOWN, 101, 51), mouse(WM_LBUTTONUP, 101, 51)});
    EXPECT_EQ(eventLog, "") << "not touchy";
    t->setProperty("hot", "1");
    run({mouse(WM_LBUTTONDOWN, 101, 51), mouse(WM_LBUTTONUP, 101, 51), mouse(WM_LBUTTONDOWN, 101, 51),
         mouse(WM_LBUTTONUP, 300, 300)});
    EXPECT_EQ(eventLog, "hit@3 rectHit@3 ");
    delete t;
}

// Stamping each frame: every frame a run shows is painted into the background, however long it runs,
// while the one stamp kept to be undone is the constructor's (frame 0's place).
TEST_F(ToonTest, StampingEachFrameLeavesATrailAndKeepsOneStamp) {
    PictureBackground* background = pictureBackground();
    RToon* t = toon("100 50 9 1 0 1");
    EXPECT_EQ(numbers({background->pixel(100, 50), t->isVisible()}), "20 0");
    t->invokeMethod("startToon", "0", "5", "-1", "0", kParameterEnd);
    steps(t, 30);
    std::string trail;
    for (char i = 0; i < 6; ++i) trail += std::string(4, static_cast<char>(20 + i));
    EXPECT_EQ(background->area({100, 50, 124, 51}), trail);
    EXPECT_EQ(numbers({static_cast<std::int64_t>(background->stamps.size()), t->isVisible()}), "1 1");
    delete t;
    EXPECT_EQ(background->area({100, 50, 124, 51}), std::string(4, '\xFF') + trail.substr(4));
}

}  // namespace
