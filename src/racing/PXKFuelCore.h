// The racing fuel gauge's behaviour apart from its picture: filling, losing a unit and the mouse-up
// adjustment. The picture shows position 6 - level; time is the 1/60-second clock.
#pragma once

#include <cstdint>
#include <functional>

#include "PXKCallGuard.h"

class PXKFuelCore {
public:
    explicit PXKFuelCore(std::function<void()> unitLost) : unitLost_(std::move(unitLost)) {}

    void fill(std::uint32_t now);
    void loseUnit();
    // A mouse-up while idle: below the gauge's middle one unit less (at least 1), else one more (at most 5).
    void adjust(bool belowMiddle);
    void togglePause() { paused_ = !paused_; }
    // False when the owner's handling of a lost unit destroyed the gauge.
    bool tick(std::uint32_t now);

    std::int32_t level() const { return level_; }
    std::int32_t position() const { return position_; }

private:
    std::function<void()> unitLost_;
    std::int32_t state_ = 0;  // 0 idle, 2 filling, 3 losing a unit
    std::int32_t level_ = 5;
    std::int32_t position_ = 1;
    std::int32_t step_ = 0;
    std::uint32_t timer_ = 0;
    bool paused_ = false;
    PXKCallGuard guard_;
};
