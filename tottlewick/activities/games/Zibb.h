// Zibb: six picture buttons dealt at random, a voice names one, and the child clicks it; the right one
// earns a cheering character, the picture's follow-up line and, once per run, an extra sequence.
#pragma once

#include <cstdint>

#include "Activity.h"
#include "AnimClip.h"
#include "KitSample.h"

class Zibb : public Activity {
public:
    static constexpr int kButtons = 6;

    Zibb();
    ~Zibb() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;

    std::uint32_t State() const { return state_; }
    std::uint16_t Variant() const { return variant_; }
    std::uint16_t Target() const { return target_; }
    // The picture of button i, without the variant's offset.
    std::uint16_t Picture(int i) const { return pictures_[i]; }

private:
    void step();
    void deal();
    void drawPictures();
    void addButton(int i, std::uint16_t picture);
    void newTurn();
    void startTurnClips();
    void playSample(MemHandle sample, std::uint16_t soundId);
    void reward();
    void showA(std::int16_t on);

    std::uint16_t variant_ = 1;
    AnimClip clipA_;
    AnimClip clipB_;
    AnimClip clipC_;
    AnimClip loopSound_;
    CommandButton buttons_[kButtons];
    std::uint16_t pictures_[kButtons] = {};
    std::uint16_t target_ = 0;
    std::uint32_t previousSound_ = 0;
    SoundClip line_;
    MemHandle choiceSample_ = 0;  // 3900
    MemHandle cheer2Sample_ = 0;  // 3232, variant 2
    MemHandle cheer1Sample_ = 0;  // 3233, variant 1
    KitSamplePlay choiceChannel_;
    KitSamplePlay cheerChannel_;
    std::uint32_t state_ = 1;
    std::uint16_t right_ = 0;
};
