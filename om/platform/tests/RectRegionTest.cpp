// Rectangles and regions: the canonical empty rectangle in intersections and unions, edges, null regions.
#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>

#include "OMRect.h"
#include "OMRegion.h"

// Printed by the checks as (left, top, right, bottom).
std::ostream& operator<<(std::ostream& out, const OMRect& r);
std::ostream& operator<<(std::ostream& out, const OMRect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

constexpr OMRect E = kEmptyRect;

OMRegion rectRegion(OMRect r) {
    OMRegion region;
    region.setRect(r);
    return region;
}

// True when the pixel (x, y) belongs to the region.
bool hasPixel(const OMRegion& region, int x, int y) { return OMRect{x, y, x + 1, y + 1}.intersectsRegion(region); }

TEST(RectTest, CanonicalEmptyAndSet) {
    EXPECT_EQ(E, (OMRect{0, 0, -1, -1}));
    OMRect r{};
    EXPECT_EQ(&r.set(1, 2, 3, 4), &r);
    EXPECT_EQ(r, (OMRect{1, 2, 3, 4}));
    r.inset(1, -2);
    EXPECT_EQ(r, (OMRect{2, 0, 2, 6}));
    r.set(5, 1, 0, 0);  // never normalised
    EXPECT_EQ(r, (OMRect{5, 1, 0, 0}));
}

TEST(RectTest, Intersection) {
    struct Case {
        OMRect a, b, expected;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {10, 0, 20, 10}, E},       // touching at an edge
        {{0, 0, 10, 10}, {0, 10, 10, 20}, E},
        {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}},
        {{0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
        {{0, 0, 10, 10}, {20, 20, 30, 30}, E},
        {E, {-5, -5, 5, 5}, E},                     // the empty rectangle stays
        {{-5, -5, 5, 5}, E, E},
        {{5, 5, 5, 5}, {0, 0, 10, 10}, E},          // no area: empty, never (0, 0, 0, 0)
        {{0, 0, 10, 10}, {8, 8, 3, 3}, E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " & " << c.b);
        EXPECT_EQ(c.a & c.b, c.expected);
        OMRect inPlace = c.a;
        inPlace &= c.b;
        EXPECT_EQ(inPlace, c.expected);
    }
}

TEST(RectTest, Union) {
    struct Case {
        OMRect a, b, expected;
    };
    const Case cases[] = {
        {E, {3, 3, 3, 3}, {3, 3, 3, 3}},
        {{1, 1, 1, 1}, {3, 3, 3, 3}, {0, 0, 0, 0}},
        {E, {8, 9, 1, 2}, {8, 9, 1, 2}},
        {{5, 5, 5, 5}, E, {5, 5, 5, 5}},
        {{0, 0, 10, 10}, E, {0, 0, 10, 10}},
        {{0, 0, 10, 10}, {5, 5, 5, 5}, {0, 0, 10, 10}},
        {{5, 5, 5, 5}, {0, 0, 10, 10}, {0, 0, 10, 10}},
        {{0, 0, 10, 10}, {20, -5, 25, 5}, {0, -5, 25, 10}},
        {E, E, E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " | " << c.b);
        EXPECT_EQ(c.a | c.b, c.expected);
    }
}

TEST(RectTest, ContainmentAndOverlap) {
    struct Case {
        OMRect a, b;
        bool inside, overlaps;
    };
    const Case cases[] = {
        {E, {0, 0, 10, 10}, true, false},
        {{0, 0, 10, 10}, E, false, false},
        {{2, 2, 5, 5}, {0, 0, 10, 10}, true, true},
        {{0, 0, 10, 10}, {2, 2, 5, 5}, false, true},
        {{0, 0, 10, 10}, {0, 0, 10, 10}, true, true},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, false, false},
        {{5, 5, 5, 5}, {0, 0, 10, 10}, true, true},  // no emptiness test in overlaps
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.a << " in " << c.b);
        EXPECT_EQ(c.a.isInside(c.b), c.inside);
        EXPECT_EQ(c.a.overlaps(c.b), c.overlaps);
    }
}

TEST(RegionTest, NullRegionIsTheEmptyRegion) {
    OMRegion none;
    EXPECT_EQ(none.handle(), nullptr);
    EXPECT_EQ(none.bounds(), E);
    OMRect filled{1, 2, 3, 4};
    none.getBounds(filled);
    EXPECT_EQ(filled, E);
    EXPECT_FALSE((OMRect{0, 0, 10, 10}).intersectsRegion(none));
    EXPECT_TRUE(E.isInsideRegion(none));
    EXPECT_FALSE((OMRect{1, 1, 2, 2}).isInsideRegion(none));
    OMRegion other = rectRegion({0, 0, 10, 10});
    EXPECT_TRUE(none.intersects(none)) << "a null region meets everything";
    EXPECT_TRUE(none.intersects(other));
    EXPECT_FALSE(other.intersects(none));
    EXPECT_TRUE(none.isInside(other));
    EXPECT_FALSE(other.isInside(none));
    // GDI orders the corners of a reversed rectangle; one without width or height holds nothing.
    const std::pair<OMRect, OMRect> rects[] = {
        {{9, 9, 2, 2}, {2, 2, 9, 9}}, {E, {-1, -1, 0, 0}}, {{5, 5, 5, 5}, E}, {{9, 5, 2, 5}, E}};
    for (const auto& [r, bounds] : rects) {
        SCOPED_TRACE(::testing::Message() << "setRect " << r);
        OMRegion region = rectRegion({0, 0, 4, 4});
        region.setRect(r);
        EXPECT_EQ(region.bounds(), bounds);
        EXPECT_EQ(region.handle() == nullptr, bounds == E);
    }
}

