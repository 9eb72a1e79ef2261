// Streamed samples on the virtual device, checked sample for sample in the output: an ima4 sound looping
// whole (mode 3), an uncompressed sound looping its marked region (mode 1 turning into the empty source
// of mode 2), a sound shorter than a chunk, pause and resume, two streams from two files with the drive
// question, a stream from memory, and opens that fail.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "FilePath.h"
#include "SndChannel.h"
#include "SndStream.h"
#include "SndTestSupport.h"

using namespace sndtest;

namespace {

struct Done {
    std::int16_t channel;
    std::uint32_t id;
    MemHandle sample;
};
std::vector<Done> done;
void recordDone(std::int16_t channel, std::uint32_t id, MemHandle sample, std::uint32_t) {
    done.push_back({channel, id, sample});
}

// A tone that keeps well away from 0, so that the first sound in the output is easy to find.
std::vector<std::int16_t> tone(std::size_t frames) {
    std::vector<std::int16_t> values(frames);
    for (std::size_t i = 0; i < frames; ++i)
        values[i] = static_cast<std::int16_t>(6000 + 4000 * std::sin(double(i) / 37.0) + double(i % 5000));
    return values;
}

// 345 ima4 blocks make one chunk of 1000 ms at 22050 Hz (22050 / 64 rounded); three chunks are the
// 3.004 s sound.
constexpr std::uint32_t kChunkBlocks = 345;

std::string ima4Aiff(std::uint32_t blocks, std::vector<std::int16_t>* decoded) {
    AiffSound s;
    s.aifc = true;
    s.compression = "ima4";
    s.compressionName = "IMA 4:1";
    s.frames = blocks;
    s.data = encodeIma4(tone(std::size_t(blocks) * 64), 1, decoded);
    return writeAiff(s);
}

// 16-bit AIFF whose sustain loop runs between two markers.
std::string loopedAiff(const std::vector<std::int16_t>& values, std::uint32_t loopStart, std::uint32_t loopEnd) {
    AiffSound s;
    s.frames = static_cast<std::uint32_t>(values.size());
    s.data = bigEndianSamples(values);
    s.markers = {{1, loopStart, "start"}, {2, loopEnd, "end"}};
    s.writeMarkers = true;
    s.writeInstrument = true;
    s.sustainBegin = 1;
    s.sustainEnd = 2;
    return writeAiff(s);
}

Stream onlyStream() { return MemHandleFind(0, kStreamLabel, nullptr); }

// Streams its own sound again on its first call.
int restarts = 0;
void restreamOnce(std::int16_t channel, std::uint32_t id, MemHandle sample, std::uint32_t data) {
    recordDone(channel, id, sample, data);
    if (restarts++ == 0) {
        EXPECT_EQ(SndPlayIdStreamed(static_cast<std::uint16_t>(id), 0, 1024, 0), channel);
    }
}

class SndStreamTest : public SndTest {
protected:
    void SetUp() override {
        SndTest::SetUp();
        done.clear();
        SndSetDoneProc(recordDone);
    }
    // The output's left side from the first sound on, up to count samples.
    static std::vector<std::int16_t> heard(std::size_t count) {
        std::vector<std::int16_t> left = channelOf(takeOutput(), 0);
        auto first = std::find_if(left.begin(), left.end(), [](std::int16_t v) { return v != 0; });
        std::size_t have = std::min<std::size_t>(count, std::size_t(left.end() - first));
        return std::vector<std::int16_t>(first, first + static_cast<std::ptrdiff_t>(have));
    }
    // Where two runs first differ, or -1.
    static long firstDifference(const std::vector<std::int16_t>& got, const std::vector<std::int16_t>& expected) {
        for (std::size_t i = 0; i < std::min(got.size(), expected.size()); ++i)
            if (got[i] != expected[i]) return long(i);
        return got.size() == expected.size() ? -1 : long(std::min(got.size(), expected.size()));
    }
};

TEST_F(SndStreamTest, AnIma4SoundLoopsWholeThroughAppendVoicesAndEndsOnceWhenStopped) {
    std::vector<std::int16_t> decoded;
    openSounds("Streams", {{"AIF", 30, ima4Aiff(3 * kChunkBlocks, &decoded)}});
    takeOutput();
    std::int16_t channel = SndPlayIdStreamedOpt(30, 1, 0, 1024, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ(SndIsStreamed(channel), 1);
    EXPECT_EQ(SndIsLooping(channel), 1);
    runFor(4500);
    EXPECT_EQ(SndIsPlaying(channel), 1);
    EXPECT_GE(SndGetPosition(channel), 4000u) << "milliseconds of voices played";
    std::vector<std::int16_t> expected;
    for (std::size_t i = 0; i < 4 * kRate; ++i) expected.push_back(decoded[i % decoded.size()]);
    EXPECT_EQ(firstDifference(heard(expected.size()), expected), -1) << "4 s: the sound, then its start again";
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(SndStop(channel), 0);
    EXPECT_EQ(SndStop(channel), 0);
    runFor(200);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].channel, channel);
    EXPECT_EQ(done[0].id, 30u);
    EXPECT_EQ(done[0].sample, 0u);
    EXPECT_EQ(onlyStream(), 0u) << "the stream is closed";
    EXPECT_EQ(SndChannelIsBusy(channel), 0);
}

