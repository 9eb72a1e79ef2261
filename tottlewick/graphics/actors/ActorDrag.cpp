// Dragging an actor: the procedures ActorAddDraggable installs keep the actor's bounds inside the drag
// limits by clamping the mouse point into a box worked out at the press.
#include "ActorTable.h"

namespace {

void dragPress(Actor* entry, std::uint32_t point) {
    ActorTable& t = actorTable();
    Rect r{};
    ActorGetBounds(&r, entry->desc.id);
    const std::int16_t x = pointX(point), y = pointY(point);
    t.dragLast = point;
    t.dragBox = Rect{static_cast<std::int16_t>(t.dragLimits.left + x - r.left),
                     static_cast<std::int16_t>(t.dragLimits.top + y - r.top),
                     static_cast<std::int16_t>(t.dragLimits.right + x - r.right),
                     static_cast<std::int16_t>(t.dragLimits.bottom + y - r.bottom)};
    t.dragging = true;
}

std::int16_t clampInto(std::int16_t v, std::int16_t low, std::int16_t high) {
    if (v < low) return low;
    return v >= high ? high : v;
}

void dragTick(Actor* entry, std::uint32_t point) {
    ActorTable& t = actorTable();
    if (!t.dragging || actorPressed() != entry) return;
    const std::int16_t x = clampInto(pointX(point), t.dragBox.left, t.dragBox.right);
    const std::int16_t y = clampInto(pointY(point), t.dragBox.top, t.dragBox.bottom);
    const auto dx = static_cast<std::int16_t>(x - pointX(t.dragLast));
    const auto dy = static_cast<std::int16_t>(y - pointY(t.dragLast));
    if (!dx && !dy) return;
    t.dragLast = PointPack(x, y);
    ActorInvalidate(entry);
    entry->desc.x = static_cast<std::int16_t>(entry->desc.x + dx);
    entry->desc.y = static_cast<std::int16_t>(entry->desc.y + dy);
    AnimSetPosition(&entry->anim, static_cast<std::int16_t>(entry->anim.x + dx),
                    static_cast<std::int16_t>(entry->anim.y + dy));
    ActorInvalidate(entry);
}

void dragRelease(Actor*, std::uint32_t) { actorTable().dragging = false; }

}  // namespace

void actorInstallDrag(std::uint32_t id) {
    ActorSetPressProc(dragPress, id);
    ActorSetTickProc(dragTick, id);
    ActorSetReleaseProc(dragRelease, id);
}

void ActorSetDragBounds(const Rect* rect) { actorTable().dragLimits = *rect; }

std::int16_t ActorIsDragging(std::uint32_t id) {
    const Actor* pressed = actorPressed();
    return actorTable().dragging && pressed && pressed->desc.id == id ? 1 : 0;
}
