// Sound steps with the fake wave device: a sound found by id plays and the step finishes when it ends;
// no sound to play finishes at once; halting stops the sound without a "finished" event.
#include <string>

#include "AnimatedActionFixture.h"
#include "SoundAction.h"
#include "SoundFixture.h"

namespace {

class SoundActionTest : public AnimatedActionFixture {
protected:
    void SetUp() override {
        AnimatedActionFixture::SetUp();
        previousDevice = setWaveDevice(&device);
        soundFile = folder.file("five.wav");
        writeWholeFile(soundFile, wave(std::string(3308, '\x90')));  // 300 ms at 11025 samples a second
        lookups.clear();
        SoundAction::setSoundLookup([](std::uint16_t id, std::int32_t flag) -> OMIStream* {
            lookups += std::to_string(id) + "/" + std::to_string(flag) + " ";
            return id == 5 ? new OMIStreamFile(soundFile.c_str(), kStreamWhole, nullptr) : nullptr;
        });
    }
    void TearDown() override {
        SoundAction::setSoundLookup(nullptr);
        OMSound::stopAll();
        OMWaveSound::closeDevice();
        device.refuseOpen = true;
        static_cast<void>(OMWaveSound::openDevice(0));
        setWaveDevice(previousDevice);
        AnimatedActionFixture::TearDown();
    }
    // Lets the device play every buffer it holds.
    void playOut() {
        for (int i = 0; i < 200 && OMWaveOutMixer::active(); ++i) {
            OMWaveOutMixer::pump();
            device.complete();
        }
        OMWaveOutMixer::pump();
    }

    FakeWaveDevice device;
    OMWaveDevice* previousDevice = nullptr;
    static inline std::string soundFile;
    static inline std::string lookups;
};

// The look-up is asked with 0 for a non-zero source flag, else -1; every start plays afresh.
TEST_F(SoundActionTest, TheStepFinishesWhenItsSoundEnds) {
    const struct {
        std::vector<const char*> tokens;
        const char* lookups;
        std::int32_t interruptible;
    } cases[] = {
        {{"5"}, "5/-1 5/-1 ", 1},
        {{"5", "1"}, "5/0 5/0 ", 1},
        {{"5", "0", "0"}, "5/-1 5/-1 ", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lookups);
        lookups.clear();
        auto* step = static_cast<SoundAction*>(create("SoundAction", c.tokens));
        ASSERT_NE(nullptr, step);
        EXPECT_EQ(c.interruptible, step->isInterruptible());
        watchFinished(step, "sound");
        for (const char* after : {"finished@sound ", "finished@sound finished@sound "}) {
            step->start();
            EXPECT_NE(nullptr, step->sound);
            OMWaveOutMixer::pump();
            EXPECT_EQ(1, step->isActive());
            playOut();
            EXPECT_EQ(after, eventLog);
            EXPECT_EQ(nullptr, step->sound);
            EXPECT_EQ(nullptr, step->stream);
        }
        EXPECT_EQ(c.lookups, lookups);
        eventLog.clear();
        delete step;
    }
}

TEST_F(SoundActionTest, WithoutASoundToPlayTheStepFinishesAtOnce) {
    const struct {
        const char* id;
        bool hook;
        const char* lookups;
    } cases[] = {
        {"65535", true, ""},
        {"6", true, "6/-1 "},
        {"5", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        eventLog.clear();
        lookups.clear();
        if (!c.hook) SoundAction::setSoundLookup(nullptr);
        Action* step = create("SoundAction", {c.id});
        watchFinished(step, "sound");
        step->start();
        EXPECT_EQ("finished@sound ", eventLog);
        EXPECT_EQ(c.lookups, lookups);
        EXPECT_FALSE(OMWaveOutMixer::active());
        delete step;
    }
    EXPECT_EQ(nullptr, create("SoundAction", {}));
}

TEST_F(SoundActionTest, HaltingStopsTheSoundWithoutAFinishAndPausingPausesIt) {
    auto* step = static_cast<SoundAction*>(create("SoundAction", {"5"}));
    watchFinished(step, "sound");
    step->start();
    OMWaveOutMixer::pump();
    step->pause();
    EXPECT_EQ(1, step->sound->paused);
    step->resume();
    EXPECT_EQ(0, step->sound->paused);
    step->halt();
    EXPECT_EQ(nullptr, step->sound);
    EXPECT_FALSE(OMWaveOutMixer::active());
    playOut();
    EXPECT_EQ("", eventLog);

    // Deleting a playing step stops its sound the same way.
    step->start();
    OMWaveOutMixer::pump();
    delete step;
    EXPECT_FALSE(OMWaveOutMixer::active());
    EXPECT_EQ("", eventLog);
}

}  // namespace
