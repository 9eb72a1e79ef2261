// Animations: an XMV in either byte order drawn pixel for pixel like its shapes, bounds worked out by
// hand, the three ways of stepping untimed and on the clock, pausing and hiding, and damaged files.
#include <memory>

#include "Anim.h"
#include "Draw.h"
#include "UpdateTestSupport.h"
#include "XmvWriter.h"

namespace {

// Events [0, 30) of shape 0 and [30, 60) of shape 1, rate 10, duration 60, at (100, 100).
XmvSpec twoHalves(std::uint32_t rate = 10) {
    XmvSpec s;
    s.left = s.top = 100;
    s.width = s.height = 20;
    s.rate = rate;
    s.events = {{3, 0, 0, 30}, {3, 1, 30, 30}};
    return s;
}

struct AnimTest : ScreenUpdateTest {
    // Shape 0: 10 x 10 of '7'. Shape 1: 4 x 2, "6.6." over "6666".
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        ForgeBank forged;
        forged.shapes = {handShape(std::vector<std::string>(10, "7777777777")), handShape({"6.6.", "6666"})};
        openBanks({forged});
        bank = load(1);
        ASSERT_NE(bank, 0u);
    }
    void TearDown() override {
        for (Anim* a : players) AnimClose(a);
        ScreenUpdateTest::TearDown();
    }
    // Writes the animations as 'XMV' 1, 2, ... and opens their file.
    void openAnims(const std::vector<std::string>& files) {
        std::vector<PrsResource> resources;
        for (std::size_t i = 0; i < files.size(); ++i) resources.push_back({"XMV", std::uint16_t(i + 1), files[i]});
        ASSERT_TRUE(writeResources(folder.file("Anims.PRS"), resources));
        ASSERT_NE(ResOpenFile("Anims"), 0u);
    }
    // A player of 'XMV' id, closed at the end.
    Anim* player(std::uint32_t id) {
        owned.push_back(std::make_unique<Anim>());
        owned.back()->resId = id;
        players.push_back(owned.back().get());
        return players.back();
    }
    // The image rectangles of the player's current frame.
    static std::string frame(const Anim* a) {
        Rect r{};
        std::uint32_t cursor = 0;
        AnimResGetFrameBounds(a->anim, XmvScan{a->seek != 0, a->previousTime, a->previousEvent, a->time}, &cursor,
                              a->x, a->y, &r);
        return rectCsv(r);
    }
    static std::vector<std::uint16_t> cleared() {
        std::vector<std::uint16_t> zero(640 * 480, 0);
        return canvasPixels(offscreen, &zero);
    }
    ShapeBank bank = 0;
    std::vector<std::unique_ptr<Anim>> owned;
    std::vector<Anim*> players;
};

TEST_F(AnimTest, BothByteOrdersDrawTheirShapesAtTheEventsPlaces) {
    XmvSpec s;
    s.left = s.top = 100;
    s.width = 20;
    s.height = 30;
    s.events = {{3, 0, 0, 60}, {5, 1, 0, 60, -10, 4}};
    const std::string big = xmvWrite(s, ByteOrder::big), little = xmvWrite(s, ByteOrder::little);
    EXPECT_EQ(big.substr(196, 4), std::string("\xFF\xF6\0\4", 4)) << "x first in the file's order";
    EXPECT_EQ(little.substr(196, 4), std::string("\4\0\xF6\xFF", 4)) << "y first in native order";
    openAnims({big, little});
    PortSet(offscreen);
    cleared();
    ShapeDraw(nullptr, bank, 0, 100, 100, 0);
    ShapeDraw(nullptr, bank, 1, 90, 104, 0);
    const std::vector<std::uint16_t> expected = canvasPixels(offscreen);
    for (std::uint32_t id : {1u, 2u}) {
        SCOPED_TRACE(id);
        Anim* a = player(id);
        ASSERT_EQ(AnimStart(a), 1);
        Rect bounds{}, at{}, rect{};
        AnimResGetBounds(&bounds, a->anim);
        AnimResGetBoundsAt(&at, a->anim, 5, 6);
        AnimGetRect(a, &rect);
        EXPECT_EQ(rectCsv(bounds) + " " + rectCsv(at) + " " + rectCsv(rect) + " " + frame(a),
                  "100,100,120,130 5,6,25,36 100,100,120,130 90,100,110,110");
        cleared();
        EXPECT_EQ(AnimDraw(a, nullptr), 1);
        EXPECT_TRUE(canvasPixels(offscreen) == expected);
        EXPECT_EQ(pixelAt(offscreen, 90, 105), '6');
        EXPECT_EQ((Results{AnimHitTest(a, 91, 104), AnimHitTest(a, 90, 104), AnimHitTest(a, 109, 109)}),
                  (Results{0, 1, 1})) << "a skipped pixel of shape 1, then opaque ones";
        const Rect clip{0, 0, 95, 480};
        cleared();
        AnimDraw(a, &clip);
        EXPECT_EQ((Results{pixelAt(offscreen, 90, 105), pixelAt(offscreen, 100, 100)}), (Results{'6', 0}))
            << "only events meeting the clip";
        const Rect aside{200, 200, 240, 240};
        AnimDraw(a, &aside);
        AnimSetPosition(a, 200, 200);
        AnimDraw(a, &aside);
        EXPECT_EQ(pixelAt(offscreen, 200, 200), '7') << "moved into a clip that its frame missed before";
    }
}

