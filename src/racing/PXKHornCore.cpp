// The horn shows positions 1 and 2 idle (2 lit while blinking), 3 and 4 pressed; out of fuel, the crash
// animation runs forward through 4, 8, 10 and 13, rests, and steps back to 1.
#include "PXKHornCore.h"

namespace {

constexpr std::int32_t kCrashPositions[4] = {4, 8, 10, 13};
constexpr std::uint32_t kBlinkTicks = 7;

bool due(std::uint32_t now, std::uint32_t timer) { return std::int32_t(now - timer) >= 0; }

}  // namespace

PXKHornCore::PXKHornCore(Notify pressed, Notify outOfFuel, Sound sound)
    : pressed_(std::move(pressed)), outOfFuel_(std::move(outOfFuel)), sound_(std::move(sound)) {}

bool PXKHornCore::press(std::uint32_t now) {
    if (state_ != 0) return true;
    state_ = 2;
    position_ = position_ == 2 ? 4 : 3;
    timer_ = now + 30;
    return guard_.call(pressed_);
}

void PXKHornCore::startBlink(std::uint32_t now) {
    if (blinking_) return;
    blinking_ = true;
    blinkTimer_ = now + kBlinkTicks;
}

void PXKHornCore::stopBlink() {
    if (!blinking_) return;
    blinking_ = false;
    if (state_ == 2) return;
    state_ = 0;
    position_ = 1;
}

void PXKHornCore::startCrash(std::uint32_t now) {
    state_ = 4;
    blinking_ = false;
    position_ = 1;
    timer_ = now + 1;
}

bool PXKHornCore::tick(std::uint32_t now) {
    if (state_ == 2 && due(now, timer_)) {
        position_ = blinking_ && position_ != 3 ? 2 : 1;
        state_ = 0;
    } else if (state_ >= 4 && due(now, timer_) && !crashStep(now)) {
        return false;
    }
    if (blinking_ && due(now, blinkTimer_)) blinkStep(now);
    return true;
}

bool PXKHornCore::crashStep(std::uint32_t now) {
    timer_ = now + 1;
    if (state_ == 4) {
        crashPosition_ = 1;
        crashStep_ = 0;
        state_ = 5;
    } else if (state_ == 5) {
        crashPosition_ = kCrashPositions[crashStep_++];
        if (crashPosition_ != 13) return true;
        state_ = 6;
        timer_ = now + 120;
    } else {
        if (crashPosition_ == 13 && !guard_.call([this] { sound_(13267); })) return false;
        timer_ = now + 2;
        if (--crashPosition_ > 1) return true;
        crashPosition_ = 0;
        state_ = 0;
        return guard_.call(outOfFuel_);
    }
    return true;
}

void PXKHornCore::blinkStep(std::uint32_t now) {
    blinkTimer_ = now + kBlinkTicks;
    if (state_ == 2)
        position_ = position_ == 3 ? 4 : 3;
    else if (state_ == 0)
        position_ = position_ == 1 ? 2 : 1;
}
