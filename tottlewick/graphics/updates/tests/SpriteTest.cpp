// Sprites: lookups by id, stacking, the dirty areas of their changes, drawing in stacking order, picking
// through skipped pixels, and dragging inside limits in both drag modes.
#include "Draw.h"
#include "UpdateTestSupport.h"

namespace {

std::uint32_t at(int x, int y) { return PointPack(std::int16_t(x), std::int16_t(y)); }

struct SpriteTest : ScreenUpdateTest {
    // Shape 0: 10 x 10 of index '7'. Shape 1: 10 x 10, the left half skipped, the right half '9'.
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        ForgeBank forged;
        forged.shapes = {handShape(std::vector<std::string>(10, "7777777777")),
                         handShape(std::vector<std::string>(10, ".....99999"))};
        openBanks({forged});
        bank = load(1);
        ASSERT_NE(bank, 0u);
        SpriteSetDragLimits(&kScreen);
    }
    // Forgets the dirty areas so far.
    static void settle() { for (int i = 0; i < 2; ++i) UpdateFlush(); }
    static std::string stack() {
        std::string out;
        SpriteInfo info{};
        for (SpriteIterBegin(); SpriteIterNext(&info);) out += std::to_string(info.id) + " ";
        return out;
    }
    static std::string draggedFrame() {
        Rect frame{};
        return SpriteGetRectDragged(&frame) ? rectCsv(frame) : "none";
    }
    static std::int16_t draggedId() {
        std::int16_t id = 0;
        return SpriteGetIdDragged(&id), id;
    }
    ShapeBank bank = 0;
};

TEST_F(SpriteTest, IdsStackingAndDirtyAreas) {
    ShapeInvalidate(bank, 1, 100, 100, 1);
    EXPECT_EQ(rects(), "88,100,104,110") << "a mirrored shape's image: 91 to 101";
    EXPECT_EQ(SpriteCreate(at(100, 100), bank, 0, 5), 0);
    EXPECT_EQ(onceRects(), "100,100,112,110");
    EXPECT_EQ(SpriteCreate(at(200, 100), bank, 0, 5), 0);
    Point p{};
    EXPECT_EQ((Results{SpriteGetPosition(5, &p), p.h}), (Results{1, 200})) << "the newer of two sprites with one id";
    settle();
    EXPECT_EQ(SpriteShow(5), 1);
    EXPECT_EQ(onceRects(), "") << "showing a visible sprite";
    SpriteHide(5);
    EXPECT_EQ(onceRects(), "200,100,212,110");
    settle();
    EXPECT_EQ(SpriteSetPosition(5, at(300, 100)), 1);
    EXPECT_EQ(onceRects(), "") << "moving a hidden sprite";
    SpriteShow(5);
    EXPECT_EQ(onceRects(), "300,100,312,110");
    settle();
    SpriteSetPosition(5, at(300, 110));
    EXPECT_EQ(onceRects(), "300,100,312,120") << "old and new frames, merged";
    EXPECT_EQ(SpriteDispose(5), 0);
    EXPECT_EQ((Results{SpriteGetPosition(5, &p), p.h, SpriteDispose(99)}), (Results{1, 100, 1}));
    EXPECT_EQ(SpriteSendToBack(5), 1) << "the only sprite";
    for (std::int16_t id : {1, 2, 3}) SpriteCreate(at(0, 0), bank, 0, id);
    EXPECT_EQ(std::to_string(SpriteCount()) + ": " + stack(), "4: 5 1 2 3 ");
    SpriteBringToFront(5);
    EXPECT_EQ(stack(), "1 2 3 5 ");
    SpriteSendToBack(3);
    EXPECT_EQ(stack(), "3 1 2 5 ");
    for (std::int16_t id : {1, 2, 5}) SpriteUnlink(SpriteFind(id));
    EXPECT_EQ((Results{SpriteCount(), SpriteSendToBack(3)}), (Results{1, 1})) << "unlinked sprites no longer count";
    EXPECT_EQ(stack(), "3 ") << "the only sprite left in the list stays in it";
}

