// Sound cues of animations with the fake wave device: cue holds, waiting for sounds at the end, shared records.
#include "AseqWriter.h"
#include "RAnimation.h"
#include "SoundTrinketFixture.h"

namespace {

constexpr std::int16_t kCue = 7;        // 300 ms of sound
constexpr std::int16_t kNoData = 8;     // the sound look-up has nothing for it
constexpr std::uint8_t kFrame0 = 5;
constexpr std::uint8_t kFrame1 = 6;

const std::vector<AseqPictureEntry> kCueList = {{0, 0, 0, 0}, {0, 0, kAseqSoundCue, kCue}, {0, 0, 1, 0}, {0, 0, kAseqEnd, 0}};
// Starts paused; played: frame 0, the cue, frame 1, then the loop returns to the hold, which ends the play
// paused on frame 0.
const std::vector<AseqPictureEntry> kEndList = {
    {0, 0, kAseqHold, 0}, {0, 0, 0, 0}, {0, 0, kAseqSoundCue, kCue}, {0, 0, 1, 0}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}};

struct AnimationSoundTest : SoundTrinketFixture {
    void SetUp() override {
        SoundTrinketFixture::SetUp();
        ASSERT_TRUE(classExists(RAnimation::classRecord.className));  // naming the record links the class in
        serveVoice(kCue);
    }
    // A script animation at (100, 50) of two 1 x 1 frames and the given list, 10 frames a second.
    RAnimation* animation(const std::vector<AseqPictureEntry>& list) {
        data.animation(1, writeAseq({10, {}, 0, {list}, {{1, 1, {kFrame0}, {}}, {1, 1, {kFrame1}, {}}}}, ByteOrder::big));
        auto* a = static_cast<RAnimation*>(createObject("RAnimation", "100", "50", "1"));
        a->tag = 1;
        watch(a, {"paused"});
        return a;
    }
    void update(std::uint32_t ms) { fakeMs = ms; window->update(); }
    // The end list played to its hold at 1200, the cue's sound still playing; the end and sounds-done links
    // write "end " and "done ".
    RAnimation* playedToTheHold(bool waitSounds) {
        RAnimation* a = animation(kEndList);
        a->playback.soundSync = false;
        a->waitSoundsAtEnd = waitSounds;
        a->setEndLink(&endLink);
        a->setSoundsDoneLink(&doneLink);
        a->play();
        update(1000);
        update(1100);
        OMWaveOutMixer::pump();
        update(1200);
        return a;
    }

    Callback ended{[] { eventLog += "end "; }}, soundsDone{[] { eventLog += "done "; }};
    const OMLinkToObj<Callback> endLink = calling(ended), doneLink = calling(soundsDone);
};

