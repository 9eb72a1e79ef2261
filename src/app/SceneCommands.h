// The commands that draw on the trinket window: scenes, the black screen, palette copies and the two
// dissolves.
#pragma once

#include "OMColorRecord.h"
#include "OMLink.h"

// The window palette that Scene and copyPal fill and install.
OMColorRecord* windowPaletteTable();

void sceneCommand(OMArg);
void blackScreenCommand(OMArg);
void copyPalCommand(OMArg);
void fadeToBlackCommand(OMArg);
void fadeFromBlackCommand(OMArg);
