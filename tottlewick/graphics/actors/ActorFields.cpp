// Actor looks and fields: the rollover and pressed looks, the images, hit rectangle, key, sounds and
// procedures of an actor found by id.
#include "ActorTable.h"

namespace {

// Sets an image field between two dirty marks; `feature` is set too when non-zero.
template <typename T>
std::int16_t setImage(std::uint32_t id, T ActorDesc::*field, T value, std::uint32_t feature = 0) {
    Actor* e = actorById(id);
    if (!e) return 0;
    ActorInvalidate(e);
    e->desc.*field = value;
    e->desc.features |= feature;
    ActorInvalidate(e);
    return 1;
}

template <typename T>
std::int16_t setField(std::uint32_t id, T Actor::*field, T value) {
    Actor* e = actorById(id);
    if (e) e->*field = value;
    return e ? 1 : 0;
}

template <typename T>
std::int16_t setDesc(std::uint32_t id, T ActorDesc::*field, T value) {
    Actor* e = actorById(id);
    if (e) e->desc.*field = value;
    return e ? 1 : 0;
}

ShapeBank bankOf(std::uint32_t id, ShapeBank ActorDesc::*field) {
    const Actor* e = actorById(id);
    return e ? e->desc.*field : 0;
}

std::int32_t indexOf(std::uint32_t id, std::uint16_t ActorDesc::*field) {
    const Actor* e = actorById(id);
    return e ? e->desc.*field : -1;
}

// A look flag set or cleared on an active actor that has the image; true when it changed.
bool changeLook(Actor* entry, std::uint16_t look, ShapeBank bank, bool on) {
    if (!actorHas(entry, kActorActive) || !bank || actorHas(entry, look) == on) return false;
    actorSetFlags(entry, look, on);
    ActorInvalidate(entry);
    return true;
}

}  // namespace

void ActorShowRollover(Actor* entry, std::int16_t on) {
    if (!(entry->desc.features & kActorHasRollover) || (on && ActorIsTracking())) return;
    if (changeLook(entry, kActorRolloverLook, entry->desc.rolloverBank, on != 0) && on) {
        ActorPlaySound(entry, entry->desc.rolloverSound);
    }
}

void ActorShowPressed(Actor* entry, std::int16_t on) {
    if (entry->desc.features & kActorHasPressed) changeLook(entry, kActorPressedLook, entry->desc.pressedBank, on != 0);
}

std::int16_t ActorSetRollover(std::uint32_t id, std::int16_t on) {
    Actor* e = actorById(id);
    if (e) ActorShowRollover(e, on);
    return e ? 1 : 0;
}

std::int16_t ActorSetPressed(std::uint32_t id, std::int16_t on) {
    Actor* e = actorById(id);
    if (e) ActorShowPressed(e, on);
    return e ? 1 : 0;
}

std::int16_t ActorIsRollover(std::uint32_t id) {
    const Actor* e = actorById(id);
    return e && actorHas(e, kActorRolloverLook) ? 1 : 0;
}

std::int16_t ActorIsPressed(std::uint32_t id) {
    const Actor* e = actorById(id);
    return e && actorHas(e, kActorPressedLook) ? 1 : 0;
}

std::int16_t ActorIsTracking() { return actorTable().pressed >= 0 ? 1 : 0; }

std::int16_t ActorSetBank(ShapeBank bank, std::uint32_t id) { return setImage(id, &ActorDesc::bank, bank); }
ShapeBank ActorGetBank(std::uint32_t id) { return bankOf(id, &ActorDesc::bank); }
std::int16_t ActorSetIndex(std::uint16_t index, std::uint32_t id) { return setImage(id, &ActorDesc::index, index); }
std::int32_t ActorGetIndex(std::uint32_t id) { return indexOf(id, &ActorDesc::index); }

std::int16_t ActorSetRolloverBank(ShapeBank bank, std::uint32_t id) {
    return setImage(id, &ActorDesc::rolloverBank, bank, kActorHasRollover);
}
ShapeBank ActorGetRolloverBank(std::uint32_t id) { return bankOf(id, &ActorDesc::rolloverBank); }
std::int16_t ActorSetRolloverIndex(std::uint16_t index, std::uint32_t id) {
    return setImage(id, &ActorDesc::rolloverIndex, index);
}
std::int32_t ActorGetRolloverIndex(std::uint32_t id) { return indexOf(id, &ActorDesc::rolloverIndex); }

std::int16_t ActorSetPressedBank(ShapeBank bank, std::uint32_t id) {
    return setImage(id, &ActorDesc::pressedBank, bank, kActorHasPressed);
}
ShapeBank ActorGetPressedBank(std::uint32_t id) { return bankOf(id, &ActorDesc::pressedBank); }
std::int16_t ActorSetPressedIndex(std::uint16_t index, std::uint32_t id) {
    return setImage(id, &ActorDesc::pressedIndex, index);
}
std::int32_t ActorGetPressedIndex(std::uint32_t id) { return indexOf(id, &ActorDesc::pressedIndex); }

std::int16_t ActorSetHitRect(std::uint32_t leftTop, std::uint32_t rightBottom, std::uint32_t id) {
    return setDesc(id, &ActorDesc::hitRect, Rect{pointX(leftTop), pointY(leftTop), pointX(rightBottom), pointY(rightBottom)});
}

std::int16_t ActorSetKey(std::uint16_t key, std::uint32_t id) { return setDesc(id, &ActorDesc::key, key); }

std::int16_t ActorGetPosition(Point* out, std::uint32_t id) {
    const Actor* e = actorById(id);
    if (e) *out = Point{e->desc.x, e->desc.y};
    return e ? 1 : 0;
}

std::int16_t ActorSetPressSound(std::uint32_t sound, std::uint32_t id) {
    return setDesc(id, &ActorDesc::pressSound, sound);
}
std::int16_t ActorSetRolloverSound(std::uint32_t sound, std::uint32_t id) {
    return setDesc(id, &ActorDesc::rolloverSound, sound);
}
std::int16_t ActorSetReleaseSound(std::uint32_t sound, std::uint32_t id) {
    return setDesc(id, &ActorDesc::releaseSound, sound);
}

std::int16_t ActorSetPressProc(ActorProc proc, std::uint32_t id) { return setField(id, &Actor::press, proc); }
std::int16_t ActorSetTickProc(ActorProc proc, std::uint32_t id) { return setField(id, &Actor::tick, proc); }
std::int16_t ActorSetReleaseProc(ActorProc proc, std::uint32_t id) { return setField(id, &Actor::release, proc); }
