// The driver layer over mss32.dll on the library's virtual device against an injected clock (Wine's
// wave-out is driven end to end by SndWaveOutTest).
#include "EngineTestSupport.h"
#include "SndDriver.h"
#include "mss32.h"

namespace {

std::uint32_t now = 0;
bool clockRuns = false;  // each reading moves the clock on by 1 ms
std::uint32_t testClock() { return clockRuns ? now++ : now; }
std::uint32_t noDevices() { return 0; }

struct SndDriverTest : EngineTest {
    void SetUp() override {
        EngineTest::SetUp();
        now = 0;
        clockRuns = false;
        MssTestUseVirtualDevice(testClock);
    }
    void TearDown() override {
        SndDriverShutdown();
        MssTestUseVirtualDevice(nullptr);
        SndDriverSetDeviceCount(nullptr);
        EngineTest::TearDown();
    }
};

TEST_F(SndDriverTest, StartOpensTheFirstRateTheRequestReaches) {
    // The buffer size shows the rate opened: the library's queue is 4096 frames at the output rate, and
    // the buffer holds that time at the requested rate (stereo 16-bit: 4 bytes a frame).
    struct Case { std::uint32_t rate; std::int16_t started; std::uint32_t bufferSize; } cases[] = {
        {44100, 1, 16384}, {30000, 1, 5573 * 4}, {11025, 1, 16384}, {8000, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ((Both{SndDriverStart(8, 2, 16, c.rate), SndDriverBufferSize()}), Both(c.started, c.bufferSize))
            << c.rate;
        SndDriverShutdown();
    }
    EXPECT_EQ(SndDriverStart(9, 2, 16, 44100), 0) << "more than 8 voices";
    SndDriverSetDeviceCount(noDevices);
    EXPECT_EQ(SndDriverStart(8, 2, 16, 44100), 0) << "no wave-out device";
}

TEST_F(SndDriverTest, WithoutADriverCommandsFailAndQueriesAnswerZero) {
    std::uint8_t data[4] = {};
    std::uint32_t index = 7;
    EXPECT_EQ((Both{SndDriverPlay(0, data, 4, 1, 8, 11025, 0), SndDriverPlayBuffer(0, &index, data, 4, 1, 8, 11025)}),
              Both(1, kSndBufferFailed));
    EXPECT_EQ((Both{SndDriverStop(0), SndDriverIsDone(0)}), Both(1, 0));
    ASSERT_EQ(SndDriverStart(2, 2, 16, 44100), 1);
    EXPECT_EQ((Both{SndDriverPlay(2, data, 4, 1, 8, 11025, 0), SndDriverIsPlaying(2)}), Both(1, 0)) << "voice 2 of 2";
    EXPECT_EQ(SndDriverPlay(0, nullptr, 4, 1, 8, 11025, 0), 1) << "null data";
}

TEST_F(SndDriverTest, AWholePlayRunsToItsEndPausedTimeAsideAndALoopedOneUntilStopped) {
    ASSERT_EQ(SndDriverStart(8, 2, 16, 44100), 1);
    std::vector<std::uint8_t> second(22050, 0x90);
    ASSERT_EQ(SndDriverPlay(3, second.data(), 22050, 1, 8, 22050, 0), 0);
    EXPECT_EQ(SndDriverIsPlaying(3), 1);
    now = 400;
    EXPECT_EQ((Both{SndDriverPosition(3), SndDriverPause(3)}), Both(8820, 0));
    EXPECT_EQ((Both{SndDriverIsPaused(3), SndDriverIsPlaying(3)}), Both(1, 0));
    now = 5000;
    EXPECT_EQ((Results{SndDriverPosition(3), SndDriverIsDone(3), SndDriverResume(3)}), (Results{8820, 0, 0}));
    EXPECT_EQ(SndDriverResume(3), 1) << "not paused";
    now = 5599;
    EXPECT_EQ(SndDriverIsDone(3), 0);
    now = 5600;
    EXPECT_EQ((Both{SndDriverIsDone(3), SndDriverIsPlaying(3)}), Both(1, 0));
    std::vector<std::int16_t> data(441, 5);
    ASSERT_EQ(SndDriverPlay(0, data.data(), 441, 1, 16, 44100, 1), 0);
    now = 10000;
    EXPECT_EQ((Results{SndDriverIsPlaying(0), SndDriverStop(0), SndDriverIsDone(0)}), (Results{1, 0, 1}));
    EXPECT_EQ(SndDriverPosition(0), 0u) << "a stopped voice is set up again";
}

TEST_F(SndDriverTest, BufferedPiecesCycleThroughTheTwoBuffers) {
    ASSERT_EQ(SndDriverStart(8, 2, 16, 44100), 1);
    std::uint32_t frames = SndDriverBufferSize() / 4;  // stereo 16-bit pieces of one buffer: 4096 frames, 93 ms
    std::vector<std::int16_t> piece(2 * frames, 1);
    std::uint32_t index = 9;
    auto load = [&] { return Both{SndDriverPlayBuffer(1, &index, piece.data(), frames, 2, 16, 44100), index}; };
    EXPECT_EQ((std::vector<Both>{load(), load(), load()}),
              (std::vector<Both>{{kSndBufferLoaded, 0}, {kSndBufferLoaded, 1}, {kSndBufferNoneFree, kSndNoBuffer}}));
    now = 93;  // 4101 frames: the first buffer has played
    EXPECT_EQ((Both{SndDriverReadyBuffer(1), load().second}), Both(0, 0)) << "loaded into buffer 0 again";
    // A piece shorter than a buffer is copied into the voice's own buffer and padded with silence.
    now = 186;
    std::vector<std::int16_t> tail(20, 2);
    EXPECT_EQ((Both{SndDriverPlayBuffer(1, &index, tail.data(), 10, 2, 16, 44100), index}), Both(kSndBufferLoaded, 1));
    now = 280;
    EXPECT_EQ((Results{SndDriverEndOfData(1), SndDriverEndOfData(1), SndDriverIsDone(1)}), (Results{0, 1, 0}))
        << "no longer buffered";
    now = 372;
    EXPECT_EQ(SndDriverIsDone(1), 1);
}

TEST_F(SndDriverTest, EndOfDataWaitsForABufferOnlyWhileTheVoicePlays) {
    ASSERT_EQ(SndDriverStart(8, 2, 16, 44100), 1);
    std::uint32_t frames = SndDriverBufferSize() / 4;
    std::vector<std::int16_t> piece(2 * frames, 1);
    std::uint32_t index = 0;
    for (int i = 0; i < 2; ++i) SndDriverPlayBuffer(4, &index, piece.data(), frames, 2, 16, 44100);
    SndDriverPause(4);
    EXPECT_EQ(SndDriverEndOfData(4), 0) << "paused with both buffers full: the marker is dropped";
    SndDriverStop(4);
    for (int i = 0; i < 2; ++i) SndDriverPlayBuffer(4, &index, piece.data(), frames, 2, 16, 44100);
    clockRuns = true;
    EXPECT_EQ(SndDriverEndOfData(4), 0) << "playing: waits until the first buffer has played";
    EXPECT_GE(now, 93u);
    clockRuns = false;
    now += 93;
    EXPECT_EQ(SndDriverIsDone(4), 1);
}

}  // namespace
