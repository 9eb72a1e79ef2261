// The animation clip: a play-once animation ends exactly once, sequences of 16 ids or ended by a 0, and a
// sequence held without playing.
#include "AnimClip.h"
#include "KitTestSupport.h"
#include "SpriteCycler.h"

namespace {

// Ticks every 30 ms, with the main loop's sound service, until the clip reports 4 twice in a row: the states and the ids played, each once.
std::vector<int> tickThrough(AnimClip& clip, std::vector<std::uint32_t>* ids = nullptr) {
    std::vector<int> states;
    for (int i = 0; i < 200 && !(states.size() > 1 && states.back() == 4 && states[states.size() - 2] == 4); ++i) {
        ScreenUpdateTest::now += 30;
        SndService();
        states.push_back(static_cast<int>(clip.Tick()));
        if (ids && (ids->empty() || ids->back() != clip.Record().resId)) ids->push_back(clip.Record().resId);
    }
    return states;
}

using AnimClipTest = KitTest;

TEST_F(AnimClipTest, APlayOnceClipEndsOnceWithItsSound) {
    AnimClip clip;
    clip.Load(1, 0);
    EXPECT_EQ(calls, std::vector<std::string>{"start id=1 ch=7 pri=-32767 vol=1024 flags=0"});
    clip.Play(0);  // the sound still sounds: not started again
    EXPECT_EQ(calls.size(), 1u);
    // The kit clock's start and stop leave the open player's clock running.
    ASSERT_EQ(SpriteCyclerInit(1), 1);
    SpriteCyclerShutdown();
    const std::vector<int> states = tickThrough(clip);
    EXPECT_EQ(std::count(states.begin(), states.end(), 3), 1);
    EXPECT_EQ(states.back(), 4);
    EXPECT_EQ(states[states.size() - 3], 3);
}

TEST_F(AnimClipTest, SequencesPlayEveryIdUpToAZero) {
    std::vector<std::uint32_t> all;
    for (std::uint32_t id = 1; id <= 16; ++id) all.push_back(id);
    const std::vector<std::uint32_t> cut{1, 2, 0, 4};
    for (const auto& ids : {all, cut}) {
        AnimClip clip;
        clip.PlaySequence(ids.data(), static_cast<std::uint16_t>(ids.size()));
        std::vector<std::uint32_t> played{clip.Record().resId};
        tickThrough(clip, &played);
        EXPECT_EQ(played, (ids.size() == 16 ? all : std::vector<std::uint32_t>{1, 2}));
    }
}

// A sequence given to a playing clip is only held: no sound starts, the clip plays on alone and ends.
TEST_F(AnimClipTest, AHeldSequenceDoesNotPlay) {
    std::vector<std::uint32_t> ids;
    for (std::uint32_t id = 2; id <= 18; ++id) ids.push_back(id);
    AnimClip clip;
    clip.Load(1, 0);
    calls.clear();
    clip.SetSequence(ids.data(), static_cast<std::uint16_t>(ids.size()));
    EXPECT_TRUE(calls.empty());
    for (int i = 0; i < AnimClip::kSequenceLength; ++i) EXPECT_EQ(clip.SequenceId(i), ids[static_cast<std::size_t>(i)]);
    std::vector<std::uint32_t> played{clip.Record().resId};
    tickThrough(clip, &played);
    EXPECT_EQ(played, std::vector<std::uint32_t>{1});
    clip.SetSequence(ids.data(), 3);
    EXPECT_EQ(clip.SequenceId(2), 4u);
    EXPECT_EQ(clip.SequenceId(3), 0u);
}

}  // namespace
