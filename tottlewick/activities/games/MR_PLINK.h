// MR_PLINK: six animated spots; a prompt names one, the child clicks spots until the named one is found,
// then the next of the six in a shuffled order; all six give a reward (the first time in the run also a
// closing sequence) and a new game. Each new activity takes the next of three sets of spots and clips.
#pragma once

#include <cstdint>

#include "Activity.h"
#include "AnimSpot.h"

class MR_PLINK : public Activity {
public:
    static constexpr int kSpots = 6;

    MR_PLINK();

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    void OnNotify(std::uint32_t code) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;
    void PlayHelp() override;
    void PlayIdlePrompt() override;

private:
    void voiceEvent(ClipState status);
    void playEvent(ClipState status);
    void voiceIdle();
    void voiceFinished();
    void playIdle();
    void playFinished();
    void newGame();
    void promptTarget();

    AnimClip reward_;
    AnimClip closing_;
    AnimClip prompts_[kSpots];
    CommandButton replay_;
    AnimSpot spots_[kSpots];
    AnimClip* prompt_ = nullptr;  // the prompt of the current target
};
