// Stepping play lists on a test clock: holds, loops and repeat counts, the end, special entries, intervals
// without drift and sound cues that wait for their sound.
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

const std::vector<AseqPictureEntry> kHoldLoop = {
    {0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}};
const std::vector<AseqPictureEntry> kCue = {{0, 0, 0, 0}, {0, 0, kAseqSoundCue, 7}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}};

// Each list is played from 1000 ms with ticks `step` apart. A hold starts paused; played, the loop runs as
// the repeat count says. The end hides without an event; special entries raise one; frame rate 0 makes
// each frame last its param; steps keep to their schedule.
TEST_F(AseqPlaybackTest, PlayListsStepAsTheirEntriesSay) {
    const struct {
        const char* name;
        std::vector<AseqPictureEntry> entries;
        std::int32_t rate, repeats, step, count;
        bool sync, cuesOn;
        const char* log;
    } cases[] = {
        {"repeat 0", kHoldLoop, 8, 0, 125, 10, true, true, "show0 show1 paused show0 "},
        {"repeat 2", kHoldLoop, 8, 2, 125, 10, true, true, "show0 show1 show0 show1 paused "},
        {"repeat forever", kHoldLoop, 8, -1, 125, 10, true, true, "show0 show1 show0 show1 show0 show1 show0 show1 show0 show1 "},
        {"end", {{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, true, true, "show0 hide "},
        {"no end entry", {{0, 0, 0, 0}, {0, 0, 1, 0}}, 8, 0, 125, 4, true, true, "show0 show1 hide "},
        {"special", {{0, 0, 0, 0}, {0, 0, -600, 0}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, true, true,
         "show0 special show1 hide "},
        {"other commands skipped", {{0, 0, -3, 0}, {0, 0, 0, 0}, {0, 0, -102, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, true,
         true, "show0 hide "},
        {"commands alone, looping", {{0, 0, -3, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, true, true, ""},
        {"param 100 before it ends", {{0, 0, 0, 100}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, 0, 0, 10, 10, true, true, "show0 "},
        {"param 100 when it ends", {{0, 0, 0, 100}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, 0, 0, 10, 11, true, true,
         "show0 show1 "},
        {"cue without sync", kCue, 10, 0, 100, 2, false, true, "show0 cue7 show1 "},
        {"cues off", kCue, 10, 0, 100, 2, true, false, "show0 show1 "},
        // Due every 83 ms from the last due time, not from the late tick: six steps in 450 ms, not five.
        {"without drift", {{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}, 12, -1, 50, 10, true, true,
         "show0 show1 show0 show1 show0 show1 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.cuesOn = c.cuesOn;
        load(c.entries, c.rate);
        player.soundSync = c.sync;
        player.repeatCount = c.repeats;
        player.play();
        ticks(1000, c.step, c.count);
        EXPECT_EQ(host.log, c.log);
    }
}

// Waiting for the cue's sound, frame 0 stays until the sound starts; the next tick shows frame 1 and
// measures the start latency.
TEST_F(AseqPlaybackTest, ASoundCueHoldsItsFrameUntilTheSoundStarts) {
    load(kCue, 10);
    ticks(1000, 100, 4);
    EXPECT_EQ(host.log, "show0 cue7 ");
    player.soundStarted();
    ticks(1350, 1, 1);
    EXPECT_EQ(host.log, "show0 cue7 show1 ");
    EXPECT_EQ(player.syncLatency, 250);
}

}  // namespace
