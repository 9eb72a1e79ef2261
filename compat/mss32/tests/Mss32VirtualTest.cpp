// mss32.dll driven through its exports on the virtual device: status, position, double buffering, levels,
// interpolation and level ramps against an injected clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "mss32.h"

namespace {

std::uint32_t now = 0;
std::uint32_t testClock() { return now; }

WAVEFORMATEX pcm(std::uint32_t rate, int channels, int bits) {
    WAVEFORMATEX f = {};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = static_cast<WORD>(channels);
    f.nSamplesPerSec = rate;
    f.wBitsPerSample = static_cast<WORD>(bits);
    f.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    f.nAvgBytesPerSec = rate * f.nBlockAlign;
    return f;
}

using Words = std::vector<std::uint32_t>;
using Samples = std::vector<std::int16_t>;
using Values = std::vector<std::int32_t>;

Samples constant(std::size_t frames, std::int16_t value) { return Samples(frames, value); }

struct Mss32VirtualTest : ::testing::Test {
    void SetUp() override {
        now = 0;
        MssTestUseVirtualDevice(testClock);
        AIL_startup();
        WAVEFORMATEX format = pcm(44100, 2, 16);
        ASSERT_EQ(AIL_waveOutOpen(&driver, nullptr, 0, &format), 0);
        sample = AIL_allocate_sample_handle(driver);
        ASSERT_NE(sample, nullptr);
    }
    void TearDown() override {
        AIL_shutdown();
        MssTestUseVirtualDevice(nullptr);
    }
    // Plays 16-bit signed mono data at `rate` from the start, `loops` times.
    void playMono16(const std::vector<std::int16_t>& data, std::int32_t rate, std::int32_t loops = 1) {
        AIL_init_sample(sample);
        AIL_set_sample_loop_count(sample, loops);
        AIL_set_sample_type(sample, kMssMono16, kMssSigned);
        AIL_set_sample_playback_rate(sample, rate);
        AIL_set_sample_address(sample, data.data(), static_cast<std::uint32_t>(data.size() * 2));
        AIL_start_sample(sample);
    }
    // The stereo frames consumed since the last call, as (left, right) words.
    Samples output() {
        Samples words(1 << 16);
        std::uint32_t bytes = MssTestTakeOutput(driver, words.data(), static_cast<std::uint32_t>(words.size() * 2));
        words.resize(bytes / 2);
        return words;
    }
    MssDriver driver = nullptr;
    MssSample sample = nullptr;
};

TEST_F(Mss32VirtualTest, OneSecondAt22050EndsAfterOneSecond) {
    std::vector<std::uint8_t> data(22050, 0x80);
    AIL_init_sample(sample);
    AIL_set_sample_playback_rate(sample, 22050);
    AIL_set_sample_address(sample, data.data(), 22050);
    AIL_start_sample(sample);
    for (std::uint32_t t : {0u, 500u, 999u}) {
        SCOPED_TRACE(t);
        now = t;
        EXPECT_EQ(AIL_sample_status(sample), kMssPlaying);
    }
    EXPECT_EQ(AIL_sample_position(sample), 22027u);  // 999 ms: 44055 output frames, half a source frame each
    now = 1000;
    EXPECT_EQ(AIL_sample_status(sample), kMssDone);
}

TEST_F(Mss32VirtualTest, StopAndResumeKeepThePosition) {
    Samples data = constant(44100, 1);
    playMono16(data, 22050);
    now = 100;
    EXPECT_EQ(AIL_sample_position(sample), 4410u);  // 2205 frames of 2 bytes
    AIL_stop_sample(sample);
    now = 700;
    EXPECT_EQ((Words{AIL_sample_status(sample), AIL_sample_position(sample)}), (Words{kMssStopped, 4410u}));
    AIL_resume_sample(sample);
    EXPECT_EQ(AIL_sample_status(sample), kMssPlaying);
    now = 800;
    EXPECT_EQ(AIL_sample_position(sample), 8820u);
    AIL_end_sample(sample);
    EXPECT_EQ(AIL_sample_status(sample), kMssDone);
}

TEST_F(Mss32VirtualTest, LoopCountsReplayTheData) {
    Samples data = constant(441, 1);  // 10 ms
    playMono16(data, 44100, 2);
    now = 19;
    EXPECT_EQ(AIL_sample_status(sample), kMssPlaying);
    now = 20;
    EXPECT_EQ(AIL_sample_status(sample), kMssDone);
    playMono16(data, 44100, 0);
    now = 10020;  // 441000 frames later
    EXPECT_EQ((Words{AIL_sample_status(sample), AIL_sample_position(sample)}), (Words{kMssPlaying, 0u}));
}

TEST_F(Mss32VirtualTest, DoubleBuffersCycleUntilAnEmptyLoad) {
    Samples first = constant(441, 100), second = constant(441, 200), third = constant(441, 300);
    AIL_init_sample(sample);
    AIL_set_sample_type(sample, kMssMono16, kMssSigned);
    AIL_set_sample_playback_rate(sample, 44100);
    output();
    EXPECT_EQ(AIL_sample_buffer_ready(sample), 0);
    AIL_load_sample_buffer(sample, 0, first.data(), 882);
    EXPECT_EQ(AIL_sample_status(sample), kMssPlaying);
    EXPECT_EQ(AIL_sample_buffer_ready(sample), 1);
    AIL_load_sample_buffer(sample, 1, second.data(), 882);
    EXPECT_EQ(AIL_sample_buffer_ready(sample), -1);
    now = 10;  // the first buffer has played
    EXPECT_EQ(AIL_sample_buffer_ready(sample), 0);
    AIL_load_sample_buffer(sample, 0, third.data(), 882);
    EXPECT_EQ(AIL_sample_buffer_ready(sample), -1);
    now = 20;
    EXPECT_EQ(AIL_sample_buffer_ready(sample), 1);
    AIL_load_sample_buffer(sample, 1, nullptr, 0);
    EXPECT_EQ(AIL_sample_status(sample), kMssPlaying);
    now = 30;
    EXPECT_EQ(AIL_sample_status(sample), kMssDone);
    Samples out = output();
    ASSERT_EQ(out.size(), 2u * 1323);
    for (std::size_t frame : {0u, 440u, 441u, 881u, 882u, 1322u}) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(out[2 * frame], 100 * (1 + int(frame / 441)));
    }
    now = 40;
    EXPECT_EQ(output(), std::vector<std::int16_t>(2 * 441, 0));
}