TEST_F(SndStreamTest, AMarkedLoopIsReadOnceThenReplayedFromTheRing) {
    std::vector<std::int16_t> values = ramp(3 * kRate, 997, 300);
    openSounds("Streams", {{"AIF", 31, loopedAiff(values, kRate, 3 * kRate)}});
    takeOutput();
    std::int16_t channel = SndPlayIdStreamedOpt(31, 0, 0, 1024, 0);
    ASSERT_GE(channel, 0);
    Stream stream = onlyStream();
    EXPECT_EQ(StreamGetKind(stream), kStreamFile);
    runFor(2500);
    EXPECT_EQ(StreamGetKind(stream), kStreamEmpty) << "the loop end was read: mode 2 replays the ring";
    EXPECT_EQ(StreamGetPosition(stream), StreamGetSize(stream));
    EXPECT_EQ(StreamGetSize(stream), 3 * kRate * 2) << "bytes up to the loop end";
    runFor(5000);
    EXPECT_EQ(StreamGetPosition(stream), StreamGetSize(stream)) << "nothing more is read";
    std::vector<std::int16_t> expected(values);
    for (int pass = 0; pass < 2; ++pass) expected.insert(expected.end(), values.begin() + kRate, values.end());
    EXPECT_EQ(firstDifference(heard(expected.size()), expected), -1) << "0-3 s, then 1-3 s twice";
    EXPECT_EQ(SndStopStreams(), 0);
    EXPECT_EQ(done.size(), 1u);
}

// A whole loop whose length is not a number of chunks: the short last chunk is followed by the loop
// start at the next chunk boundary of the ring, and the replay stays seamless.
TEST_F(SndStreamTest, AWholeLoopOfTwoAndAHalfChunksStaysSeamless) {
    std::vector<std::int16_t> values = ramp(5 * kRate / 2, 991, 300);
    openSounds("Streams", {aifResource(39, values)});
    takeOutput();
    std::int16_t channel = SndPlayIdStreamedOpt(39, 1, 0, 1024, 0);
    ASSERT_GE(channel, 0);
    runFor(6500);
    std::vector<std::int16_t> expected;
    for (std::size_t i = 0; i < 6 * kRate; ++i) expected.push_back(values[i % values.size()]);
    EXPECT_EQ(firstDifference(heard(expected.size()), expected), -1);
}

// A compressed loop region of 863 blocks: 2.5 chunks, so the chunk grows to 432 blocks, which does not
// divide the ring of 863; reads and replays are cut at the ring's end.
TEST_F(SndStreamTest, ACompressedLoopRegionThatNoChunkDividesReplaysExactly) {
    constexpr std::uint32_t loopStart = 100, loopEnd = 963;  // blocks
    std::vector<std::int16_t> decoded;
    AiffSound s;
    s.aifc = true;
    s.compression = "ima4";
    s.frames = loopEnd;
    s.data = encodeIma4(tone(std::size_t(loopEnd) * 64), 1, &decoded);
    s.markers = {{1, loopStart * 64, "start"}, {2, loopEnd * 64, "end"}};
    s.writeMarkers = s.writeInstrument = true;
    s.sustainBegin = 1;
    s.sustainEnd = 2;
    openSounds("Streams", {{"AIF", 40, writeAiff(s)}});
    takeOutput();
    std::int16_t channel = SndPlayIdStreamedOpt(40, 0, 0, 1024, 0);
    ASSERT_GE(channel, 0);
    runFor(8500);
    EXPECT_EQ(StreamGetKind(onlyStream()), kStreamEmpty);
    std::vector<std::int16_t> expected(decoded);
    while (expected.size() < 8 * kRate)
        expected.insert(expected.end(), decoded.begin() + loopStart * 64, decoded.end());
    expected.resize(8 * kRate);
    EXPECT_EQ(firstDifference(heard(expected.size()), expected), -1) << "the sound, then blocks 100-962 again";
}

