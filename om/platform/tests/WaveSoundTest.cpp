// Wave sounds on the fake device: hooks once per pass, repeat, refusals of sounds that could never
// finish, damaged files played up to their real end, streamed and whole data alike, durations.
#include "OMSound.h"
#include "SoundFixture.h"
#include "SoundResourceWriter.h"

namespace {
std::string ramp(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + i / 256);
    return s;
}

// The silence that fills the last buffer of n samples.
std::string silencePad(std::size_t n) {
    return std::string((kDefaultBlockSize - n % kDefaultBlockSize) % kDefaultBlockSize, '\x80');
}

using WaveSoundTest = SoundFixture;

TEST_F(WaveSoundTest, RepeatThreeFiresStartAndFinishPerPassAndFreesTheTablesAfterTheLast) {
    const std::string samples = ramp(500);
    OMWaveSound sound(streamOver("a.wav", wave(samples)), 1);
    HookLog log;
    log.attach(sound);
    for (std::int32_t ignored : {0, -2}) EXPECT_EQ(sound.setRepeat(ignored), ignored);
    EXPECT_EQ(sound.setRepeat(3), 3);
    ASSERT_EQ(sound.play(1), 1);
    // Each pass begins in a buffer of its own; the rest of the buffer where a pass ends is silent.
    EXPECT_EQ(written(), samples + silencePad(500) + samples + silencePad(500) + samples + silencePad(500));
    OMWaveOutMixer::pump();
    EXPECT_EQ(log.calls, "S") << "heard when its buffer reaches the head, finished when the device is done";
    playOut();
    EXPECT_EQ(log.calls, "SF+SF+SF");
    EXPECT_EQ(std::make_pair(sound.volumeTable == nullptr, sound.started), std::make_pair(true, 0));
}

TEST_F(WaveSoundTest, StopFiresFinishOnlyOnceHeardAndPlayAgainStartsOver) {
    const std::string samples = ramp(40 * kDefaultBlockSize);
    OMWaveSound sound(streamOver("a.wav", wave(samples)), 1);
    HookLog log;
    log.attach(sound);
    ASSERT_EQ(sound.play(1), 1);
    EXPECT_EQ(sound.stop(), 1);
    EXPECT_EQ(log.calls, "") << "never reached the device";
    ASSERT_EQ(sound.play(1), 1);
    OMWaveOutMixer::pump();
    device.writes.clear();
    ASSERT_EQ(sound.play(1), 1);
    EXPECT_EQ(log.calls, "SF") << "the playing sound is stopped first";
    ASSERT_FALSE(device.writes.empty());
    EXPECT_EQ(device.writes[0], samples.substr(0, kDefaultBlockSize)) << "from the segment start again";
}

// One sound at full volume is copied and its last buffer padded with silence. The device was probed at
// 11025 and 22050 Hz, then opened at the sound's rate, and is closed once the last sound finished.
TEST_F(WaveSoundTest, StreamedAndWholeSoundsWriteTheSameSamplesAndSegments) {
    const std::string samples = ramp(40 * kDefaultBlockSize + 77);
    for (bool whole : {true, false}) {
        SCOPED_TRACE(whole ? "whole" : "streamed");
        device.writes.clear();
        device.opens.clear();
        OMWaveSound sound(streamOver(whole ? "w.wav" : "s.wav", wave(samples), whole), 1);
        EXPECT_EQ(sound.streaming(), !whole);
        ASSERT_EQ(sound.play(1), 1);
        EXPECT_EQ(device.opens, (std::vector<std::uint32_t>{11025, 22050, 11025}));
        playOut(400);
        EXPECT_EQ(written(), samples + silencePad(samples.size()));
        EXPECT_FALSE(device.isOpen());
        device.writes.clear();
        sound.setSegment(1000, 20000);
        ASSERT_EQ(sound.play(1), 1);
        playOut(400);
        EXPECT_EQ(written(), samples.substr(1000, 20000) + silencePad(20000));
    }
}

