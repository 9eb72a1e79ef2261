// Sound steps with the fake wave device: finished when the sound ends, at once without one, never when halted.
#include <string>

#include "AnimatedActionFixture.h"
#include "OMIStreamFile.h"
#include "SoundAction.h"

namespace {

// A stream of the voice file that notes how many sounds are alive when it is freed.
struct NotedStream : OMIStreamFile {
    using OMIStreamFile::OMIStreamFile;
    ~NotedStream() override { freed += std::to_string(OMWaveSound::alive()) + " "; }
    static inline std::string path, freed;
};

class SoundActionTest : public AnimatedActionFixture {
protected:
    void SetUp() override {
        AnimatedActionFixture::SetUp();
        serveVoice(5);
        lookups.clear();
        NotedStream::path = wave.voice;
        NotedStream::freed.clear();
        SoundAction::setSoundLookup([](std::uint16_t id, std::int32_t flag) -> OMIStream* {
            lookups += std::to_string(id) + "/" + std::to_string(flag) + " ";
            if (id == 5) return new NotedStream(NotedStream::path.c_str(), kStreamWhole, nullptr);
            return OMAnimation::soundHook(static_cast<std::int16_t>(id));
        });
    }
    void TearDown() override {
        SoundAction::setSoundLookup(nullptr);
        AnimatedActionFixture::TearDown();
    }
    static inline std::string lookups;
};

// Every start plays afresh; the look-up is asked with 0 for a non-zero source flag, else with -1. A start
// while the sound plays (a second start, or one step in two queues) lets the old sound go before the stream it
// reads, without "finished" for it.
TEST_F(SoundActionTest, TheStepFinishesWhenItsSoundEnds) {
    for (const auto& [flag, asked] : {std::pair{"0", "5/-1 5/-1 5/-1 5/-1 "}, std::pair{"1", "5/0 5/0 5/0 5/0 "}}) {
        SCOPED_TRACE(flag);
        eventLog.clear();
        lookups.clear();
        auto* step = static_cast<SoundAction*>(create("SoundAction", {"5", flag, "0"}));
        EXPECT_EQ(0, step->isInterruptible());
        for (const char* after : {"finished@step ", "finished@step finished@step "}) {
            for (int i = 0; i < 2; ++i) { step->start(); OMWaveOutMixer::pump(); }
            EXPECT_NE(after, eventLog);
            wave.playOut();
            EXPECT_EQ(std::make_pair(std::string(after), static_cast<OMWaveSound*>(nullptr)), std::make_pair(eventLog, step->sound.get()));
        }
        EXPECT_EQ(std::make_pair(std::string(asked), std::string("0 0 0 0 ")), std::make_pair(lookups, NotedStream::freed))
            << "sounds alive when a stream went";
        NotedStream::freed.clear();
        delete step;
    }
}

// No sound: the id 65535, no data for the id, or data that is no sound at all (which cannot play).
TEST_F(SoundActionTest, WithoutASoundTheStepFinishesAtOnceAndAHaltedOneNever) {
    data.sound(7, "no sound here");
    for (const char* id : {"65535", "6", "7"}) {
        SCOPED_TRACE(id);
        eventLog.clear();
        Action* step = create("SoundAction", {id});
        step->start();
        EXPECT_EQ(std::make_pair(std::string("finished@step "), false), std::make_pair(eventLog, OMWaveOutMixer::active()));
        delete step;
    }
    EXPECT_EQ(std::make_pair(std::string("6/-1 7/-1 "), static_cast<Action*>(nullptr)), std::make_pair(lookups, create("SoundAction", {})));
    eventLog.clear();
    auto* step = static_cast<SoundAction*>(create("SoundAction", {"5"}));
    step->start();
    OMWaveOutMixer::pump();
    step->pause();
    EXPECT_EQ(1, step->sound->paused);
    step->halt();
    EXPECT_FALSE(OMWaveOutMixer::active());
    step->start();
    delete step;
    wave.playOut();
    EXPECT_EQ("", eventLog);
}

}  // namespace
