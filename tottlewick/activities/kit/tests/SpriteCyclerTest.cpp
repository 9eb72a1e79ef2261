// The sprite cyclers on the kit clock: the step interval of a rate, looping and still cycles, the full
// table, and drawing in slot order.
#include "KitClock.h"
#include "SpriteCycler.h"
#include "UpdateTestSupport.h"

namespace {

struct SpriteCyclerTest : ScreenUpdateTest {
    void SetUp() override {
        ScreenUpdateTest::SetUp();
        ForgeBank forged;
        forged.shapes = {handShape({"11"}), handShape({"22"}), handShape({"33"})};
        openBanks({forged});
        ASSERT_EQ(SpriteCyclerInit(10), 1);
    }
    void TearDown() override {
        SpriteCyclerShutdown();
        ScreenUpdateTest::TearDown();
    }
    static std::string framesAt(std::uint32_t ms, std::initializer_list<std::uint16_t> slots) {
        now = ms;
        SpriteCyclersTick();
        std::string out;
        for (const std::uint16_t slot : slots) out += std::to_string(SpriteCyclerGetFrame(slot));
        return out;
    }
};

TEST_F(SpriteCyclerTest, RatesLoopsAndTheFullTable) {
    for (std::uint16_t slot = 1; slot <= 10; ++slot) ASSERT_EQ(SpriteCyclerAdd(1), slot);
    EXPECT_EQ(SpriteCyclerAdd(1), 0);
    SpriteCyclerRemove(0);
    SpriteCyclerSetRate(1, 10, 0);
    SpriteCyclerSetRate(2, 10, 1);
    SpriteCyclerSetRate(3, 2000, 0);
    // slots 1, 2 (rate 10), 3 (rate 2000), 4 (still)
    EXPECT_EQ(framesAt(0, {1, 2, 3, 4}), "0000");
    EXPECT_EQ(framesAt(1, {1, 2, 3, 4}), "0010");
    EXPECT_EQ(framesAt(1, {1, 2, 3, 4}), "0010") << "the clock did not move";
    EXPECT_EQ(framesAt(100, {1, 2, 3, 4}), "0020");
    EXPECT_EQ(framesAt(101, {1, 2, 3, 4}), "1120");
    EXPECT_EQ(framesAt(202, {1, 2, 3, 4}), "2220");
    EXPECT_EQ(framesAt(303, {1, 2, 3, 4}), "2020");
    EXPECT_EQ(KitClockNow(), 303u);
    for (std::uint16_t slot = 1; slot <= 10; ++slot) SpriteCyclerRemove(slot);
    EXPECT_EQ(MemHandleFind(0, "XPK", nullptr), 0u) << "the bank of the refused add was freed too";
}

TEST_F(SpriteCyclerTest, DrawsVisibleSlotsInSlotOrderInsideTheClip) {
    const std::uint16_t under = SpriteCyclerAdd(1);
    const std::uint16_t over = SpriteCyclerAdd(1);
    const std::uint16_t hidden = SpriteCyclerAdd(1);
    SpriteCyclerSetRate(over, 2000, 0);
    now = 5;
    SpriteCyclersTick();  // over shows shape 1
    SpriteCyclerSetPosition(under, 10, 10);
    SpriteCyclerSetPosition(over, 11, 10);
    SpriteCyclerSetPosition(hidden, 20, 10);
    EXPECT_EQ(SpriteCyclerSetVisible(hidden, 0), 1);
    PortSet(offscreen);
    SpriteCyclersDraw(kScreen);
    std::string row;
    for (const int x : {10, 11, 12, 20}) row += char(pixelAt(offscreen, x, 10));
    EXPECT_EQ(row, std::string("122\0", 4));
}

}  // namespace
