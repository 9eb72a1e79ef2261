// The kit's picture button over the actor table.
#include "ActorButton.h"

#include <initializer_list>

namespace {

constexpr std::uint32_t kButtonFeatures = kActorHasRollover | kActorHasPressed;
constexpr std::uint32_t kButtonAnimOptions = 2;

ShapeBank loadBank(std::uint16_t xpkId) {
    return xpkId ? ShapeBankLoad(xpkId) : 0;
}

void freeActorBank(ShapeBank bank, std::int16_t (*clear)(ShapeBank, std::uint32_t), std::uint32_t id) {
    if (!bank) return;
    clear(0, id);
    ShapeBankFree(&bank);
}

}  // namespace

ActorButton::~ActorButton() {
    if (ActorFindIndex(desc_.id) >= 0) ActorButton::Remove();
}

std::int16_t ActorButton::Add(std::uint32_t actorId, std::uint16_t normalXpk, std::uint16_t rolloverXpk,
                              std::uint16_t pressedXpk, std::uint16_t hitMaskXpk, std::int16_t x, std::int16_t y) {
    const ShapeBank normal = loadBank(normalXpk);
    const ShapeBank rollover = loadBank(rolloverXpk);
    const ShapeBank pressed = loadBank(pressedXpk);
    if (!normal && !rollover && !pressed) return 0;
    const Point position{x, y};
    ActorDescInit(&desc_, actorId, nullptr, normal, 0, &position, kButtonFeatures, rollover, 0, pressed, 0, 0,
                  kButtonAnimOptions, 0);
    desc_.maskBank = loadBank(hitMaskXpk);
    if (const std::int16_t added = ActorAdd(&desc_)) return added;
    // Refused (the id is taken): the banks go, and the button names no actor, so that removing it later
    // leaves the owner's alone.
    for (ShapeBank bank : {normal, rollover, pressed}) ShapeBankFree(&bank);
    ShapeBankFree(&desc_.maskBank);
    desc_.id = kNoActorId;
    return 0;
}

void ActorButton::Remove() {
    const std::uint32_t id = desc_.id;
    freeActorBank(ActorGetBank(id), ActorSetBank, id);
    freeActorBank(ActorGetRolloverBank(id), ActorSetRolloverBank, id);
    freeActorBank(ActorGetPressedBank(id), ActorSetPressedBank, id);
    ShapeBankFree(&desc_.maskBank);
    ActorRemove(id);
    desc_.id = kNoActorId;
}

void ActorButton::SetPressedLook(std::int16_t on) {
    if (on) {
        ActorSetPressed(desc_.id, 1);
        ActorSetRollover(desc_.id, 0);
        ActorSetActive(desc_.id, 0);
    } else {
        ActorSetActive(desc_.id, 1);
        ActorSetPressed(desc_.id, 0);
    }
}

ShapeBank ActorButton::SwapRolloverBank(ShapeBank bank) {
    const ShapeBank old = ActorGetRolloverBank(desc_.id);
    ActorSetRolloverBank(bank, desc_.id);
    return old;
}

void ActorButton::Draw(const Rect& clip) const {
    ActorDraw(desc_.id, &clip);
}
