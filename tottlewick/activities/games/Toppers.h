// Toppers: three cats in hats and a fourth hat above them; the child picks the cat whose hat matches.
// Three turns make a level, eight levels a round.
#pragma once

#include <cstdint>

#include "Activity.h"
#include "AnimSpot.h"
#include "KitSample.h"
#include "SndCache.h"

class Toppers : public Activity {
public:
    static constexpr int kCats = 3;

    Toppers();
    ~Toppers() override;

    void OnTimer(std::uint32_t timerId, std::int32_t lParam) override;
    std::int32_t OnMouseMove(Point point) override;
    std::int32_t OnMouseDown(Point point) override;
    std::int32_t OnMouseUp(Point point) override;
    std::int32_t OnCommand(std::uint32_t commandId) override;
    void OnNotify(std::uint32_t code) override;
    std::int32_t OnKey() override;
    void Draw(const Rect& rect) override;

    std::uint16_t Level() const { return level_; }
    std::uint32_t State() const { return state_; }
    // The hat codes of cats 0-2 and of the target (index 3).
    const std::uint16_t* Codes() const { return codes_; }
    std::uint16_t Target() const { return target_; }

private:
    void step();
    void newTurn();
    void dealCodes();
    void placeHats();
    void pickRight(int cat);
    void pickWrong(int cat);
    void playEffect(MemHandle sample, std::uint16_t soundId);
    void showCats(std::uint16_t on);
    void setHelpActive(std::int16_t on);
    void startIdle();

    SoundClip question_;
    std::uint16_t level_ = 1;
    std::uint16_t turn_ = 0;
    std::uint16_t codes_[kCats + 1] = {};
    std::uint16_t target_ = 0;
    std::uint16_t right_ = 0;
    std::uint16_t lastPick_ = 0;
    AnimSpot cats_[kCats];
    ShapeBank hats_ = 0;
    std::uint32_t state_ = 0;
    AnimClip closing_;
    AnimClip idle_;
    AnimClip celebration_[kCats];
    AnimClip levelEnd_;
    KitSamplePlay effectChannel_;
    KitSamplePlay askChannel_;  // the second 1911 of a wrong pick
    MemHandle askSample_ = 0;    // 1911
    MemHandle rightSample_ = 0;  // 1922
    MemHandle wrongSample_ = 0;  // 1930
    SndCacheItem preload_[21] = {};
    std::uint16_t preloadCount_ = 0;
};
