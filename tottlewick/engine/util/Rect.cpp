// Rectangle and point arithmetic; all coordinates are signed 16-bit and wrap as 16-bit values.
#include "Rect.h"

#include <algorithm>

namespace {

std::int16_t s16(int value) { return static_cast<std::int16_t>(value); }

std::int16_t bigEndian(const std::uint8_t bytes[2]) { return s16((bytes[0] << 8) | bytes[1]); }

std::int16_t packedH(std::uint32_t point) { return s16(point & 0xFFFF); }
std::int16_t packedV(std::uint32_t point) { return s16(point >> 16); }

// Places [low, high) of length `length` on one axis of the bounds by two placement bits.
void alignAxis(std::int16_t boundsLow, std::int16_t boundsHigh, std::int16_t& low, std::int16_t& high,
               bool first, bool second) {
    int length = high - low;
    if (first && second) {
        low = boundsLow;
        high = boundsHigh;
    } else if (first) {
        low = s16(boundsLow + (boundsHigh - boundsLow - length) / 2);
        high = s16(low + length);
    } else if (second) {
        high = boundsHigh;
        low = s16(high - length);
    } else {
        low = boundsLow;
        high = s16(low + length);
    }
}

}  // namespace

void PointSet(Point* p, std::int16_t h, std::int16_t v) { *p = {h, v}; }

std::uint32_t PointPack(std::int16_t h, std::int16_t v) {
    return static_cast<std::uint16_t>(h) | (std::uint32_t{static_cast<std::uint16_t>(v)} << 16);
}

std::int16_t PointEqual(std::uint32_t a, std::uint32_t b) { return a == b ? 1 : 0; }

void PointFromStored(Point* out, const StoredPoint* in) { *out = {bigEndian(in->h), bigEndian(in->v)}; }

void RectSet(Rect* r, std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom) {
    *r = {left, top, right, bottom};
}

void RectSetBySize(Rect* r, std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height) {
    *r = {left, top, s16(left + width), s16(top + height)};
}

Rect* RectSetEmpty(Rect* r) {
    *r = {0, 0, 0, 0};
    return r;
}

void RectFromStored(Rect* out, const StoredRect* in) {
    Point topLeft, bottomRight;
    PointFromStored(&topLeft, &in->topLeft);
    PointFromStored(&bottomRight, &in->bottomRight);
    *out = {topLeft.h, topLeft.v, bottomRight.h, bottomRight.v};
}

void RectFromPoints(std::uint32_t p1, std::uint32_t p2, Rect* out) {
    std::int16_t h1 = packedH(p1), h2 = packedH(p2), v1 = packedV(p1), v2 = packedV(p2);
    *out = {std::min(h1, h2), std::min(v1, v2), s16(std::max(h1, h2) + 1), s16(std::max(v1, v2) + 1)};
}

std::int16_t RectWidth(const Rect* r) { return s16(r->right - r->left); }
std::int16_t RectHeight(const Rect* r) { return s16(r->bottom - r->top); }

void RectTopLeft(const Rect* r, Point* out) { *out = {r->left, r->top}; }

void RectCollapseLeft(Rect* r) { r->left = r->right; }

std::int16_t RectIsEmpty(const Rect* r) { return r->left == r->right || r->top == r->bottom ? 1 : 0; }
std::int16_t RectIsValid(const Rect* r) { return r->left < r->right && r->top < r->bottom ? 1 : 0; }
std::int16_t RectIsInverted(const Rect* r) { return r->left > r->right || r->top > r->bottom ? 1 : 0; }

std::int16_t RectEqual(const Rect* a, const Rect* b) {
    return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom ? 1 : 0;
}

std::int16_t RectContainsPoint(const Rect* r, std::uint32_t point) {
    return RectContainsHV(r, packedH(point), packedV(point));
}

std::int16_t RectContainsHV(const Rect* r, std::int16_t h, std::int16_t v) {
    return r->left <= h && h < r->right && r->top <= v && v < r->bottom ? 1 : 0;
}

void RectOffset(Rect* r, std::int16_t dh, std::int16_t dv) {
    *r = {s16(r->left + dh), s16(r->top + dv), s16(r->right + dh), s16(r->bottom + dv)};
}

std::int16_t RectInset(Rect* r, std::int16_t dh, std::int16_t dv) {
    *r = {s16(r->left + dh), s16(r->top + dv), s16(r->right - dh), s16(r->bottom - dv)};
    return RectIsValid(r);
}

std::int16_t RectIntersect(Rect* dst, const Rect* a, const Rect* b) {
    *dst = {std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
            std::min(a->bottom, b->bottom)};
    return RectIsValid(dst);
}

std::int16_t RectUnion(Rect* dst, const Rect* a, const Rect* b) {
    if (RectIsEmpty(a)) {
        *dst = *b;
    } else if (RectIsEmpty(b)) {
        *dst = *a;
    } else {
        *dst = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    }
    return RectIsValid(dst);
}

void RectAlign(const Rect* bounds, Rect* r, std::uint16_t flags) {
    alignAxis(bounds->left, bounds->right, r->left, r->right, flags & kAlignCenterH, flags & kAlignRight);
    alignAxis(bounds->top, bounds->bottom, r->top, r->bottom, flags & kAlignCenterV, flags & kAlignBottom);
}

std::int16_t RectCenterIn(Rect* r, const Rect* bounds) {
    int width = r->right - r->left;
    int height = r->bottom - r->top;
    r->left = s16((bounds->right + bounds->left - width) / 2);
    r->right = s16(r->left + width);
    r->top = s16((bounds->bottom + bounds->top - height) / 2);
    r->bottom = s16(r->top + height);
    return r->bottom;
}
