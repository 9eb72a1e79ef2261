// The engine's one time source over timeGetTime, with the replacement that tests install.
#include "EngineClock.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

std::uint32_t systemMilliseconds() { return timeGetTime(); }

ClockSource currentSource = systemMilliseconds;

}  // namespace

std::uint32_t ClockMilliseconds() { return currentSource(); }

std::uint32_t ClockSixtieths() {
    return static_cast<std::uint32_t>(std::uint64_t{ClockMilliseconds()} * 60 / 1000);
}

ClockSource ClockSetSource(ClockSource source) {
    ClockSource previous = currentSource;
    currentSource = source ? source : systemMilliseconds;
    return previous == systemMilliseconds ? nullptr : previous;
}