TEST_F(AnimTest, UntimedStepsOnceCloseAndLoop) {
    XmvSpec zero = twoHalves(0);
    openAnims({xmvWrite(twoHalves(), ByteOrder::big), xmvWrite(twoHalves(25), ByteOrder::big),
               xmvWrite(zero, ByteOrder::big)});
    Anim* a = player(1);
    ASSERT_EQ(AnimOpen(a), 1);
    EXPECT_EQ((Results{AnimStepOnce(a), AnimIsPaused(a)}), (Results{0, 1})) << "opened paused";
    AnimSetPaused(a, 0);
    std::string seen;
    for (int i = 0; i < 6; ++i) {
        AnimStepOnce(a);
        seen += std::to_string(a->time) + ":" + frame(a) + " ";
    }
    EXPECT_EQ(seen, "10:100,100,110,110 20:100,100,110,110 30:100,100,104,102 40:100,100,104,102 "
                    "50:100,100,104,102 50:100,100,104,102 ");
    Anim* missed = player(1);
    AnimStart(missed);
    AnimStepOnce(missed);
    EXPECT_EQ(AnimHitTest(missed, 0, 0), 0);
    AnimStepOnce(missed);
    EXPECT_EQ(frame(missed), "100,100,110,110") << "a missed hit test changes nothing drawn";
    EXPECT_EQ((Results{AnimIsFinished(a), AnimIsPaused(a), a->previousEvent, AnimStepOnce(a)}), (Results{1, 1, 1, 0}));
    EXPECT_EQ(AnimSetHidden(a, 1), 0);
    EXPECT_EQ((Results{AnimIsHidden(a), AnimIsPaused(a), AnimDraw(a, nullptr)}), (Results{1, 1, 0}))
        << "hiding a paused player keeps it paused";

    Anim* closing = player(1);
    AnimStart(closing);
    for (int i = 0; i < 6; ++i) AnimStepOnceAndClose(closing);
    EXPECT_EQ((Results{closing->anim, closing->time, AnimStepOnceAndClose(closing)}), (Results{0, 60, 0}));

    Anim* loop = player(2);
    AnimStartOffsetUntimed(loop, 3, -4);
    EXPECT_EQ((Results{loop->x, loop->y}), (Results{103, 96}));
    // Drawn at each step under a clip that only the larger shape 0 meets.
    const Rect clip{108, 100, 113, 106};
    PortSet(offscreen);
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        AnimStepLoop(loop);
        cleared();
        AnimDraw(loop, &clip);
        seen += std::to_string(loop->time) + ":" + std::to_string(loop->previousEvent) +
                (pixelAt(offscreen, 108, 100) == '7' ? ":drawn " : ":clear ");
    }
    EXPECT_EQ(seen, "25:0:drawn 50:0:clear 15:0:drawn ") << "wrapped, scanning from the first record";

    Anim* still = player(3);
    AnimStart(still);
    for (int i = 0; i < 3; ++i) AnimStepLoop(still);
    EXPECT_EQ((Results{still->time, still->ticks}), (Results{0, 3})) << "rate 0 never advances";

    // An owner runs a player backwards by storing a negative step and the time to start from.
    Anim* back = player(1);
    AnimStart(back);
    back->step = -20;
    back->time = 50;
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        AnimStepOnce(back);
        seen += std::to_string(back->time) + " ";
    }
    EXPECT_EQ(seen + std::to_string(AnimIsPaused(back)), "30 10 0 1");
}

