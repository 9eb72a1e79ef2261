// The wave mixer on the fake device: sounds added into queued buffers and accumulated with one clamp,
// the start lead, pause and resume from the oldest record, stop and volume changes applied to queued
// buffers exactly, and underrun gaps told to the timing-shift links.
#include "SoundFixture.h"

namespace {
constexpr std::size_t kBlock = kDefaultBlockSize;

std::string filled(std::size_t blocks, int value) { return std::string(blocks * kBlock, static_cast<char>(value)); }
std::string block(int value) { return filled(1, value); }

// The samples of buffer `index` as they stand now (sounds added or taken out in place).
std::string bufferNow(std::int32_t index) {
    return std::string(reinterpret_cast<const char*>(OMWaveOutMixer::buffer(index)), kBlock);
}

struct WaveMixerTest : SoundsFixture {
    void gap(OMArg ms) { gaps.push_back(ms); }  // a timing shift
    std::vector<OMArg> gaps;
};

// At volume 50, 140 is heard as (12 x 50) / 100 + 128 = 134; at volume 0 a sound adds nothing.
TEST_F(WaveMixerTest, SoundsAddedIntoQueuedBuffersAndAccumulatedClampOnce) {
    const struct { int a, b, volumeB, sum; } cases[] = {{255, 255, 100, 255}, {0, 0, 100, 0}, {200, 255, 100, 255},
        {50, 0, 100, 0}, {150, 140, 100, 162}, {150, 140, 50, 156}, {150, 255, 0, 150}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " + " + std::to_string(c.b) + " at " + std::to_string(c.volumeB));
        device.writes.clear();
        OMWaveSound* a = make(filled(40, c.a));
        OMWaveSound* b = make(filled(40, c.b));
        b->setVolume(c.volumeB);
        ASSERT_EQ(a->play(1), 1);
        ASSERT_EQ(device.writes.size(), std::size_t(kDefaultBufferCount)) << "a lone sound fills the ring at once";
        ASSERT_EQ(b->play(1), 1);
        // Buffer 0 is being heard: b joins kDefaultStartLead buffers later, added in place up to the tail.
        for (std::int32_t i = 0; i < kDefaultBufferCount; ++i)
            EXPECT_EQ(bufferNow(i), block(i < kDefaultStartLead ? c.a : c.sum)) << "buffer " << i;
        // Retired buffers are refilled with both sounds through the accumulator.
        device.complete(4);
        OMWaveOutMixer::pump();
        ASSERT_EQ(device.writes.size(), std::size_t(kDefaultBufferCount) + 1);
        EXPECT_EQ(device.writes.back(), block(c.sum));
        a->stop();
        b->stop();
    }
}

TEST_F(WaveMixerTest, ASoundStartedWhileSixAreQueuedIsHeardFourBuffersAfterTheFirstUnfinished) {
    OMWaveSound* a = make(filled(40, 150));
    OMWaveSound* b = make(filled(2, 140));
    HookLog hooks;
    hooks.attach(*b);
    ASSERT_EQ(a->play(1), 1);
    device.complete(12);
    OMWaveOutMixer::pump();
    // Buffers 12..15 were still queued; 0 and 1 were refilled: six unfinished, and the pump stopped.
    ASSERT_EQ(device.writes.size(), std::size_t(kDefaultBufferCount) + 2);
    EXPECT_EQ(std::make_pair(OMWaveOutMixer::ringHead(), OMWaveOutMixer::ringTail()), std::make_pair(12, 1));
    ASSERT_EQ(b->play(1), 1);
    EXPECT_EQ((std::vector{bufferNow(15), bufferNow(0), bufferNow(1)}),
              (std::vector{block(150), block(162), block(162)}));
    device.complete(3);
    OMWaveOutMixer::pump();
    EXPECT_EQ(hooks.calls, "");
    device.complete(1);
    OMWaveOutMixer::pump();
    EXPECT_EQ(hooks.calls, "S") << "when buffer 0 reached the head";
}

