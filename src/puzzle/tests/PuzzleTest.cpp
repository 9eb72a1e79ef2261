// Answers, containers and the puzzle on a trinket window in this process: stacking and judging, centring,
// and drops driven by posted mouse input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnimationFiles.h"
#include "AseqFormat.h"
#include "AseqWriter.h"
#include "FreedMemory.h"
#include "RAttributeContainer.h"
#include "RPuzzle.h"
#include "RGraphicAnswer.h"
#include "RGraphicTextAnswer.h"
#include "RStackingContainer.h"
#include "RText.h"
#include "TrinketFixture.h"
#include "YDeathInterest.h"

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
        installDeathHooks();
    }
    void TearDown() override {
        removeDeathHooks();
        TrinketFixture::TearDown();
    }
    // Logs each named event of the object as "name ".
    static void log(OMScriptableObject& object, std::initializer_list<const char*> events) {
        for (const char* event : events) {
            const OMLinkToFct note([](OMArg name) { eventLog += reinterpret_cast<const char*>(name) + std::string(" "); },
                                   reinterpret_cast<OMArg>(event));
            object.bindEvent(event, &note, nullptr);
        }
    }
    // A puzzle with its events logged, holding the answer and the containers.
    RPuzzle* puzzle(RAnswer* answer, const std::vector<RContainer*>& held) {
        auto* p = new RPuzzle;
        p->registerProperties();
        log(*p, {"answersUsed", "containersFull", "puzzleSolved", "puzzleWrong", "overflow"});
        if (answer) p->addAnswer(answer);
        for (RContainer* c : held) p->addContainer(c);
        return p;
    }
    // Presses at from, moves to and releases at to.
    void drag(POINT from, POINT to) {
        run({mouse(WM_LBUTTONDOWN, from.x, from.y), mouse(WM_MOUSEMOVE, to.x, to.y), mouse(WM_LBUTTONUP, to.x, to.y)});
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
    // Deleting the lowest answer does the same; the stack moves with its container.
    std::unique_ptr<RPuzzle> p(puzzle(upper, {&box}));
    upper->setContainer(&box);
    delete upper;
    EXPECT_EQ("30 380 70 400 380", numbers(small->getBounds()) + " " + std::to_string(box.stackTop));
    p->invokeMethod("shiftContainers", "0", "-100");
    RAnswer* next = answer({10, 10, 50, 50});
    box.acceptAnswer(next);
    EXPECT_EQ("30 280 70 300 30 240 70 280", numbers(small->getBounds()) + " " + numbers(next->getBounds()));
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

// The text hangs from the middle of the graphic, one z above it, and follows its offset.
TEST_F(PuzzleTest, AGraphicTextAnswerShowsItsTextOverItsGraphic) {
    RGraphicTextAnswer a(POINT{100, 100}, 10, 5, "hi", "cat", 2, window);
    a.registerProperties();
    RText* text = a.text();
    ASSERT_NE(nullptr, text);
    EXPECT_EQ("110 110 11", numbers({text->getBounds().left, text->getBounds().top, text->getZ()}));
    a.setProperty("textOffsetX", "4");
    a.setProperty("text", "ho");
    std::string seen = std::to_string(text->getBounds().left);
    for (const char* name : {"text", "attribute", "value"}) seen += std::string(" ") + a.getProperty(name);
    EXPECT_EQ("114 ho cat 2", seen);
}

TEST_F(PuzzleTest, ADropGoesToTheFirstBestContainerThatScoresAboveZeroOrHome) {
    const struct { const char* name; std::int32_t extraBottom; const char* expected; } cases[] = {
        {"equal scores: the first added", 0, "210 210 250 250 first answersUsed puzzleWrong "},
        {"accepted with score 0: home", 40, "10 10 50 50 none overflow "},
        {"no containers: home and solved", 0, "10 10 50 50 none puzzleSolved "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        eventLog.clear();
        RAnswer* a = answer({10, 10, 50, 50}, "x");
        a->setProperty("extraBottom", std::to_string(c.extraBottom).c_str());
        RAttributeContainer first(OMRect{200, 200, 260, 260}, 5, "y", window), second(OMRect{200, 200, 260, 260}, 5, "y", window);
        RStackingContainer stack(OMRect{200, 200, 300, 300}, 5, 10, -1, window);
        std::vector<RContainer*> held = {&first, &second};
        if (c.extraBottom) held = {&stack};
        if (std::string(c.name).find("no containers") == 0) held.clear();
        std::unique_ptr<RPuzzle> p(puzzle(a, held));
        drag({20, 20}, {230, 230});
        const std::string where = a->container() == &first ? "first " : a->container() ? "other " : "none ";
        EXPECT_EQ(c.expected, numbers(a->getBounds()) + " " + where + eventLog);
        delete a;
        EXPECT_EQ(0, p->answers.count);
    }
}

// Hovering over a container and leaving it flies on and off; a correct answer dropped with locking on is
// anchored.
TEST_F(PuzzleTest, ADragHighlightsContainersAndALockedCorrectAnswerIsAnchored) {
    RAnswer* a = answer({10, 10, 50, 50}, "y");
    RAttributeContainer house(OMRect{200, 200, 260, 260}, 5, "y", window);
    house.registerProperties();
    log(house, {"answerFlyOn", "answerFlyOff"});
    std::unique_ptr<RPuzzle> p(puzzle(a, {}));
    p->setProperty("lockCorrectAnswers", "1");
    p->addContainer(&house);
    // A group's drag step is judged before the window moves the pressed part, so each place takes two steps.
    run({mouse(WM_LBUTTONDOWN, 20, 20), mouse(WM_MOUSEMOVE, 230, 230), mouse(WM_MOUSEMOVE, 231, 231),
         mouse(WM_MOUSEMOVE, 20, 400), mouse(WM_MOUSEMOVE, 21, 401), mouse(WM_LBUTTONUP, 21, 401),
         mouse(WM_LBUTTONDOWN, 20, 20), mouse(WM_MOUSEMOVE, 230, 230), mouse(WM_MOUSEMOVE, 231, 231),
         mouse(WM_LBUTTONUP, 231, 231)});
    EXPECT_EQ("answerFlyOn answerFlyOff overflow answerFlyOn containersFull answersUsed puzzleSolved 0 0",
              eventLog + std::to_string(a->isMovable()) + " " + std::to_string(a->isTouchy()));
    p.reset();
    delete a;
}

TEST_F(PuzzleTest, TheDataSetGrowsToItsEntriesAndStartGivesTheRecordsInOrder) {
    std::unique_ptr<RPuzzle> p(puzzle(nullptr, {}));
    p->invokeMethod("setAnswer", "3", "cat", "1", "");
    EXPECT_EQ("3 0 0 1", numbers({std::int64_t(p->dataSet.entries.size()), std::int64_t(p->dataSet.entries[0].answers.size()),
                                  std::int64_t(p->dataSet.entries[1].answers.size()), std::int64_t(p->dataSet.entries[2].answers.size())}));
    std::unique_ptr<RPuzzle> q(puzzle(nullptr, {}));
    q->invokeMethod("setAnswer", "1", "a1", "5", "a2", "5", "");
    q->invokeMethod("addAnswer", "nobody");
    q->setProperty("scrambleAnswers", "0");
    std::vector<RAnswer*> made;
    for (int k = 0; k < 3; ++k) {
        made.push_back(answer({10, 10, 50, 50}, "old"));
        q->addAnswer(made.back());
    }
    std::srand(7);
    q->start();
    std::string attributes;
    for (RAnswer* a : made) attributes += std::string(a->getProperty("attribute")) + " ";
    EXPECT_EQ("a1 a2 old ", attributes);
    for (RAnswer* a : made) delete a;
}

TEST_F(PuzzleTest, AHandlerThatDeletesThePuzzleEndsTheDropAndADoubleClickStillDrops) {
    RAnswer* a = answer({10, 10, 50, 50}, "y");
    RAttributeContainer house(OMRect{200, 200, 260, 260}, 5, "y", window);
    house.registerProperties();
    RPuzzle* p = puzzle(a, {&house});
    Callback ends{[&] {
        eventLog += "deleting ";
        delete p;
    }};
    const OMLinkToObj<Callback> endLink = calling(ends);
    p->bindEvent("containersFull", &endLink, nullptr);
    drag({20, 20}, {230, 230});
    EXPECT_EQ("210 210 250 250 deleting ", numbers(a->getBounds()) + " " + eventLog);
    // Down, up, double click, up: the pick-up of the double click holds the mouse until its release drops.
    std::unique_ptr<RPuzzle> again(puzzle(a, {&house}));
    a->setContainer(nullptr);
    house.answers.clear(false);
    again->placeAnswer(a, &house);
    eventLog.clear();
    run({mouse(WM_LBUTTONDOWN, 220, 220), mouse(WM_LBUTTONUP, 220, 220), mouse(WM_LBUTTONDBLCLK, 220, 220),
         mouse(WM_LBUTTONUP, 220, 220)});
    EXPECT_EQ("placed 0 containersFull answersUsed puzzleSolved containersFull answersUsed puzzleSolved ",
              std::string(a->container() == &house ? "placed " : "out ") + std::to_string(a->dragging) + " " + eventLog);
    // A "pickedUp" handler that deletes the double-clicked answer: the puzzle hears no pick-up and lets it go.
    RAnswer* b = answer({400, 10, 440, 50}, "y");
    again->addAnswer(b);
    Callback gone{[&] { delete b; }};
    const OMLinkToObj<Callback> goneLink = calling(gone);
    b->bindEvent("pickedUp", &goneLink, nullptr);
    run({mouse(WM_LBUTTONDBLCLK, 420, 20), mouse(WM_LBUTTONUP, 420, 20)});
    EXPECT_EQ(1, again->answers.count);
    again.reset();
    delete a;
}

// An answer anchored while it is held stays where it is and is no longer dragged: unanchored, it goes home.
TEST_F(PuzzleTest, AnAnswerAnchoredWhileHeldIsLetGo) {
    RAnswer* a = answer({10, 10, 50, 50});
    std::unique_ptr<RPuzzle> p(puzzle(a, {}));
    run({mouse(WM_LBUTTONDOWN, 20, 20), mouse(WM_MOUSEMOVE, 120, 20), mouse(WM_MOUSEMOVE, 121, 20)});
    p->invokeMethod("anchorAnswers");
    run({mouse(WM_MOUSEMOVE, 200, 20), mouse(WM_LBUTTONUP, 200, 20)});
    const std::string held = numbers(a->getBounds());
    p->invokeMethod("unanchorAnswers");
    a->goHome();
    EXPECT_EQ(held + ", " + numbers(a->getBounds()) + " " + eventLog, "111 10 151 50, 10 10 50 50 ");
    delete a;
}

// A container or an answer that a script drops, or has added twice, leaves nothing pointing at it; a
// handler that drops the answer or its container while it is placed or picked up ends the step there.
TEST_F(PuzzleTest, DroppedAnswersAndContainersLeaveNothingPointingAtThem) {
    RAnswer* a = new SolidAnswer(window, OMRect{10, 10, 50, 50}, "y", 0);
    RContainer* house = new RAttributeContainer(OMRect{200, 200, 260, 260}, 5, "y", window);
    house->registerProperties();
    std::unique_ptr<RPuzzle> p(puzzle(a, {house, house}));
    p->addAnswer(a);
    p->placeAnswer(a, house);
    delete house;
    EXPECT_EQ(numbers({p->containers.count, a->container() != nullptr}), "0 0");
    p->invokeMethod("reset");
    drag({220, 220}, {230, 230});
    delete a;
    EXPECT_EQ(p->answers.count, 0);
    const struct { const char* name; bool dropsAnswer; bool onPickUp; } cases[] = {
        {"the answer, when placed", true, false}, {"the container, when placed", false, false},
        {"the answer, when picked up", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RAnswer* b = new SolidAnswer(window, OMRect{10, 10, 50, 50}, "y", 0);
        RContainer* box = new RAttributeContainer(OMRect{200, 200, 260, 260}, 5, "y", window);
        box->registerProperties();
        std::unique_ptr<RPuzzle> q(puzzle(b, {box}));
        if (c.onPickUp) q->placeAnswer(b, box);
        Callback drops{[&] { c.dropsAnswer ? delete b : delete box; }};
        const OMLinkToObj<Callback> link = calling(drops);
        if (c.onPickUp) box->bindEvent("answerRemoved", &link, nullptr);
        else b->bindEvent("addedToContainer", &link, nullptr);
        if (c.onPickUp) drag({220, 220}, {20, 400});
        else drag({20, 20}, {230, 230});
        if (c.dropsAnswer) {
            EXPECT_TRUE(freedUntouched(b));
            EXPECT_EQ(q->answers.count, 0);
            delete box;
        } else {
            EXPECT_TRUE(freedUntouched(box));
            EXPECT_EQ(b->container(), nullptr);
            delete b;
        }
    }
}

// "reset" raises the container's and each answer's events as it takes the answers out. Its own events are
// dropped, but a nested property call (here the answers' sound hook setting the container's attribute)
// lowers the one in-call flag, so the later ones reach their handlers. A handler of the second answer that
// drops that answer lets the walk go on to the third; one that drops the puzzle ends the walk there.
TEST_F(PuzzleTest, AHandlerMayDropAnAnswerOrThePuzzleDuringReset) {
    static RContainer* box = nullptr;
    RAnswer::setSoundHook([](std::uint16_t, std::int32_t, std::int32_t) { box->setProperty("attribute", "y"); });
    for (const bool dropsPuzzle : {false, true}) {
        SCOPED_TRACE(dropsPuzzle ? "the puzzle dropped" : "the answer dropped");
        box = new RAttributeContainer(OMRect{200, 200, 260, 260}, 5, "y", window);
        box->registerProperties();
        RPuzzle* p = puzzle(nullptr, {box});
        RAnswer* a[3];
        for (RAnswer*& each : a) {
            each = answer({10, 10, 50, 50}, "y");
            each->goHomeSound = 1;
            p->addAnswer(each);
            p->placeAnswer(each, box);
        }
        Callback drops{[&] { dropsPuzzle ? delete p : delete a[1]; }};
        const OMLinkToObj<Callback> link = calling(drops);
        a[1]->bindEvent("removedFromContainer", &link, nullptr);
        p->invokeMethod("reset");
        EXPECT_TRUE(freedUntouched(dropsPuzzle ? static_cast<void*>(p) : a[1]));
        EXPECT_EQ(numbers({a[0]->container() != nullptr, a[2]->container() != nullptr, box->answers.count}),
                  dropsPuzzle ? "0 1 1" : "0 0 0");
        if (dropsPuzzle) delete a[1];
        else delete p;
        for (RAnswer* each : {a[0], a[2]}) delete each;
        delete box;
    }
    RAnswer::setSoundHook(nullptr);
}

}  // namespace
