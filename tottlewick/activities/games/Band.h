// Band: four musicians play one song in step, silent until the child switches them on; a conductor
// conducts while anybody plays, and touching him ends the piece (a new song follows when music was made).
#pragma once

#include <cstdint>

#include "Activity.h"
#include "AnimClip.h"

class Band : public Activity {
public:
    static constexpr int kMusicians = 4;

    Band();
    ~Band() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;
    void PlayHelp() override;
    void PlayIdlePrompt() override;
    void Exit() override;

private:
    struct Musician {
        Anim anim;  // the playing animation of the current song
        CommandButton button;
        std::uint16_t channel = 0xFFFF;
        std::uint16_t playing = 0;
        ShapeBank swapped = 0;  // the rollover bank that the next switch puts on the button
    };

    void setUpSong();
    void switchMusician(int i, bool on);
    void toggle(int i);
    void stopAll();
    void startConductor(std::uint32_t animId, AnimClip::Mode mode, std::uint16_t synchronised);
    void commonEnd();
    void runState(ClipState conductor);

    Musician musicians_[kMusicians];
    std::uint32_t state_ = 0;
    std::uint16_t song_ = 0;
    CommandButton conductorButton_;
    AnimClip conductor_;
    AnimClip goodbye_;
    std::uint16_t playingCount_ = 0;
    std::uint16_t madeMusic_ = 0;
};
