// Clocks on the engine clock. A clock's value is its start time while it runs and is not suspended, and
// its elapsed milliseconds otherwise.
#include "Clock.h"

#include "EngineClock.h"

namespace {

constexpr std::uint16_t kInUse = 0x8000;
constexpr std::uint16_t kSuspended = 0x0100;
constexpr std::uint16_t kRunning = 0x0001;

struct ClockRecord {
    std::uint16_t flags = 0;
    std::uint32_t value = 0;

    bool is(std::uint16_t flag) const { return (flags & flag) != 0; }
    // Running and not suspended: the value is a start time.
    bool ticking() const { return is(kRunning) && !is(kSuspended); }
};

ClockRecord clocks[kClockCount];

ClockRecord* inUse(std::uint16_t index) {
    return index < kClockCount && clocks[index].is(kInUse) ? &clocks[index] : nullptr;
}

// Turns a start time into elapsed milliseconds or back; the same subtraction does both.
void flip(ClockRecord& clock) { clock.value = ClockMilliseconds() - clock.value; }

}  // namespace

void ClockInitAll() {
    for (ClockRecord& clock : clocks) clock.flags &= static_cast<std::uint16_t>(~(kInUse | kSuspended | kRunning));
}

void ClockFreeAll() { ClockInitAll(); }

ClockRef ClockAlloc() {
    for (std::uint16_t index = 0; index < kClockCount; ++index) {
        if (clocks[index].is(kInUse)) continue;
        clocks[index] = {kInUse, 0};
        return kClockTag | index;
    }
    return 0;
}

void ClockFree(ClockRef* clock) {
    if (!clock) return;
    if ((*clock & 0xFFFF0000) != kClockTag) return;
    if (ClockRecord* record = inUse(static_cast<std::uint16_t>(*clock & 0xFFFF))) record->flags = 0;
    *clock = 0;
}

void ClockStart(std::uint16_t index) {
    ClockRecord* clock = inUse(index);
    if (!clock || clock->is(kRunning)) return;
    clock->flags |= kRunning;
    if (!clock->is(kSuspended)) flip(*clock);
}

void ClockStop(std::uint16_t index) {
    ClockRecord* clock = inUse(index);
    if (!clock || !clock->is(kRunning)) return;
    clock->flags &= static_cast<std::uint16_t>(~kRunning);
    if (!clock->is(kSuspended)) flip(*clock);
}

std::uint32_t ClockGetElapsed(std::uint16_t index) {
    const ClockRecord* clock = inUse(index);
    if (!clock) return 0;
    return clock->ticking() ? ClockMilliseconds() - clock->value : clock->value;
}

void ClockSetElapsed(std::uint16_t index, std::uint32_t ms) {
    ClockRecord* clock = inUse(index);
    if (!clock) return;
    clock->value = clock->ticking() ? ClockMilliseconds() - ms : ms;
}

std::int16_t ClockIsRunning(std::uint16_t index) {
    const ClockRecord* clock = inUse(index);
    return clock && clock->ticking() ? 1 : 0;
}

void ClockSuspendAll() {
    for (ClockRecord& clock : clocks) {
        if (!clock.is(kInUse) || clock.is(kSuspended)) continue;
        if (clock.is(kRunning)) flip(clock);
        clock.flags |= kSuspended;
    }
}

void ClockResumeAll() {
    for (ClockRecord& clock : clocks) {
        if (!clock.is(kInUse) || !clock.is(kSuspended)) continue;
        clock.flags &= static_cast<std::uint16_t>(~kSuspended);
        if (clock.is(kRunning)) flip(clock);
    }
}
