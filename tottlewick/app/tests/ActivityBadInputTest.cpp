// Band, BlueGoo, MR_PLINK and HatShop on bad input: without their resource files (one alert each, the exit still
// returns to the Picker and the quit screen still ends the run), and with their clips withheld (keys and
// time neither crash nor hang them, and the exit returns).
#include <gtest/gtest.h>

#include <iterator>
#include <utility>

#include "ActivityProbe.h"
#include "ActivityProbeTest.h"
#include "AppBindings.h"
#include "ModuleProcs.h"

namespace {

constexpr std::uint32_t kChoices[] = {7035, 7040, 7030, 7025};
constexpr AppModuleProc kModules[] = {BandModuleProc, BlueGooModuleProc, MR_PLINKModuleProc, HatShopModuleProc};
constexpr const char* kFiles[] = {"Band.PRS", "BlueGoo.PRS", "MR_PLINK.PRS", "HatShop.PRS"};

std::function<bool()> leave() {
    return [sent = false]() mutable {
        if (!std::exchange(sent, true)) probe::post(kAppCommand, 100);
        if (AppGetModule() != PickerModuleProc) return false;
        probe::log("back at the Picker");
        return true;
    };
}

// Each module entered, left alone and given a key, then left by its exit.
std::vector<std::function<bool()>> visits() {
    std::vector<std::function<bool()>> steps;
    for (int i = 0; i < 4; ++i) {
        steps.push_back(probe::enter(kChoices[i], kModules[i]));
        steps.push_back(probe::pause(3000));
        steps.push_back([] { return probe::send(WM_CHAR, 'k'), true; });
        steps.push_back(probe::pause(3000));
        steps.push_back(leave());
    }
    return steps;
}

PROBE_SCENARIO(WithoutFiles) {
    static probe::Steps steps([] {
        std::vector<std::function<bool()>> all = visits();
        all.push_back(probe::pause(3000));  // the Picker's return
        all.push_back([] { return probe::post(kAppCommand, 100), true; });  // the quit screen
        all.push_back(probe::pause(1000));
        all.push_back([] { return probe::send(WM_CHAR, 'k'), false; });
        return all;
    }());
    steps.run();
}

PROBE_SCENARIO(WithoutClips) {
    static probe::Steps steps(visits());
    steps.run();
}

using ActivityBadInputTest = ActivityProbeTest;

TEST_F(ActivityBadInputTest, WithoutTheirFilesEachAlertsOnceAndLeaves) {
    ASSERT_TRUE(useGeneratedTitle(folder.path(), "E:", {std::begin(kFiles), std::end(kFiles)}));
    const ProbeResult run = probeRun("WithoutFiles", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    const std::string alert = "box Tottlewick|Resource File Not Opened|40";
    const std::string back = "back at the Picker";
    EXPECT_EQ(run.log, (Lines{"door 1", alert, back, alert, back, alert, back, alert, back, "door 0"}));
}

TEST_F(ActivityBadInputTest, WithoutTheirClipsEachLeaves) {
    for (const char* name : kFiles) withholdType(std::string("E:\\Resource\\") + name, "XMV");
    const ProbeResult run = probeRun("WithoutClips", folder.path());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    const std::string back = "back at the Picker";
    EXPECT_EQ(run.log, (Lines{"door 1", back, back, back, back, "door 0"}));
}

}  // namespace
