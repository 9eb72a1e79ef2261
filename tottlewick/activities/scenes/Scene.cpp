// The base of every screen's scene object.
#include "Scene.h"

#include "CommandButton.h"
#include "Cursor.h"
#include "SndPlay.h"

Scene::Scene() {
    SndSetChannelMask(0xFFFF);  // every channel may be chosen automatically
}

Scene::~Scene() {
    StopMusic();
}

void Scene::OnTimer(std::uint32_t, std::int32_t) {}

std::int32_t Scene::OnMouseMove(Point point) {
    CommandButton::ButtonsTrackMouse(point);
    return 1;
}

std::int32_t Scene::OnMouseDown(Point point) {
    CommandButton::ButtonsMouseDown(point);
    return 1;
}

std::int32_t Scene::OnMouseUp(Point point) {
    CommandButton::ButtonsMouseUp(point);
    return 1;
}

std::int32_t Scene::OnCommand(std::uint32_t) {
    return 1;
}

void Scene::OnNotify(std::uint32_t) {}

std::int32_t Scene::OnKey() {
    return 0;
}

// The system cursor shows while the program is paused; scenes draw their own pointer otherwise.
void Scene::Pause() {
    CursorSetVisible(1);
}

void Scene::Resume() {
    CursorSetVisible(0);
}
