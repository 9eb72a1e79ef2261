// The racing horn's behaviour apart from its pictures: pressing, blinking every 7 ticks and the
// out-of-fuel sequence of the crash animation. Time is the 1/60-second clock handed to every call.
#pragma once

#include <cstdint>
#include <functional>

#include "PXKCallGuard.h"

class PXKHornCore {
public:
    using Notify = std::function<void()>;
    using Sound = std::function<void(std::int32_t)>;

    PXKHornCore(Notify pressed, Notify outOfFuel, Sound sound);

    // press and tick return false when the owner's handling of a callback destroyed the horn.
    bool press(std::uint32_t now);
    void startBlink(std::uint32_t now);
    void stopBlink();
    void startCrash(std::uint32_t now);
    bool tick(std::uint32_t now);

    std::int32_t state() const { return state_; }
    // The horn's shown position; the crash animation's position, 0 while there is none.
    std::int32_t position() const { return position_; }
    std::int32_t crashPosition() const { return crashPosition_; }

private:
    bool crashStep(std::uint32_t now);
    void blinkStep(std::uint32_t now);

    Notify pressed_;
    Notify outOfFuel_;
    Sound sound_;
    std::int32_t state_ = 0;  // 0 idle, 2 pressed, 4 to 6 out of fuel
    bool blinking_ = false;
    std::uint32_t timer_ = 0;
    std::uint32_t blinkTimer_ = 0;
    std::int32_t position_ = 1;
    std::int32_t crashPosition_ = 0;
    std::int32_t crashStep_ = 0;
    PXKCallGuard guard_;
};
