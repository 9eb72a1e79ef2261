// The screen that asks whether to leave the program, drawn over the Picker: the quit button (or any
// key) ends the program, the back button returns to the Picker.
#pragma once

#include "AnimClip.h"
#include "CommandButton.h"
#include "HoverPointer.h"
#include "Scene.h"
#include "SoundClip.h"

class QuitConfirmScene : public Scene {
public:
    QuitConfirmScene();
    ~QuitConfirmScene() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseMove(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;

private:
    CommandButton quitButton_;
    CommandButton backButton_;
    AnimClip first_;
    AnimClip second_;
    HoverPointer pointer_;
    SoundClip voice_;
};
