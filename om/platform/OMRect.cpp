// Rectangle intersection, union and containment, and the rectangle tests against GDI regions.
#include "OMRect.h"

#include <windows.h>

#include <algorithm>

#include "OMRegion.h"

static_assert(sizeof(OMRect) == sizeof(RECT), "OMRect is handed to Win32 as a RECT");

OMRect& OMRect::set(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
    return *this;
}

bool OMRect::operator==(const OMRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

bool OMRect::overlaps(const OMRect& other) const {
    return other.right > left && other.left < right && other.bottom > top && other.top < bottom;
}

bool OMRect::isInside(const OMRect& other) const { return *this == other || (*this | other) == other; }

bool OMRect::hasNoArea() const { return right <= left || bottom <= top; }

OMRect& OMRect::operator&=(const OMRect& other) {
    if (*this == kEmptyRect) return *this;
    if (other == kEmptyRect || hasNoArea() || other.hasNoArea() || !overlaps(other)) return *this = kEmptyRect;
    return set(std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
               std::min(bottom, other.bottom));
}

OMRect OMRect::operator&(const OMRect& other) const {
    OMRect result = *this;
    return result &= other;
}

OMRect OMRect::operator|(const OMRect& other) const {
    if (*this == kEmptyRect) return other;
    if (other == kEmptyRect) return *this;
    if (hasNoArea()) return other.hasNoArea() ? OMRect{0, 0, 0, 0} : other;
    if (other.hasNoArea()) return *this;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
}

void OMRect::inset(std::int32_t dx, std::int32_t dy) {
    left += dx;
    top += dy;
    right -= dx;
    bottom -= dy;
}

bool OMRect::intersectsRegion(const OMRegion& region) const {
    if (right < left || bottom < top || !region.handle()) return false;
    return RectInRegion(region.handle(), reinterpret_cast<const RECT*>(this)) != 0;
}

bool OMRect::isInsideRegion(const OMRegion& region) const {
    if (*this == kEmptyRect) return true;
    if (!region.handle()) return false;
    OMRegion united;
    united.setRect(*this);
    united |= region;
    return united.sameAs(region);
}
