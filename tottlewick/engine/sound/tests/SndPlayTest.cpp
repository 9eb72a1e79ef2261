// The play layer on the virtual device: channel choice, reservation, ids in memory never streamed, the 51 ms
// service, completions exactly once, prepared and sync plays, and plays of files.
#include "SndChannel.h"
#include "SndTestSupport.h"

using namespace sndtest;

namespace {

// Plays id 2 again on its first call: a completion procedure that starts a new play.
int replays = 0;
void replayOnce(std::int16_t channel, std::uint32_t id, MemHandle sample, std::uint32_t data) {
    recordDone(channel, id, sample, data);
    if (replays++ == 0) {
        EXPECT_EQ(SndPlayId(2, 0, 1024, 0), channel) << "the record was cleared before the call";
    }
}

struct SndPlayTest : SndTest {
    void SetUp() override {
        SndTest::SetUp();
        replays = 0;
        ASSERT_TRUE(open({aifResource(1, constant(22050, 100)), aifResource(2, constant(2205, 200)),
                              aifResource(3, constant(661, 300))}));
        SndSetDoneData(77);
    }
};

TEST_F(SndPlayTest, EightBusyChannelsGiveWayOnlyFromTheirPriorityUp) {
    MemHandle sample = keep(sampleOf(constant(22050, 1)));
    for (int expected = 7; expected >= 0; --expected)
        ASSERT_EQ(SndPlaySampleLooped(sample, 10, 1024, 0), expected) << "the highest free channel first";
    EXPECT_EQ(Both(SndGetFreeChannels(), SndChooseChannel(5)), Both(0, -1));
    SndSetAutoFree(1);
    MemHandle handedOver = sampleOf(constant(100, 1));
    EXPECT_EQ((Both{SndPlaySample(handedOver, 5, 1024, 0), MemHandleGetSize(handedOver)}), Both(-1, 0))
        << "a refused auto-free block is freed";
    SndSetAutoFree(0);
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(SndPlaySampleLooped(sample, 10, 1024, 0), 7) << "equal priorities: the highest-numbered";
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ((Results{done[0].channel, SndStop(2), SndPlaySampleLooped(sample, 9, 1024, 0)}), (Results{7, 0, 2}));
    EXPECT_EQ(SndChooseChannel(10), 2) << "the lowest effective priority";
    EXPECT_EQ((Both{SndPlaySample(sample, 10, 1024, 0), SndIsLooping(2)}), Both(2, 0));
    EXPECT_EQ((Results{SndStopAll(), SndGetFreeChannels(), SndStop(-1)}), (Results{0, 0xFF, 1}));
}

TEST_F(SndPlayTest, DisablingNestsAndKeepsAChannelOutOfChoice) {
    EXPECT_EQ((Both{SndChannelDisable(7), SndChannelDisable(7)}), Both(0, 1));
    EXPECT_EQ((Both{SndChannelEnable(7), SndIsChannelDisabled(7)}), Both(1, 1));
    EXPECT_EQ(Both(SndChooseChannel(0), SndGetFreeChannels()), Both(6, 0x7F));
    EXPECT_EQ((Both{SndChannelEnable(7), SndChannelEnable(7)}), Both(1, 0));
    EXPECT_EQ((Both{SndChooseChannel(0), SndChannelDisable(16)}), Both(7, 0));
    SndSetChannelMask(0x0F);
    EXPECT_EQ(SndChooseChannel(0), 3) << "choice keeps to the channel mask";
}

TEST_F(SndPlayTest, AnIdAlreadyInMemoryIsNeverStreamed) {
    SndSetStreamMode(1);
    std::int16_t channel = SndPlayId(1, 0, 1024, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ((Both{SndIsStreamed(channel), SndStop(channel)}), Both(1, 0));
    keep(SndLoadSample(1));
    channel = SndPlayId(1, 0, 1024, 0);
    EXPECT_EQ(Both(SndIsStreamed(channel), SndIsPlaying(channel)), Both(0, 1));
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
    EXPECT_EQ(Both(done[0].channel, done[0].id), Both(channel, 3));
    EXPECT_EQ(Both(done[0].sample != 0, done[0].data), Both(1, 77));
}

TEST_F(SndPlayTest, CompletionRunsOnceAlsoWhenItStartsANewPlay) {
    SndSetDoneProc(replayOnce);
    std::int16_t channel = SndPlayId(2, 0, 1024, 0);  // 100 ms
    runFor(150);
    EXPECT_EQ(Both(done.size(), SndIsPlaying(channel)), Both(1, 1)) << "the new play";
    runFor(150);
    EXPECT_EQ(Both(done.size(), SndIsPlaying(channel)), Both(2, 0));
    runFor(200);
    EXPECT_EQ(done.size(), 2u);
    SndSetDoneProc(recordDone);
    channel = SndPlayIdLooped(2, 0, 1024, 0);
    runFor(500);
    EXPECT_EQ(done.size(), 2u) << "a looped play goes on";
    EXPECT_EQ(SndStop(channel) + SndStop(channel), 0);
    EXPECT_EQ(done.size(), 3u) << "once, when stopped";
}

TEST_F(SndPlayTest, APreparedPlayWaitsOnADisabledChannel) {
    std::int16_t channel = SndPrepare(2, 4, 1024, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ(Both(SndIsChannelDisabled(channel), SndIsPlaying(channel)), Both(1, 0));
    EXPECT_EQ(SndChooseChannel(0), 6);
    EXPECT_EQ((Both{SndStartPrepared(channel), SndStartPrepared(channel)}), Both(1, 0)) << "no longer pending";
    EXPECT_EQ(Both(SndIsChannelDisabled(channel), SndIsPlaying(channel)), Both(0, 1));
    EXPECT_EQ(SndChannelGetPriority(channel), 4);
    runFor(150);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].id, 2u);
    channel = SndPrepare(2, 0, 1024, 0);
    EXPECT_EQ(SndStop(channel), 0) << "a prepared play stopped before its start";
    EXPECT_EQ(Both(done.size(), SndIsChannelDisabled(channel)), Both(2, 0));
}

TEST_F(SndPlayTest, ASyncPlayReturnsOnceTheSoundHasEnded) {
    std::uint32_t started = now();
    EXPECT_EQ(SndPlayIdSync(2, 0, 1024, 0), 0);
    EXPECT_GE(now() - started, 100u);
    EXPECT_EQ(Both(done.size(), SndAnyPlaying()), Both(1, 0));
    EXPECT_EQ(SndPlayIdSync(99, 0, 1024, 0), 1) << "no such sound";
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
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[1].sample, 0u);
    EXPECT_EQ(SndPlayFile(folder.file("Missing.aif").c_str(), 0, 1024, 0), -1);
}

}  // namespace
