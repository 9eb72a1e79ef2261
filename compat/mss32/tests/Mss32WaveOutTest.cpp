// mss32.dll on the system's wave output (Wine's null sound device in the test world): a sample plays to its
// end as the device takes the output, and a device that cannot open fails cleanly.
#include <gtest/gtest.h>

#include <vector>

#include "mss32.h"

namespace {

struct Mss32WaveOutTest : ::testing::Test {
    void SetUp() override {
        if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
        AIL_startup();
    }
    void TearDown() override { AIL_shutdown(); }
    // 44100 Hz, 16-bit stereo: 4 bytes a frame.
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
};

TEST_F(Mss32WaveOutTest, ASamplePlaysToItsEndAsTheDeviceTakesIt) {
    MssDriver driver = nullptr;
    HWAVEOUT waveOut = nullptr;
    ASSERT_EQ(AIL_waveOutOpen(&driver, &waveOut, 0, &format), 0);
    EXPECT_NE(waveOut, nullptr);
    MssSample sample = AIL_allocate_sample_handle(driver);
    ASSERT_NE(sample, nullptr);
    std::vector<std::uint8_t> data(22050, 0x90);  // 1 s at 22050 Hz
    AIL_set_sample_playback_rate(sample, 22050);
    AIL_set_sample_address(sample, data.data(), static_cast<std::uint32_t>(data.size()));
    DWORD started = GetTickCount();
    AIL_start_sample(sample);
    EXPECT_EQ(AIL_sample_status(sample), kMssPlaying);
    while (AIL_sample_status(sample) == kMssPlaying && GetTickCount() - started < 5000) {
        AIL_serve();
        Sleep(5);
    }
    const DWORD elapsed = GetTickCount() - started;
    EXPECT_EQ(AIL_sample_status(sample), kMssDone);
    // Wine's null device takes output about three times faster than it would sound, but not at once.
    EXPECT_GE(elapsed, 150u);
    EXPECT_LT(elapsed, 3000u);
    AIL_waveOutClose(driver);
}

TEST_F(Mss32WaveOutTest, AMissingDeviceFailsCleanly) {
    MssDriver driver = nullptr;
    HWAVEOUT waveOut = nullptr;
    EXPECT_NE(AIL_waveOutOpen(&driver, &waveOut, 57, &format), 0);
    EXPECT_EQ(std::make_pair(driver, waveOut), std::make_pair(MssDriver{}, HWAVEOUT{}));
}

}  // namespace
