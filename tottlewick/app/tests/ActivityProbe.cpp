// The title probe's activity scenarios: steps, the Picker's choice, sound calls, posted events, draws.
#include "ActivityProbe.h"

#include <deque>
#include <utility>

#include "AppBindings.h"
#include "ActivityProbeTest.h"
#include "AppEvents.h"
#include "AppGlobals.h"
#include "Canvas.h"
#include "DisplayCanvas.h"
#include "ModuleProcs.h"
#include "Rand.h"
#include "SceneGlobals.h"
#include "SndCallLog.h"
#include "TitleProbe.h"

namespace probe {
namespace {

constexpr std::uint32_t kStepMs = 10;
constexpr std::uint32_t kStuckMs = 60000;
constexpr std::uint32_t kChoiceEveryMs = 100;

std::vector<std::string> calls;
std::deque<std::uint16_t> scripted;
RandSource fallback = nullptr;
std::uint32_t seed = 0;

std::uint16_t scriptedDraw() {
    const std::uint16_t value = scripted.front();
    scripted.pop_front();
    if (scripted.empty()) RandSetSource(fallback);
    return value;
}

std::uint16_t seededDraw() {
    seed = seed * 214013u + 2531011u;
    return static_cast<std::uint16_t>(seed >> 16 & 0x7FFF);
}

}  // namespace

void Steps::run() {
    if (next_ > steps_.size()) return;
    if (next_ == 0 && since_ == 0) SndSetCallLog([](const char* line) { calls.emplace_back(line); });
    advance(kStepMs);
    if (next_ == steps_.size()) {
        ++next_;
        AppQuit();
    } else if (steps_[next_]()) {
        ++next_;
        since_ = now();
    } else if (now() - since_ > kStuckMs) {
        log("stuck at step " + std::to_string(next_));
        next_ = steps_.size() + 1;
        AppQuit();
    }
}

std::function<bool()> enter(std::uint32_t choice, AppModuleProc module) {
    return [choice, module, last = std::uint32_t{0}]() mutable {
        if (AppGetModule() == module && gActivity) return true;
        if (AppGetModule() == IntroModuleProc) AppSetModule(window(), PickerModuleProc, 0);
        if (AppGetModule() != PickerModuleProc || now() - last < kChoiceEveryMs) return false;
        takeCalls();
        post(kAppCommand, choice);
        last = now();
        return false;
    };
}

std::function<bool()> pause(std::uint32_t ms) {
    return [ms, until = std::uint32_t{0}]() mutable {
        if (!until) until = now() + ms;
        return now() >= until;
    };
}

void post(UINT message, WPARAM wParam) {
    AppPostMessage(window(), message, wParam, 0);
}

std::vector<std::string> takeCalls() {
    return std::exchange(calls, {});
}

void gather(std::vector<std::string>& into) {
    for (std::string& line : takeCalls()) into.push_back(std::move(line));
}

std::string startLine(const std::vector<std::string>& lines, std::uint32_t id) {
    const std::string prefix = "start id=" + std::to_string(id) + " ch=";
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) return line.substr(0, prefix.size() - 4) + line.substr(line.find(" pri="));
    }
    return "no start of " + std::to_string(id);
}

std::int16_t channelOf(const std::vector<std::string>& lines, std::uint32_t id) {
    const std::string prefix = "start id=" + std::to_string(id) + " ch=";
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) return static_cast<std::int16_t>(std::stoi(line.substr(prefix.size())));
    }
    return -1;
}

std::string startedIds(const std::vector<std::string>& lines) {
    std::string ids;
    for (const std::string& line : lines) {
        if (line.rfind("start id=", 0) != 0) continue;
        ids += (ids.empty() ? "" : " ") + line.substr(9, line.find(' ', 9) - 9);
    }
    return ids;
}

std::vector<std::string> posted() {
    std::vector<AppPostedEvent> events;
    AppPostedEvent event{};
    while (AppTakePostedEvent(&event)) events.insert(events.begin(), event);
    std::vector<std::string> lines;
    for (const AppPostedEvent& each : events) {
        AppPostMessage(each.window, each.message, each.wParam, each.lParam);
        lines.push_back(std::to_string(each.message) + " " + std::to_string(each.wParam));
    }
    return lines;
}

int offscreenPixel(int x, int y) {
    const Canvas canvas = DisplayGetOffscreenCanvas();
    void* base = nullptr;
    std::int32_t step = 0;
    std::uint16_t depth = 0;
    Rect area{};
    if (!CanvasLockPixels(canvas, &base, &step, &depth, &area)) return -1;
    const bool inside = x >= 0 && y >= 0 && x < area.right - area.left && y < area.bottom - area.top;
    const int pixel = inside ? static_cast<const std::uint8_t*>(base)[static_cast<std::ptrdiff_t>(y) * step + x] : -1;
    CanvasUnlockPixels(canvas);
    return pixel;
}

void scriptRandom(std::vector<std::uint16_t> values) {
    if (values.empty()) return;
    if (scripted.empty()) fallback = RandSetSource(scriptedDraw);
    scripted.insert(scripted.end(), values.begin(), values.end());
}

void seedRandom(std::uint32_t value) {
    seed = value;
    RandSetSource(seededDraw);
}

}  // namespace probe
