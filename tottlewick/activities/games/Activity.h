// The base of the full activities: the module's resource file and main backdrop, the exit (100) and help
// (120) buttons, the hover pointer and the voice prompts.
#pragma once

#include <cstdint>

#include "CommandButton.h"
#include "HoverPointer.h"
#include "Res.h"
#include "Scene.h"
#include "SoundClip.h"

constexpr std::uint32_t kActivityHelpCommand = 120;
constexpr std::uint32_t kNoInputTimerId = 900;

class Activity : public Scene {
public:
    Activity(const char* moduleName, std::uint16_t backdropXpk, std::uint16_t paletteDib, std::uint16_t pointerXpk);
    ~Activity() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseMove(Point point) override;
    std::int32_t OnMouseDown(Point point) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    void Draw(const Rect& rect) override;

    virtual void PlayIntro();
    virtual void PlayHelp();
    virtual void PlayIdlePrompt();
    virtual void Exit();
    // Activates the help button's actor, and the given button's, or deactivates them.
    virtual void SetInteractive(std::uint16_t on, CommandButton* button);

protected:
    SoundClip voice_;
    std::uint16_t introPlaying_ = 0;
    std::uint16_t interactive_ = 0;
    // Set by each activity.
    std::uint32_t introSound_ = 0, helpSound_ = 0, idleSound_ = 0;
    CommandButton exitButton_;
    CommandButton helpButton_;
    ResSource resources_ = 0;
    HoverPointer pointer_;
};
