// The scene pointers shared by the module procedures and the application message handler.
#include "SceneGlobals.h"

#include "Scene.h"

Scene* gActivity = nullptr;
Scene* gPicker = nullptr;
std::uint16_t gPickerInFront = 0;

void SceneDeleteActivity() {
    delete gActivity;
    gActivity = nullptr;
}

Scene* SceneInFront() {
    return gPickerInFront ? gPicker : gActivity;
}