TEST_F(WaveSoundTest, DurationIsTheWholeDataAtTheRateAndZeroWithoutARate) {
    const struct { std::size_t length; std::uint32_t rate; std::int32_t ms; } cases[] = {{22050, 22050, 1000}, {1000, 3000, 333}, {1000, 0, 0}};
    for (const auto& c : cases) {
        OMWaveSound sound(streamOver("d" + std::to_string(c.rate) + ".wav", wave(ramp(c.length), c.rate)), 1);
        EXPECT_EQ(sound.durationMs(), c.ms) << c.length << " at " << c.rate;
    }
}

// Bad data: a clear refusal, or the sound played up to the end of what the stream really holds; in both
// stream modes.
TEST_F(WaveSoundTest, DamagedSoundsAreRefusedOrPlayedToTheirRealEnd) {
    const std::string samples = ramp(600);
    std::string longData = wave(samples);
    longData[40] = '\x10';  // "data" claims 0x1010 bytes, 600 are there
    longData[41] = '\x10';
    SoundResource claimsMore{1, 11025u << 16, false, samples, 100000};
    SoundResource negativeRate{1, 44100u << 16, false, samples, {}};
    // length: after the cut to the stream; heard empty: play is refused.
    const struct { const char* what; std::string bytes; std::int32_t length; std::string heard; } cases[] = {
        {"zero-length file", "", 0, ""},
        {"truncated RIFF", wave(samples).substr(0, 30), 0, ""},
        {"data longer than the file", longData, 600, samples},
        {"rate 0", wave(samples, 0), 600, ""},
        {"resource longer than its data", writeSoundResource(claimsMore), 600, samples},
        {"resource at 44100 Hz (a negative rate)", writeSoundResource(negativeRate), 600, ""},
        {"cut inside the data", wave(samples).substr(0, 44 + 250), 250, samples.substr(0, 250)},
    };
    int file = 0;
    for (bool whole : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (whole ? ", whole" : ", streamed"));
            device.writes.clear();
            OMWaveSound sound(streamOver("bad" + std::to_string(file++) + ".wav", c.bytes, whole), 1);
            EXPECT_EQ(sound.length, c.length);
            ASSERT_EQ(sound.play(1), c.heard.empty() ? 0 : 1);
            playOut();
            EXPECT_EQ(written(), c.heard.empty() ? "" : c.heard + silencePad(c.heard.size()));
            EXPECT_FALSE(OMWaveOutMixer::active());
        }
    }
}

TEST_F(WaveSoundTest, NoDeviceRefusesAtOnceAndABlockingPlayNeverHangs) {
    OMWaveSound sound(streamOver("a.wav", wave(ramp(5000))), 1);
    device.refuseOpen = true;
    EXPECT_EQ(sound.play(0), 0);
    EXPECT_TRUE(device.writes.empty());
    device.refuseOpen = false;
    // The fake device finishes nothing by itself: with the output paused the wait gives up at once.
    OMSound::pauseOutput();
    EXPECT_EQ(sound.play(0), 1);
    EXPECT_TRUE(OMWaveOutMixer::active());
    OMSound::resumeOutput();
}

TEST_F(WaveSoundTest, SoundsOfAnotherRateWhileOneIsPlayingKeepTheDeviceRate) {
    OMWaveSound slow(streamOver("a.wav", wave(ramp(40 * kDefaultBlockSize), 11025)), 1);
    OMWaveSound fast(streamOver("b.wav", wave(ramp(500), 22050)), 1);
    ASSERT_EQ(slow.play(1), 1);
    const std::size_t opens = device.opens.size();
    ASSERT_EQ(fast.play(1), 1);
    EXPECT_EQ(std::make_pair(device.opens.size(), OMWaveOutMixer::deviceRate()), std::make_pair(opens, 11025u));
    slow.stop();
    fast.stop();
    ASSERT_EQ(fast.play(1), 1);
    EXPECT_EQ(OMWaveOutMixer::deviceRate(), 22050u) << "reopened at its own rate once nothing plays";
}
}  // namespace
