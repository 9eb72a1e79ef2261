// The three 'MAP' slots of shape fonts.
#include "FontMap.h"

#include "MemHandle.h"
#include "Res.h"

namespace {

constexpr ResType kMapType = resType("MAP");
constexpr int kSlots = 3;
constexpr std::uint8_t kFirstMapped = 32;

struct MapSlot {
    std::uint16_t id = 0;
    MemHandle handle = 0;
    const std::uint8_t* bytes = nullptr;
    std::uint32_t size = 0;
};

MapSlot slots[kSlots];

void release(MapSlot& slot) {
    if (slot.handle) {
        MemHandleUnlock(slot.handle);
        ResReleaseHandle(&slot.handle);
    }
    slot = MapSlot{};
}

// The slot's entry for the character, or false when the slot is empty or the map ends before it.
bool entryOf(std::uint16_t slot, std::uint8_t character, std::uint8_t* entry) {
    if (slot >= kSlots || character < kFirstMapped || !slots[slot].bytes) return false;
    const std::uint32_t at = character - kFirstMapped;
    if (at >= slots[slot].size) return false;
    *entry = slots[slot].bytes[at];
    return true;
}

}  // namespace

std::int16_t FontMapsInit() {
    FontMapLoad(kFontMapA, 2);
    FontMapLoad(kFontMapC, 1);
    FontMapLoad(kFontMapB, 1);
    return slots[kFontMapA].handle && slots[kFontMapC].handle ? 1 : 0;
}

void FontMapsTerm() {
    for (MapSlot& slot : slots) release(slot);
}

std::uint16_t FontMapLoad(std::uint16_t slot, std::uint16_t id) {
    if (slot >= kSlots) return 0;
    const std::uint16_t previous = slots[slot].id;
    release(slots[slot]);
    if (!id) return previous;
    MapSlot& loaded = slots[slot];
    loaded.handle = ResLoad(kMapType, id);
    if (!loaded.handle) return previous;
    loaded.bytes = static_cast<const std::uint8_t*>(MemHandleLock(loaded.handle));
    loaded.size = loaded.bytes ? MemHandleGetSize(loaded.handle) : 0;
    loaded.id = id;
    return previous;
}

std::uint8_t FontMapChar(std::uint16_t slot, std::uint8_t character) {
    std::uint8_t entry = 0;
    return entryOf(slot, character, &entry) ? static_cast<std::uint8_t>(entry + kFirstMapped) : character;
}

bool fontMapsToShape(std::uint16_t shapeCount, std::uint8_t character, std::uint16_t* index) {
    std::uint8_t entry = 0;
    const int mapped = entryOf(kFontMapA, character, &entry) ? entry : character - kFirstMapped;
    if (mapped < 0 || mapped >= shapeCount) return false;
    *index = static_cast<std::uint16_t>(mapped);
    return true;
}

std::uint16_t fontShapeIndexIn(std::uint16_t shapeCount, std::uint8_t character) {
    std::uint16_t index = kFontNoChar;
    fontMapsToShape(shapeCount, character, &index);
    return index;
}
