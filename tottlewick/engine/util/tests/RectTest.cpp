// Rectangles, points, their stored forms, and the random range and shuffles.
#include <algorithm>
#include <cstdlib>

#include "EngineTestSupport.h"
#include "Rand.h"
#include "Rect.h"

namespace {

::testing::AssertionResult rectIs(const Rect& r, int left, int top, int right, int bottom) {
    return ::testing::AssertionResult(r.left == left && r.top == top && r.right == right && r.bottom == bottom)
           << "expected (" << left << ", " << top << ", " << right << ", " << bottom << ") got (" << r.left << ", "
           << r.top << ", " << r.right << ", " << r.bottom << ")";
}

TEST(RectTest, EmptyIsNotTheOppositeOfValidUnionAndIntersect) {
    struct Case { Rect r; int empty, valid, inverted; } cases[] = {
        {{5, 5, 2, 9}, 0, 0, 1}, {{0, 0, 0, 5}, 1, 0, 0}, {{0, 0, 1, 1}, 0, 1, 0}, {{3, 9, 3, 2}, 1, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ((Results{RectIsEmpty(&c.r), RectIsValid(&c.r), RectIsInverted(&c.r)}),
                  (Results{c.empty, c.valid, c.inverted}))
            << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom;
    // An empty side is left out of a union; the destination may be an argument.
    Rect empty{0, 0, 0, 0}, small{1, 2, 3, 4}, flat{0, 0, 0, 5}, square{10, 10, 20, 20}, dst{};
    EXPECT_EQ((Results{RectUnion(&dst, &empty, &small), RectUnion(&flat, &square, &flat),
                       RectUnion(&small, &small, &square)}), (Results{1, 1, 1}));
    EXPECT_TRUE(rectIs(dst, 1, 2, 3, 4));
    EXPECT_TRUE(rectIs(flat, 10, 10, 20, 20));
    EXPECT_TRUE(rectIs(small, 1, 2, 20, 20));
    Rect a{0, 0, 10, 10}, b{10, 0, 20, 10}, c{5, 5, 15, 15};
    EXPECT_EQ((Both{RectIntersect(&dst, &a, &b), RectIntersect(&a, &a, &c)}), Both(0, 1));
    EXPECT_TRUE(rectIs(dst, 10, 0, 10, 10));
    EXPECT_TRUE(rectIs(a, 5, 5, 10, 10));
}

TEST(RectTest, ContainmentExcludesRightAndBottomStoredFormsAndArithmetic) {
    Rect r{0, 0, 10, 10};
    EXPECT_EQ(RectContainsPoint(&r, PointPack(10, 0)) + RectContainsPoint(&r, PointPack(0, 10)), 0);
    EXPECT_EQ((Both{RectContainsPoint(&r, PointPack(9, 0)), RectContainsHV(&r, 9, 9)}), Both(1, 1));
    EXPECT_EQ((Both{RectContainsHV(&r, -1, 0), PointPack(-1, 2)}), Both(0, 0x0002FFFF));
    EXPECT_EQ(PointEqual(PointPack(3, 4), PointPack(4, 3)), 0);
    // Stored forms are big-endian, v before h.
    const StoredPoint point{{0x01, 0x02}, {0xFF, 0xFE}};
    Point p{};
    PointFromStored(&p, &point);
    EXPECT_EQ((Both{p.h, p.v}), Both(-2, 0x0102));
    const StoredRect stored{{{0x00, 0x0A}, {0x00, 0x14}}, {{0x01, 0x00}, {0x02, 0x00}}};
    RectFromStored(&r, &stored);
    EXPECT_TRUE(rectIs(r, 20, 10, 512, 256));
    RectFromPoints(PointPack(7, -2), PointPack(3, 5), &r);
    EXPECT_TRUE(rectIs(r, 3, -2, 8, 6));
    RectSetBySize(&r, 10, 20, 30, 40);
    RectOffset(&r, -10, 5);
    EXPECT_EQ(RectInset(&r, 5, 5), 1);
    EXPECT_TRUE(rectIs(r, 5, 30, 25, 60));
    EXPECT_EQ(RectInset(&r, 10, 0), 0) << "width 0 is no longer valid";
    RectTopLeft(&r, &p);
    EXPECT_EQ(PointPack(p.h, p.v), PointPack(15, 30));
}

TEST(RectTest, AlignByFlagBitsAndCenterIn) {
    const Rect bounds{0, 0, 101, 51};
    struct Case { std::uint16_t flags; Rect expected; } cases[] = {
        {0, {0, 0, 10, 20}},        {1, {45, 0, 55, 20}},       {2, {91, 0, 101, 20}},
        {3, {0, 0, 101, 20}},       {4, {0, 15, 10, 35}},       {8, {0, 31, 10, 51}},
        {12, {0, 0, 10, 51}},       {15, {0, 0, 101, 51}},      {10, {91, 31, 101, 51}},
    };
    for (const Case& c : cases) {
        Rect r{200, 300, 210, 320};
        RectAlign(&bounds, &r, c.flags);
        EXPECT_TRUE(rectIs(r, c.expected.left, c.expected.top, c.expected.right, c.expected.bottom)) << c.flags;
    }
    // RectCenterIn differs from centring alignment where truncation does.
    const Rect straddling{-3, -3, 2, 2};
    Rect centred{0, 0, 4, 4}, aligned{0, 0, 4, 4};
    EXPECT_EQ(RectCenterIn(&centred, &straddling), 2);
    RectAlign(&straddling, &aligned, kAlignCenterH | kAlignCenterV);
    EXPECT_TRUE(rectIs(centred, -2, -2, 2, 2));   // (2 - 3 - 4) / 2 = -5 / 2 = -2
    EXPECT_TRUE(rectIs(aligned, -3, -3, 1, 1));   // -3 + (5 - 4) / 2 = -3
}

TEST(RandTest, RangeBoundsAndShuffles) {
    std::srand(7);
    for (int i = 0; i < 200; ++i) {
        const std::int16_t value = RandRange(-5, 5);
        EXPECT_EQ((Results{RandRange(3, 3), RandRange(0, 1), value >= -5 && value < 5}), (Results{3, 0, 1})) << value;
    }
    // A shuffle keeps the values; a round of RandShuffleNext hands out each once, then reshuffles.
    const std::vector<std::int16_t> sorted{1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<std::int16_t> values = sorted, seen;
    RandShuffle(values.data(), 8);
    RandShuffle(nullptr, 5);
    std::int16_t index = 0;
    seen.push_back(values[0]);
    for (int i = 1; i < 8; ++i) seen.push_back(RandShuffleNext(values.data(), 8, &index));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, sorted);
    RandShuffleNext(values.data(), 8, &index);
    EXPECT_EQ(index, 0);
}

}  // namespace