// Markers 10 frames apart lie inside one 64-frame block: no loop region, so the whole sound loops.
TEST_F(SndStreamTest, ALoopRegionOfNoWholeBlockLoopsTheWholeSound) {
    std::vector<std::int16_t> decoded;
    AiffSound s;
    s.aifc = true;
    s.compression = "ima4";
    s.frames = 2 * kChunkBlocks;
    s.data = encodeIma4(tone(std::size_t(s.frames) * 64), 1, &decoded);
    s.markers = {{1, 6410, "start"}, {2, 6420, "end"}};
    s.writeMarkers = s.writeInstrument = true;
    s.sustainBegin = 1;
    s.sustainEnd = 2;
    openSounds("Streams", {{"AIF", 42, writeAiff(s)}});
    takeOutput();
    ASSERT_GE(SndPlayIdStreamedOpt(42, 0, 0, 1024, 0), 0);
    runFor(5500);
    std::vector<std::int16_t> expected;
    for (std::size_t i = 0; i < 5 * kRate; ++i) expected.push_back(decoded[i % decoded.size()]);
    EXPECT_EQ(firstDifference(heard(expected.size()), expected), -1);
}

TEST_F(SndStreamTest, ASoundShorterThanAChunkEndsOnceThroughTheServiceAlsoWhenRestarted) {
    std::vector<std::int16_t> values = ramp(6615, 300, 900);  // 300 ms
    openSounds("Streams", {aifResource(32, values)});
    takeOutput();
    SndSetStreamMode(1);
    std::int16_t channel = SndPlayId(32, 0, 1024, 0);
    ASSERT_GE(channel, 0);
    runFor(250);
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(SndIsPlaying(channel), 1);
    runFor(250);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].id, 32u);
    EXPECT_EQ(SndIsStreamed(channel), 0);
    EXPECT_EQ(firstDifference(heard(values.size()), values), -1);

    restarts = 0;
    SndSetDoneProc(restreamOnce);
    channel = SndPlayId(32, 0, 1024, 0);
    runFor(500);
    EXPECT_EQ(done.size(), 2u);
    EXPECT_EQ(SndIsStreamed(channel), 1) << "started again by the completion procedure";
    runFor(500);
    EXPECT_EQ(done.size(), 3u) << "each play once";
    EXPECT_EQ(onlyStream(), 0u);
}

// One chunk of 16-bit sound is 44100 bytes: the next is read 44100 x 1000 / 230000 = 191 ms after it.
TEST_F(SndStreamTest, ReadsArePacedTo230000BytesASecond) {
    openSounds("Streams", {aifResource(41, constant(3 * kRate, 9))});
    SndSetStreamMode(1);
    ASSERT_GE(SndPlayId(41, 0, 1024, 0), 0);
    Stream stream = onlyStream();
    EXPECT_EQ(StreamGetPosition(stream), 44100u);
    advance(191);
    SndServiceNow();
    EXPECT_EQ(StreamGetPosition(stream), 44100u);
    advance(1);
    SndServiceNow();
    EXPECT_EQ(StreamGetPosition(stream), 88200u);
    advance(5000);
    SndServiceNow();
    EXPECT_EQ(StreamGetPosition(stream), 88200u) << "one chunk waits behind the one that sounds";
}

// Waiting for the driver shows as the scripted clock creeping inside one pass of the main loop.
TEST_F(SndStreamTest, TheEndOfAStreamDoesNotHoldUpTheMainLoop) {
    openSounds("Streams", {aifResource(43, constant(2 * kRate, 9))});
    SndSetStreamMode(1);
    ASSERT_GE(SndPlayId(43, 0, 1024, 0), 0);
    std::uint32_t longest = 0;
    for (int pass = 0; pass < 300 && done.empty(); ++pass) {
        advance(10);
        std::uint32_t before = now();
        SndService();
        longest = std::max(longest, now() - before);
    }
    EXPECT_EQ(done.size(), 1u);
    EXPECT_LE(longest, 1u) << "milliseconds spent inside one pass";
}

