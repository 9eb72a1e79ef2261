// The start-up checks in their order and through the alert seam, the window rectangle, the hand-off file
// and the first script it picks, and the dissolve's block order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ApplicationMain.h"
#include "DissolveOrder.h"
#include "Files.h"
#include "OMAlert.h"
#include "TempFolder.h"

namespace {

constexpr char kMemory[] = "Not enough memory to run this application.";
constexpr char kWave[] = "This application requires .WAV driver to run.";
constexpr char kWing[] = "This application requires Wing to run.";
constexpr char kDisk[] =
    "There is not enough disk space free to run this product. Please make some room on your hard drive and start "
    "again.";
constexpr char kDepth[] = "This product requires a 256-color display.\nPlease set your display to 256-color mode and "
                          "start again.";
constexpr char kSize[] = "This product requires at least a 640 x 480 256-color display. Please set your display to "
                         "640 x 480 256-color and start again.";

MachineFacts goodMachine() {
    MachineFacts facts;
    facts.availableVirtualBytes = 8000000;
    facts.waveOutDevices = 1;
    facts.wingLoads = true;
    facts.diskProbeWritten = true;
    facts.bitsPerPixel = 8;
    facts.screenWidth = 640;
    facts.screenHeight = 480;
    return facts;
}

struct Alert {
    std::string text;
    unsigned flags;
    std::string title;
};
std::vector<Alert> alerts;

int recordAlert(const char* text, unsigned flags, const char* title) {
    alerts.push_back({text, flags, title ? title : "(none)"});
    return 1;
}

TEST(StartUpTest, TheFirstFailingCheckGivesItsTextThroughTheAlertSeam) {
    struct Case {
        const char* what;
        void (*spoil)(MachineFacts&);
        const char* text;
    } const cases[] = {
        {"7,999,999 bytes", [](MachineFacts& f) { f.availableVirtualBytes = 7999999; }, kMemory},
        {"no wave device, and no WinG either", [](MachineFacts& f) { f.waveOutDevices = 0, f.wingLoads = false; }, kWave},
        {"no WinG", [](MachineFacts& f) { f.wingLoads = false; }, kWing},
        {"no disk room", [](MachineFacts& f) { f.diskProbeWritten = false; }, kDisk},
        {"4 bits and a small screen", [](MachineFacts& f) { f.bitsPerPixel = 4, f.screenWidth = 320; }, kDepth},
        {"639 wide", [](MachineFacts& f) { f.screenWidth = 639; }, kSize},
        {"479 high", [](MachineFacts& f) { f.screenHeight = 479; }, kSize},
        {"the smallest machine passes", [](MachineFacts&) {}, nullptr},
    };
    const OMAlertSink previous = omSetAlertSink(recordAlert);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MachineFacts facts = goodMachine();
        c.spoil(facts);
        alerts.clear();
        EXPECT_EQ(c.text == nullptr, passStartupChecks(facts));
        if (!c.text) {
            EXPECT_TRUE(alerts.empty());
            continue;
        }
        ASSERT_EQ(1u, alerts.size());
        EXPECT_EQ(c.text, alerts[0].text);
        EXPECT_EQ(0x3000u, alerts[0].flags);
        EXPECT_EQ("Alert", alerts[0].title);
    }
    omSetAlertSink(previous);
}

TEST(StartUpTest, ThisMachinePassesAndTheWindowSitsAboveTheScreensMiddle) {
    EXPECT_EQ(nullptr, failedCheckText(readMachineFacts()));
    struct Case {
        int w, h;
        OMRect rect;
    } const cases[] = {{640, 480, {0, 0, 640, 460}}, {1024, 768, {192, 144, 832, 604}}, {801, 601, {80, 60, 720, 520}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_TRUE(c.rect == applicationWindowRect(c.w, c.h));
    }
}

TEST(StartUpTest, TheHandOffFilePicksTheFirstScriptAndIsDeleted) {
    struct Case {
        std::string bytes;
        const char* script;
    } const cases[] = {
        {std::string("\x01\0\0\0m", 5), "rtnsm.mps"}, {std::string("\x01\0\0\0x", 5), "rtnmm.mps"},
        {std::string("\x01\0\0\0", 4), "rtnsm.mps"},  {std::string("\x02\0\0\0x", 5), "exit.mps"},
        {std::string("\x03\0\0\0m", 5), "rtnsi.mps"}, {std::string("\x07\0\0\0m", 5), "dorIruvu.mps"},
        {std::string("\xFF\xFF\xFF\xFFm", 5), "dorIruvu.mps"}, {std::string("\x01\x01\0\0x", 5), "dorIruvu.mps"},
        {std::string("\x01", 1), "dorIruvu.mps"},
    };
    TempFolder folder;
    const std::string path = folder.file("quomb.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        writeWholeFile(path, c.bytes);
        EXPECT_STREQ(c.script, firstScriptName(takeHandOffFile(path)));
        EXPECT_FALSE(fileExists(path));
    }
    EXPECT_STREQ("dorIruvu.mps", firstScriptName(takeHandOffFile(path)));
}

TEST(StartUpTest, TheDissolveVisitsEveryBlockButZeroAnd576Once) {
    const std::vector<std::uint16_t> order = dissolveOrder();
    ASSERT_EQ(1022u, order.size());
    // 576 >> 1 = 288 ... 18 >> 1 = 9; 9 shifts out a 1: 4 ^ 576 = 580, then 290, 145; 145: 72 ^ 576 = 520.
    EXPECT_EQ((std::vector<std::uint16_t>{288, 144, 72, 36, 18, 9, 580, 290, 145, 520}),
              std::vector<std::uint16_t>(order.begin(), order.begin() + 10));
    std::vector<bool> seen(1024, false);
    for (std::uint16_t block : order) {
        ASSERT_LT(block, 1024);
        EXPECT_FALSE(seen[block]) << block;
        seen[block] = true;
    }
    EXPECT_FALSE(seen[0]);
    EXPECT_FALSE(seen[576]);
}

}  // namespace
