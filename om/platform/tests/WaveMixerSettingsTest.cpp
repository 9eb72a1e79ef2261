// The wave mixer's settings: their defaults, each setter's range and the moments it refuses, and a sound
// played on the fake device after each change, heard with the new shape.
#include "SoundFixture.h"

namespace {

std::string ramp(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 5 + i / 256);
    return s;
}

std::string filled(std::size_t n, int value) { return std::string(n, static_cast<char>(value)); }

struct Settings {
    std::int32_t blockSize, bufferCount, startLead, keepQueued, ringSize;
    bool operator==(const Settings& o) const {
        return blockSize == o.blockSize && bufferCount == o.bufferCount && startLead == o.startLead &&
               keepQueued == o.keepQueued && ringSize == o.ringSize;
    }
};

std::ostream& operator<<(std::ostream& out, const Settings& s) {
    return out << "{block " << s.blockSize << ", buffers " << s.bufferCount << ", lead " << s.startLead << ", kept "
               << s.keepQueued << ", ring " << s.ringSize << "}";
}

Settings current() {
    return {OMWaveOutMixer::blockSize(), OMWaveOutMixer::bufferCount(), OMWaveOutMixer::startLead(),
            OMWaveOutMixer::keepQueued(), OMWaveOutMixer::ringSize()};
}

const Settings kDefaults{kDefaultBlockSize, kDefaultBufferCount, kDefaultStartLead, kDefaultKeepQueued, 32};

// Every sound is gone before the defaults come back, since block size and buffer count wait for that.
struct WaveMixerSettingsTest : SoundsFixture {
    void TearDown() override {
        SoundsFixture::TearDown();
        OMWaveOutMixer::setMixerBlockSize(kDefaultBlockSize);
        OMWaveOutMixer::setMixerBufferCount(kDefaultBufferCount);
        OMWaveOutMixer::setMixerStartLead(kDefaultStartLead);
        OMWaveOutMixer::setMixerKeepQueued(kDefaultKeepQueued);
    }
    // The sound played out on its own: every write one block long, the samples heard in order and the
    // last block padded with silence.
    void expectHeardAlone(const std::string& samples, bool whole) {
        device.writes.clear();
        ASSERT_EQ(make(samples, whole)->play(1), 1);
        playOut();
        const std::size_t block = std::size_t(OMWaveOutMixer::blockSize());
        for (const std::string& w : device.writes) ASSERT_EQ(w.size(), block);
        EXPECT_EQ(written(), samples + std::string((block - samples.size() % block) % block, '\x80'));
        EXPECT_FALSE(OMWaveOutMixer::active());
    }
};

TEST_F(WaveMixerSettingsTest, DefaultsAreBlocksOf1024In16BuffersLeadFourKeepSixRingOf32) {
    EXPECT_EQ(current(), kDefaults);
}

TEST_F(WaveMixerSettingsTest, BlockSizeChangesOnlyAbove0WhileNoWaveSoundExists) {
    for (std::int32_t refused : {0, -1, -1024}) OMWaveOutMixer::setMixerBlockSize(refused);
    EXPECT_EQ(current(), kDefaults) << "out of range";
    make(ramp(100));
    OMWaveOutMixer::setMixerBlockSize(256);
    EXPECT_EQ(current(), kDefaults) << "an idle wave sound exists";
    sounds.clear();
    OMWaveOutMixer::setMixerBlockSize(256);
    EXPECT_EQ(current(), (Settings{256, 16, 4, 6, 32}));
    // 16 preloaded blocks of 256, then the read-ahead ring, for a streamed sound.
    for (bool whole : {true, false}) {
        SCOPED_TRACE(whole ? "whole" : "streamed");
        expectHeardAlone(ramp(40 * 256 + 77), whole);
    }
}

TEST_F(WaveMixerSettingsTest, BufferCountChangesOnlyAbove1WhileNoWaveSoundExistsAndBringsLeadAndKeptWithin) {
    for (std::int32_t refused : {1, 0, -3}) OMWaveOutMixer::setMixerBufferCount(refused);
    EXPECT_EQ(current(), kDefaults) << "out of range";
    make(ramp(100));
    OMWaveOutMixer::setMixerBufferCount(3);
    EXPECT_EQ(current(), kDefaults) << "an idle wave sound exists";
    sounds.clear();
    OMWaveOutMixer::setMixerBufferCount(3);
    EXPECT_EQ(current(), (Settings{1024, 3, 2, 3, 6})) << "lead clamped to 3 - 1, kept to 3";
    for (bool whole : {true, false}) {
        SCOPED_TRACE(whole ? "whole" : "streamed");
        expectHeardAlone(ramp(20 * 1024 + 5), whole);
    }
    sounds.clear();
    OMWaveOutMixer::setMixerBufferCount(24);
    EXPECT_EQ(current(), (Settings{1024, 24, 2, 3, 48})) << "a larger count raises neither";
    device.writes.clear();
    ASSERT_EQ(make(ramp(40 * 1024))->play(1), 1);
    EXPECT_EQ(device.writes.size(), 24u) << "a lone sound fills the ring at once";
}

