// The kit's pointer sprite.
#include "PointerSprite.h"

#include "KitMouse.h"

PointerSprite::PointerSprite(std::uint16_t xpkId, std::uint16_t shapeIndex, std::uint32_t animId)
    : index_(shapeIndex), position_(KitMouseLocation()) {
    if (xpkId) bank_ = ShapeBankLoad(xpkId);
    if (animId) anim_.Load(animId, 0);
    AnimSetPosition(&anim_.Record(), position_.h, position_.v);
    anim_.SetMode(AnimClip::loop);
}

PointerSprite::~PointerSprite() {
    ShapeBankFree(&bank_);
}

void PointerSprite::MoveTo(Point point) {
    if (!visible_ || (point.h == position_.h && point.v == position_.v)) return;
    Invalidate();
    position_ = point;
    AnimSetPosition(&anim_.Record(), point.h, point.v);
    Invalidate();
}

void PointerSprite::Draw(const Rect* clip) {
    if (!visible_) return;
    if (bank_ && !animMode_) ShapeDraw(nullptr, bank_, index_, position_.h, position_.v, 0);
    else anim_.Draw(clip);
}

void PointerSprite::Tick() {
    if (animMode_) anim_.Tick();
}

void PointerSprite::SetVisible(std::uint16_t on) {
    visible_ = on;
    if (on) {
        const Point mouse = KitMouseLocation();
        position_ = Point{static_cast<std::int16_t>(mouse.h + offset_.h), static_cast<std::int16_t>(mouse.v + offset_.v)};
    }
    Invalidate();
}

void PointerSprite::SetAnim(std::uint32_t animId) {
    anim_.Load(animId, 0);
    AnimSetPosition(&anim_.Record(), position_.h, position_.v);
    anim_.SetMode(AnimClip::loop);
    animMode_ = 1;
}

void PointerSprite::SetAnimMode(std::uint16_t value) {
    if (value == 0) {
        animMode_ = 1;
        anim_.Play(0);
        AnimSetPosition(&anim_.Record(), position_.h, position_.v);
    } else {
        animMode_ = 0;
        anim_.SetPaused(static_cast<std::int16_t>(value));
    }
}

ShapeBank PointerSprite::SetShape(ShapeBank bank, std::uint16_t index) {
    Invalidate();
    const ShapeBank old = bank_;
    bank_ = bank;
    index_ = index;
    Invalidate();
    return old;
}

Point PointerSprite::SetOffset(Point offset) {
    Invalidate();
    const Point old = offset_;
    offset_ = offset;
    position_.h = static_cast<std::int16_t>(position_.h + offset.h);
    position_.v = static_cast<std::int16_t>(position_.v + offset.v);
    Invalidate();
    return old;
}

void PointerSprite::Invalidate() {
    if (animMode_) AnimInvalidate(&anim_.Record());
    else if (bank_) ShapeInvalidate(bank_, index_, position_.h, position_.v, 0);
}
