// The kit's process-wide registries and shared resources: the 16-slot button table, the 20-slot
// animation-spot table, the current pointer, the shared click sample and the tracking ids.
#pragma once

#include <windows.h>

#include <cstdint>

#include "MemHandle.h"

class AnimSpot;
class CommandButton;
class HoverPointer;

constexpr int kButtonSlots = 16;
constexpr int kSpotSlots = 20;
constexpr std::int32_t kNoKitId = -1;
// The kit's shared resources, found in the Global resource file by every module.
constexpr std::uint16_t kKitPointerXpk = 1;
constexpr std::uint32_t kKitHoverAnim = 1;  // the hover animation 'XMV' 1 and its sound 1
constexpr std::uint16_t kKitClickSound = 900;

extern CommandButton* gButtons[kButtonSlots];
extern AnimSpot* gSpots[kSpotSlots];
// The HoverPointer of the screen in front; buttons start and stop its hover.
extern HoverPointer* gCurrentPointer;
// Sound 900, loaded by the first CommandButton, freed at shutdown.
extern MemHandle gClickSample;
extern std::int32_t gLastHoveredActor;
extern std::int32_t gSpotHovered;
extern std::int32_t gSpotPressed;

// Posts an application message (10010 command, 10012 notification) with id to the main window.
void KitPost(UINT message, std::uint32_t id);
// Puts object in the first free slot of a table; false when every slot is taken.
template <typename T, int N>
bool KitRegister(T* (&table)[N], T* object) {
    for (T*& slot : table) {
        if (!slot) return slot = object, true;
    }
    return false;
}
// Clears every slot of a table that holds object.
template <typename T, int N>
void KitUnregister(T* (&table)[N], const T* object) {
    for (T*& slot : table) {
        if (slot == object) slot = nullptr;
    }
}
