// Rectangles and regions: the canonical empty rectangle in intersections and unions, edges, null regions.
#include <ostream>

#include "DrawingSupport.h"

// Printed by the checks as (left, top, right, bottom).
std::ostream& operator<<(std::ostream& out, const OMRect& r);
std::ostream& operator<<(std::ostream& out, const OMRect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {
constexpr OMRect E = kEmptyRect;

bool hasPixel(const OMRegion& region, int x, int y) { return OMRect{x, y, x + 1, y + 1}.intersectsRegion(region); }

TEST(RectTest, IntersectionUnionContainmentAndOverlap) {
    struct Case { OMRect a, b, both, either; bool inside, overlaps; };
    const Case cases[] = {
        {{0, 0, 10, 10}, {10, 0, 20, 10}, E, {0, 0, 20, 10}, false, false},  // touching at an edge
        {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}, {0, 0, 15, 15}, false, true},
        {{2, 3, 4, 5}, {0, 0, 10, 10}, {2, 3, 4, 5}, {0, 0, 10, 10}, true, true},
        {E, {-5, -5, 5, 5}, E, {-5, -5, 5, 5}, true, true},
        {{-5, -5, 5, 5}, E, E, {-5, -5, 5, 5}, false, true},
        {E, {3, 3, 3, 3}, E, {3, 3, 3, 3}, true, false},
        {{1, 1, 1, 1}, {3, 3, 3, 3}, E, {0, 0, 0, 0}, false, false},
        {{5, 5, 5, 5}, {0, 0, 10, 10}, E, {0, 0, 10, 10}, true, true},  // no area; no emptiness test in overlaps
        {{0, 0, 10, 10}, {8, 8, 3, 3}, E, {0, 0, 10, 10}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " with " << c.b);
        EXPECT_EQ((std::vector{c.a & c.b, c.a | c.b}), (std::vector{c.both, c.either}));
        EXPECT_EQ(std::make_pair(c.a.isInside(c.b), c.a.overlaps(c.b)), std::make_pair(c.inside, c.overlaps));
    }
}

// A null region meets everything; GDI orders the corners of a reversed rectangle, and one without width or
// height holds nothing.
TEST(RegionTest, NullRegionsAndRectanglesAgainstRegions) {
    const OMRegion none;
    const OMRegion square = regionOf({0, 0, 10, 10});
    EXPECT_EQ(none.bounds(), E);
    EXPECT_EQ((std::vector<bool>{none.intersects(none), none.intersects(square), square.intersects(none),
                                 none.isInside(square), square.isInside(none)}),
              (std::vector<bool>{true, true, false, true, false}));
    for (const auto& [r, intersects, inside, insideNone] :
         {std::tuple{OMRect{9, 9, 10, 10}, true, true, false}, {OMRect{10, 10, 11, 11}, false, false, false},
          {OMRect{5, 5, 15, 15}, true, false, false}, {E, false, true, true}}) {
        SCOPED_TRACE(::testing::Message() << r);
        EXPECT_EQ((std::vector<bool>{r.intersectsRegion(square), r.intersectsRegion(none), r.isInsideRegion(square),
                                     r.isInsideRegion(none)}),
                  (std::vector<bool>{intersects, false, inside, insideNone}));
    }
    for (const auto& [r, bounds] : {std::pair{OMRect{9, 9, 2, 2}, OMRect{2, 2, 9, 9}}, {E, OMRect{-1, -1, 0, 0}},
                                    {OMRect{5, 5, 5, 5}, E}, {OMRect{9, 5, 2, 5}, E}}) {
        SCOPED_TRACE(::testing::Message() << "setRect " << r);
        OMRegion region = regionOf({0, 0, 4, 4});
        region.setRect(r);
        EXPECT_EQ(std::make_pair(region.bounds(), region.handle() == nullptr), std::make_pair(bounds, bounds == E));
    }
}

// Empty results leave a null handle; a null operand changes nothing or clears, as the operator says.
TEST(RegionTest, Combinations) {
    const OMRegion a = regionOf({0, 0, 10, 10});
    const OMRegion b = regionOf({5, 0, 15, 10});
    EXPECT_TRUE(a.intersects(b));
    EXPECT_FALSE(a.intersects(regionOf({10, 0, 20, 10}))) << "touching";
    EXPECT_EQ((std::vector{(a | b).bounds(), (a & b).bounds(), (a - b).bounds()}),
              (std::vector<OMRect>{{0, 0, 15, 10}, {5, 0, 10, 10}, {0, 0, 5, 10}}));
    EXPECT_FALSE(hasPixel(a ^ b, 7, 5));
    EXPECT_EQ(a.bounds(), (OMRect{0, 0, 10, 10})) << "the operands are unchanged";
    OMRegion self = a, withNull = a, twice = a, kept = a, united;
    self -= self;
    withNull &= OMRegion();
    twice ^= a;
    for (const OMRegion* r : {&self, &withNull, &twice}) EXPECT_EQ(r->handle(), nullptr);
    {
        const OMRegion source = regionOf({1, 2, 3, 4});
        united |= source;
        EXPECT_NE(united.handle(), source.handle());
    }
    EXPECT_EQ(united.bounds(), (OMRect{1, 2, 3, 4}));
    (kept -= OMRegion()) ^= OMRegion();
    EXPECT_TRUE(kept.sameAs(a));
    OMRegion ell = regionOf({0, 0, 10, 5});
    ell |= regionOf({0, 5, 5, 10});
    EXPECT_TRUE(ell.isInside(a));
    EXPECT_FALSE(a.isInside(ell)) << "same bounding box, larger area";
}
}  // namespace
