// Channels and voices on the virtual device: bad channels, levels, handles, priorities, pause by time,
// ends and loops, and append voices joined through the driver's buffers.
#include "SndChannel.h"
#include "SndChannelPlay.h"
#include "SndTestSupport.h"
#include "SndVoice.h"

using namespace sndtest;

namespace {

// Whether the driver voice was done when the end procedure ran, after which the voice's data may go.
struct Ended { SndVoiceHandle voice; SndVoiceState state; std::int16_t driverDone; };
std::vector<Ended> ended;
void recordEnd(SndVoiceHandle voice, SndVoiceState state) {
    ended.push_back({voice, state, SndDriverIsDone(static_cast<std::uint16_t>(SndVoiceGetChannel(voice)))});
}

struct SndManagerTest : SndTest {
    void SetUp() override {
        SndTest::SetUp();
        ended.clear();
        SndSetEndProc(recordEnd);
    }
    void TearDown() override {
        SndSetEndProc(nullptr);
        SndSetPriority(0);
        SndSetAppend(0);
        SndSetLoop(0);
        SndTest::TearDown();
    }
    // Plays the frames (one second of sound unless given) on the channel at a priority.
    static SndVoiceHandle play(std::int16_t channel, std::int16_t priority = 0,
                               const std::vector<std::int16_t>& frames = constant(kRate, 5)) {
        SndSetPriority(priority);
        return SndChannelPlayData(channel, 16, 1, static_cast<std::uint16_t>(kRate),
                                  static_cast<std::uint32_t>(frames.size()), frames.data());
    }
};

TEST_F(SndManagerTest, StartRefusesMoreThanEightChannelsAndShutdownReportsOnce) {
    EXPECT_EQ(SndInit(nullptr, 4, 2, 16, kRate), 0) << "already running: only reports";
    EXPECT_EQ(Both(SndGetChannelCount(), SndGetDriverState()), Both(8, kSndDriverRunning));
    EXPECT_EQ((Results{SndShutdown(), SndShutdown(), SndIsEnabled()}), (Results{0, 1, 0}));
    EXPECT_EQ((Both{SndInit(nullptr, 9, 2, 16, kRate), SndGetDriverState()}), Both(1, 0));
    EXPECT_EQ(play(0), 0u) << "nothing plays while not started";
    ASSERT_EQ(SndInit(nullptr, 8, 2, 16, kRate), 0);
    EXPECT_EQ(SndIsEnabled(), 1);
}

TEST_F(SndManagerTest, AResumeAfterTheEndFailsAndTheVoiceGoesAsFailed) {
    std::vector<std::int16_t> frames = constant(2205, 5);  // 100 ms
    SndVoiceHandle voice = play(0, 0, frames);
    advance(150);  // over, but no service has seen it
    EXPECT_EQ(SndChannelPause(0), 0) << "the pause serves the channel first: nothing plays";
    voice = play(0, 0, frames);
    advance(150);
    Ended none{};
    ended.assign(1, none);
    EXPECT_EQ(SndDeactivateWindow(nullptr), 0) << "pauses everything";
    EXPECT_EQ(Both(SndChannelIsPaused(0), SndChannelIsSounding(0)), Both(1, 1)) << "sounding kept through the pause";
    EXPECT_EQ((Results{SndChannelResume(0), SndVoiceIsActive(voice), SndChannelIsSounding(0)}), (Results{1, 0, 0}));
    SndChannelService(0);
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[1].state, SndVoiceState::failed);
    EXPECT_EQ((Both{SndActivateWindow(nullptr), SndResumeAll()}), Both(0, 1));
}

TEST_F(SndManagerTest, BadChannelsAnswerTheirOwnValues) {
    EXPECT_EQ((Results{SndChannelStop(16), SndChannelResume(16), SndChannelSetGain(16, 5), SndChannelSetVolume(-3, 5),
                       SndChannelSetPan(16, 5), SndChannelSetVolumePan(16, 5, 5), SndChannelSetPriorityOffset(16, 1),
                       SndChannelSetResult(16, 7), SndChannelSetVolume(12, 5)}),
              Results(9, 1)) << "commands answer 1, also a volume for a channel beyond those in use";
    EXPECT_EQ((Results{SndChannelEndCurrent(-1), SndChannelPause(16), SndChannelIsPaused(-1), SndChannelIsLooping(16),
                       SndChannelIsBusy(16), SndChannelIsSounding(16), SndChannelIsAvailable(16), SndChannelGetGain(16),
                       SndChannelGetVolume(-3), SndChannelGetPan(16), SndChannelGetResult(16)}),
              Results(11, 0)) << "queries, the end and the pause answer 0";
    EXPECT_EQ((Both{SndChannelGetPriorityOffset(16), SndChannelGetPriority(16)}), Both(-32768, -32768));
    EXPECT_EQ(SndChannelGetVolume(12), 5) << "stored, only not applied";
}

