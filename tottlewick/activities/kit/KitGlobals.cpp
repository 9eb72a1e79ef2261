// The kit's registries and shared resources.
#include "KitGlobals.h"

#include "AppEvents.h"
#include "DisplayWindow.h"

CommandButton* gButtons[kButtonSlots] = {};
AnimSpot* gSpots[kSpotSlots] = {};
HoverPointer* gCurrentPointer = nullptr;
MemHandle gClickSample = 0;
std::int32_t gLastHoveredActor = kNoKitId;
std::int32_t gSpotHovered = kNoKitId;
std::int32_t gSpotPressed = kNoKitId;

void KitPost(UINT message, std::uint32_t id) {
    AppPostMessage(DisplayGetWindow(), message, id, 0);
}
