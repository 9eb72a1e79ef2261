// System utilities: the clock in sixtieths, alerts through the sink, the version text and the simple
// sound call.
#include "AlertRecorder.h"
#include "OMApp.h"
#include "OMSystemUtilities.h"
#include "TestSupport.h"

namespace {
std::uint32_t fakeNow = 0;
std::uint32_t fakeClock() { return fakeNow; }

TEST(SystemUtilities, SixtiethsAreTheMillisecondClockTruncatedAndAlertsGoThroughTheSink) {
    const OMClockSource previous = setClockSource(fakeClock);
    for (const auto& [ms, sixtieths] : {std::pair<std::uint32_t, std::uint32_t>{16, 0}, {17, 1}, {1017, 61},
                                        {60000, 3600}, {0xFFFFFFFFu, 257698037u}}) {
        fakeNow = ms;
        EXPECT_EQ(ticks60(), sixtieths) << ms;
    }
    EXPECT_EQ(setClockSource(previous), &fakeClock);
    AlertRecorder alerts(7);
    EXPECT_EQ(alertBox("Please insert the disc.", MB_OK | MB_ICONSTOP, nullptr), 7);
    EXPECT_EQ(std::make_tuple(alerts.text, alerts.title, alerts.flags),
              (std::tuple<std::string, std::string, unsigned>{"Please insert the disc.", "Alert", MB_OK | MB_ICONSTOP}));
    alertBox("x", 0, "Counting");
    EXPECT_EQ(alerts.title, "Counting");
    EXPECT_STREQ(versionText(), "3.0 - 3/30/98 12:00");
}

TEST(SystemUtilities, WaveResourcesPlayFromMemoryAndMissingOnesFail) {
    setAppInstance(GetModuleHandleA(nullptr));
    EXPECT_EQ((std::vector<int>{playWaveResource(77, 0), playSound("absent.wav", 0)}), std::vector<int>(2, 1));
    if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
    EXPECT_EQ((std::vector<int>{playWaveResource(3, 1), stopWaveResource()}), std::vector<int>(2, 0));
}
}  // namespace