TEST_F(SndManagerTest, LevelsAreClampedAndMappedToTheDriversRange) {
    EXPECT_EQ((Both{SndChannelSetVolume(2, 2000), SndChannelGetVolume(2)}), Both(0, 1024));
    EXPECT_EQ((Both{SndChannelSetPan(2, -900), SndChannelGetPan(2)}), Both(0, -512));
    EXPECT_EQ((Both{SndChannelSetPan(2, 900), SndChannelGetPan(2)}), Both(0, 512));
    const std::pair<int, std::uint32_t> pans[] = {{-512, 0}, {0, 64}, {512, 127}, {256, 95}, {-1, 63}, {1, 63}};
    for (auto [pan, driver] : pans) EXPECT_EQ(SndDriverPanOf(pan), driver) << pan;
    EXPECT_EQ((Both{SndDriverVolumeOf(1024, 1024), SndDriverVolumeOf(1024, 512)}), Both(127, 63));
    EXPECT_EQ(SndDriverVolumeOf(512, 512), 31u) << "gain x volume >> 10, then x 127 >> 10";
    EXPECT_EQ(SndDriverVolumeOf(0, 1024), 0u);
}

// What the channel's pan does to the two output sides, at full level: left only, both, right only.
TEST_F(SndManagerTest, PanReachesTheOutputSides) {
    struct Case { std::int16_t pan; int left, right; } cases[] = {{-512, 1000, 0}, {0, 1000, 1000}, {512, 0, 1000}};
    std::vector<std::int16_t> frames = constant(2205, 1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pan);
        takeOutput();
        SndChannelSetVolumePan(1, 2000, c.pan);
        ASSERT_NE(play(1, 0, frames), 0u);
        advance(50);
        std::vector<std::int16_t> out = takeOutput();
        ASSERT_GE(out.size(), 200u);
        EXPECT_EQ(Both(out[100], out[101]), Both(c.left, c.right));
        SndChannelStop(1);
    }
}

TEST_F(SndManagerTest, HandlesCarryASerialSoReleasedOnesAreRefused) {
    SndVoiceHandle first = play(0), second = play(1);
    EXPECT_EQ(first & 0xFF, 0u) << "the free list starts at index 0";
    EXPECT_EQ(second, first + 2 * 256 + 1);
    EXPECT_EQ(SndVoiceStop(first), 0);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(Both(ended[0].voice, int(ended[0].state)), Both(first, int(SndVoiceState::stopped)));
    SndVoiceHandle third = play(2);
    EXPECT_EQ(third & 0xFF, 0u) << "the released record is reused";
    EXPECT_NE(third, first);
    EXPECT_EQ((Results{SndVoiceIsActive(first), SndVoiceGetChannel(first), SndVoiceStop(first)}), (Results{0, -1, 0}));
    EXPECT_EQ((Both{SndVoiceIsActive(third), SndVoiceGetChannel(third)}), Both(1, 2));
    EXPECT_EQ(SndVoiceGetDurationMs(third), 1000u);
}

TEST_F(SndManagerTest, ABusyChannelIsReplacedOnlyFromItsPriorityUp) {
    SndVoiceHandle first = play(3, 10);
    EXPECT_EQ((Results{SndChannelGetPriority(3), play(3, 9), SndVoiceIsActive(first)}), (Results{10, 0, 1}));
    EXPECT_NE(play(3, 10), 0u);
    EXPECT_EQ(SndVoiceIsActive(first), 0);
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].state, SndVoiceState::stopped);
    EXPECT_EQ((Both{SndChannelSetPriorityOffset(3, 5), SndChannelGetPriority(3)}), Both(0, 15));
    EXPECT_EQ((Both{SndChannelSetPriorityOffset(3, kSndNoPriority), SndChannelGetPriority(3)}), Both(0, kSndNoPriority))
        << "priority switched off";
    SndChannelSetPriorityOffset(3, 100);
    SndChannelStop(3);
    play(3, 32700);
    EXPECT_EQ(SndChannelGetPriority(3), 32767) << "saturated";
    SndChannelSetPriorityOffset(3, 0);
    SndChannelStop(3);
    EXPECT_EQ(SndChannelGetPriority(3), kSndNoPriority) << "empty";
}

TEST_F(SndManagerTest, PauseAndResumeGoByTheClock) {
    SndVoiceHandle voice = play(0);
    advance(400);
    EXPECT_EQ((Both{SndChannelPause(0), SndChannelIsPaused(0)}), Both(0, 1));
    EXPECT_EQ((Both{SndVoiceIsPaused(voice), SndVoiceGetPositionMs(voice)}), Both(1, 400));
    EXPECT_EQ(SndChannelPause(0), 0) << "already paused";
    advance(5000);
    EXPECT_EQ(SndVoiceGetPositionMs(voice), 400u);
    EXPECT_EQ((Both{SndChannelResume(0), SndChannelResume(0)}), Both(0, 0)) << "the second: not paused";
    advance(300);
    EXPECT_EQ(SndVoiceGetPositionMs(voice), 700u);
    runFor(290);
    EXPECT_EQ(SndVoiceIsActive(voice), 1);
    runFor(100);
    EXPECT_EQ(SndVoiceIsActive(voice), 0) << "ended 1000 ms of sound after it started";
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].state, SndVoiceState::passEnded);
    EXPECT_EQ(SndChannelResume(0), 1) << "empty channel";
}

