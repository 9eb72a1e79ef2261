// Fades on the scripted clock (values along the line, one end call, a fade of no duration, a late step) and
// the channel iterator.
#include "SndChannel.h"
#include "SndChannelIter.h"
#include "SndTestSupport.h"

using namespace sndtest;

namespace {

struct FadeEnd { std::int16_t channel; std::uint16_t start, target; };
std::vector<FadeEnd> fadeEnds;
void recordFadeEnd(std::int16_t channel, std::uint16_t start, std::uint16_t target) {
    fadeEnds.push_back({channel, start, target});
}

std::vector<std::int16_t> visited;
std::int16_t visitOddAnswers(std::int16_t channel) {
    visited.push_back(channel);
    return channel % 2;
}

int waits = 0;
std::int16_t waitThreeSteps() {
    ScriptedClock::advance(10);
    SndService();
    return ++waits < 3 ? 1 : 0;
}

struct SndFadeTest : SndTest {
    void SetUp() override {
        SndTest::SetUp();
        fadeEnds.clear();
        visited.clear();
        waits = 0;
    }
    // Steps the channel's fade at each time offset from now, giving the volume after each step.
    static std::vector<int> stepsAt(std::int16_t channel, std::initializer_list<std::uint32_t> offsets) {
        std::uint32_t at = 0;
        std::vector<int> volumes;
        for (std::uint32_t offset : offsets) {
            advance(offset - at);
            at = offset;
            SndFadeService(SndChannelBit(channel));
            volumes.push_back(SndChannelGetVolume(channel));
        }
        return volumes;
    }
};

TEST_F(SndFadeTest, FadesFollowTheirLinesAndEndOnceAtTheirTargets) {
    EXPECT_EQ((Both{SndFadeChannel(3, 0, 1000, recordFadeEnd), SndFadeIsActive(3)}), Both(0, 1));
    EXPECT_EQ(SndFadeChannel(3, 100, 500, recordFadeEnd), 1) << "a fade already runs";
    EXPECT_EQ(stepsAt(3, {0, 250, 500, 999, 1000, 1500}), (std::vector<int>{1024, 768, 512, 1, 0, 0}));
    ASSERT_EQ(fadeEnds.size(), 1u);
    EXPECT_EQ((Results{fadeEnds[0].channel, fadeEnds[0].start, fadeEnds[0].target, SndFadeIsActive(3)}),
              (Results{3, 1024, 0, 0}));
    EXPECT_EQ(SndFadeChannel(3, 0, 1000, nullptr), 1) << "already at the target";
    EXPECT_EQ(SndFadeChannel(16, 0, 1000, nullptr), 1);
    // Upwards, of no duration (no division by it), and stepped long after its end (the overshoot counts as no
    // time left): each ends at its target, with one end call.
    SndChannelSetVolume(1, 200);
    SndFadeChannel(1, 1000, 400, recordFadeEnd);
    EXPECT_EQ(stepsAt(1, {0, 100, 400}), (std::vector<int>{200, 400, 1000}));
    SndFadeChannel(2, 300, 0, recordFadeEnd);
    EXPECT_EQ(stepsAt(2, {0}), std::vector<int>{300});
    SndFadeChannel(4, 24, 1000, recordFadeEnd);
    EXPECT_EQ(stepsAt(4, {0, 60000}), (std::vector<int>{1024, 24}));
    EXPECT_EQ(fadeEnds.size(), 4u);
}

TEST_F(SndFadeTest, TheServiceStepsFadesOfTheChannelMaskAndWaitsCanBeCut) {
    SndFadeChannel(5, 0, 200, recordFadeEnd);
    SndFadeChannel(6, 0, 200, recordFadeEnd);
    SndSetChannelMask(0x20);
    runFor(400);
    EXPECT_EQ((Both{SndFadeIsActive(5), SndFadeIsActive(6)}), Both(0, 1)) << "channel 6 is outside the mask";
    EXPECT_EQ((Results{SndAnyFading(0x60), SndFadeWait(6, waitThreeSteps), waits}), (Results{1, 0, 3}));
    EXPECT_EQ(SndFadeIsActive(6), 1) << "the wait procedure stopped the wait";
    EXPECT_EQ((Results{SndFadeWaitAll(0x40, nullptr), SndAnyFading(0xFFFF), fadeEnds.size()}), (Results{0, 0, 2}));
    EXPECT_EQ(SndFadeOutChannels(recordFadeEnd, 0x60), 1) << "both are at 0 already";
}

TEST_F(SndFadeTest, FadingOutAPlayStopsItAndPutsItsVolumeBack) {
    ASSERT_TRUE(open({aifResource(1, constant(22050, 100))}));
    EXPECT_EQ(SndFadeOutPlay(7, nullptr), 0) << "no play";
    EXPECT_EQ(SndSetFadeTime(300), kSndDefaultFadeTime);
    std::int16_t channel = SndPlayIdLooped(1, 0, 800, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ((Both{SndFadeOutPlayWait(channel, nullptr, nullptr), SndIsPlaying(channel)}), Both(0, 0));
    EXPECT_EQ(SndChannelGetVolume(channel), 800);
    channel = SndPlayIdLooped(1, 0, 800, 0);
    EXPECT_EQ(SndFadeOutPlay(channel, recordFadeEnd), 0);
    EXPECT_EQ(SndFadeOutPlay(channel, recordFadeEnd), 1) << "already fading";
    runFor(400);
    EXPECT_EQ(SndIsPlaying(channel), 1) << "a procedure of its own: the play goes on at volume 0";
    EXPECT_EQ((Both{SndChannelGetVolume(channel), fadeEnds.size()}), Both(0, 1));
    SndSetFadeTime(kSndDefaultFadeTime);
}

TEST_F(SndFadeTest, TheIteratorVisitsChannelsInUseHighestFirst) {
    EXPECT_EQ(SndForEachChannel(0, visitOddAnswers), 0u);
    EXPECT_TRUE(visited.empty());
    EXPECT_EQ(SndForEachChannel(0xFFFF, visitOddAnswers), 0xAAu);
    EXPECT_EQ(visited, (std::vector<std::int16_t>{7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ((Both{SndChannelGetResult(5), SndChannelGetResult(4)}), Both(1, 0));
    EXPECT_EQ((Results{SndChannelBit(15), SndChannelBit(16), SndChannelBit(-1)}), (Results{0x8000, 0, 0}));
    EXPECT_EQ((Both{SndHighestChannel(0x10005), SndHighestChannel(0)}), Both(2, -1)) << "bits above 15 do not count";
}

}  // namespace