TEST(RegionTest, RectanglesAgainstRegions) {
    const OMRegion square = rectRegion({0, 0, 10, 10});
    EXPECT_EQ(square.bounds(), (OMRect{0, 0, 10, 10}));
    struct Case {
        OMRect r;
        bool intersects, inside;
    };
    const Case cases[] = {
        {{9, 9, 10, 10}, true, true},     // last pixel inside
        {{10, 10, 11, 11}, false, false}, // right and bottom edges are outside
        {{0, 0, 1, 1}, true, true},
        {{-1, -1, 0, 0}, false, false},
        {{5, 5, 15, 15}, true, false},
        {{0, 0, 10, 10}, true, true},
        {E, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.r);
        EXPECT_EQ(c.r.intersectsRegion(square), c.intersects);
        EXPECT_EQ(c.r.isInsideRegion(square), c.inside);
    }
}

TEST(RegionTest, Combinations) {
    const OMRegion a = rectRegion({0, 0, 10, 10});
    const OMRegion b = rectRegion({5, 0, 15, 10});
    EXPECT_TRUE(a.intersects(b));
    EXPECT_FALSE(a.intersects(rectRegion({20, 20, 30, 30})));
    EXPECT_FALSE(a.intersects(rectRegion({10, 0, 20, 10})));  // touching
    EXPECT_EQ((a | b).bounds(), (OMRect{0, 0, 15, 10}));
    EXPECT_EQ((a & b).bounds(), (OMRect{5, 0, 10, 10}));
    EXPECT_EQ((a - b).bounds(), (OMRect{0, 0, 5, 10}));
    const OMRegion x = a ^ b;
    EXPECT_TRUE(hasPixel(x, 0, 0));
    EXPECT_FALSE(hasPixel(x, 7, 5));
    EXPECT_EQ(a.bounds(), (OMRect{0, 0, 10, 10}));  // the operands are unchanged

    // Results that are empty leave a null handle.
    OMRegion self = a;
    self -= self;
    OMRegion withNull = a;
    withNull &= OMRegion();
    OMRegion twice = a;
    twice ^= a;
    for (const OMRegion* r : {&self, &withNull, &twice}) EXPECT_EQ(r->handle(), nullptr);

    OMRegion united;
    {
        OMRegion source = rectRegion({1, 2, 3, 4});
        united |= source;
        EXPECT_NE(united.handle(), source.handle());
    }
    EXPECT_EQ(united.bounds(), (OMRect{1, 2, 3, 4}));
    OMRegion kept = a;
    kept -= OMRegion();
    kept ^= OMRegion();
    EXPECT_TRUE(kept.sameAs(a));
    kept = OMRegion();
    EXPECT_EQ(kept.handle(), nullptr);

    OMRegion ell = rectRegion({0, 0, 10, 5});
    ell |= rectRegion({0, 5, 5, 10});
    EXPECT_TRUE(ell.isInside(a));
    EXPECT_FALSE(a.isInside(ell));  // same bounding box, larger area
}

TEST(RegionTest, EllipsesAndPolygons) {
    struct Case {
        int width, height;
        OMRect box;
    };
    const Case cases[] = {{5, 7, {8, 7, 13, 14}}, {-5, 7, {12, 7, 7, 14}}, {4, 4, {8, 8, 12, 12}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        OMRegion region;
        HRGN made = region.setEllipse(POINT{10, 10}, c.width, c.height);
        EXPECT_EQ(made, region.handle());
        HRGN expected = CreateEllipticRgn(c.box.left, c.box.top, c.box.right, c.box.bottom);
        EXPECT_TRUE(EqualRgn(made, expected));
        DeleteObject(expected);
    }
    OMRegion flagged;
    flagged.set(0, 0, 10, 10, 1);
    EXPECT_FALSE(hasPixel(flagged, 0, 0));
    EXPECT_TRUE(hasPixel(flagged, 5, 5));
    flagged.set(0, 0, 10, 10, 0);
    EXPECT_TRUE(hasPixel(flagged, 0, 0));

    const POINT triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    OMRegion polygon;
    polygon.setPolygon(triangle, 3);
    EXPECT_TRUE(hasPixel(polygon, 2, 2));
    EXPECT_FALSE(hasPixel(polygon, 18, 18));
    polygon.setPolygon(triangle, 2);
    EXPECT_EQ(polygon.handle(), nullptr);
}

}  // namespace