TEST_F(SndManagerTest, PausingAllNestsAndTheLastResumeRestartsEveryChannel) {
    SndVoiceHandle a = play(0), b = play(5);
    SndPauseAll();
    SndPauseAll();
    EXPECT_EQ((Both{SndIsPausedAll(), SndResumeAll()}), Both(1, 0));
    EXPECT_EQ(SndChannelIsPaused(0) + SndChannelIsPaused(5), 2) << "one pause is still in force";
    EXPECT_EQ((Both{SndResumeAll(), SndIsPausedAll()}), Both(1, 0));
    EXPECT_EQ(SndChannelIsPaused(0) + SndChannelIsPaused(5), 0);
    EXPECT_EQ((Both{SndVoiceIsActive(a) + SndVoiceIsActive(b), SndResumeAll()}), Both(2, 1)) << "nothing to resume";
}

// Paused 1030 ms into passes of 100 ms, the voice resumes 661 frames into its pass, plays the rest of it
// and then whole passes again.
TEST_F(SndManagerTest, ALoopedVoicePlaysOnUntilStoppedAndStopEmptiesTheQueue) {
    std::vector<std::int16_t> frames = ramp(2205, 1500);
    SndSetLoop(1);
    SndVoiceHandle voice = play(4, 0, frames);
    SndSetLoop(0);
    EXPECT_EQ(SndChannelIsLooping(4), 1);
    runFor(1030);
    EXPECT_EQ(Both(SndVoiceIsActive(voice), ended.size()), Both(1, 0));
    EXPECT_EQ(SndChannelPause(4), 0);
    runFor(500);
    takeOutput();
    EXPECT_EQ(SndChannelResume(4), 0);
    runFor(1000);
    EXPECT_EQ((Results{SndVoiceIsActive(voice), SndChannelIsLooping(4), ended.size()}), (Results{1, 1, 0}));
    // Heard from the resume on: the rest of the pass, at most one service pass of silence at the first seam
    // (the service works every 51 ms, here at the next 10 ms step: 60 ms), then whole passes without a gap.
    std::vector<std::int16_t> heard = channelOf(takeOutput(), 0);
    const auto sounds = [](std::int16_t v) { return v != 0; };
    heard.erase(heard.begin(), std::find_if(heard.begin(), heard.end(), sounds));
    const std::vector<std::int16_t> rest(frames.begin() + 661, frames.end());
    ASSERT_GT(heard.size(), rest.size());
    EXPECT_EQ(firstDifference({heard.begin(), heard.begin() + long(rest.size())}, rest), -1);
    const auto seam = heard.begin() + long(rest.size()), next = std::find_if(seam, heard.end(), sounds);
    EXPECT_LE(next - seam, long(kRate * 60 / 1000));
    std::vector<std::int16_t> passes;
    while (passes.size() < std::size_t(heard.end() - next)) passes.insert(passes.end(), frames.begin(), frames.end());
    passes.resize(std::size_t(heard.end() - next));
    EXPECT_GT(passes.size(), 3 * frames.size());
    EXPECT_EQ(firstDifference({next, heard.end()}, passes), -1);
    SndSetAppend(1);
    SndVoiceHandle behind = play(4, 0, frames);
    SndSetAppend(0);
    EXPECT_EQ((Results{SndVoiceIsActive(behind), SndChannelStop(4), SndChannelIsFree(4)}), (Results{1, 0, 1}));
    EXPECT_EQ(ended.size(), 2u);
}

// Append voices queued on one channel play one after the other through the driver's two buffers; a piece
// shorter than a buffer holds the driver for the whole buffer, padded with silence, and the piece behind it
// is heard though the service finds the short one ended by the clock first.
TEST_F(SndManagerTest, AppendVoicesFollowEachOtherWithoutAGap) {
    const std::uint32_t bufferFrames = SndDriverBufferSize() / 2;
    const struct {
        std::vector<std::int16_t> first, second;
    } cases[] = {{ramp(11025, 700, 100), ramp(11025, 300, 5000)}, {ramp(100, 50, 100), ramp(4410, 300, 5000)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first.size());
        ended.clear();
        takeOutput();
        SndSetAppend(1);
        SndVoiceHandle a = play(6, 0, c.first), b = play(6, 0, c.second);
        SndSetAppend(0);
        EXPECT_EQ(SndChannelIsBusy(6), 1);
        runFor(1100);
        EXPECT_EQ(SndVoiceIsActive(a) + SndVoiceIsActive(b), 0);
        std::vector<std::int16_t> expected(c.first);
        expected.resize(std::max<std::size_t>(expected.size(), bufferFrames));
        expected.insert(expected.end(), c.second.begin(), c.second.end());
        EXPECT_EQ((Both{heardDifference(expected), ended.size()}), Both(-1, 2));
        ASSERT_EQ(ended.size(), 2u);
        EXPECT_EQ(Both(ended[0].driverDone, ended[1].driverDone), Both(0, 1)) << "stopped behind the last only";
    }
}

}  // namespace
