// Actors on the screen: their bounds, dirty areas and drawing, and their embedded animations' ticks.
#include "ActorTable.h"

namespace {

bool imageRect(Rect* out, ShapeBank bank, std::uint16_t index, const ActorDesc& d) {
    if (!bank) return false;
    ShapeGetImageRect(out, bank, index, d.x, d.y, 0);
    return true;
}

}  // namespace

std::int16_t ActorGetBounds(Rect* out, std::uint32_t id) {
    RectSetEmpty(out);
    const Actor* e = actorById(id);
    if (!e || !actorHas(e, kActorActive)) return 0;
    const ActorDesc& d = e->desc;
    if (!RectIsEmpty(&d.hitRect)) {
        *out = d.hitRect;
    } else if (!imageRect(out, d.bank, d.index, d) && !imageRect(out, d.rolloverBank, d.rolloverIndex, d) &&
               !imageRect(out, d.pressedBank, d.pressedIndex, d)) {
        if (!e->anim.anim) return 0;
        AnimResGetBoundsAt(out, e->anim.anim, d.x, d.y);
    }
    return 1;
}

void ActorInvalidate(const Actor* entry) {
    if (actorHas(entry, kActorHiddenFlag)) return;
    const ActorDesc& d = entry->desc;
    if (d.rolloverBank) {
        ShapeInvalidate(d.rolloverBank, d.rolloverIndex, d.x, d.y, 0);
    } else if (d.pressedBank) {
        ShapeInvalidate(d.pressedBank, d.pressedIndex, d.x, d.y, 0);
    } else if (d.bank) {
        ShapeInvalidate(d.bank, d.index, d.x, d.y, 0);
    }
    AnimInvalidate(&entry->anim);
}

void ActorDrawEntry(const Actor* entry, const Rect* clip) {
    if (actorHas(entry, kActorHiddenFlag)) return;
    const ActorDesc& d = entry->desc;
    const bool rollover = actorHas(entry, kActorRolloverLook), pressed = actorHas(entry, kActorPressedLook);
    const bool layered = actorHas(entry, kActorLayered);
    if (layered || (!rollover && !pressed)) ShapeDraw(nullptr, d.bank, d.index, d.x, d.y, 0);
    if (rollover || (layered && pressed)) ShapeDraw(nullptr, d.rolloverBank, d.rolloverIndex, d.x, d.y, 0);
    if (pressed) ShapeDraw(nullptr, d.pressedBank, d.pressedIndex, d.x, d.y, 0);
    AnimDraw(&entry->anim, clip);
}

void ActorDrawAll(const Rect* clip) {
    const ActorTable& t = actorTable();
    for (std::int16_t i = static_cast<std::int16_t>(t.count - 1); i >= 0; --i) ActorDrawEntry(&t.entries[i], clip);
}

std::int16_t ActorDraw(std::uint32_t id, const Rect* clip) {
    const Actor* e = actorById(id);
    if (e) ActorDrawEntry(e, clip);
    return e ? 1 : 0;
}

void ActorStepAnims() {
    const ActorTable& t = actorTable();
    for (std::int16_t i = 0; i < t.count; ++i) {
        Actor* e = &t.entries[i];
        if (!actorHas(e, kActorActive)) continue;
        if (e->desc.animOptions & kActorAnimLoop) {
            AnimStepLoop(&e->anim);
        } else {
            AnimStepOnce(&e->anim);
        }
    }
}

void ActorInvalidateAnims() {
    const ActorTable& t = actorTable();
    for (std::int16_t i = 0; i < t.count; ++i) {
        if (!actorHas(&t.entries[i], kActorHiddenFlag)) AnimInvalidate(&t.entries[i].anim);
    }
}

std::int16_t ActorSetAnimPaused(std::int16_t paused, std::uint32_t id) {
    Actor* e = actorById(id);
    if (e) AnimSetPaused(&e->anim, paused);
    return e ? 1 : 0;
}

std::int16_t ActorRewindAnim(std::uint32_t id) {
    Actor* e = actorById(id);
    if (!e) return 0;
    Anim& a = e->anim;
    AnimSetPaused(&a, 0);
    a.time = a.previousTime = a.previousEvent = a.cursor = 0;
    // A clock-driven animation takes its time from the clock: time 0 is now.
    if (a.anim && (a.flags & kAnimTimed)) a.clockStart = ClockGetElapsed(static_cast<std::uint16_t>(AnimClock()));
    AnimInvalidate(&a);
    return 1;
}

std::int16_t ActorIsAnimPaused(std::uint32_t id) {
    const Actor* e = actorById(id);
    return !e || !e->anim.anim || AnimIsPaused(&e->anim) ? 1 : 0;
}