TEST_F(Mss32VirtualTest, AStarvedVoiceWaitsForItsNextBuffer) {
    Samples data = constant(441, 7);
    AIL_set_sample_type(sample, kMssMono16, kMssSigned);
    AIL_set_sample_playback_rate(sample, 44100);
    AIL_load_sample_buffer(sample, 0, data.data(), 882);
    now = 50;
    EXPECT_EQ(std::make_pair(AIL_sample_status(sample), AIL_sample_buffer_ready(sample)),
              std::make_pair(kMssPlaying, 1));
    AIL_load_sample_buffer(sample, 1, nullptr, 0);
    EXPECT_EQ(AIL_sample_status(sample), kMssDone);
}

TEST_F(Mss32VirtualTest, VolumeAndPanScaleTheOutput) {
    struct Case { int volume, pan; std::int16_t left, right; } cases[] = {
        {127, 64, 1000, 1000},
        {64, 64, 503, 503},     // 1000 x 16513 >> 15
        {127, 127, 0, 1000},
        {127, 0, 1000, 0},
        {100, 96, 387, 787},    // gains 100 x 16123 / 127 = 12695 and 100 x 32768 / 127 = 25801
    };
    Samples data = constant(4410, 1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << " pan " << c.pan);
        playMono16(data, 44100);
        AIL_set_sample_volume(sample, c.volume);
        AIL_set_sample_pan(sample, c.pan);
        output();
        now += 10;
        Samples out = output();
        ASSERT_EQ(out.size(), 882u);
        EXPECT_EQ((Samples{out[0], out[1], out[880], out[881]}), (Samples{c.left, c.right, c.left, c.right}));
    }
}

