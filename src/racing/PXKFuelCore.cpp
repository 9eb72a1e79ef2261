// The gauge moves one position per step of 7 ticks; a lost unit shows after 8 steps and the gauge rests
// until the 16th.
#include "PXKFuelCore.h"

#include <algorithm>

void PXKFuelCore::fill(std::uint32_t now) {
    state_ = 2;
    level_ = 5;
    timer_ = now + 7;
}

void PXKFuelCore::loseUnit() {
    --level_;
    step_ = 0;
    state_ = 3;
}

void PXKFuelCore::adjust(bool belowMiddle) {
    if (state_ != 0) return;
    level_ = belowMiddle ? std::max(level_ - 1, 1) : std::min(level_ + 1, 5);
    position_ = 6 - level_;
}

bool PXKFuelCore::tick(std::uint32_t now) {
    if (paused_ || state_ == 0 || std::int32_t(now - timer_) < 0) return true;
    timer_ = now + 7;
    if (state_ == 2) {
        if (position_ > 1) --position_;
        if (position_ == 1) state_ = 0;
        return true;
    }
    ++step_;
    if (step_ == 8) {
        position_ = 6 - level_;
        return guard_.call(unitLost_);
    }
    if (step_ == 16) state_ = 0;
    return true;
}
