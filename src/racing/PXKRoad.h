// The racing road's behaviour apart from its pictures: the state cycle of a sign (approach, pass away,
// right-answer run with the reward flight, wrong-answer run), the scrolling scenery's rate and frame, the
// layout of the choice text and the sparkles. Time is the 1/60-second clock handed to every call; the
// owner hears codes and sound requests through the two callbacks, and glyph sizes come from the pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PXKCallGuard.h"
#include "PXKRoadTables.h"

class PXKRoad {
public:
    struct Size {
        std::int32_t width;
        std::int32_t height;
    };
    struct Glyph {
        std::int32_t index;
        std::int32_t x, y, width, height;
    };
    struct Sparkle {
        std::int32_t x, y, frame;
    };
    using Notify = std::function<void(std::int32_t)>;
    // The size of frame (0-based) of a glyph's picture.
    using GlyphSize = std::function<Size(std::int32_t glyph, std::int32_t frame)>;

    PXKRoad(Notify code, Notify sound, GlyphSize glyphSize);

    void start(std::int32_t speed, bool freeRun, std::uint32_t now);
    void go(std::uint32_t now);
    void brake() { state_ = 4; }
    void setSpeed(std::int32_t speed);
    void showSign(std::int32_t kind);
    void showChoice(const std::string& text, bool fresh);
    bool signInReach() const { return state_ == 6 || state_ == 7; }
    void right(std::uint32_t now) { judged(8, now); }
    void wrong(std::uint32_t now) { judged(15, now); }
    // A new scenery: the road stands at frame 1 without a sign.
    void resetScenery();
    void togglePause() { paused_ = !paused_; }
    // False when the owner's handling of a code destroyed the road.
    bool tick(std::uint32_t now);

    // Set by every change that needs a redraw; the owner clears it.
    bool dirty = false;

    std::int32_t state() const { return state_; }
    std::int32_t rate() const { return rate_; }
    std::int32_t sceneryFrame() const { return sceneryFrame_; }
    // The sign board's kind and frame while a sign shows, else -1 for the frame.
    std::int32_t signKind() const { return signKind_; }
    std::int32_t signFrame() const { return signPhase_ == 2 ? signCounter_ - 1 : -1; }
    std::int32_t segment() const { return segment_; }
    const std::vector<Glyph>& glyphs() const { return glyphs_; }
    const std::vector<Sparkle>& sparkles() const { return sparkles_; }
    // The reward flyer's frame while it flies, else -1.
    std::int32_t flyerFrame() const { return state_ == 11 || state_ == 12 ? rewardCounter_ : -1; }

private:
    // The steps that send codes return false when the road did not survive one.
    [[nodiscard]] bool send(std::int32_t code);
    void startRolling(std::uint32_t now);
    bool work(std::uint32_t now);
    bool approach(std::uint32_t now);
    void rightRun(std::uint32_t now);
    bool passAway(std::uint32_t now);
    void wrongRun(std::uint32_t now);
    bool rewardGlyphs(std::uint32_t now);
    bool rewardSparkles(std::uint32_t now);
    void startPassAway(std::int32_t state);
    void judged(std::int32_t state, std::uint32_t now);
    bool sceneryStep(std::uint32_t now);
    bool signStep();
    void layout(std::int32_t gap);
    void placeSparkles();
    std::uint32_t approachDue(std::uint32_t now) const;

    Notify code_;
    Notify sound_;
    GlyphSize glyphSize_;
    std::int32_t state_ = 0;
    std::uint32_t timer_ = 0;
    // go's start of the scenery, kept apart from the state, which a sign may take over before it is due.
    bool starting_ = false;
    std::uint32_t startTimer_ = 0;
    std::int32_t speed_ = 1;
    std::int32_t rate_ = 0;
    std::int32_t sceneryFrame_ = 1;
    std::uint32_t sceneryTimer_ = 0;
    std::int32_t signPhase_ = 0;
    std::int32_t signKind_ = 0;
    std::int32_t signCounter_ = 0;
    std::vector<Glyph> glyphs_;
    bool numberType_ = false;
    pxk::SignLimits limits_ = pxk::signLimits(false);
    std::int32_t segment_ = 0;
    std::int32_t centreX_ = 0;
    std::int32_t centreY_ = 0;
    std::int32_t dx_ = 0;
    std::int32_t dy_ = 0;
    std::int32_t factorX_ = 0;
    std::int32_t factorY_ = 0;
    std::int32_t spacing_ = 0;
    bool fresh_ = false;
    std::int32_t rewardCounter_ = 0;
    std::vector<Sparkle> sparkles_;
    bool paused_ = false;
    PXKCallGuard guard_;
};
