// The request scheduler (requests by priority, arming, starting together, releasing) and the sound
// sequence with its gaps, heard in the output of the virtual device.
#include "SndRequest.h"
#include "SndSeq.h"
#include "SndTestSupport.h"

using namespace sndtest;

namespace {

std::vector<std::pair<std::uint32_t, std::int16_t>> seqDone;
void recordSeqDone(std::uint32_t data, std::int16_t finished) { seqDone.push_back({data, finished}); }

// A burst of sound in the output: its value and where it starts and ends (in frames).
struct Burst { std::int16_t value; std::size_t start, end; };

std::vector<Burst> bursts(const std::vector<std::int16_t>& left) {
    std::vector<Burst> found;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i] == 0) continue;
        if (found.empty() || found.back().end != i || found.back().value != left[i]) found.push_back({left[i], i, i});
        found.back().end = i + 1;
    }
    return found;
}

struct SndScheduleTest : SndTest {
    void SetUp() override {
        SndTest::SetUp();
        seqDone.clear();
        SndRequestInit();
        // A resource file gives one raw access at a time: the sound streamed beside loaded ones has its own.
        ASSERT_TRUE(open({aifResource(1, constant(2205, 100)), aifResource(3, constant(2205, 300)),
                              aifResource(4, constant(441, 400)), aifResource(5, constant(kRate, 500))}, "Sounds"));
        ASSERT_TRUE(open({aifResource(2, constant(2205, 200))}, "Streams"));
    }
    void TearDown() override {
        SndSeqStop();
        SndSeqSetDone(nullptr, 0);
        SndRequestTerm();
        SndTest::TearDown();
    }
    // The main loop's sound passes: the service, then the sequence.
    static void loopFor(std::uint32_t ms) {
        for (std::uint32_t t = 0; t < ms; t += 10) {
            advance(10);
            SndService();
            SndSeqService();
        }
    }
};

TEST_F(SndScheduleTest, RequestsClaimChannelsByPriority) {
    EXPECT_EQ((Both{SndRequestId(3, 1, 0, 5), SndIsChannelDisabled(3)}), Both(1, 1));
    EXPECT_EQ(SndRequestId(3, 2, 0, 4), 0) << "below the pending request";
    EXPECT_EQ(SndRequestId(3, 2, 0, 5), 1) << "not below: replaces it";
    EXPECT_EQ(SndChannelDisable(4), 0);
    EXPECT_EQ(SndRequestId(4, 2, 0, 9), 0) << "a disabled channel";
    SndChannelEnable(4);
    EXPECT_EQ((Both{SndRequestId(16, 2, 0, 9), SndRequestSample(2, 0, 0, 9)}), Both(0, 0)) << "no sample";
    EXPECT_EQ((Both{SndRequestIdAuto(1, 0, 0), SndRequestIdAuto(1, 0, 0)}), Both(7, 6));
    SndRequestCancel(6);
    EXPECT_EQ(Both(SndRequestPendingChannels(), SndIsChannelDisabled(6)), Both(0x88, 0)) << "3 and 7 pending";
    SndRequestCancelAll();
    EXPECT_EQ((Both{SndRequestPendingChannels(), SndGetFreeChannels()}), Both(0, 0xFF));
    SndRequestTerm();
    EXPECT_EQ((Both{SndRequestId(3, 1, 0, 5), SndRequestIdAuto(1, 0, 0)}), Both(0, -1)) << "not started";
    SndRequestInit();
}

TEST_F(SndScheduleTest, ArmedPlaysWaitAndStartTogether) {
    MemHandle sample = keep(sampleOf(constant(2205, 7)));
    SndSetDoneData(11);
    ASSERT_EQ(SndRequestId(3, 1, 0, 5), 1);
    SndSetDoneData(12);
    ASSERT_EQ(SndRequestSample(5, sample, 0, 5), 1);
    SndSetDoneData(13);
    ASSERT_EQ(SndRequestId(6, 2, kSndRequestStreamed, 5), 1);
    SndRequestArmAll();
    EXPECT_EQ((Both{SndRequestPendingChannels(), SndRequestArmedChannels()}), Both(0, 0x68));
    EXPECT_EQ((Both{SndAnyPlaying(), SndIsChannelDisabled(3) + SndIsChannelDisabled(5) + SndIsChannelDisabled(6)}),
              Both(0, 3));
    SndRequestStartAll();
    EXPECT_EQ((Both{SndRequestArmedChannels(), SndIsPlaying(3) + SndIsPlaying(5) + SndIsPlaying(6)}), Both(0, 3));
    EXPECT_EQ((Both{SndIsStreamed(6), SndIsChannelDisabled(3) + SndIsChannelDisabled(5) + SndIsChannelDisabled(6)}),
              Both(1, 0));
    EXPECT_EQ(SndGetDoneData(), 13u) << "the settings are put back";
    loopFor(400);
    ASSERT_EQ(done.size(), 3u);
    std::uint32_t dataOf[8] = {};
    for (const Done& d : done) dataOf[d.channel] = d.data;
    EXPECT_EQ((Results{dataOf[3], dataOf[5], dataOf[6]}), (Results{11, 12, 13}));
    EXPECT_NE(MemHandleGetSize(sample), 0u) << "a sample handed to a request stays its owner's";
}

