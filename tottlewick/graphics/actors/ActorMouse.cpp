// Actors under the mouse: hit tests in the documented order, rollover tracking, pressing and releasing,
// and flashing an actor's pressed look.
#include "ActorTable.h"
#include "EngineClock.h"
#include "Update.h"

namespace {

// The first of hit mask, normal, rollover and pressed image that is set.
bool firstImage(const ActorDesc& d, ShapeBank* bank, std::uint16_t* index) {
    const struct {
        ShapeBank bank;
        std::uint16_t index;
    } images[] = {{d.maskBank, d.maskIndex}, {d.bank, d.index}, {d.rolloverBank, d.rolloverIndex},
                  {d.pressedBank, d.pressedIndex}};
    for (const auto& image : images) {
        if (image.bank) {
            *bank = image.bank;
            *index = image.index;
            return true;
        }
    }
    return false;
}

// The first entry from 0 that the point hits, -1 when none.
std::int16_t firstHit(std::uint32_t point) {
    ActorTable& t = actorTable();
    for (std::int16_t i = 0; i < t.count; ++i) {
        if (ActorHitTest(point, &t.entries[i])) return i;
    }
    return -1;
}

void flashEntry(Actor* e) {
    ActorShowPressed(e, 1);
    UpdateFlush();
    ActorPlaySound(e, e->desc.pressSound);
    const std::uint32_t start = ClockMilliseconds();
    while (ClockMilliseconds() - start < actorTable().flashDelay) {
    }
    ActorShowPressed(e, 0);
    UpdateFlush();
    ActorPlaySound(e, e->desc.releaseSound);
}

bool flashable(const Actor* e) {
    return actorHas(e, kActorActive) && (e->desc.features & kActorHasPressed) && e->desc.pressedBank &&
           !ActorIsTracking();
}

}  // namespace

std::int16_t ActorHitTest(std::uint32_t point, Actor* entry) {
    if (!actorHas(entry, kActorActive)) return 0;
    const ActorDesc& d = entry->desc;
    if (!RectIsEmpty(&d.hitRect)) return RectContainsPoint(&d.hitRect, point) ? 1 : 0;
    ShapeBank bank = 0;
    std::uint16_t index = 0;
    if (firstImage(d, &bank, &index)) return ShapeHitTest(pointX(point), pointY(point), bank, index, d.x, d.y, 0);
    return AnimHitTest(&entry->anim, pointX(point), pointY(point)) ? 1 : 0;
}

std::int32_t ActorTrackMouse(std::uint32_t point) {
    ActorTable& t = actorTable();
    // The first actor hit, by id: a tick procedure may add or remove actors, which moves the entries.
    bool anyHit = false;
    std::uint32_t firstId = 0;
    for (std::int16_t i = 0; i < t.count; ++i) {
        Actor* e = &t.entries[i];
        if (e->tick) e->tick(e, point);
        // Its own entry included: past the end of what is left, no entry.
        if (i >= t.count) break;
        e = &t.entries[i];
        const bool hit = ActorHitTest(point, e) != 0;
        if (hit && !anyHit) {
            anyHit = true;
            firstId = e->desc.id;
        }
        ActorShowRollover(e, hit ? 1 : 0);
    }
    if (Actor* pressed = actorPressed()) ActorShowPressed(pressed, anyHit && pressed->desc.id == firstId ? 1 : 0);
    return anyHit ? static_cast<std::int32_t>(firstId) : -1;
}

std::int32_t ActorMouseDown(std::uint32_t point) {
    ActorTable& t = actorTable();
    if (ActorIsTracking()) return -1;
    const std::int16_t i = firstHit(point);
    if (i < 0) return -1;
    t.pressed = i;
    Actor* e = &t.entries[i];
    const std::uint32_t id = e->desc.id;
    ActorShowPressed(e, 1);
    ActorPlaySound(e, e->desc.pressSound);
    if (e->press) e->press(e, point);
    return static_cast<std::int32_t>(id);
}

std::int32_t ActorMouseUp(std::uint32_t point) {
    ActorTable& t = actorTable();
    Actor* e = actorPressed();
    if (!e) return -1;
    const std::int32_t result = ActorHitTest(point, e) ? static_cast<std::int32_t>(e->desc.id) : -1;
    ActorShowPressed(e, 0);
    ActorPlaySound(e, e->desc.releaseSound);
    if (e->release) e->release(e, point);
    t.pressed = -1;
    return result;
}

std::uint32_t ActorSetFlashDelay(std::uint32_t ms) {
    const std::uint32_t before = actorTable().flashDelay;
    actorTable().flashDelay = ms;
    return before;
}

std::int16_t ActorFlash(std::uint32_t id) {
    Actor* e = actorById(id);
    if (!e || !flashable(e)) return 0;
    flashEntry(e);
    return 1;
}

std::int32_t ActorFlashByKey(std::uint16_t key) {
    ActorTable& t = actorTable();
    for (std::int16_t i = 0; i < t.count; ++i) {
        Actor* e = &t.entries[i];
        if (!actorHas(e, kActorActive) || e->desc.key != key) continue;
        if (!flashable(e)) return -1;
        const std::uint32_t id = e->desc.id;
        flashEntry(e);
        return static_cast<std::int32_t>(id);
    }
    return -1;
}
