// Rectangles with exclusive right and bottom edges, points, and their stored big-endian forms.
#pragma once

#include <cstdint>

struct Point {
    std::int16_t h;
    std::int16_t v;
};

struct Rect {
    std::int16_t left;
    std::int16_t top;
    std::int16_t right;
    std::int16_t bottom;
};

// Stored form of a point: two big-endian 16-bit values, v then h. A rectangle is two of them,
// top-left then bottom-right:
//
//   offset 0    2    4      6
//          +----+----+------+-------+
//          | top|left|bottom| right |   each big-endian
//          +----+----+------+-------+
struct StoredPoint {
    std::uint8_t v[2];
    std::uint8_t h[2];
};
struct StoredRect {
    StoredPoint topLeft;
    StoredPoint bottomRight;
};

// Bits of RectAlign's flags: horizontal placement in bits 0-1, vertical in bits 2-3.
constexpr std::uint16_t kAlignCenterH = 1;
constexpr std::uint16_t kAlignRight = 2;
constexpr std::uint16_t kAlignCenterV = 4;
constexpr std::uint16_t kAlignBottom = 8;

void PointSet(Point* p, std::int16_t h, std::int16_t v);
std::uint32_t PointPack(std::int16_t h, std::int16_t v);
std::int16_t PointEqual(std::uint32_t a, std::uint32_t b);
void PointFromStored(Point* out, const StoredPoint* in);

void RectSet(Rect* r, std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
void RectSetBySize(Rect* r, std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height);
Rect* RectSetEmpty(Rect* r);
void RectFromStored(Rect* out, const StoredRect* in);
void RectFromPoints(std::uint32_t p1, std::uint32_t p2, Rect* out);
std::int16_t RectWidth(const Rect* r);
std::int16_t RectHeight(const Rect* r);
void RectTopLeft(const Rect* r, Point* out);
void RectCollapseLeft(Rect* r);
std::int16_t RectIsEmpty(const Rect* r);
std::int16_t RectIsValid(const Rect* r);
std::int16_t RectIsInverted(const Rect* r);
std::int16_t RectEqual(const Rect* a, const Rect* b);
std::int16_t RectContainsPoint(const Rect* r, std::uint32_t point);
std::int16_t RectContainsHV(const Rect* r, std::int16_t h, std::int16_t v);
void RectOffset(Rect* r, std::int16_t dh, std::int16_t dv);
std::int16_t RectInset(Rect* r, std::int16_t dh, std::int16_t dv);
std::int16_t RectIntersect(Rect* dst, const Rect* a, const Rect* b);
std::int16_t RectUnion(Rect* dst, const Rect* a, const Rect* b);
void RectAlign(const Rect* bounds, Rect* r, std::uint16_t flags);
std::int16_t RectCenterIn(Rect* r, const Rect* bounds);
