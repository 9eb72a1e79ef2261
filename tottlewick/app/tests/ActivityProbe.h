// Driving an activity through the title probe: a scenario as a list of steps on a 10 ms clock, entered
// from the Picker; the sound calls kept for reading, the posted events read without taking them, and
// random draws scripted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "AppModule.h"

namespace probe {

// Each pass moves the clock 10 ms and runs the current step until it returns true; when every step is
// done the run ends. A step still waiting after 60 s of the clock logs "stuck at step N" and ends it.
class Steps {
public:
    Steps(std::initializer_list<std::function<bool()>> steps) : steps_(steps) {}
    explicit Steps(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {}
    void run();

private:
    std::vector<std::function<bool()>> steps_;
    std::size_t next_ = 0;
    std::uint32_t since_ = 0;
};

// A step that shows the Picker (the first time), then posts `choice` until `module` is current.
std::function<bool()> enter(std::uint32_t choice, AppModuleProc module);
// A step that lets `ms` of the clock pass.
std::function<bool()> pause(std::uint32_t ms);
// Posts an application message to the main window, as the kit does.
void post(UINT message, WPARAM wParam);
// The play layer's calls since the last take ("start id=...", "stop ch=...").
std::vector<std::string> takeCalls();
// Appends the calls since the last take to `into`.
void gather(std::vector<std::string>& into);
// The ids of the starts among calls, in order, as "2030 2040".
std::string startedIds(const std::vector<std::string>& calls);
// The first start of `id` among calls without its channel ("start id=2024 pri=... flags=1"), and its
// channel (-1 when none).
std::string startLine(const std::vector<std::string>& calls, std::uint32_t id);
std::int16_t channelOf(const std::vector<std::string>& calls, std::uint32_t id);
// The posted events, oldest first, as "10010 2033"; they stay posted.
std::vector<std::string> posted();
// The palette index of the offscreen picture at (x, y); -1 outside it.
int offscreenPixel(int x, int y);
// The next draws of the random source; after them the probe's own sequence goes on.
void scriptRandom(std::vector<std::uint16_t> values);
// Draws of a seeded generator from now on.
void seedRandom(std::uint32_t seed);

}  // namespace probe