TEST_F(AnimTest, ClockDrivenPlayersFollowTheSharedClockWithoutPausedTime) {
    XmvSpec ten = twoHalves();
    ten.duration = 6000;
    openAnims({xmvWrite(ten, ByteOrder::big)});
    Anim* a = player(1);
    Anim* b = player(1);
    EXPECT_EQ(AnimClock(), 0u);
    now = 1000;
    ASSERT_EQ(AnimStartAt(a, 0, 0), 1);
    EXPECT_NE(AnimClock(), 0u);
    AnimOpenTimed(b, 1);
    now += 500;
    AnimStepOnce(a);
    EXPECT_EQ((Results{a->time, AnimStepOnce(b)}), (Results{300, 0})) << "500 ms, and a held player";
    AnimSetPaused(a, 1);
    now += 2000;
    AnimSetPaused(a, 0);
    now += 100;
    AnimStepOnce(a);
    EXPECT_EQ(a->time, 360u) << "the 2000 ms paused do not count";
    // Duration 6000: 10 s. Wrapped at 10.002 s to time 1; a step in the same millisecond stays there.
    Anim* loop = player(1);
    AnimStartAt(loop, 0, 0);
    now += 10002;
    AnimStepLoop(loop);
    AnimStepLoop(loop);
    now += 50;
    AnimStepLoop(loop);
    EXPECT_EQ((Results{loop->time, loop->step}), (Results{31, 30}));
    AnimClose(loop);
    AnimClose(a);
    EXPECT_NE(AnimClock(), 0u) << "one player still open";
    AnimClose(b);
    EXPECT_EQ(AnimClock(), 0u);
}

TEST_F(AnimTest, DamagedFilesAreRefusedOrDrawnClipped) {
    struct Case {
        const char* what;
        XmvSpec spec;
        bool loads;
        const char* frameAt40;
    };
    XmvSpec past = twoHalves(), open = twoHalves(), unsorted = twoHalves(), distant = twoHalves(), beyond = twoHalves();
    XmvSpec noBank = twoHalves(), badMarker = twoHalves();
    past.extraCount = 1;
    open.endRecord = false;
    unsorted.events = {{3, 1, 30, 30}, {3, 0, 0, 30}};
    distant.events = {{5, 0, 0, 60, -32768, 32767}, {6, 1, 0, 60, 32767, -32768}};
    beyond.events = {{3, 7, 0, 60}};
    noBank.bankId = 9;
    const Case cases[] = {
        {"events past the block", past, false, ""},
        {"no end record", open, true, "100,100,104,102"},
        {"unsorted: a finished event after an unfinished one is still visited", unsorted, true, "100,100,110,110"},
        {"extreme offsets", distant, true, nullptr},
        {"a shape past the bank", beyond, true, "0,0,0,0"},
        {"a missing bank", noBank, false, ""},
        {"a bad marker", badMarker, false, ""},
    };
    std::vector<std::string> files;
    for (const Case& c : cases) files.push_back(xmvWrite(c.spec, ByteOrder::big));
    files.back()[3] ^= 1;
    openAnims(files);
    PortSet(offscreen);
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        Anim* a = player(i + 1);
        ASSERT_EQ(AnimStart(a), cases[i].loads ? 1 : 0);
        if (!cases[i].loads) continue;
        for (int t = 0; t < 4; ++t) AnimStepOnce(a);
        cleared();
        AnimDraw(a, nullptr);
        AnimInvalidate(a);
        EXPECT_EQ(AnimHitTest(a, 0, 0), 0);
        if (cases[i].frameAt40) {
            EXPECT_EQ(frame(a), cases[i].frameAt40);
        }
    }
}

}  // namespace
