// Region set operations over GDI, with the null handle standing for the empty region.
#include "OMRegion.h"

OMRegion::OMRegion(const OMRegion& other) { *this = other; }

OMRegion::~OMRegion() { clear(); }

OMRegion& OMRegion::operator=(const OMRegion& other) {
    if (&other == this) return *this;
    if (!other.region_) {
        clear();
        return *this;
    }
    if (!region_) region_ = CreateRectRgn(0, 0, 0, 0);
    if (region_) CombineRgn(region_, other.region_, nullptr, RGN_COPY);
    return *this;
}

void OMRegion::setRect(const OMRect& rect) {
    set(rect.left, rect.top, rect.right, rect.bottom, 0);
}

void OMRegion::set(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                   std::int32_t elliptic) {
    if (elliptic) {
        clear();
        region_ = CreateEllipticRgn(left, top, right, bottom);
        return;
    }
    // GDI orders the corners of a reversed rectangle; one without width or height is the empty region.
    if (right == left || bottom == top) return clear();
    if (region_) {
        SetRectRgn(region_, left, top, right, bottom);
    } else {
        region_ = CreateRectRgn(left, top, right, bottom);
    }
}

HRGN OMRegion::setEllipse(POINT centre, std::int32_t width, std::int32_t height) {
    const std::int32_t left = centre.x - width / 2;
    const std::int32_t top = centre.y - height / 2;
    set(left, top, left + width, top + height, 1);
    return region_;
}

void OMRegion::setPolygon(const POINT* points, std::int32_t count) {
    clear();
    if (!points || count < 3) return;
    region_ = CreatePolygonRgn(points, count, ALTERNATE);
}

void OMRegion::clear() {
    if (region_) DeleteObject(region_);
    region_ = nullptr;
}

OMRect OMRegion::bounds() const {
    OMRect rect = kEmptyRect;
    getBounds(rect);
    return rect;
}

void OMRegion::getBounds(OMRect& rect) const {
    rect = kEmptyRect;
    if (region_) GetRgnBox(region_, reinterpret_cast<RECT*>(&rect));
}

// The one place where a null region is not the empty region: it meets everything, itself included.
bool OMRegion::intersects(const OMRegion& other) const {
    if (!region_ || region_ == other.region_) return true;
    if (!other.region_) return false;
    OMRegion common(*this);
    common &= other;
    return common.region_ != nullptr;
}

bool OMRegion::isInside(const OMRegion& other) const {
    if (!region_) return true;
    if (!bounds().isInside(other.bounds())) return false;
    OMRegion united(*this);
    united |= other;
    return united.sameAs(other);
}

bool OMRegion::sameAs(const OMRegion& other) const {
    if (region_ == other.region_) return true;
    return region_ && other.region_ && EqualRgn(region_, other.region_);
}

void OMRegion::combine(const OMRegion& other, int mode) {
    const int result = CombineRgn(region_, region_, other.region_, mode);
    if (result == NULLREGION || result == ERROR) clear();
}

OMRegion& OMRegion::operator-=(const OMRegion& other) {
    if (region_ && other.region_) combine(other, RGN_DIFF);
    return *this;
}

OMRegion& OMRegion::operator&=(const OMRegion& other) {
    if (!region_) return *this;
    if (!other.region_) {
        clear();
    } else {
        combine(other, RGN_AND);
    }
    return *this;
}

OMRegion& OMRegion::operator^=(const OMRegion& other) {
    if (!region_) return *this = other;
    if (other.region_) combine(other, RGN_XOR);
    return *this;
}

OMRegion& OMRegion::operator|=(const OMRegion& other) {
    if (!region_) return *this = other;
    if (other.region_) CombineRgn(region_, region_, other.region_, RGN_OR);
    return *this;
}

OMRegion OMRegion::operator|(const OMRegion& other) const {
    OMRegion result(*this);
    return result |= other;
}

OMRegion OMRegion::operator-(const OMRegion& other) const {
    OMRegion result(*this);
    return result -= other;
}

OMRegion OMRegion::operator&(const OMRegion& other) const {
    OMRegion result(*this);
    return result &= other;
}

OMRegion OMRegion::operator^(const OMRegion& other) const {
    OMRegion result(*this);
    return result ^= other;
}
