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

TEST(StartUpTest, TheFirstFailingCheckShowsItsText) {
    struct Case {
        void (*spoil)(MachineFacts&);
        const char* text;
    } const cases[] = {
        {[](MachineFacts& f) { f.availableVirtualBytes = 7999999; }, "Not enough memory to run this application."},
        {[](MachineFacts& f) { f.waveOutDevices = 0, f.wingLoads = false; }, "This application requires .WAV driver to run."},
        {[](MachineFacts& f) { f.wingLoads = false; }, "This application requires Wing to run."},
        {[](MachineFacts& f) { f.diskProbeWritten = false; },
         "There is not enough disk space free to run this product. Please make some room on your hard drive and "
         "start again."},
        {[](MachineFacts& f) { f.bitsPerPixel = 4, f.screenWidth = 320; },
         "This product requires a 256-color display.\nPlease set your display to 256-color mode and start again."},
        {[](MachineFacts& f) { f.screenHeight = 479; },
         "This product requires at least a 640 x 480 256-color display. Please set your display to 640 x 480 "
         "256-color and start again."},
        {[](MachineFacts&) {}, nullptr},
    };
    const OMAlertSink previous = omSetAlertSink(recordAlert);
    for (const Case& c : cases) {
        MachineFacts facts{8000000, 1, true, true, 8, 640, 480};
        c.spoil(facts);
        alerts.clear();
        EXPECT_EQ(c.text == nullptr, passStartupChecks(facts));
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