TEST_F(WaveMixerTest, PauseRewindsToTheOldestQueuedBufferAndResumeGoesOnFromThere) {
    std::string samples;
    for (int k = 0; k < 20; ++k) samples += block(10 + k);
    for (bool whole : {true, false}) {
        SCOPED_TRACE(whole ? "whole" : "streamed");
        OMWaveSound* a = make(samples, whole);
        HookLog hooks;
        hooks.attach(*a);
        ASSERT_EQ(a->play(1), 1);
        device.complete(2);
        OMWaveOutMixer::pump();
        const int resets = device.resets;
        a->pause();
        EXPECT_EQ(hooks.calls, "SP");
        EXPECT_EQ(a->position, 2 * std::int32_t(kBlock)) << "the position of buffer 2, the oldest not finished";
        EXPECT_EQ(device.resets, resets + 1) << "the only sound: the device is reset";
        EXPECT_FALSE(OMWaveOutMixer::active());
        device.writes.clear();
        a->resume();
        EXPECT_EQ(hooks.calls, "SPR") << "the device had run dry: resumed at once";
        ASSERT_GE(device.writes.size(), 2u);
        EXPECT_EQ((std::vector{device.writes[0], device.writes[1]}), (std::vector{block(12), block(13)}));
        playOut();
        EXPECT_EQ(written().substr(written().size() - kBlock), block(29));
    }
}

TEST_F(WaveMixerTest, StoppingOneOfTwoTakesItsSamplesOutExactlyAndStoppingTheLastResets) {
    for (int volume : {100, 50}) {
        SCOPED_TRACE(volume);
        OMWaveSound* a = make(filled(40, 150));
        OMWaveSound* b = make(filled(40, 140));
        b->setVolume(volume);
        ASSERT_EQ(a->play(1), 1);
        ASSERT_EQ(b->play(1), 1);
        EXPECT_EQ(bufferNow(kDefaultStartLead), block(volume == 100 ? 162 : 156));
        EXPECT_EQ(b->stop(), 1);
        for (std::int32_t i = 0; i < kDefaultBufferCount; ++i) EXPECT_EQ(bufferNow(i), block(150)) << "buffer " << i;
        const int resets = device.resets;
        EXPECT_EQ((std::pair<int, int>{a->stop(), device.resets}), std::make_pair(1, resets + 1));
        EXPECT_EQ(OMWaveOutMixer::ringHead(), -1);
    }
}

TEST_F(WaveMixerTest, AVolumeChangeReachesTheBuffersNotYetFinished) {
    OMWaveSound* a = make(filled(40, 228));
    ASSERT_EQ(a->play(1), 1);
    device.complete(2);
    a->setVolume(50);
    EXPECT_EQ(a->volume(), 50);
    EXPECT_EQ(bufferNow(0), block(228)) << "finished by the device";
    EXPECT_EQ(bufferNow(2), block(178)) << "100 above silence at half volume";
    a->setVolume(0);
    EXPECT_EQ(bufferNow(2), block(128));
    a->setVolume(250);
    EXPECT_EQ(std::make_pair(a->volume(), bufferNow(15)), std::make_pair(100, block(228)));
}

// The device ran dry: the time since the last write less one buffer's playing time (1024 samples at
// 11025 Hz: 92 ms), never below 0. A paused output tells the whole interval it stood still.
TEST_F(WaveMixerTest, UnderrunsAndOutputPausesShiftTheTimingLinks) {
    OMLinkToObj<WaveMixerTest> recorder(this, nullptr, &WaveMixerTest::gap);
    OMWaveOutMixer::timingShifts().append(&recorder);
    for (std::uint32_t delay : {10u, 500u}) {
        SCOPED_TRACE(delay);
        OMWaveSound* first = make(filled(1, 150));
        OMWaveSound* second = make(filled(1, 150));
        ASSERT_EQ(first->play(1), 1);
        device.complete();
        now += delay;
        ASSERT_EQ(second->play(1), 1);
        playOut();
    }
    ASSERT_EQ(make(filled(40, 150))->play(1), 1);
    const int pauses = device.pauses, restarts = device.restarts;
    OMSound::pauseOutput();
    OMSound::pauseOutput();
    now += 750;
    OMSound::resumeOutput();
    OMSound::resumeOutput();
    OMWaveOutMixer::timingShifts().remove(&recorder);
    EXPECT_EQ(gaps, (std::vector<OMArg>{0, 408, 750}));
    EXPECT_EQ(std::make_pair(device.pauses, device.restarts), std::make_pair(pauses + 1, restarts + 1));
}
}  // namespace