TEST_F(SndScheduleTest, ReleasedPlaysGiveTheirChannelsBack) {
    MemHandle sample = keep(sampleOf(constant(2205, 7)));
    SndRequestSample(5, sample, 0, 5);
    SndRequestId(6, 2, kSndRequestStreamed, 5);
    SndRequestId(7, 1, 0, 5);
    SndSetEnabled(0);
    SndRequestArmAll();
    EXPECT_EQ(SndRequestArmedChannels(), 0u) << "nothing is armed while sound is off";
    SndSetEnabled(1);
    SndRequestArmAll();
    EXPECT_EQ(SndRequestArmedChannels(), 0xE0u);
    SndRequestReleaseAll();
    EXPECT_EQ((Results{SndRequestArmedChannels(), SndGetFreeChannels(), SndAnyPlaying()}), (Results{0, 0xFF, 0}));
    EXPECT_EQ((Both{MemHandleGetSize(sample) != 0, done.size()}), Both(1, 1)) << "the prepared stream was stopped";
}

TEST_F(SndScheduleTest, ASequencePlaysItsSoundsWithTheGapBetween) {
    SndSeqSetDone(recordSeqDone, 42);
    takeOutput();
    std::uint32_t ids[] = {1, 2, 3};
    EXPECT_EQ(SndSeqStart(ids, 3, 500), 7);
    loopFor(2500);
    ASSERT_EQ(seqDone.size(), 1u);
    EXPECT_EQ(seqDone[0], std::make_pair(42u, std::int16_t{1}));
    EXPECT_EQ(SndSeqService(), 0);
    std::vector<Burst> heard = bursts(channelOf(takeOutput(), 0));
    ASSERT_EQ(heard.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(heard[i].value, std::int16_t(100 * (i + 1)));
        EXPECT_EQ(heard[i].end - heard[i].start, 2205u);
        if (i == 0) continue;
        std::size_t gap = heard[i].start - heard[i - 1].end;
        EXPECT_GE(gap, 500u * kRate / 1000);
        EXPECT_LE(gap, 700u * kRate / 1000);
    }
}

// A sound that takes the sequence's channel during its gap is neither waited for nor stopped by it.
TEST_F(SndScheduleTest, ASequenceFollowsItsOwnSound) {
    std::uint32_t ids[] = {1, 3};
    ASSERT_EQ(SndSeqStart(ids, 2, 200), 7);
    loopFor(200);
    ASSERT_EQ(SndPlayId(5, 0, kSndFullLevel, 0), 7) << "the gap leaves the channel free";
    loopFor(300);
    EXPECT_EQ(SndIsPlaying(6), 1) << "the second sound after the gap";
    SndSeqStop();
    EXPECT_EQ((Both{SndIsPlaying(7), SndIsPlaying(6)}), Both(1, 0));
}

TEST_F(SndScheduleTest, ASequenceStopsWhenAskedAndKeepsTwentySounds) {
    SndSeqSetDone(recordSeqDone, 5);
    std::uint32_t ids[] = {1, 2, 3};
    std::int16_t channel = SndSeqStart(ids, 3, 0);
    loopFor(50);
    EXPECT_EQ((Both{SndSeqStop(), SndIsPlaying(channel)}), Both(0, 0));
    ASSERT_EQ(seqDone.size(), 1u);
    EXPECT_EQ((Both{seqDone[0].second, SndSeqService()}), Both(0, 0));
    std::vector<std::uint32_t> many(25, 4);
    EXPECT_GE(SndSeqStart(many.data(), 25, 0), 0);
    done.clear();
    loopFor(3000);
    EXPECT_EQ((Both{done.size(), seqDone.size()}), Both(20, 2));
    SndSetEnabled(0);
    EXPECT_EQ(SndSeqStart(ids, 3, 0), -1);
    SndSetEnabled(1);
    std::uint32_t missing[] = {99};
    EXPECT_EQ((Both{SndSeqStart(missing, 1, 0), SndSeqService()}), Both(-1, 0));
}

}  // namespace
