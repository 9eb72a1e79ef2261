// Actor descriptors and the shorthands that fill one and add it.
#include <vector>

#include "ActorTable.h"

namespace {

ActorDesc describe(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint32_t features,
                   std::uint32_t id) {
    ActorDesc d{};
    const Point at{pointX(position), pointY(position)};
    ActorDescInit(&d, id, nullptr, bank, index, &at, features, 0, 0, 0, 0, 0, kActorAnimPaused, 0);
    return d;
}

}  // namespace

ActorDesc* ActorDescInit(ActorDesc* desc, std::uint32_t id, const Rect* hitRect, ShapeBank bank, std::uint16_t index,
                         const Point* position, std::uint32_t features, ShapeBank rolloverBank,
                         std::uint16_t rolloverIndex, ShapeBank pressedBank, std::uint16_t pressedIndex,
                         std::uint32_t animId, std::uint32_t animOptions, std::uint16_t key) {
    *desc = ActorDesc{};
    desc->id = id;
    if (hitRect) desc->hitRect = *hitRect;
    desc->bank = bank;
    desc->index = index;
    if (position) {
        desc->x = position->h;
        desc->y = position->v;
    }
    desc->features = features;
    desc->rolloverBank = rolloverBank;
    desc->rolloverIndex = rolloverIndex;
    desc->pressedBank = pressedBank;
    desc->pressedIndex = pressedIndex;
    desc->animId = animId;
    desc->animOptions = animOptions;
    desc->key = key;
    return desc;
}

std::int16_t ActorAddHotRect(Rect rect, std::uint32_t id) {
    ActorDesc d = describe(0, 0, 0, 0, id);
    d.hitRect = rect;
    return ActorAdd(&d);
}

std::int16_t ActorAddHotRects(const Rect* rects, std::int16_t count, std::uint32_t firstId) {
    if (count <= 0) return 0;
    std::vector<ActorDesc> descs(static_cast<std::size_t>(count));
    for (std::int16_t i = 0; i < count; ++i) {
        descs[i] = describe(0, 0, 0, 0, firstId + static_cast<std::uint32_t>(i));
        descs[i].hitRect = rects[i];
    }
    return ActorAddMany(count, descs.data());
}

std::int16_t ActorAddShape(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint32_t id) {
    const ActorDesc d = describe(position, bank, index, kActorShape, id);
    return ActorAdd(&d);
}

std::int16_t ActorAddDraggable(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint32_t id) {
    const ActorDesc d = describe(position, bank, index, kActorDraggable, id);
    if (!ActorAdd(&d)) return 0;
    actorInstallDrag(id);
    return 1;
}

std::int16_t ActorAddAnim(std::uint32_t position, std::uint32_t animId, std::uint32_t animOptions, std::uint32_t id) {
    ActorDesc d = describe(position, 0, 0, kActorAnimated, id);
    d.animId = animId;
    d.animOptions = animOptions;
    return ActorAdd(&d);
}

std::int16_t ActorAddRollover(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint16_t rolloverIndex,
                              std::uint32_t id) {
    return ActorAddRolloverBank(position, bank, index, bank, rolloverIndex, id);
}

std::int16_t ActorAddRolloverBank(std::uint32_t position, ShapeBank bank, std::uint16_t index, ShapeBank rolloverBank,
                                  std::uint16_t rolloverIndex, std::uint32_t id) {
    ActorDesc d = describe(position, bank, index, kActorHasRollover, id);
    d.rolloverBank = rolloverBank;
    d.rolloverIndex = rolloverIndex;
    return ActorAdd(&d);
}

std::int16_t ActorAddPressed(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint16_t pressedIndex,
                             std::uint32_t id) {
    return ActorAddPressedBank(position, bank, index, bank, pressedIndex, id);
}

std::int16_t ActorAddPressedBank(std::uint32_t position, ShapeBank bank, std::uint16_t index, ShapeBank pressedBank,
                                 std::uint16_t pressedIndex, std::uint32_t id) {
    ActorDesc d = describe(position, bank, index, kActorHasPressed, id);
    d.pressedBank = pressedBank;
    d.pressedIndex = pressedIndex;
    return ActorAdd(&d);
}

std::int16_t ActorAddButton(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::uint16_t rolloverIndex,
                            std::uint16_t pressedIndex, std::uint32_t id) {
    return ActorAddButtonBanks(position, bank, index, bank, rolloverIndex, bank, pressedIndex, id);
}

std::int16_t ActorAddButtonBanks(std::uint32_t position, ShapeBank bank, std::uint16_t index, ShapeBank rolloverBank,
                                 std::uint16_t rolloverIndex, ShapeBank pressedBank, std::uint16_t pressedIndex,
                                 std::uint32_t id) {
    ActorDesc d = describe(position, bank, index, kActorHasRollover | kActorHasPressed, id);
    d.rolloverBank = rolloverBank;
    d.rolloverIndex = rolloverIndex;
    d.pressedBank = pressedBank;
    d.pressedIndex = pressedIndex;
    return ActorAdd(&d);
}
