// The Picker's screen, its choices and the switch to the chosen module.
#include "Picker.h"

#include <initializer_list>
#include <iterator>

#include "Actor.h"
#include "AppBox.h"
#include "Backdrop.h"
#include "DisplayWindow.h"
#include "KitGlobals.h"
#include "KitMouse.h"
#include "ModuleProcs.h"
#include "PickerCompletion.h"
#include "Prefs.h"
#include "SceneGlobals.h"
#include "Str.h"
#include "Update.h"

namespace {

constexpr std::uint16_t kBackdrop = 7000;
constexpr std::uint16_t kTiles = 8;
constexpr std::int16_t kOpeningTransition = 1;
constexpr std::uint32_t kGuideButton = 7011;
constexpr std::uint16_t kGuideButtonNormal = 7010;
constexpr std::uint32_t kGuideAnim = 7850;
constexpr std::uint32_t kGuideFrames[] = {7799, 7800, 7801, 7802, 7803, 7804, 7805,
                                          7806, 7807, 7808, 7809, 7810, 7811};
constexpr std::uint32_t kOptionsCommand = 7050;
constexpr std::uint16_t kChoosingPicture = 207;
constexpr std::uint16_t kReturnPicture = 200;
constexpr std::uint16_t kReachedPicture = 201;  // + the choice
constexpr std::int16_t kPicturedChoices = 6;    // choices 0-5 have a picture of their own
constexpr std::uint32_t kSwitchSound = 200;
constexpr Point kRestingMouse{370, 180};

// The choice buttons in the order they are added, the options button last.
constexpr std::uint32_t kChoiceButtons[8] = {7015, 7020, 7030, 7035, 7040, 7045, 7025, kOptionsCommand};

struct Choice {
    std::uint32_t command;
    std::int16_t index;
    AppModuleProc module;
};

const Choice kChoices[kPickerChoiceCount] = {
    {7035, kChoiceBand, BandModuleProc},         {7020, kChoiceZibb, ZibbModuleProc},
    {7040, kChoiceBlueGoo, BlueGooModuleProc},   {7045, kChoiceBLOK_STAK, BLOK_STAKModuleProc},
    {7030, kChoiceMR_PLINK, MR_PLINKModuleProc}, {7015, kChoiceToppers, ToppersModuleProc},
    {7025, kChoiceHatShop, HatShopModuleProc},
};

}  // namespace

Picker* PickerObject() {
    return dynamic_cast<Picker*>(gPicker);
}

Picker::Picker() : pointer_(kKitHoverAnim, kKitPointerXpk, 0, 0) {
    resources_ = ResOpenFile("Picker");
    PrefsLoad();
    PickerShow(0);
    guide_.SetSequence(kGuideFrames, static_cast<std::uint16_t>(std::size(kGuideFrames)));
    firstClick_ = 1;
}

Picker::~Picker() {
    freePicture();
    guide_.Stop();
    ResCloseFile(&resources_);
}

void Picker::PickerShow(std::uint16_t resume) {
    UpdateInvalRect(&screenRect_);
    if (resume) {
        helpButton_.SetClickOnly(gPrefClickOnly);
        guideButton_.SetClickOnly(gPrefClickOnly);
        for (const CommandButton* button : {&exitButton_, &helpButton_, &guideButton_}) ActorSetActive(button->Id(), 1);
    } else {
        if (resources_) {
            BackdropLoadMain(kBackdrop, kTiles, kTiles, 0, 0);
            UpdateSetTransition(kOpeningTransition);
        } else {
            AppAlert(StrGetMessage(1000, "Resource File Not Opened"));
        }
        exitButton_.Add(kSceneExitCommand, 100, 101, 102, 0, 0, 0);
        exitButton_.Register(nullptr, 1, 0);
        helpButton_.Add(120, 120, 121, 122, 0, 0, 0);
        helpButton_.Register(nullptr, gPrefClickOnly, 1);
        guideButton_.Add(kGuideButton, kGuideButtonNormal, kGuideButton, 0, 0, 0, 0);
        guideButton_.Register(nullptr, gPrefClickOnly, 1);
    }
    gCurrentPointer = &pointer_;
    pointer_.SetVisible(1);
    for (int i = 0; i < 8; ++i) {
        const std::uint32_t id = kChoiceButtons[i];
        const std::uint16_t rollover = static_cast<std::uint16_t>(id == kOptionsCommand ? id + 1 : id);
        choices_[i].Add(id, 0, rollover, 0, 0, 0, 0);
        choices_[i].Register(nullptr, gPrefClickOnly, 1);
    }
    guide_.Load(kGuideAnim, 1);
    KitMoveMouse(kRestingMouse);
    pointer_.MoveTo(kRestingMouse);
}

