// The sound clip on the sound test bench: a play runs to its end and reports it once, a play of the id
// still sounding is not restarted, a stopped play reports so, a play that gets no channel changes
// nothing, and a waiting play returns at its end.
#include "SoundClip.h"
#include "SndTestSupport.h"

using namespace sndtest;

namespace {

struct SoundClipTest : SndTest {
    void SetUp() override {
        SndTest::SetUp();
        ASSERT_TRUE(open({aifResource(1, constant(22050, 100)), aifResource(2, constant(2205, 200))}));
    }
};

TEST_F(SoundClipTest, EndsOnceAndIsNotRestartedWhileSounding) {
    SoundClip clip;
    clip.Play(1, 0, 0, 0);
    EXPECT_EQ(clip.State(), ClipState::playing);
    runFor(600);
    clip.Play(1, 0, 0, 0);
    runFor(600);
    EXPECT_FALSE(clip.IsPlaying()) << "the play of 1 s ended on time, not restarted at 0.6 s";
    EXPECT_EQ(clip.TakeEndState(), ClipState::ended);
    EXPECT_EQ(clip.TakeEndState(), ClipState::reported);
    EXPECT_TRUE(done.empty()) << "the bench's own completion procedure was not told";
}

TEST_F(SoundClipTest, StoppedPlaysAndMissingSounds) {
    SoundClip clip;
    clip.Play(2, 0, 0, 0);
    clip.Stop();
    EXPECT_FALSE(clip.IsPlaying());
    EXPECT_EQ(clip.TakeEndState(), ClipState::stopped);
    clip.Play(9, 0, 0, 0);
    EXPECT_EQ(clip.State(), ClipState::reported);
    EXPECT_FALSE(clip.IsPlaying());
    clip.Play(2, 0, 1, 0);
    EXPECT_FALSE(clip.IsPlaying());
    EXPECT_EQ(clip.TakeEndState(), ClipState::ended);
    EXPECT_GE(ScriptedClock::now, 1100u) << "the waiting play of 0.1 s took its time";
}

}  // namespace