TEST_F(SndStreamTest, APausedStreamStandsStillAndGoesOnWhereItStopped) {
    std::vector<std::int16_t> values = ramp(2 * kRate, 997, 300);
    openSounds("Streams", {aifResource(33, values)});
    takeOutput();
    SndSetStreamMode(1);
    std::int16_t channel = SndPlayId(33, 0, 1024, 0);
    runFor(500);
    EXPECT_EQ(SndPause(channel), 0);
    EXPECT_EQ(SndIsPaused(channel), 1);
    EXPECT_EQ(SndIsPlaying(channel), 0);
    std::uint32_t position = SndGetPosition(channel);
    std::vector<std::int16_t> before = channelOf(takeOutput(), 0);
    runFor(3000);
    EXPECT_EQ(SndGetPosition(channel), position);
    EXPECT_TRUE(done.empty());
    std::vector<std::int16_t> silence = channelOf(takeOutput(), 0);
    EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](std::int16_t v) { return v == 0; }));
    EXPECT_EQ(SndResume(channel), 0);
    runFor(2000);
    EXPECT_EQ(done.size(), 1u);
    std::vector<std::int16_t> after = channelOf(takeOutput(), 0);
    before.erase(std::remove(before.begin(), before.end(), 0), before.end());
    after.erase(std::remove(after.begin(), after.end(), 0), after.end());
    before.insert(before.end(), after.begin(), after.end());
    EXPECT_EQ(firstDifference(before, values), -1) << "the whole sound, the pause left out";
}

TEST_F(SndStreamTest, TwoStreamsFromTwoFilesAndTheDriveTheyReadFrom) {
    openSounds("Streams", {aifResource(34, constant(2 * kRate, 100))});
    openSounds("More", {aifResource(35, constant(2 * kRate, 200))});
    SndSetStreamMode(1);
    std::int16_t a = SndPlayId(34, 0, 1024, 0), b = SndPlayId(35, 0, 1024, 0);
    ASSERT_EQ(a, 7);
    ASSERT_EQ(b, 6);
    EXPECT_EQ(SndStreamedChannels(), 0xC0u);
    std::int16_t drive = FileDriveNumber(folder.path().c_str());
    ASSERT_GT(drive, 0);
    EXPECT_EQ(SndIsDriveInUse(drive), 1);
    EXPECT_EQ(SndIsDriveInUse(drive % 26 + 1), 0);
    EXPECT_EQ(SndPauseStreams(), 0);
    EXPECT_EQ(SndIsDriveInUse(drive), 0) << "paused streams read nothing";
    EXPECT_EQ(SndResumeStreams(), 0);
    runFor(600);
    std::vector<std::int16_t> out = takeOutput();
    EXPECT_EQ(out[out.size() - 2], 300) << "both mixed";
    EXPECT_EQ(SndStopStreams(), 0);
    EXPECT_EQ(done.size(), 2u);
    EXPECT_EQ(SndStreamedChannels(), 0u);
}

TEST_F(SndStreamTest, AStreamFromMemoryPlaysToItsEnd) {
    std::vector<std::int16_t> decoded;
    openSounds("Streams", {{"AIF", 36, ima4Aiff(kChunkBlocks + 40, &decoded)}});
    takeOutput();
    std::int16_t channel = SndPlayStream(36, 0, 1024, 0);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(StreamGetKind(onlyStream()), kStreamMemory);
    EXPECT_EQ(SndIsLooping(channel), 0);
    runFor(1600);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(firstDifference(heard(decoded.size()), decoded), -1);
}

TEST_F(SndStreamTest, OpensThatFailLeaveNothingOpen) {
    openSounds("Streams", {aifResource(37, constant(100, 1)), {"AIF", 38, "FORM"}});
    Stream stream = 0;
    EXPECT_EQ(SndStreamOpenResource(&stream, 0, kSndChunkMs, 99), 0);
    EXPECT_EQ(SndStreamOpenResource(&stream, 0, kSndChunkMs, 38), 0) << "damaged";
    EXPECT_EQ(SndStreamOpenMemory(&stream, 0, kSndChunkMs, 38), 0);
    EXPECT_EQ(SndStreamOpenFile(&stream, 0, kSndChunkMs, folder.file("none.aif").c_str()), 0);
    EXPECT_EQ(stream, 0u);
    EXPECT_EQ(onlyStream(), 0u);
    EXPECT_EQ(SndStreamGetPriority(0), kSndNoPriority);
    SndSetPriority(12);
    ASSERT_EQ(SndStreamOpenResource(&stream, 0, kSndChunkMs, 37), 1) << "the raw access was given back";
    SndSetPriority(0);
    EXPECT_EQ(SndStreamIsNew(stream), 1);
    EXPECT_EQ(SndStreamGetPriority(stream), 12);
    EXPECT_EQ(SndStreamSetPriority(stream, 3), 12);
    EXPECT_EQ(StreamClose(&stream), 1u);
    EXPECT_EQ(SndStreamIsDone(stream), 1);
}

}  // namespace
