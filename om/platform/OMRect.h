// The plain rectangle record (the memory form of a Win32 RECT) and its set rules.
#pragma once

#include <cstdint>

class OMRegion;

// left/top are the first column/row inside, right/bottom the first outside. Rectangles are never
// normalised. The canonical empty rectangle is kEmptyRect (0, 0, -1, -1); the operations below test
// emptiness against exactly that value.
struct OMRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    OMRect& set(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);
    bool operator==(const OMRect& other) const;
    // True when the two share area by the coordinates alone (no emptiness test).
    bool overlaps(const OMRect& other) const;
    // True when this equals other or adds nothing to it in a union.
    bool isInside(const OMRect& other) const;
    OMRect& operator&=(const OMRect& other);
    OMRect operator&(const OMRect& other) const;
    OMRect operator|(const OMRect& other) const;
    // Moves every edge inward by dx, dy (negative values grow the rectangle).
    void inset(std::int32_t dx, std::int32_t dy);
    bool intersectsRegion(const OMRegion& region) const;
    bool isInsideRegion(const OMRegion& region) const;
    // True when right <= left or bottom <= top (the Win32 rule of "no area").
    bool hasNoArea() const;
};

inline constexpr OMRect kEmptyRect = {0, 0, -1, -1};
