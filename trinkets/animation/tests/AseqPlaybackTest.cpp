// Stepping play lists on a test clock: holds, loops, repeat counts, the end, special entries, no drift.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AseqPlayback.h"
#include "AseqWriter.h"

namespace {

// Logs what the stepping asked for: "show<frame> ", "paused ", "special ", "hide ", "cue<id> ".
struct LogHost : AseqPlaybackHost {
    void showEntry() override { log += "show" + std::to_string(player->entry(player->currentEntry).frame) + " "; }
    bool endOfPlay() override { log += "paused "; return true; }
    bool entryAdvanced() override { return true; }
    bool special() override { log += "special "; return true; }
    void hideAtEnd() override { log += "hide "; }
    bool cuesPlay() override { return true; }
    bool hasCue(std::int16_t) override { return true; }
    void playCue(std::int16_t soundId, bool) override { log += "cue" + std::to_string(soundId) + " "; }
    bool pauseAtStop() override { player->pause(); return true; }
    AseqPlayback* player = nullptr;
    std::string log;
};

struct AseqPlaybackTest : ::testing::Test {
    // Attaches a one-list animation of two frames and selects its list at the given frame rate.
    void load(const std::vector<AseqPictureEntry>& entries, std::int32_t frameRate) {
        const std::string bytes = writeAseq({8, {}, 0, {entries}, {{1, 1, {1}, {}}, {1, 1, {2}, {}}}}, ByteOrder::little);
        buffer.assign(bytes.begin(), bytes.end());
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        host.player = &player;
        host.log.clear();
        player.frameRate = frameRate;
        player.select(layout.sequences[0]);
        player.begin();
    }
    std::vector<std::uint8_t> buffer;
    AseqLayout layout;
    LogHost host;
    AseqPlayback player{host};
};

const std::vector<AseqPictureEntry> kHoldLoop = {
    {0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}};

// Each list is played from 1000 ms with ticks `step` apart. A hold starts paused; played, the loop runs as
// the repeat count says. The end hides without an event; special entries raise one; frame rate 0 makes
// each frame last its param; steps keep to their schedule.
TEST_F(AseqPlaybackTest, PlayListsStepAsTheirEntriesSay) {
    const struct {
        const char* name; std::vector<AseqPictureEntry> entries; std::int32_t rate, repeats, step, count; const char* log;
    } cases[] = {
        {"repeat 0", kHoldLoop, 8, 0, 125, 10, "show0 show1 paused show0 "},
        {"repeat 2", kHoldLoop, 8, 2, 125, 10, "show0 show1 show0 show1 paused "},
        {"repeat forever", kHoldLoop, 8, -1, 125, 10, "show0 show1 show0 show1 show0 show1 show0 show1 show0 show1 "},
        {"end", {{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, "show0 hide "},
        {"no end entry", {{0, 0, 0, 0}, {0, 0, 1, 0}}, 8, 0, 125, 4, "show0 show1 hide "},
        {"special", {{0, 0, 0, 0}, {0, 0, -600, 0}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, "show0 special show1 hide "},
        {"other commands skipped", {{0, 0, -3, 0}, {0, 0, 0, 0}, {0, 0, -102, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, "show0 hide "},
        {"commands alone, looping", {{0, 0, -3, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}, 8, 0, 125, 4, ""},
        {"param 100 before it ends", {{0, 0, 0, 100}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, 0, 0, 10, 10, "show0 "},
        {"param 100 when it ends", {{0, 0, 0, 100}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}}, 0, 0, 10, 11, "show0 show1 "},
        // Due every 83 ms from the last due time, not from the late tick: six steps in 450 ms, not five.
        {"without drift", {{0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}}, 12, -1, 50, 10,
         "show0 show1 show0 show1 show0 show1 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.entries, c.rate);
        player.repeatCount = c.repeats;
        player.play();
        for (int i = 0; i < c.count; ++i) ASSERT_TRUE(player.tick(1000 + i * c.step));
        EXPECT_EQ(host.log, c.log);
    }
}

}  // namespace