// The frame on screen ('-' hidden) at 1000 (frame 0), 1100 (the cue), 1200, then after the mixer's pump
// (the sound heard to start) at 1350. Waiting, frame 0 stays until the start; without the wait, the cue
// takes no time (also when the class default of soundSync is off); a sound that cannot play is not waited
// for beyond the next step.
TEST_F(AnimationSoundTest, ACueWaitedForHoldsItsFrameUntilItsSoundStarts) {
    const struct { const char *name, *soundSync, *soundOn; bool refuseDevice; const char* shown; bool heard; } cases[] = {
        {"waiting", "1", "1", false, "0001", true},
        {"not waiting", "0", "1", false, "01--", true},
        {"not waiting by default", "", "1", false, "01--", true},
        {"sound off", "1", "0", false, "01--", false},
        {"no device", "1", "1", true, "001-", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        wave.device.writes.clear();
        wave.device.refuseOpen = c.refuseDevice;
        OMAnimation::defaultSoundSync = *c.soundSync != '\0';
        RAnimation* a = animation(kCueList);
        OMAnimation::defaultSoundSync = true;
        if (*c.soundSync) a->setProperty("soundSync", c.soundSync);
        a->setProperty("soundOn", c.soundOn);
        std::string shown;
        for (const std::uint32_t ms : {1000u, 1100u, 1200u, 1350u}) {
            if (ms == 1350) OMWaveOutMixer::pump();  // the sound starts; the device plays nothing yet
            update(ms);
            const std::uint8_t pixel = backPixel(100, 50);
            shown += pixel == kFrame0 ? '0' : pixel == kFrame1 ? '1' : '-';
        }
        EXPECT_EQ(std::make_pair(shown, !wave.device.writes.empty()), std::make_pair(std::string(c.shown), c.heard));
        if (&c == cases) { EXPECT_EQ(a->playback.syncLatency, 250) << "from the cue to the tick after the start"; }
        delete a;
        OMSound::stopAll();
        wave.device.refuseOpen = false;
    }
}

// The hold ends the play with the cue's sound still playing: with waitSoundsAtEnd the end link and
// "paused" come when the sound ends. Suspending and resuming meanwhile keeps the wait; pausing and turning
// the sound off drop it.
TEST_F(AnimationSoundTest, TheEndOfPlayWaitsForTheSoundsWhenAsked) {
    const struct { const char* name; bool wait; void (*during)(RAnimation&); const char *atEnd, *afterSound; } cases[] = {
        {"not waiting", false, [](RAnimation&) {}, "end paused@1 ", "end paused@1 done "},
        {"waiting", true, [](RAnimation&) {}, "", "end paused@1 done "},
        {"suspended and resumed", true, [](RAnimation& a) { a.suspend(); a.resume(); }, "", "end paused@1 done "},
        {"paused", true, [](RAnimation& a) { a.pause(); }, "", "done "},
        {"sound turned off", true, [](RAnimation& a) { a.setProperty("soundOn", "0"); }, "", "done "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        eventLog.clear();
        RAnimation* a = playedToTheHold(c.wait);
        EXPECT_EQ(std::make_pair(eventLog, a->isBusy()), std::make_pair(std::string(c.atEnd), true)) << "the sound plays";
        c.during(*a);
        wave.playOut();
        EXPECT_EQ(std::make_tuple(eventLog, a->isPausedAndQuiet(), a->waitingForSounds),
                  std::make_tuple(std::string(c.afterSound), true, false));
        delete a;
    }
}

// The end of play waits for the cue's sound; played again, the animation reaches its stop entry and pauses
// as pause does: the sound stops at once and the end is no longer waited for.
TEST_F(AnimationSoundTest, TheStopEntryPausesAsPauseDoesStoppingTheSoundsAndTheWaitForThem) {
    RAnimation* a = playedToTheHold(true);
    ASSERT_TRUE(a->waitingForSounds);
    a->setStopEntry(2);
    a->play();
    update(1300);
    bool sounding = true;
    static_cast<void>(a->isBusy(nullptr, &sounding));
    EXPECT_EQ(std::make_tuple(a->playback.state, a->playback.currentEntry, a->playback.stopEntry, a->waitingForSounds, sounding),
              std::make_tuple(PlayState::paused, 2, -1, false, false));
    wave.playOut();
    EXPECT_EQ(eventLog, "done ") << "no end of play after the stop";
    delete a;
}

// Cues are read from the start of the list: their sound, id and the position of the frame entry they
// precede; a cue without data has no sound. The factory made the records of the list's cues.
TEST_F(AnimationSoundTest, TheCuesOfTheListAreWalkedWithTheirFramePositions) {
    RAnimation* a = animation({{0, 0, kAseqSoundCue, kCue}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, kAseqSoundCue, kNoData},
                               {0, 0, 0, 0}, {0, 0, kAseqEnd, 0}});
    EXPECT_EQ(AnimationFiles::soundLookUps(), 2) << "the factory loads the sounds of the list";
    std::int16_t id = -1;
    std::int32_t position = -1;
    std::string walk;
    for (OMWaveSound* s = a->firstSoundCue(id, position);; s = a->nextSoundCue(id, position)) {
        walk += (s ? "sound " : "none ") + std::to_string(id) + "@" + std::to_string(position) + " ";
        if (position == 0) break;
    }
    EXPECT_EQ(walk + std::to_string(AnimationFiles::soundLookUps()), "sound 7@1 none 8@3 none 0@0 2") << "records are made once";
    EXPECT_EQ(std::make_tuple(a->entryAt(5)->frame, a->entryAt(6).has_value(), a->entryAt(-1)->frame),
              std::make_tuple(kAseqEnd, false, kAseqSoundCue))
        << "the last entry, none past it, the current entry";
    bool paused = false, quiet = false, playing = false, sounding = true;
    EXPECT_FALSE(a->isPausedAndQuiet(&paused, &quiet));
    EXPECT_TRUE(a->isBusy(&playing, &sounding));
    EXPECT_EQ(std::tuple(paused, quiet, playing, sounding), std::tuple(false, true, true, false)) << "paused quiet playing sounding";
    delete a;
}

// A copy shares the records. The animation that played a sound going first stops it, so the sound's
// hooks never reach it; the last one deletes the records.
TEST_F(AnimationSoundTest, CopiesShareTheSoundsAndTheOneThatPlayedStopsThemWhenItGoes) {
    RAnimation* a = animation(kCueList);
    a->playback.soundSync = false;
    auto* copy = new OMAnimation(*a);
    copy->pause();
    std::int16_t id = 0;
    std::int32_t position = 0;
    EXPECT_EQ(a->firstSoundCue(id, position), copy->firstSoundCue(id, position));
    update(1000);
    update(1100);
    OMWaveOutMixer::pump();
    bool sounding = false, soundingAfter = true;
    static_cast<void>(copy->isBusy(nullptr, &sounding));
    delete a;
    static_cast<void>(copy->isBusy(nullptr, &soundingAfter));
    wave.playOut();
    EXPECT_EQ(std::make_tuple(sounding, soundingAfter, copy->soundsPlaying), std::make_tuple(true, false, 0))
        << "the shared record counts the play";
    const int before = AnimationFiles::soundLookUps();
    copy->unloadSounds(-1);
    static_cast<void>(copy->firstSoundCue(id, position));
    EXPECT_EQ(AnimationFiles::soundLookUps(), before + 1) << "the last user unloaded the record, made again on first use";
    delete copy;
}

}  // namespace
