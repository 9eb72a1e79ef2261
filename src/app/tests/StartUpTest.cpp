// The start-up checks in their order through the alert seam, the window rectangle and the dissolve's
// block order.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "ApplicationMain.h"
#include "DissolveOrder.h"
#include "OMAlert.h"

namespace {

std::vector<std::string> alerts;

int recordAlert(const char* text, unsigned flags, const char* title) {
    alerts.push_back(std::string(text) + "|" + std::to_string(flags) + "|" + title);
    return 1;
}

// What a machine answers the probes.
struct Machine {
    std::uint64_t availableVirtualBytes = 8000000;
    std::uint32_t waveOutDevices = 1;
    bool wingLoads = true;
    bool diskProbeWritten = true;
    std::int32_t bitsPerPixel = 8;
    OMRect screen{0, 0, 640, 480};
};

// Probes that answer from `machine` and note their names in `asked`.
MachineProbes probesOf(const Machine& machine, std::string& asked) {
    const auto note = [&asked](const char* name, auto value) {
        return [&asked, name, value] {
            asked += name;
            return value;
        };
    };
    return {note("memory ", machine.availableVirtualBytes), note("wave ", machine.waveOutDevices),
            note("wing ", machine.wingLoads),                note("disk ", machine.diskProbeWritten),
            note("depth ", machine.bitsPerPixel),            note("screen ", machine.screen)};
}

// Each check fails with its text, and the probes after it are never asked.
TEST(StartUpTest, TheFirstFailingCheckShowsItsTextAndAsksNoLaterProbe) {
    struct Case {
        void (*spoil)(Machine&);
        const char* text;
        const char* asked;
    } const cases[] = {
        {[](Machine& m) { m.availableVirtualBytes = 7999999, m.waveOutDevices = 0; },
         "Not enough memory to run this application.", "memory "},
        {[](Machine& m) { m.waveOutDevices = 0, m.wingLoads = false; }, "This application requires .WAV driver to run.",
         "memory wave "},
        {[](Machine& m) { m.wingLoads = false; }, "This application requires Wing to run.", "memory wave wing "},
        {[](Machine& m) { m.diskProbeWritten = false; },
         "There is not enough disk space free to run this product. Please make some room on your hard drive and "
         "start again.",
         "memory wave wing disk "},
        {[](Machine& m) { m.bitsPerPixel = 4, m.screen.right = 320; },
         "This product requires a 256-color display.\nPlease set your display to 256-color mode and start again.",
         "memory wave wing disk depth "},
        {[](Machine& m) { m.screen.bottom = 479; },
         "This product requires at least a 640 x 480 256-color display. Please set your display to 640 x 480 "
         "256-color and start again.",
         "memory wave wing disk depth screen "},
        {[](Machine&) {}, nullptr, "memory wave wing disk depth screen "},
    };
    const OMAlertSink previous = omSetAlertSink(recordAlert);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        Machine machine;
        c.spoil(machine);
        alerts.clear();
        std::string asked;
        EXPECT_EQ(c.text == nullptr, passStartupChecks(probesOf(machine, asked)));
        EXPECT_EQ(c.asked, asked);
        EXPECT_EQ(c.text ? std::vector<std::string>{std::string(c.text) + "|12288|Alert"} : std::vector<std::string>{},
                  alerts);
    }
    omSetAlertSink(previous);
    EXPECT_TRUE((OMRect{80, 60, 720, 520}) == applicationWindowRect(801, 601));
}

TEST(StartUpTest, TheDissolveVisitsEveryBlockButZeroAnd576Once) {
    const std::vector<std::uint16_t> order = dissolveOrder();
    ASSERT_EQ(1022u, order.size());
    // 576 >> 1 = 288 ... 18 >> 1 = 9; 9 shifts out a 1: 4 ^ 576 = 580, then 290, 145; 145: 72 ^ 576 = 520.
    EXPECT_EQ((std::vector<std::uint16_t>{288, 144, 72, 36, 18, 9, 580, 290, 145, 520}),
              std::vector<std::uint16_t>(order.begin(), order.begin() + 10));
    std::vector<std::uint16_t> blocks(1023);
    std::iota(blocks.begin(), blocks.end(), 1);
    blocks.erase(blocks.begin() + 575);
    EXPECT_TRUE(std::is_permutation(order.begin(), order.end(), blocks.begin()));
}

}  // namespace
