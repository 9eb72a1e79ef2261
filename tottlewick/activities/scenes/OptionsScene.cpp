// The options screen.
#include "OptionsScene.h"

#include "AppModule.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "ModuleProcs.h"
#include "OverlayPicture.h"
#include "Prefs.h"
#include "SceneGlobals.h"
#include "Sprite.h"

namespace {

constexpr std::uint16_t kBackground = 7500;
constexpr std::uint32_t kClickOnlyOn = 7510, kClickOnlyOff = 7511;
constexpr std::uint32_t kLevel1 = 7514, kLevel2 = 7515, kLevel4 = 7516;
constexpr std::uint32_t kSlideShow = 7520, kBack = 7523;
constexpr std::uint32_t kIds[7] = {kClickOnlyOn, kClickOnlyOff, kLevel1, kLevel2, kLevel4, kSlideShow, kBack};
constexpr int kPressedOnly = 5;  // the first five have only a pressed look

struct Level {
    std::uint32_t button;
    std::uint16_t value;
};
constexpr Level kLevels[3] = {{kLevel1, 1}, {kLevel2, 2}, {kLevel4, 4}};

}  // namespace

OptionsScene::OptionsScene() : pointer_(kKitHoverAnim, kKitPointerXpk, 0, 0) {
    OverlayShow(kBackground);
    for (int i = 0; i < 7; ++i) {
        const auto id = static_cast<std::uint16_t>(kIds[i]);
        if (i < kPressedOnly) buttons_[i].Add(id, 0, 0, id, 0, 0, 0);
        else buttons_[i].Add(id, id, static_cast<std::uint16_t>(id + 1), static_cast<std::uint16_t>(id + 2), 0, 0, 0);
        buttons_[i].Register(nullptr, 1, 0);
    }
    button(gPrefClickOnly ? kClickOnlyOn : kClickOnlyOff).SetPressedLook(1);
    for (const Level& level : kLevels) {
        if (level.value == gPrefLevel) button(level.button).SetPressedLook(1);
    }
}

OptionsScene::~OptionsScene() {
    OverlayRemove(kBackground);
    PrefsSave();
}

CommandButton& OptionsScene::button(std::uint32_t id) {
    int i = 0;
    while (kIds[i] != id) ++i;
    return buttons_[i];
}

void OptionsScene::pressOnly(std::uint32_t on, std::initializer_list<std::uint32_t> ids) {
    for (std::uint32_t id : ids) button(id).SetPressedLook(id == on);
}

std::int32_t OptionsScene::OnMouseMove(Point point) {
    CommandButton::ButtonsTrackMouse(point);
    pointer_.MoveTo(point);
    return 1;
}

// The slide show and back both delete this scene before the call returns.
std::int32_t OptionsScene::OnCommand(std::uint32_t commandId) {
    switch (commandId) {
    case kClickOnlyOn:
    case kClickOnlyOff:
        pressOnly(commandId, {kClickOnlyOn, kClickOnlyOff});
        gPrefClickOnly = commandId == kClickOnlyOn;
        return 1;
    case kSlideShow:
        AppPushModule(DisplayGetWindow(), SlideShowModuleProc, 0);
        return 1;
    case kBack:
        AppPopModule(DisplayGetWindow(), 0);
        return 1;
    default:
        break;
    }
    for (const Level& level : kLevels) {
        if (level.button != commandId) continue;
        pressOnly(commandId, {kLevel1, kLevel2, kLevel4});
        gPrefLevel = level.value;
        return 1;
    }
    return 0;
}

void OptionsScene::Draw(const Rect& rect) {
    if (gPicker) gPicker->Draw(rect);
    SpriteDrawAll(&rect);
    for (const CommandButton& each : buttons_) each.Draw(rect);
    pointer_.Draw(&rect);
}
