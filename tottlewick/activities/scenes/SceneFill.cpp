// Filling the scene rectangle, and revealing the scene through a filled frame.
#include "Scene.h"

#include "DisplayCanvas.h"
#include "Update.h"

namespace {

constexpr std::uint8_t kFillIndex = 0;  // the colour PALETTEINDEX(0)
constexpr std::int16_t kRevealTransition = 1;

void fillRedraw(std::uint16_t count, const Rect* rects) {
    for (std::uint16_t i = 0; i < count; ++i) DisplayFillRect(&rects[i], kFillIndex);
}

}  // namespace

void Scene::FillWindow() {
    DisplayBeginWindowDraw();
    DisplayFillRect(&screenRect_, kFillIndex);
    DisplayEndWindowDraw();
}

void Scene::FillOffscreen() {
    DisplayBeginOffscreenDraw();
    DisplayFillRect(&screenRect_, kFillIndex);
    DisplayEndOffscreenDraw();
}

void Scene::RevealScene() {
    const UpdateProc previous = UpdateSetRedrawProc(fillRedraw);
    UpdateSetTransition(kRevealTransition);
    UpdateInvalRect(&screenRect_);
    UpdateFlush();
    UpdateSetRedrawProc(previous);
    UpdateSetTransition(kRevealTransition);
    UpdateInvalRect(&screenRect_);
}
