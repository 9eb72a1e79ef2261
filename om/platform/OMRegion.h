// An owning wrapper around one GDI region handle; a null handle is the empty region.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OMRect.h"

// Every operation that finds its result empty deletes the handle, so null and empty mean the same
// (except in `intersects`).
class OMRegion {
public:
    OMRegion() = default;
    OMRegion(const OMRegion& other);
    OMRegion& operator=(const OMRegion& other);
    ~OMRegion();

    HRGN handle() const { return region_; }

    // A reversed rectangle gives the region of its ordered corners; one without width or height is empty.
    void setRect(const OMRect& rect);
    void set(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t elliptic);
    // The ellipse of width x height around centre (halves truncated toward zero).
    HRGN setEllipse(POINT centre, std::int32_t width, std::int32_t height);
    // A polygon with the alternate fill mode; fewer than three points give the empty region.
    void setPolygon(const POINT* points, std::int32_t count);
    void clear();

    OMRect bounds() const;
    void getBounds(OMRect& rect) const;
    // True when this region is null, whatever other holds; else false when other is null.
    bool intersects(const OMRegion& other) const;
    bool isInside(const OMRegion& other) const;
    // Same handle, or both non-null and equal.
    bool sameAs(const OMRegion& other) const;

    OMRegion& operator-=(const OMRegion& other);
    OMRegion& operator&=(const OMRegion& other);
    OMRegion& operator^=(const OMRegion& other);
    OMRegion& operator|=(const OMRegion& other);
    OMRegion operator|(const OMRegion& other) const;
    OMRegion operator-(const OMRegion& other) const;
    OMRegion operator&(const OMRegion& other) const;
    OMRegion operator^(const OMRegion& other) const;

private:
    // Combines other into this region; an empty or failed result clears it.
    void combine(const OMRegion& other, int mode);
    HRGN region_ = nullptr;
};
