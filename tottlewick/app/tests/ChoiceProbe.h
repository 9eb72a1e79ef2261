// Steps shared by the activities' probe scenarios: from the Intro through the Picker into a choice, mouse
// input at picture points, the sound starts of chosen ids, and the way out by the exit button to the quit
// screen.
#pragma once

#include <cstdint>
#include <string>

#include "Rect.h"

namespace probe {

// Called on every pass: leaves the Intro for the Picker, chooses `command` on the Picker; true once the chosen
// activity's module is current.
bool enterChoice(std::uint32_t command);
// A mouse message at a point of the 640 x 480 picture (centred in the full-screen window).
void mouseAt(UINT message, Point point);
// Moves onto, presses and releases the middle of actor id.
void clickActor(std::uint32_t id);
// From now on each sound start whose id passes `wanted` is logged as "snd <id>".
void logSoundStarts(bool (*wanted)(unsigned id));
// Called on every pass once the activity should end: clicks its exit button; back on the Picker logs
// "Picker", asks it to quit and answers the quit screen, which ends the run.
void leaveByExit();

}  // namespace probe