void Picker::PickerHide(std::uint16_t pause) {
    if (pause) {
        ActorSetActive(exitButton_.Id(), 0);
        ActorSetActive(helpButton_.Id(), 0);
        ActorSetActive(guideButton_.Id(), 0);
    } else {
        BackdropFreeMain();
        StopMusic();
        exitButton_.Remove();
        helpButton_.Remove();
        guideButton_.Remove();
    }
    for (CommandButton& button : choices_) button.Remove();
    guide_.Stop();
    pointer_.SetVisible(0);
    if (gCurrentPointer == &pointer_) gCurrentPointer = nullptr;
}

void Picker::PickerChoose() {
    if (busy_) return;
    busy_ = 1;
    PickerHide(0);
    showPicture(kChoosingPicture);
    chosenBefore_ = gPickerCompletion[choice_];
    if (pointer_.Hovering()) pointer_.StopHover();
    sound_.Play(kSwitchSound, 1, 0, 0);
}

void Picker::PickerReturn() {
    busy_ = 1;
    const bool reached = choice_ >= 0 && choice_ < kPicturedChoices && !chosenBefore_ && gPickerCompletion[choice_];
    showPicture(reached ? static_cast<std::uint16_t>(kReachedPicture + choice_) : kReturnPicture);
    sound_.Play(kSwitchSound, 1, 0, 0);
}

void Picker::OnTimer(std::uint32_t, std::int32_t) {
    pointer_.Tick();
    const ClipState guide = guide_.Tick();
    if (guide == ClipState::stopped || guide == ClipState::ended) {
        const Point mouse = KitMouseLocation();
        pointer_.MoveTo(mouse);
        CommandButton::ButtonsTrackMouse(mouse);
    }
    if (busy_ && !sound_.IsPlaying()) endSwitch();
}

// The module switch, or the Picker again after a return; the Picker outlives the switch.
void Picker::endSwitch() {
    if (chosen_) {
        const AppModuleProc module = chosen_;
        chosen_ = nullptr;
        AppSetModule(DisplayGetWindow(), module, 0);
    } else {
        PickerShow(0);
    }
    busy_ = 0;
    freePicture();
}

std::int32_t Picker::OnMouseMove(Point point) {
    if (busy_) return 1;
    pointer_.MoveTo(point);
    CommandButton::ButtonsTrackMouse(point);
    return 1;
}

std::int32_t Picker::OnMouseDown(Point point) {
    if (busy_) return 1;
    if (firstClick_) {
        guide_.Stop();
        firstClick_ = 0;
    }
    CommandButton::ButtonsMouseDown(point);
    return 1;
}

// While switching, a release or a key cuts the sound short, which ends the wait at the next tick.
std::int32_t Picker::OnMouseUp(Point point) {
    if (busy_) sound_.Stop();
    else CommandButton::ButtonsMouseUp(point);
    return 1;
}

std::int32_t Picker::OnKey() {
    if (busy_) sound_.Stop();
    return 0;
}

std::int32_t Picker::OnCommand(std::uint32_t commandId) {
    if (commandId == kSceneExitCommand) {
        if (!busy_) AppPushModule(DisplayGetWindow(), QuitConfirmModuleProc, 0);
    } else if (commandId == 120 || commandId == kGuideButton) {
        guide_.Load(kGuideAnim, 1);
    } else if (commandId == kOptionsCommand) {
        AppPushModule(DisplayGetWindow(), OptionsModuleProc, 0);
    } else {
        for (const Choice& entry : kChoices) {
            if (entry.command == commandId) {
                choice_ = entry.index;
                chosen_ = entry.module;
                PickerChoose();
            }
        }
    }
    return 1;
}

void Picker::Draw(const Rect& rect) {
    if (busy_) {
        if (picture_) ShapeDraw(nullptr, picture_, 0, 0, 0, 0);
        return;
    }
    BackdropDrawMain(&rect);
    ActorDrawAll(&rect);
    guide_.Draw(&rect);
    pointer_.Draw(&rect);
}

void Picker::showPicture(std::uint16_t id) {
    freePicture();
    picture_ = ShapeBankLoad(id);
    UpdateInvalRect(&screenRect_);
}

void Picker::freePicture() {
    if (!picture_) return;
    ShapeBankFree(&picture_);
    UpdateInvalRect(&screenRect_);
}
