// exitQUOMB: the "Exit" dialog that asks whether to leave the game, with its sounds.
#pragma once

#include "OMLink.h"

// The dialog's resource name and the ids of its buttons.
constexpr const char* kExitDialogName = "EXIT_GAME_DIALOG";
constexpr int kExitYesButton = 10;
constexpr int kExitNoButton = 11;

// Pauses the sound output and shows the dialog over the main window. "&Yes" (or a dialog that cannot be
// shown) quits the application; "&No" opens the wave-out device again and resumes the paused sounds.
void exitQUOMB();
void exitQUOMBCommand(OMArg);