// A sound is playing while its pass is still being mixed, finishing once all of its last pass is queued,
// and paused after pause.
TEST_F(WaveMixerSettingsTest, StartLeadChangesOnlyWithinTheBuffersWhileNoSoundPlaysFinishesOrIsPaused) {
    for (std::int32_t refused : {0, -1, 16, 17}) OMWaveOutMixer::setMixerStartLead(refused);
    EXPECT_EQ(current(), kDefaults) << "out of range";
    OMWaveSound* playing = make(filled(40 * 1024, 150));
    ASSERT_EQ(playing->play(1), 1);
    ASSERT_TRUE(OMWaveOutMixer::playing().contains(playing));
    OMWaveOutMixer::setMixerStartLead(2);
    EXPECT_EQ(current(), kDefaults) << "a sound plays";
    ASSERT_EQ(playing->stop(), 1);
    OMWaveSound* finishing = make(filled(2 * 1024, 150));
    ASSERT_EQ(finishing->play(1), 1);
    ASSERT_TRUE(OMWaveOutMixer::finishing().contains(finishing));
    OMWaveOutMixer::setMixerStartLead(2);
    EXPECT_EQ(current(), kDefaults) << "a sound finishes";
    ASSERT_EQ(finishing->stop(), 1);
    OMWaveSound* paused = make(filled(40 * 1024, 150));
    ASSERT_EQ(paused->play(1), 1);
    paused->pause();
    ASSERT_TRUE(OMWaveOutMixer::paused().contains(paused));
    OMWaveOutMixer::setMixerStartLead(2);
    EXPECT_EQ(current(), kDefaults) << "a sound is paused";
    ASSERT_EQ(paused->stop(), 1);
    OMWaveOutMixer::setMixerStartLead(15);
    EXPECT_EQ(current(), (Settings{1024, 16, 15, 6, 32})) << "wave sounds exist, none plays";
    OMWaveOutMixer::setMixerStartLead(2);
    EXPECT_EQ(current(), (Settings{1024, 16, 2, 6, 32}));
    // Buffer 0 is being heard: b joins two buffers later, added in place up to the tail.
    OMWaveSound* a = make(filled(40 * 1024, 150));
    OMWaveSound* b = make(filled(40 * 1024, 140));
    ASSERT_EQ(a->play(1), 1);
    ASSERT_EQ(b->play(1), 1);
    for (std::int32_t i = 0; i < 16; ++i) {
        const std::string heard(reinterpret_cast<const char*>(OMWaveOutMixer::buffer(i)), 1024);
        EXPECT_EQ(heard, filled(1024, i < 2 ? 150 : 162)) << "buffer " << i;
    }
}

// Buffers 12..15 are still queued when the device has finished the first 12; the pump then refills until
// the kept number is unfinished (all 12 free buffers at most).
TEST_F(WaveMixerSettingsTest, KeptQueuedChangesWithinTheBuffersAtAnyTimeAndBoundsTheRefill) {
    for (std::int32_t refused : {1, 0, -6, 17}) OMWaveOutMixer::setMixerKeepQueued(refused);
    EXPECT_EQ(current(), kDefaults) << "out of range";
    const std::pair<std::int32_t, std::size_t> cases[] = {{2, 1}, {6, 2}, {8, 4}, {16, 12}};
    for (const auto& [kept, refills] : cases) {
        SCOPED_TRACE(kept);
        OMWaveSound* a = make(filled(40 * 1024, 150));
        ASSERT_EQ(a->play(1), 1);
        OMWaveOutMixer::setMixerKeepQueued(kept);
        EXPECT_EQ(OMWaveOutMixer::keepQueued(), kept) << "while a sound plays";
        device.writes.clear();
        device.complete(12);
        OMWaveOutMixer::pump();
        EXPECT_EQ(device.writes.size(), refills);
        ASSERT_EQ(a->stop(), 1);
    }
}

}  // namespace
