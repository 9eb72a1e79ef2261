// The play layer on the virtual device: channel choice and stealing, reservation, ids in memory never
// streamed, the 51 ms service, completion procedures exactly once (also when one starts a new play or a
// play is stopped), prepared and sync plays, pausing plays, plays of files, and the small utilities.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "SndChannel.h"
#include "SndTestSupport.h"
#include "SndUtil.h"
#include "SndVoice.h"

using namespace sndtest;

namespace {

struct Done { std::int16_t channel; std::uint32_t id; MemHandle sample; std::uint32_t data; };
std::vector<Done> done;
void recordDone(std::int16_t channel, std::uint32_t id, MemHandle sample, std::uint32_t data) {
    done.push_back({channel, id, sample, data});
}

// Plays id 2 again on its first call: a completion procedure that starts a new play.
int replays = 0;
void replayOnce(std::int16_t channel, std::uint32_t id, MemHandle sample, std::uint32_t data) {
    recordDone(channel, id, sample, data);
    if (replays++ == 0) {
        EXPECT_EQ(SndPlayId(2, 0, 1024, 0), channel) << "the record was cleared before the call";
    }
}

class SndPlayTest : public SndTest {
protected:
    void SetUp() override {
        SndTest::SetUp();
        done.clear();
        replays = 0;
        openSounds("Sounds", {aifResource(1, constant(22050, 100)), aifResource(2, constant(2205, 200)),
                              aifResource(3, constant(661, 300))});
        SndSetDoneProc(recordDone);
        SndSetDoneData(77);
    }
};

TEST_F(SndPlayTest, EightBusyChannelsGiveWayOnlyFromTheirPriorityUp) {
    MemHandle sample = keep(sampleOf(constant(22050, 1)));
    for (int expected = 7; expected >= 0; --expected)
        ASSERT_EQ(SndPlaySampleLooped(sample, 10, 1024, 0), expected) << "the highest free channel first";
    EXPECT_EQ(SndGetFreeChannels(), 0u);
    EXPECT_EQ(SndChooseChannel(5), -1);
    SndSetAutoFree(1);
    MemHandle handedOver = sampleOf(constant(100, 1));
    EXPECT_EQ(SndPlaySample(handedOver, 5, 1024, 0), -1);
    SndSetAutoFree(0);
    EXPECT_EQ(MemHandleGetSize(handedOver), 0u) << "a refused auto-free block is freed";
    EXPECT_TRUE(done.empty());

    EXPECT_EQ(SndPlaySampleLooped(sample, 10, 1024, 0), 7) << "equal priorities: the highest-numbered";
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].channel, 7);
    EXPECT_EQ(SndStop(2), 0);
    EXPECT_EQ(SndPlaySampleLooped(sample, 9, 1024, 0), 2);
    EXPECT_EQ(SndChooseChannel(10), 2) << "the lowest effective priority";
    EXPECT_EQ(SndPlaySample(sample, 10, 1024, 0), 2);
    EXPECT_EQ(SndIsLooping(2), 0);
    EXPECT_EQ(SndStopAll(), 0);
    EXPECT_EQ(SndGetFreeChannels(), 0xFFu);
    EXPECT_EQ(SndStop(-1), 1);
}

TEST_F(SndPlayTest, DisablingNestsAndKeepsAChannelOutOfChoice) {
    EXPECT_EQ(SndChannelDisable(7), 0);
    EXPECT_EQ(SndChannelDisable(7), 1);
    EXPECT_EQ(SndChannelEnable(7), 1);
    EXPECT_EQ(SndIsChannelDisabled(7), 1);
    EXPECT_EQ(SndChooseChannel(0), 6);
    EXPECT_EQ(SndGetFreeChannels(), 0x7Fu);
    EXPECT_EQ(SndChannelEnable(7), 1);
    EXPECT_EQ(SndChannelEnable(7), 0);
    EXPECT_EQ(SndChooseChannel(0), 7);
    EXPECT_EQ(SndChannelDisable(16), 0);
    SndSetChannelMask(0x0F);
    EXPECT_EQ(SndChooseChannel(0), 3) << "choice keeps to the channel mask";
}

TEST_F(SndPlayTest, AnIdAlreadyInMemoryIsNeverStreamed) {
    SndSetStreamMode(1);
    std::int16_t channel = SndPlayId(1, 0, 1024, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ(SndIsStreamed(channel), 1);
    EXPECT_EQ(SndStop(channel), 0);
    EXPECT_EQ(done.size(), 1u);
    keep(SndLoadSample(1));
    channel = SndPlayId(1, 0, 1024, 0);
    EXPECT_EQ(SndIsStreamed(channel), 0);
    EXPECT_EQ(SndIsPlaying(channel), 1);
    EXPECT_EQ(SndGetStreamMode(), 1) << "restored after the play";
}

TEST_F(SndPlayTest, TheServiceWorksOnceIn51Milliseconds) {
    SndService();
    std::int16_t channel = SndPlayId(3, 0, 1024, 0);  // 30 ms
    advance(50);
    EXPECT_EQ(SndService(), 0);
    EXPECT_TRUE(done.empty()) << "only 50 ms have passed since the last run";
    advance(1);
    SndService();
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].channel, channel);
    EXPECT_EQ(done[0].id, 3u);
    EXPECT_NE(done[0].sample, 0u);
    EXPECT_EQ(done[0].data, 77u);
}

