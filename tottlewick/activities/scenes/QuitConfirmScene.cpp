// The quit confirmation.
#include "QuitConfirmScene.h"

#include "AppGlobals.h"
#include "AppModule.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "OverlayPicture.h"
#include "SceneGlobals.h"
#include "Sprite.h"

namespace {

constexpr std::uint16_t kOverlay = 7200;
constexpr std::uint32_t kQuit = 7220;
constexpr std::uint32_t kBack = 7223;

void addButton(CommandButton& button, std::uint32_t id) {
    const auto shape = static_cast<std::uint16_t>(id);
    button.Add(id, shape, static_cast<std::uint16_t>(shape + 1), static_cast<std::uint16_t>(shape + 2), 0, 0, 0);
    button.Register(nullptr, 1, 0);
}

}  // namespace

QuitConfirmScene::QuitConfirmScene() : pointer_(kKitHoverAnim, kKitPointerXpk, 0, 0) {
    OverlayShow(kOverlay);
    addButton(quitButton_, kQuit);
    addButton(backButton_, kBack);
    first_.Load(7230, 0);
    second_.Load(7235, 0);
    voice_.Play(kOverlay, 1, 0, 0);
}

QuitConfirmScene::~QuitConfirmScene() {
    OverlayRemove(kOverlay);
}

void QuitConfirmScene::OnTimer(std::uint32_t, std::int32_t) {
    first_.Tick();
    second_.Tick();
}

std::int32_t QuitConfirmScene::OnMouseMove(Point point) {
    CommandButton::ButtonsTrackMouse(point);
    pointer_.MoveTo(point);
    return 1;
}

// Going back deletes this scene before the call returns.
std::int32_t QuitConfirmScene::OnCommand(std::uint32_t commandId) {
    if (commandId == kQuit) {
        AppQuit();
        return 1;
    }
    if (commandId == kBack) {
        AppPopModule(DisplayGetWindow(), 0);
        return 1;
    }
    return 0;
}

// Any character key confirms.
std::int32_t QuitConfirmScene::OnKey() {
    quitButton_.Fire();
    return 1;
}

void QuitConfirmScene::Draw(const Rect& rect) {
    if (gPicker) gPicker->Draw(rect);
    SpriteDrawAll(&rect);
    quitButton_.Draw(rect);
    backButton_.Draw(rect);
    first_.Draw(&rect);
    second_.Draw(&rect);
    pointer_.Draw(&rect);
}
