// Backdrops: the cells a dirty rectangle meets, a tiled and a pre-rendered grid drawn for one, and the
// four slots with the main one and a caller's bank.
#include "BackdropGrid.h"
#include "Draw.h"
#include "UpdateTestSupport.h"

namespace {

struct BackdropTest : ScreenUpdateTest {
    // 'XPK' 1: twelve 160 x 160 tiles, tile i of index 10 + i.
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        ForgeBank tiles;
        for (int i = 0; i < 12; ++i)
            tiles.shapes.push_back(handShape(std::vector<std::string>(160, std::string(160, char(10 + i)))));
        openBanks({tiles});
    }
};

TEST(BackdropGridTest, ADirtyRectangleMeetsOnlyTheCellsItTouches) {
    struct Case { Rect rect; BackdropGrid grid; int cells; };
    const BackdropGrid grid{0, 0, 4, 3, 160, 160};
    const Case cases[] = {
        {{150, 150, 170, 170}, grid, 4}, {{0, 0, 640, 480}, grid, 12}, {{160, 160, 320, 320}, grid, 1},
        {{-100, -100, 10, 10}, grid, 1}, {{700, 0, 720, 10}, grid, 0},
        {{150, 150, 170, 170}, {100, 100, 4, 3, 160, 160}, 1},
        {{150, 150, 170, 170}, {0, 0, 4, 3, 0, 160}, 0},  // tiles of no width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(rectCsv(c.rect));
        const BackdropSpan span = backdropSpan(c.grid, c.rect);
        const int cells =
            span.empty() ? 0 : (span.lastColumn - span.firstColumn + 1) * (span.lastRow - span.firstRow + 1);
        EXPECT_EQ(cells, c.cells);
    }
    EXPECT_EQ(rectCsv(backdropCellRect(grid, 6)), "320,160,480,320");
}

TEST_F(BackdropTest, TiledAndPrerenderedGridsDrawTheDirtyRectangle) {
    PortSet(offscreen);
    for (std::uint32_t cached : {0u, 1u}) {
        SCOPED_TRACE(cached ? "pre-rendered" : "tiled");
        BackdropSetCached(cached);
        ASSERT_EQ(BackdropLoadMain(1, 4, 3, 0, 0), 1);
        DrawFillRectIndex(&kScreen, 0);
        const Rect dirty{150, 150, 170, 170};
        BackdropDrawMain(&dirty);
        struct Probe { int x, y; std::uint8_t want; };
        const Probe probes[] = {{150, 150, 10}, {169, 150, 11}, {150, 169, 14}, {169, 169, 15},
                                {149, 155, 0},  {170, 165, 0},  {155, 170, 0},  {400, 400, 0}};
        for (const Probe& p : probes) EXPECT_EQ(pixelAt(offscreen, p.x, p.y), p.want) << p.x << "," << p.y;
        Rect clip{};
        CanvasGetClip(&clip, offscreen);
        EXPECT_EQ(rectCsv(clip), "0,0,640,480");
        BackdropFreeMain();
    }
    // A pre-rendered 2 x 2 grid away from (0, 0) draws whole at its place.
    ASSERT_EQ(BackdropLoadMain(1, 2, 2, 200, 100), 1);
    DrawFillRectIndex(&kScreen, 0);
    BackdropDrawMain(&kScreen);
    EXPECT_EQ((Results{pixelAt(offscreen, 200, 100), pixelAt(offscreen, 519, 419), pixelAt(offscreen, 520, 419)}),
              (Results{10, 13, 0}));
    BackdropFreeMain();
}

TEST_F(BackdropTest, FourSlotsTheMainOneAndACallersBank) {
    for (std::int16_t number = 1; number <= 4; ++number) EXPECT_EQ(BackdropLoad(1, 4, 3, 0, 0), number);
    EXPECT_EQ((Results{BackdropLoad(1, 4, 3, 0, 0), BackdropLoadMain(1, 4, 3, 0, 0)}), (Results{0, 0})) << "slots full";
    BackdropFreeAll();
    EXPECT_EQ(BackdropLoad(2, 4, 3, 0, 0), 0) << "a missing bank";
    const ShapeBank bank = load(1);
    ASSERT_NE(bank, 0u);
    EXPECT_EQ(BackdropAdd(bank, 4, 3, 0, 0), 1);
    BackdropFreeMain();
    EXPECT_EQ((Results{ShapeBankCount(bank), BackdropAdd(0, 4, 3, 0, 0)}), (Results{12, 0}))
        << "the caller's bank stays loaded";
}

}  // namespace
