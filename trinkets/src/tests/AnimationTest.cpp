// The animation trinket on the 8-bit window: read from a file stream and placed, stepped by the window's
// update pass on the fake clock, its frames drawn with their skipped pixels left alone, the pixel hit
// test, copies, and damaged data.
#include <string>
#include <vector>

#include "AseqWriter.h"
#include "Files.h"
#include "OMAnimation.h"
#include "OMIStreamFile.h"
#include "TempFolder.h"
#include "TrinketFixture.h"

namespace {

constexpr std::uint8_t kRed = 249;
constexpr std::uint8_t kBlue = 252;
constexpr std::uint8_t kWhite = 255;

class AnimationTest : public TrinketFixture {
protected:
    // Frame 0 is 3 x 2: (skip, red, red) over (blue, blue, blue); frame 1 is 2 x 1 red, 10 pixels right.
    // The list: hold, frame 0, frame 1, loop, end; 8 frames a second; placement (20, 30), z 4.
    static AseqPicture picture() {
        AseqPicture p;
        p.placement[0] = 20;
        p.placement[1] = 30;
        p.placement[3] = 4;
        p.sequences = {{{0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {10, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}};
        p.frames = {{3, 2, {0, kRed, kRed, kBlue, kBlue, kBlue}, {}}, {2, 1, {kRed, kRed}, {}}};
        return p;
    }
    OMAnimation* animation(const std::string& bytes, std::int32_t x, std::int32_t y) {
        const std::string name = folder.file("a" + std::to_string(files++) + ".seq");
        writeWholeFile(name, bytes);
        auto* a = new OMAnimation(window, new OMIStreamFile(name.c_str(), kStreamWhole, nullptr), x, y);
        a->registerProperties();
        a->tag = 1;
        return a;
    }
    // Updates the window at each time, noting the width of the frame shown after each pass.
    std::string passes(OMAnimation* a, std::uint32_t from, std::uint32_t step, int count) {
        std::string shown;
        for (int i = 0; i < count; ++i) {
            fakeMs = from + static_cast<std::uint32_t>(i) * step;
            window->update();
            shown += std::to_string(a->frameShown().width);
        }
        return shown;
    }

    TempFolder folder;
    int files = 0;
};

TEST_F(AnimationTest, AnAnimationIsPlacedByItsDataAndStartsPausedOnAHold) {
    OMAnimation* placed = animation(writeAseq(picture(), ByteOrder::big), OMAnimation::kAtPlacement, OMAnimation::kAtPlacement);
    ASSERT_EQ(placed->status(), AseqStatus::ok);
    EXPECT_EQ(placed->bounds, (OMRect{20, 30, 23, 32}));
    EXPECT_EQ(placed->z, 4);
    EXPECT_EQ(placed->playback.state, PlayState::paused);
    OMAnimation* given = animation(writeAseq(picture(), ByteOrder::little), 100, 50);
    EXPECT_EQ(given->bounds, (OMRect{100, 50, 103, 52}));
    char text[32];
    given->describe(text, sizeof text);
    EXPECT_STREQ(text, "100 50 0");
}

// Repeat count 2: frames 0, 1, 0, 1, then "paused" once with frame 1 staying; frame 1 moves 10 right.
TEST_F(AnimationTest, PlayedWithTwoRepeatsItShowsFourFramesAndPausesOnce) {
    OMAnimation* a = animation(writeAseq(picture(), ByteOrder::little), 100, 50);
    watch(a, {"paused"});
    a->setRepeatCount(2);
    a->play();
    EXPECT_EQ(passes(a, 2000, 125, 7), "3232222");
    EXPECT_EQ(eventLog, "paused@1 ");
    EXPECT_EQ(a->bounds, (OMRect{110, 50, 112, 51}));
    EXPECT_EQ(a->queryOne(), 1);
}

// Drawn at (100, 50): the skipped corner keeps the white background; the hit test follows the pixels.
TEST_F(AnimationTest, AFrameDrawsItsPixelsAndHitsOnlyThem) {
    OMAnimation* a = animation(writeAseq(picture(), ByteOrder::little), 100, 50);
    window->update();
    const std::uint8_t expected[2][3] = {{kWhite, kRed, kRed}, {kBlue, kBlue, kBlue}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            EXPECT_EQ(backPixel(100 + x, 50 + y), expected[y][x]);
            EXPECT_EQ(a->hitTest(POINT{100 + x, 50 + y}), expected[y][x] != kWhite);
        }
    }
    EXPECT_EQ(backPixel(103, 50), kWhite);
    EXPECT_FALSE(a->hitTest(POINT{103, 50}));
}

TEST_F(AnimationTest, ACopySharesTheDataAndPlaysOnFromTheSameEntry) {
    OMAnimation* a = animation(writeAseq(picture(), ByteOrder::big), 100, 50);
    a->play();
    passes(a, 2000, 125, 2);
    auto* copy = static_cast<OMAnimation*>(a->clone());
    EXPECT_EQ(copy->playback.currentEntry, a->playback.currentEntry);
    EXPECT_EQ(copy->frameShown().runs, a->frameShown().runs);
    EXPECT_EQ(copy->bounds, a->bounds);
}

TEST_F(AnimationTest, DamagedDataMakesAnAnimationThatShowsAndPlaysNothing) {
    std::string bytes = writeAseq(picture(), ByteOrder::little);
    bytes[10] = '\x7F';  // frame 0 past the end
    OMAnimation* a = animation(bytes, 100, 50);
    EXPECT_EQ(a->status(), AseqStatus::badFrameOffset);
    EXPECT_TRUE(a->bounds.hasNoArea());
    passes(a, 2000, 125, 3);
    EXPECT_FALSE(a->hitTest(POINT{100, 50}));
}

}  // namespace
