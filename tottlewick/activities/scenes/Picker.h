// The Picker: the hub screen that launches the seven activities, the options and the quit confirmation.
// It lives from its first showing until shutdown; leaving an activity returns to it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "AnimClip.h"
#include "AppModule.h"
#include "CommandButton.h"
#include "HoverPointer.h"
#include "Res.h"
#include "Scene.h"
#include "ShapeMgr.h"
#include "SoundClip.h"

class Picker : public Scene {
public:
    Picker();
    ~Picker() override;

    // Resume 0 builds the screen anew (backdrop, exit, help and 7011 buttons); resume 1 wakes it after
    // a screen pushed over it. Either way the choices come back and the guide's animation starts.
    void PickerShow(std::uint16_t resume);
    // Pause 1 only quiets it under a pushed screen; pause 0 takes everything down.
    void PickerHide(std::uint16_t pause);
    // Shows picture 207 and plays sound 200; the module switch follows on the timer.
    void PickerChoose();
    // Back from an activity: picture 201 + choice when the choice was reached during the visit, else
    // 200, while sound 200 plays.
    void PickerReturn();

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseMove(Point point) override;
    std::int32_t OnMouseDown(Point point) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    std::int32_t OnKey() override;
    void Pause() override { PickerHide(1); }
    void Resume() override { PickerShow(1); }
    void Draw(const Rect& rect) override;

    // The guide's animation: 7850 on every showing, holding the 13 frames 7799-7811.
    const AnimClip& Guide() const { return guide_; }

private:
    void choose(std::int16_t index);
    void showPicture(std::uint16_t id);
    void freePicture();
    void endSwitch();

    ResSource resources_ = 0;
    CommandButton choices_[8];
    CommandButton exitButton_;
    CommandButton helpButton_;
    HoverPointer pointer_;
    std::int16_t choice_ = -1;
    AppModuleProc chosen_ = nullptr;
    std::uint16_t busy_ = 0;
    std::uint16_t chosenBefore_ = 0;
    ShapeBank picture_ = 0;  // shown while switching
    SoundClip sound_;
    AnimClip guide_;
    CommandButton guideButton_;  // 7011
    std::uint16_t firstClick_ = 1;
};

// The Picker object, null before its first showing (or when another scene stands in for it).
Picker* PickerObject();
