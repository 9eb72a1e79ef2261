// Dragging sprites with the mouse, and picking the sprite to drag: at a point, in a rectangle, or under
// another shape, always the topmost whose own pixels are there (a skipped pixel lets the press through).
#include "Sprite.h"
#include "SpriteDragRange.h"
#include "SpriteRecord.h"

namespace {

Point unpack(std::uint32_t point) { return {std::int16_t(point & 0xFFFF), std::int16_t(point >> 16)}; }

// The first sprite from the head that `picks` accepts starts a drag grabbed at `grab`; nothing while a
// sprite is dragged.
template <class Picks>
std::int16_t pickFirst(std::uint32_t grab, Picks picks) {
    SpriteState& state = spriteState();
    if (state.dragged) return 0;
    for (SpriteHandle s = state.head; s; s = spriteNext(s)) {
        bool picked = false;
        if (SpriteAccess access{s}) picked = picks(*access);
        if (picked) return SpriteDragBegin(s, grab);
    }
    return 0;
}

}  // namespace

void SpriteSetDragLimits(const Rect* rect) {
    if (rect) spriteState().limits = *rect;
}

std::uint16_t SpriteSetDragMode(std::uint16_t mode) { return spriteState().dragMode = mode; }
std::uint16_t SpriteGetDragMode() { return spriteState().dragMode; }

std::int16_t SpriteDragBegin(SpriteHandle sprite, std::uint32_t point) {
    SpriteAccess access(sprite);
    if (!access) return 0;
    SpriteState& state = spriteState();
    state.dragged = sprite;
    state.range = spriteDragRange(state.limits, access->frame, unpack(point));
    state.dragPoint = point;
    return 1;
}

std::int16_t SpriteDragBeginHead(std::uint32_t point) { return SpriteDragBegin(spriteState().head, point); }

std::int16_t SpriteDragBeginById(std::int16_t id, std::uint32_t point) {
    return SpriteDragBegin(SpriteFind(id), point);
}

std::int16_t SpritePickAtPoint(std::uint32_t point) {
    SpriteState& state = spriteState();
    if (state.dragged && state.dragMode == 0) {
        SpriteDragEnd();
        return 2;
    }
    const Point p = unpack(point);
    return pickFirst(point, [&](const SpriteRecord& s) {
        return !s.hidden && RectContainsHV(&s.frame, p.h, p.v) &&
               ShapeHitTest(p.h, p.v, s.bank, s.index, s.position.h, s.position.v, 0);
    });
}

std::int16_t SpritePickInRect(const Rect* rect) {
    if (!rect) return 0;
    return pickFirst(PointPack(rect->left, rect->top), [&](const SpriteRecord& s) {
        Rect cut{};
        return !s.hidden && RectIntersect(&cut, &s.frame, rect) &&
               ShapeHitRect(&cut, s.bank, s.index, s.position.h, s.position.v, 0);
    });
}

std::int16_t SpritePickByShape(ShapeBank bank, std::uint16_t index, std::uint32_t position) {
    const Point p = unpack(position);
    Rect frame{};
    ShapeGetFrameRect(&frame, bank, index, p.h, p.v, 0);
    return pickFirst(position, [&](const SpriteRecord& s) {
        Rect cut{};
        return RectIntersect(&cut, &s.frame, &frame) &&
               ShapesOverlap(s.bank, s.index, s.position.h, s.position.v, 0, bank, index, p.h, p.v, 0);
    });
}

std::int16_t SpriteDragMove(std::uint32_t point) {
    SpriteState& state = spriteState();
    SpriteAccess access(state.dragged);
    if (!access) return 0;
    const Point to = spriteDragClamp(state.range, unpack(point));
    const Point from = unpack(state.dragPoint);
    if (to.h == from.h && to.v == from.v) return 0;
    state.dragPoint = PointPack(to.h, to.v);
    spriteMarkDirty(*access);
    access->position.h = std::int16_t(access->position.h + to.h - from.h);
    access->position.v = std::int16_t(access->position.v + to.v - from.v);
    spritePlaceFrame(*access);
    spriteMarkDirty(*access);
    return access->id;
}

std::int16_t SpriteDragDrop(std::uint32_t point) {
    if (!spriteState().dragged || spriteState().dragMode == 0) return 0;
    SpriteDragMove(point);
    SpriteDragEnd();
    return 1;
}

std::int16_t SpriteDragDropHere() { return SpriteDragDrop(spriteState().dragPoint); }

std::int16_t SpriteDragEnd() {
    SpriteState& state = spriteState();
    const bool had = state.dragged != 0;
    state.dragged = 0;
    return had ? 1 : 0;
}