TEST_F(SndPlayTest, CompletionRunsOnceAlsoWhenItStartsANewPlay) {
    SndSetDoneProc(replayOnce);
    std::int16_t channel = SndPlayId(2, 0, 1024, 0);  // 100 ms
    runFor(150);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(SndIsPlaying(channel), 1) << "the new play";
    runFor(150);
    EXPECT_EQ(done.size(), 2u);
    EXPECT_EQ(SndIsPlaying(channel), 0);
    runFor(200);
    EXPECT_EQ(done.size(), 2u);

    SndSetDoneProc(recordDone);
    channel = SndPlayIdLooped(2, 0, 1024, 0);
    runFor(500);
    EXPECT_EQ(done.size(), 2u) << "a looped play goes on";
    EXPECT_EQ(SndStop(channel), 0);
    EXPECT_EQ(SndStop(channel), 0);
    EXPECT_EQ(done.size(), 3u) << "once, when stopped";
}

TEST_F(SndPlayTest, APreparedPlayWaitsOnADisabledChannel) {
    std::int16_t channel = SndPrepare(2, 4, 1024, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ(SndIsChannelDisabled(channel), 1);
    EXPECT_EQ(SndIsPlaying(channel), 0);
    EXPECT_EQ(SndChooseChannel(0), 6);
    EXPECT_EQ(SndStartPrepared(channel), 1);
    EXPECT_EQ(SndStartPrepared(channel), 0) << "no longer pending";
    EXPECT_EQ(SndIsChannelDisabled(channel), 0);
    EXPECT_EQ(SndIsPlaying(channel), 1);
    EXPECT_EQ(SndChannelGetPriority(channel), 4);
    runFor(150);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].id, 2u);

    channel = SndPrepare(2, 0, 1024, 0);
    EXPECT_EQ(SndStop(channel), 0) << "a prepared play stopped before its start";
    EXPECT_EQ(done.size(), 2u);
    EXPECT_EQ(SndIsChannelDisabled(channel), 0);
}

TEST_F(SndPlayTest, ASyncPlayReturnsOnceTheSoundHasEnded) {
    std::uint32_t started = now();
    EXPECT_EQ(SndPlayIdSync(2, 0, 1024, 0), 0);
    EXPECT_GE(now() - started, 100u);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(SndAnyPlaying(), 0);
    EXPECT_EQ(SndPlayIdSync(99, 0, 1024, 0), 1) << "no such sound";
}

TEST_F(SndPlayTest, PausedPlaysStandStillUntilResumed) {
    std::int16_t a = SndPlayId(1, 0, 1024, 0), b = SndPlayId(2, 0, 1024, 0);
    advance(50);
    EXPECT_EQ(SndPauseAllPlays(), 0);
    EXPECT_EQ(SndIsPaused(a) + SndIsPaused(b), 2);
    std::uint32_t position = SndGetPosition(a);
    runFor(3000);
    EXPECT_EQ(SndGetPosition(a), position);
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(SndResumeAllPlays(), 0);
    runFor(1100);
    EXPECT_EQ(done.size(), 2u);
}

TEST_F(SndPlayTest, AFileIsReadWholeOrStreamed) {
    std::string path = make("Tune.aif", aiff16(constant(4410, 400)));
    std::int16_t channel = SndPlayFile(path.c_str(), 0, 1024, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ(SndIsStreamed(channel), 0);
    runFor(300);
    ASSERT_EQ(done.size(), 1u);
    SndSetStreamMode(1);
    channel = SndPlayFile(path.c_str(), 0, 1024, 0);
    EXPECT_EQ(SndIsStreamed(channel), 1);
    runFor(500);
    EXPECT_EQ(done.size(), 2u);
    EXPECT_EQ(done[1].sample, 0u);
    EXPECT_EQ(SndPlayFile(folder.file("Missing.aif").c_str(), 0, 1024, 0), -1);
}

TEST(SndUtilTest, ComparesAndSearchesByteRanges) {
    const char a[] = "abcd", b[] = "abce";
    EXPECT_EQ(MemCompareRange(a, b, 4), -1);
    EXPECT_EQ(MemCompareRange(b, a, 4), 1);
    EXPECT_EQ(MemCompareRange(a, b, 3), 0);
    EXPECT_EQ(MemCompareRange(a, nullptr, 3), 1);
    EXPECT_EQ(MemCompareRange(nullptr, b, 3), -1);
    EXPECT_EQ(MemCompareRange(nullptr, nullptr, 3), 0);
    const std::uint8_t bytes[] = {7, 7, 7, 3, 7};
    std::uint32_t length = 5;
    EXPECT_EQ(MemFindByte(bytes, &length, 3), 1);
    EXPECT_EQ(length, 3u);
    length = 5;
    EXPECT_EQ(MemFindOtherByte(bytes, &length, 7), 1);
    EXPECT_EQ(length, 3u);
    length = 3;
    EXPECT_EQ(MemFindOtherByte(bytes, &length, 7), 0);
    EXPECT_EQ(length, 3u);
    SndSeedRandom(5);
    int first = std::rand();
    SndSeedRandom(5);
    EXPECT_EQ(std::rand(), first);
}

}  // namespace
