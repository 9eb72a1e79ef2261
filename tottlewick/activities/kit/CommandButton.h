// A picture button that posts its actor id as a command (10010): plain ones fire when the mouse enters
// them, click-only ones on a release over them, hover-wait ones when the pointer's hover animation ends.
#pragma once

#include "ActorButton.h"

class CommandButton : public ActorButton {
public:
    CommandButton();
    // Frees its table slot too, so a button destroyed without Remove never fires on the next screen.
    ~CommandButton() override;

    // Takes the first free of the 16 slots; a 17th button still draws but never fires.
    void Register(const void* owner, std::uint16_t clickOnly, std::uint16_t hoverWait);
    void Remove() override;
    void Hover(std::int16_t on);
    void Fire();
    void SetClickSound(std::uint16_t on) { clickSound_ = on; }
    void SetClickOnly(std::uint16_t on) { clickOnly_ = on; }

    static CommandButton* ButtonFind(std::int32_t actorId);
    static void ButtonsTrackMouse(Point point);
    static std::int32_t ButtonsMouseDown(Point point);
    static void ButtonsMouseUp(Point point);

private:
    std::uint16_t hoverWait_ = 0;
    std::uint16_t clickOnly_ = 0;
    std::uint16_t clickSound_ = 0;
    const void* owner_ = nullptr;  // kept with the button, never consulted
};
