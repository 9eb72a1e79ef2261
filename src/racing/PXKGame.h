// The racing road: the scrolling scenery, the road signs and the choice text coming closer, passing away
// or flying off as the reward, drawn by the road itself from hidden pictures. The owner hears codes and
// sound requests as texts through two links.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "OMLink.h"
#include "OMTrinket.h"
#include "PXKRoad.h"

class OMAnimation;

class PXKGame : public OMTrinket {
public:
    PXKGame(const OMLink* code, const OMLink* sound, OMTrinketWindow* owner);
    ~PXKGame() override;

    OMScriptableObject* clone() override { return nullptr; }
    void tick() override;
    void draw() override;
    void onMouseDown() override;

    void start(std::int32_t raceLength, std::int32_t speed, bool freeRun);
    void go();
    void brake() { road_.brake(); }
    void setSpeed(std::int32_t speed) { road_.setSpeed(speed); }
    void showSign(std::int32_t kind) { road_.showSign(kind); }
    void showChoice(const std::string& text, bool fresh) { road_.showChoice(text, fresh); }
    bool signInReach() const { return road_.signInReach(); }
    void right();
    void wrong();
    void loadScenery();
    void dropScenery();
    void togglePause() { road_.togglePause(); }
    bool hasScenery() const { return scenery_ != nullptr; }
    const PXKRoad& road() const { return road_; }

private:
    void notify(OMLink* link, std::int32_t value);
    void drawText(const OMRect& clip);

    std::unique_ptr<OMLink> code_;
    std::unique_ptr<OMLink> sound_;
    PXKRoad road_;
    std::array<std::unique_ptr<OMAnimation>, pxk::kGlyphCount> glyphs_;
    std::array<std::unique_ptr<OMAnimation>, 3> signs_;  // by sign kind 0, 1, 2
    std::unique_ptr<OMAnimation> sparkle_;
    std::unique_ptr<OMAnimation> flyer_;
    std::array<std::unique_ptr<OMAnimation>, 4> corners_;
    std::unique_ptr<OMAnimation> scenery_;
    std::int32_t sceneryCount_ = 0;
};
