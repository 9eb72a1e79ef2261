// Stepping play lists on a test clock: intervals without drift, holds, loops and repeat counts, the end,
// special entries and sound cues that wait for their sound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AseqPlayback.h"
#include "AseqWriter.h"

namespace {

// Logs what the stepping asked for: "show<frame> ", "paused ", "special ", "hide ", "cue<id> ".
class LogHost : public AseqPlaybackHost {
public:
    void showEntry() override { log += "show" + std::to_string(player->entry(player->currentEntry).frame) + " "; }
    bool endOfPlay() override { log += "paused "; return true; }
    bool entryAdvanced() override { return true; }
    bool special() override { log += "special "; return true; }
    void hideAtEnd() override { log += "hide "; }
    bool cuesPlay() override { return cuesOn; }
    bool hasCue(std::int16_t) override { return true; }
    void playCue(std::int16_t soundId, bool) override { log += "cue" + std::to_string(soundId) + " "; }

    AseqPlayback* player = nullptr;
    std::string log;
    bool cuesOn = true;
};

class AseqPlaybackTest : public ::testing::Test {
protected:
    // Attaches a one-list animation of two frames and selects its list at the given frame rate.
    void load(const std::vector<AseqPictureEntry>& entries, std::int32_t frameRate = 8) {
        AseqPicture picture;
        picture.sequences = {entries};
        picture.frames = {{1, 1, {1}, {}}, {1, 1, {2}, {}}};
        const std::string bytes = writeAseq(picture, ByteOrder::little);
        buffer.assign(bytes.begin(), bytes.end());
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        host.player = &player;
        host.log.clear();
        player.frameRate = frameRate;
        player.select(layout.sequences[0]);
        player.begin();
    }
    void ticks(std::int32_t from, std::int32_t step, int count) {
        for (int i = 0; i < count; ++i) ASSERT_TRUE(player.tick(from + i * step));
    }

    std::vector<std::uint8_t> buffer;
    AseqLayout layout;
    LogHost host;
    AseqPlayback player{host};
};

// (hold, frame 0, frame 1, loop, end) starts paused on frame 0; played, it runs as its repeat count says.
TEST_F(AseqPlaybackTest, AHoldAndLoopPlayAsTheRepeatCountSays) {
    const struct {
        std::int32_t repeats;
        const char* log;
    } cases[] = {
        {0, "show0 show1 paused show0 "},
        {2, "show0 show1 show0 show1 paused "},
        {-1, "show0 show1 show0 show1 show0 show1 show0 show1 show0 show1 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.repeats);
        load({{0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}});
        EXPECT_EQ(player.state, PlayState::paused);
        EXPECT_EQ(player.currentEntry, 1);
        host.log.clear();
        player.repeatCount = c.repeats;
        player.play();
        ticks(1000, 125, 10);
        EXPECT_EQ(host.log, c.log);
        EXPECT_EQ(player.state, c.repeats == -1 ? PlayState::playing : PlayState::paused);
    }
}

// At 12 a second a late tick keeps the schedule: the next is due 83 ms after the one missed, not after now.
TEST_F(AseqPlaybackTest, StepsComeAtTheFrameIntervalWithoutDrift) {
    load({{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}, 12);
    ticks(1000, 1, 1);
    EXPECT_EQ(player.dueTime, 1083);
    ticks(1090, 1, 1);
    EXPECT_EQ(player.dueTime, 1166);
    player.noDrift = false;
    ticks(1200, 1, 1);
    EXPECT_EQ(player.dueTime, 1283);
}

// Frame rate 0: each frame entry lasts its param; the second frame comes at the first tick 100 ms on.
TEST_F(AseqPlaybackTest, WithoutAFrameRateEachFrameLastsItsParam) {
    load({{0, 0, 0, 100}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, 0);
    ticks(1000, 10, 10);
    EXPECT_EQ(host.log, "show0 ");
    ticks(1100, 10, 1);
    EXPECT_EQ(host.log, "show0 show1 ");
}

TEST_F(AseqPlaybackTest, TheEndHidesWithoutAnEventAndSpecialEntriesRaiseOne) {
    const struct {
        const char* name;
        std::vector<AseqPictureEntry> entries;
        const char* log;
    } cases[] = {
        {"end", {{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}, "show0 hide "},
        {"no end entry", {{0, 0, 0, 0}, {0, 0, 1, 0}}, "show0 show1 hide "},
        {"special", {{0, 0, 0, 0}, {0, 0, -600, 0}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, "show0 special show1 hide "},
        {"other commands skipped", {{0, 0, -3, 0}, {0, 0, 0, 0}, {0, 0, -102, 0}, {0, 0, kAseqEnd, 0}}, "show0 hide "},
        {"commands alone, looping", {{0, 0, -3, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.entries);
        ticks(1000, 125, 4);
        EXPECT_EQ(host.log, c.log);
    }
}

// (frame 0, cue 7, frame 1, end): waiting for the cue's sound, frame 0 stays until the sound starts; the
// next tick shows frame 1 and measures the start latency. Without sync or with cues off it plays straight on.
TEST_F(AseqPlaybackTest, ASoundCueHoldsItsFrameUntilTheSoundStarts) {
    const std::vector<AseqPictureEntry> entries = {
        {0, 0, 0, 0}, {0, 0, kAseqSoundCue, 7}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}};
    load(entries, 10);
    ticks(1000, 100, 4);
    EXPECT_EQ(host.log, "show0 cue7 ");
    player.soundStarted();
    ticks(1350, 1, 1);
    EXPECT_EQ(host.log, "show0 cue7 show1 ");
    EXPECT_EQ(player.syncLatency, 250);
    const struct {
        bool sync, cuesOn;
        const char* log;
    } cases[] = {{false, true, "show0 cue7 show1 "}, {true, false, "show0 show1 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log);
        host.cuesOn = c.cuesOn;
        load(entries, 10);
        player.soundSync = c.sync;
        ticks(1000, 100, 2);
        EXPECT_EQ(host.log, c.log);
    }
}

}  // namespace
