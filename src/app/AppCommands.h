// The 21 script commands of the application, registered in their fixed order.
#pragma once

#include <cstdint>

#include "OMLink.h"

// Registers Scene, AOFile ... SetCorralTrinketNormalization with the script engine.
void registerApplicationCommands();

// The seven file-name slots, in the order AOFile, WAVFile, SFXFile, VOCFile, RRGBFile, MUSFile, TXTFile.
inline constexpr std::int32_t kNameSlotCount = 7;
const char* nameSlot(std::int32_t slot);
// Stores a name (cut to 31 characters) as the file-name commands do.
void setNameSlot(std::int32_t slot, const char* name);

void webLinkCommand(OMArg);
void execCommand(OMArg);
