// The activity base class.
#include "Activity.h"

#include "Actor.h"
#include "AnimSpot.h"
#include "AppBox.h"
#include "AppModule.h"
#include "Backdrop.h"
#include "DisplayPalette.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "ModuleProcs.h"
#include "Prefs.h"
#include "Str.h"
#include "Update.h"

namespace {

constexpr std::uint16_t kBackdropTiles = 8;
constexpr std::int16_t kOpeningTransition = 1;

void addButton(CommandButton& button, std::uint16_t id, const Activity* owner) {
    button.Add(id, id, static_cast<std::uint16_t>(id + 1), static_cast<std::uint16_t>(id + 2), 0, 0, 0);
    button.Register(owner, gPrefClickOnly, 1);
}

}  // namespace

Activity::Activity(const char* moduleName, std::uint16_t backdropXpk, std::uint16_t paletteDib,
                   std::uint16_t pointerXpk)
    // The module's file is opened (resources_ is declared before pointer_) before the pointer loads its
    // picture, which may be the module's own.
    : resources_(ResOpenFile(moduleName)), pointer_(kKitHoverAnim, pointerXpk, 0, 0) {
    UpdateInvalRectOnce(&screenRect_);
    if (resources_) {
        DisplaySetPaletteFromDib(paletteDib);
        BackdropSetCached(1);
        BackdropLoadMain(backdropXpk, kBackdropTiles, kBackdropTiles, 0, 0);
        UpdateSetTransition(kOpeningTransition);
    } else {
        AppAlert(StrGetMessage(1000, "Resource File Not Opened"));
    }
    addButton(exitButton_, kSceneExitCommand, this);
    gCurrentPointer = &pointer_;
    addButton(helpButton_, kActivityHelpCommand, this);
    interactive_ = 1;
}

Activity::~Activity() {
    exitButton_.Remove();
    helpButton_.Remove();
    voice_.Stop();
    BackdropFreeMain();
    ResCloseFile(&resources_);
}

void Activity::OnTimer(std::uint32_t timerId, std::int32_t) {
    pointer_.Tick();
    if (interactive_ && timerId == kNoInputTimerId) PlayIdlePrompt();
}

std::int32_t Activity::OnMouseMove(Point point) {
    AnimSpot::AnimSpotsTrackMouse(point);
    CommandButton::ButtonsTrackMouse(point);
    pointer_.MoveTo(point);
    return 1;
}

std::int32_t Activity::OnMouseDown(Point point) {
    AnimSpot::AnimSpotsMouseDown();
    CommandButton::ButtonsMouseDown(point);
    return 1;
}

// A release cuts the intro prompt short, and no other.
std::int32_t Activity::OnMouseUp(Point point) {
    AnimSpot::AnimSpotsMouseUp(point);
    CommandButton::ButtonsMouseUp(point);
    if (introPlaying_) {
        voice_.Stop();
        introPlaying_ = 0;
    }
    return 1;
}

std::int32_t Activity::OnCommand(std::uint32_t commandId) {
    if (commandId == kSceneExitCommand) Exit();
    else if (commandId == kActivityHelpCommand) PlayHelp();
    return 1;
}

void Activity::Draw(const Rect& rect) {
    BackdropDrawMain(&rect);
    ActorDrawAll(&rect);
    pointer_.Draw(&rect);
}

void Activity::PlayIntro() {
    voice_.Play(introSound_, 1, 0, 0);
    introPlaying_ = 1;
}

void Activity::PlayHelp() {
    voice_.Play(helpSound_, 1, 0, 0);
}

void Activity::PlayIdlePrompt() {
    voice_.Play(idleSound_, 1, 0, 0);
}

void Activity::Exit() {
    AppSetModule(DisplayGetWindow(), PickerModuleProc, 0);
}

void Activity::SetInteractive(std::uint16_t on, CommandButton* button) {
    interactive_ = on;
    ActorSetActive(helpButton_.Id(), static_cast<std::int16_t>(on));
    if (button) ActorSetActive(button->Id(), static_cast<std::int16_t>(on));
}
