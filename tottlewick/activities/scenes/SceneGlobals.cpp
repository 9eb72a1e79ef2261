// The scene pointers shared by the module procedures and the application message handler.
#include "SceneGlobals.h"

#include <utility>

#include "Scene.h"

Scene* gActivity = nullptr;
Scene* gPicker = nullptr;
std::uint16_t gPickerInFront = 0;

// The pointer is cleared first: a destructor may open a message box, whose messages to the main window
// reach the handler, which must not find the object again.
void SceneDeleteActivity() {
    delete std::exchange(gActivity, nullptr);
}

Scene* SceneInFront() {
    return gPickerInFront ? gPicker : gActivity;
}