TEST_F(SpriteTest, DrawAllPaintsOldestFirstInsideTheClip) {
    SpriteCreate(at(100, 100), bank, 0, 1);
    SpriteCreate(at(100, 100), bank, 1, 2);
    PortSet(offscreen);
    Rect before{};
    CanvasGetClip(&before, offscreen);
    struct Case { Rect clip; std::uint8_t left, right; };  // at (102, 105) and (107, 105)
    const Case cases[] = {{{100, 100, 110, 110}, '7', '9'}, {{100, 100, 105, 110}, '7', 0}, {{0, 0, 90, 90}, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(rectCsv(c.clip));
        DrawFillRectIndex(&kScreen, 0);
        SpriteDrawAll(&c.clip);
        EXPECT_EQ((Results{pixelAt(offscreen, 102, 105), pixelAt(offscreen, 107, 105)}), (Results{c.left, c.right}));
        Rect after{};
        CanvasGetClip(&after, offscreen);
        EXPECT_EQ(rectCsv(after), rectCsv(before));
    }
}

TEST_F(SpriteTest, APressOnASkippedPixelPicksTheSpriteBelow) {
    SpriteCreate(at(100, 100), bank, 0, 1);
    SpriteCreate(at(100, 100), bank, 1, 2);
    struct Case { const char* what; std::int16_t (*pick)(); std::int16_t result, dragged; };
    const Case cases[] = {
        {"a skipped pixel of the top sprite", [] { return SpritePickAtPoint(at(102, 105)); }, 1, 1},
        {"an opaque pixel of the top sprite", [] { return SpritePickAtPoint(at(107, 105)); }, 1, 2},
        {"beside both", [] { return SpritePickAtPoint(at(120, 105)); }, 0, 0},
        {"a rect on skipped pixels only", [] { const Rect r{101, 101, 104, 104}; return SpritePickInRect(&r); }, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SpriteDragEnd();
        EXPECT_EQ((Results{c.pick(), draggedId()}), (Results{c.result, c.dragged}));
    }
    SpriteDragEnd();
    EXPECT_EQ((Results{SpritePickByShape(bank, 0, at(95, 100)), draggedId()}), (Results{1, 1}))
        << "a shape meeting only the top sprite's skipped half";
    SpriteDragEnd();
    SpriteHide(2);
    EXPECT_EQ((Results{SpritePickAtPoint(at(107, 105)), draggedId()}), (Results{1, 1})) << "a hidden sprite is passed over";
}

TEST_F(SpriteTest, DragsStayInsideTheLimitsInBothModes) {
    SpriteCreate(at(100, 100), bank, 0, 7);
    ASSERT_EQ(SpritePickAtPoint(at(105, 105)), 1);
    struct Move { int x, y; const char* resultAndFrame; };
    const Move moves[] = {{1000, 105, "7 630,100,640,110"}, {2000, 105, "0 630,100,640,110"},
                          {-50, -50, "7 0,0,10,10"}, {700, 900, "7 630,470,640,480"}};
    for (const Move& m : moves) {
        const std::int16_t result = SpriteDragMove(at(m.x, m.y));
        EXPECT_EQ(std::to_string(result) + " " + draggedFrame(), m.resultAndFrame) << m.x;
    }
    EXPECT_EQ(SpritePickAtPoint(at(0, 0)), 2) << "the second click drops in mode 0";
    EXPECT_EQ(draggedFrame(), "none");
    SpriteSetDragMode(1);
    ASSERT_EQ(SpritePickAtPoint(at(635, 475)), 1);
    EXPECT_EQ(SpritePickAtPoint(at(635, 475)), 0) << "a second press while held";
    EXPECT_EQ(SpriteDragDrop(at(625, 465)), 1);
    Rect frame{};
    EXPECT_EQ((Results{draggedFrame() == "none", SpriteDragDrop(at(625, 465)), SpriteGetRect(7, &frame)}),
              (Results{1, 0, 1}));
    EXPECT_EQ(rectCsv(frame), "620,460,630,470");
}

}  // namespace
