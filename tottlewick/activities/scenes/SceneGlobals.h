// The scene pointers shared by the module procedures and the application message handler.
#pragma once

#include <cstdint>

class Scene;

// The scene object of the current module, null when there is none.
extern Scene* gActivity;
// The Picker's scene object, kept from its first showing until shutdown.
extern Scene* gPicker;
// 1 while the Picker's module is current; an activity's module also sets it on 10001, which marks the
// activity object for deletion at the next application message.
extern std::uint16_t gPickerInFront;

// The Picker's object while it is in front, else the activity object.
Scene* SceneInFront();
// Deletes the activity object when there is one and clears the pointer.
void SceneDeleteActivity();
