// Answers, containers and the puzzle on a trinket window in this process: stacking and judging, centring,
// and drops driven by posted mouse input.
#include <gtest/gtest.h>

#include <string>

#include "AnimationFiles.h"
#include "AseqFormat.h"
#include "AseqWriter.h"
#include "RAttributeContainer.h"
#include "RGraphicAnswer.h"
#include "RStackingContainer.h"
#include "TrinketFixture.h"

namespace {

// Id 5: one 20 x 20 frame, its left half transparent (a skip run) and its right half colour 50.
std::string halfPicture() {
    AseqPictureFrame frame{20, 20, {}, {}};
    for (int i = 0; i < 400; ++i) frame.pixels.push_back(i % 20 < 10 ? 0 : 50);
    const AseqPicture p{8, {}, 0, {{{0, 0, 0, 0}, {0, 0, kAseqHold, 0}, {0, 0, kAseqEnd, 0}}}, {frame}};
    return writeAseq(p, ByteOrder::little);
}

// A graphic answer whose graphic id is not found, with a solid part of the rectangle in its place.
struct SolidAnswer : RGraphicAnswer {
    SolidAnswer(OMTrinketWindow* owner, const OMRect& rect, const char* kind, std::int32_t number)
        : RGraphicAnswer(POINT{rect.left, rect.top}, 10, 999, kind, number, owner) {
        addPart(new SolidTrinket(owner, rect, 7), 0, 1);
        registerProperties();
    }
};

struct PuzzleTest : TrinketFixture {
    void SetUp() override {
        TrinketFixture::SetUp();
        files.animation(5, halfPicture());
    }
    SolidAnswer* answer(const OMRect& rect, const char* attribute = "", std::int32_t value = 0) {
        return new SolidAnswer(window, rect, attribute, value);
    }
    static std::string judged(RContainer& container, RAnswer* answer) {
        std::int32_t score = -1;
        const std::int32_t accept = container.hitScore(answer, score);
        return numbers({accept, score});
    }
    AnimationFiles files;
};

TEST_F(PuzzleTest, AStackingContainerTakesWhatFitsAndClosesItsStackWhenOneLeaves) {
    RStackingContainer box(OMRect{0, 300, 100, 400}, 5, 0, -1, window);
    box.registerProperties();
    RAnswer* lower = answer({10, 310, 50, 350});
    RAnswer* upper = answer({10, 310, 50, 350});
    box.acceptAnswer(lower);
    box.acceptAnswer(upper);
    EXPECT_EQ("30 360 70 400 30 320 70 360", numbers(lower->getBounds()) + " " + numbers(upper->getBounds()));
    EXPECT_EQ("0", std::string(box.getProperty("isFull")));
    EXPECT_EQ("0 1200", judged(box, answer({10, 310, 50, 340})));
    RAnswer* small = answer({10, 310, 50, 330});
    EXPECT_EQ("1 800", judged(box, small));
    box.acceptAnswer(small);
    EXPECT_EQ("1 300", std::string(box.getProperty("isFull")) + " " + std::to_string(box.stackTop));
    box.removeAnswer(lower);
    EXPECT_EQ("30 360 70 400 30 340 70 360 340", numbers(upper->getBounds()) + " " + numbers(small->getBounds()) +
                                                   " " + std::to_string(box.stackTop));
}

TEST_F(PuzzleTest, AnAttributeContainerJudgesByAttributeOverlapHotPointOrPixels) {
    RAttributeContainer house(OMRect{200, 100, 260, 160}, 5, "cat", window);
    house.registerProperties();
    house.rejectIncorrectAnswers = 1;
    EXPECT_EQ("0 3600", judged(house, answer({200, 100, 260, 160}, "dog")));
    EXPECT_EQ("1 100", judged(house, answer({250, 150, 270, 170}, "cat")));
    RAttributeContainer picture(5, 300, 100, 5, "cat", window);
    picture.registerProperties();
    picture.setProperty("doPixelCompare", "1");
    RAnswer* pointer = answer({280, 80, 300, 100}, "cat");
    for (const auto& [x, expected] : {std::pair{"25", "0 0"}, {"35", "1 1"}}) {
        pointer->setProperty("hotPointX", x);
        pointer->setProperty("hotPointY", "30");
        EXPECT_EQ(expected, judged(picture, pointer)) << x;
    }
}

TEST_F(PuzzleTest, AnAnswerIsCentredByItsInnerRectangle) {
    RAnswer* a = answer({0, 0, 40, 40});
    a->setProperty("extraLeft", "5");
    a->setProperty("extraRight", "5");
    a->centreIn(100, 100, 200, 200);
    EXPECT_EQ("130 130 170 170 135 130 165 170", numbers(a->getBounds()) + " " + numbers(a->effectiveRect()));
}

}  // namespace