// An 11025 Hz sound on the 44100 Hz output: a + (b - a) x f between source frames, across the seam of two
// buffers too; past the data the last frame holds.
TEST_F(Mss32VirtualTest, LowRatesAreInterpolated) {
    Samples first = {0, 4000}, second = {-4000, 0};
    AIL_set_sample_type(sample, kMssMono16, kMssSigned);
    AIL_set_sample_playback_rate(sample, 11025);
    AIL_load_sample_buffer(sample, 0, first.data(), 4);
    AIL_load_sample_buffer(sample, 1, second.data(), 4);
    now = 1;
    Samples out = output();
    for (std::size_t i = 0; i < 18; ++i) out[i] = out[2 * i];  // left channel only
    EXPECT_EQ(Samples(out.begin(), out.begin() + 18), (Samples{0, 1000, 2000, 3000, 4000, 2000, 0, -2000, -4000,
                                                               -3000, -2000, -1000, 0, 0, 0, 0, 0, 0}));
}

// A level change while a voice sounds ramps there over 176 output frames (4 ms at 44100 Hz): frame k of
// the ramp has gain g0 + (g1 - g0) x k / 176, so a fade steps by a few units a frame, never at once.
TEST_F(Mss32VirtualTest, LevelChangesRamp) {
    Samples data = constant(4410, 1000);
    playMono16(data, 44100);
    now = 10;
    output();
    AIL_set_sample_volume(sample, 64);
    now = 20;
    Samples out = output();
    ASSERT_EQ(out.size(), 882u);
    const int g0 = 32768, g1 = 64 * 32768 / 127;
    for (int k = 1; k <= 177; ++k) {
        int gain = g0 + (g1 - g0) * std::min(k, 176) / 176;
        SCOPED_TRACE(k);
        ASSERT_EQ(out[2 * (k - 1)], 1000 * gain >> 15);
    }
    EXPECT_EQ((Samples{out[0], out[174], out[350], out[880]}), (Samples{997, 751, 503, 503}));
}

TEST_F(Mss32VirtualTest, PreferencesAndHandles) {
    EXPECT_EQ((Values{AIL_set_preference(11, 5), AIL_set_preference(11, 9), AIL_set_preference(64, 9),
                      AIL_set_preference(64, 1)}),
              (Values{0, 5, 0, 0}));
    int handles = 1;
    while (AIL_allocate_sample_handle(driver)) ++handles;
    EXPECT_EQ(handles, 16);
    // 44100 Hz stereo 16-bit samples outlast the device's queue of 4096 output frames.
    EXPECT_EQ((Values{AIL_minimum_sample_buffer_size(driver, 44100, kMssStereo16),
                      AIL_minimum_sample_buffer_size(driver, 22050, kMssMono8),
                      AIL_minimum_sample_buffer_size(driver, 11025, kMssMono16)}),
              (Values{4096 * 4, 2048, 2048}));
}

TEST(Mss32Test, RefusesFormatsItCannotMix) {
    MssTestUseVirtualDevice(testClock);
    for (WAVEFORMATEX format : {pcm(44100, 3, 16), pcm(44100, 2, 12), pcm(0, 2, 16)}) {
        MssDriver driver = reinterpret_cast<MssDriver>(1);
        EXPECT_NE(AIL_waveOutOpen(&driver, nullptr, 0, &format), 0);
        EXPECT_EQ(driver, nullptr);
    }
    MssTestUseVirtualDevice(nullptr);
    AIL_shutdown();
    AIL_shutdown();
}

}  // namespace
