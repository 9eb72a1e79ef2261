// Streamed samples on the virtual device, checked sample for sample in the output: loops in modes 1 to 3, short
// sounds, the read pace, pause, two streams and their drive, a stream from memory and failed opens.
#include <cmath>

#include "FilePath.h"
#include "SndChannel.h"
#include "SndStream.h"
#include "SndTestSupport.h"

using namespace sndtest;

namespace {

// A tone that keeps well away from 0, so that the first sound in the output is easy to find.
std::vector<std::int16_t> tone(std::size_t frames) {
    std::vector<std::int16_t> values(frames);
    for (std::size_t i = 0; i < frames; ++i)
        values[i] = static_cast<std::int16_t>(6000 + 4000 * std::sin(double(i) / 37.0) + double(i % 5000));
    return values;
}

// 345 ima4 blocks make one chunk of 1000 ms at 22050 Hz (22050 / 64 rounded).
constexpr std::uint32_t kChunkBlocks = 345;

AiffSound ima4(std::uint32_t blocks, std::vector<std::int16_t>* decoded) {
    return compressedSound("ima4", blocks, encodeIma4(tone(std::size_t(blocks) * 64), 1, decoded));
}

// The sound once, then its part from loopStart on over and over, cut to `frames`.
std::vector<std::int16_t> looped(const std::vector<std::int16_t>& sound, std::size_t loopStart, std::size_t frames) {
    std::vector<std::int16_t> out(sound);
    while (out.size() < frames) out.insert(out.end(), sound.begin() + std::ptrdiff_t(loopStart), sound.end());
    out.resize(frames);
    return out;
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

using SndStreamTest = SndTest;

TEST_F(SndStreamTest, AnIma4SoundLoopsWholeThroughAppendVoicesAndEndsOnceWhenStopped) {
    std::vector<std::int16_t> decoded;
    ASSERT_TRUE(open({{"AIF", 30, writeAiff(ima4(3 * kChunkBlocks, &decoded))}}));
    takeOutput();
    std::int16_t channel = SndPlayIdStreamedOpt(30, 1, 0, 1024, 0);
    ASSERT_EQ(channel, 7);
    EXPECT_EQ(SndIsStreamed(channel) + SndIsLooping(channel), 2);
    runFor(4500);
    EXPECT_EQ(Both(SndIsPlaying(channel), done.size()), Both(1, 0));
    EXPECT_GE(SndGetPosition(channel), 4000u) << "milliseconds of voices played";
    EXPECT_EQ(heardDifference(looped(decoded, 0, 4 * kRate)), -1);
    EXPECT_EQ((Both{SndStop(channel), SndStop(channel)}), Both(0, 0));
    runFor(200);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ((Results{done[0].channel, done[0].id, done[0].sample}), (Results{channel, 30, 0}));
    EXPECT_EQ((Both{onlyStream(), SndChannelIsBusy(channel)}), Both(0, 0)) << "the stream is closed";
}

// Loops whose length is no number of chunks stay seamless: whole loops of 2.5 chunks, of 2 chunks and 1000
// frames (a remainder shorter than a driver buffer) and of 3000 frames; a marked loop of the last 2 of 3 s,
// read once, after which the ring replays it without reading; a compressed loop region of 863
// blocks (2.5 chunks: the chunk grows to 432 blocks, which does not divide the ring, so reads and replays
// are cut at the ring's end); markers 10 frames apart inside one 64-frame block, which make no loop region,
// so that the whole sound loops; markers across a block boundary, a region of one block; and a region of
// 1.5 chunks, read twice into a ring of two regions.
TEST_F(SndStreamTest, LoopsThatNoChunkDividesReplayExactly) {
    std::vector<std::int16_t> whole = ramp(5 * kRate / 2, 991, 300), shortTail = ramp(2 * kRate + 1000, 983, 400),
                              brief = ramp(3000, 977, 500);
    std::vector<std::int16_t> region, inBlock;
    AiffSound regionSound = ima4(963, &region), inBlockSound = ima4(2 * kChunkBlocks, &inBlock);
    setSustainLoop(regionSound, 100 * 64, 963 * 64);
    AiffSound acrossSound = inBlockSound;
    setSustainLoop(inBlockSound, 6410, 6420);
    setSustainLoop(acrossSound, 6390, 6420);
    const std::vector<std::int16_t> toBlock100(inBlock.begin(), inBlock.begin() + 6400);
    const std::vector<std::int16_t> twoSeconds = ramp(2 * kRate, 989, 600), threeSeconds = ramp(3 * kRate, 997, 300);
    AiffSound lastThreeQuarters = pcmSound(twoSeconds), lastTwoThirds = pcmSound(threeSeconds);
    setSustainLoop(lastThreeQuarters, kRate / 2, 2 * kRate);
    setSustainLoop(lastTwoThirds, kRate, 3 * kRate);
    ASSERT_TRUE(open({aifResource(39, whole), aifResource(44, shortTail), aifResource(46, brief),
                      {"AIF", 40, writeAiff(regionSound)}, {"AIF", 42, writeAiff(inBlockSound)},
                      {"AIF", 47, writeAiff(acrossSound)}, {"AIF", 48, writeAiff(lastThreeQuarters)},
                      {"AIF", 31, writeAiff(lastTwoThirds)}}));
    struct Case { std::uint16_t id, option; const std::vector<std::int16_t>& sound; std::size_t loopStart, seconds; };
    for (const Case& c : {Case{39, 1, whole, 0, 6}, Case{44, 1, shortTail, 0, 7}, Case{46, 1, brief, 0, 3},
                          Case{40, 0, region, 100 * 64, 8}, Case{42, 0, inBlock, 0, 5},
                          Case{47, 0, toBlock100, 99 * 64, 3}, Case{48, 0, twoSeconds, kRate / 2, 6},
                          Case{31, 0, threeSeconds, kRate, 7}}) {
        SCOPED_TRACE(c.id);
        takeOutput();
        std::int16_t channel = SndPlayIdStreamedOpt(c.id, c.option, 0, 1024, 0);
        ASSERT_GE(channel, 0);
        runFor(std::uint32_t(c.seconds) * 1000 + 500);
        EXPECT_EQ(heardDifference(looped(c.sound, c.loopStart, c.seconds * kRate)), -1);
        Stream stream = onlyStream();
        if (c.option == 0) {  // the ring replays the region: nothing more is read
            EXPECT_EQ(Both(StreamGetKind(stream), StreamGetPosition(stream)),
                      Both(kStreamEmpty, StreamGetSize(stream)));
        }
        SndStop(channel);
        runFor(200);
    }
}

TEST_F(SndStreamTest, ASoundShorterThanAChunkEndsOnceThroughTheServiceAlsoWhenRestarted) {
    std::vector<std::int16_t> values = ramp(6615, 300, 900);  // 300 ms
    ASSERT_TRUE(open({aifResource(32, values)}));
    takeOutput();
    SndSetStreamMode(1);
    std::int16_t channel = SndPlayId(32, 0, 1024, 0);
    ASSERT_GE(channel, 0);
    runFor(250);
    EXPECT_EQ(Both(done.size(), SndIsPlaying(channel)), Both(0, 1));
    runFor(250);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ((Results{done[0].id, SndIsStreamed(channel), heardDifference(values)}), (Results{32, 0, -1}));
    restarts = 0;
    SndSetDoneProc(restreamOnce);
    channel = SndPlayId(32, 0, 1024, 0);
    runFor(500);
    EXPECT_EQ(Both(done.size(), SndIsStreamed(channel)), Both(2, 1)) << "started again by the completion procedure";
    runFor(500);
    EXPECT_EQ(Both(done.size(), onlyStream()), Both(3, 0)) << "each play once";
}

// One chunk of 16-bit sound is 44100 bytes: the next is read 44100 x 1000 / 230000 = 191 ms after it.
TEST_F(SndStreamTest, ReadsArePacedTo230000BytesASecond) {
    ASSERT_TRUE(open({aifResource(41, constant(3 * kRate, 9))}));
    SndSetStreamMode(1);
    ASSERT_GE(SndPlayId(41, 0, 1024, 0), 0);
    Stream stream = onlyStream();
    std::vector<std::uint32_t> positions = {StreamGetPosition(stream)};
    for (std::uint32_t ms : {191, 1, 5000}) {
        advance(ms);
        SndServiceNow();
        positions.push_back(StreamGetPosition(stream));
    }
    EXPECT_EQ(positions, (std::vector<std::uint32_t>{44100, 44100, 88200, 88200}))
        << "at 192 ms the next chunk; then it waits behind the one that sounds";
}

TEST_F(SndStreamTest, APausedStreamStandsStillAndGoesOnWhereItStopped) {
    std::vector<std::int16_t> values = ramp(2 * kRate, 997, 300);
    ASSERT_TRUE(open({aifResource(33, values)}));
    takeOutput();
    SndSetStreamMode(1);
    std::int16_t channel = SndPlayId(33, 0, 1024, 0);
    runFor(500);
    EXPECT_EQ((Results{SndPause(channel), SndIsPaused(channel), SndIsPlaying(channel)}), (Results{0, 1, 0}));
    std::uint32_t position = SndGetPosition(channel);
    std::vector<std::int16_t> before = channelOf(takeOutput(), 0);
    runFor(3000);
    EXPECT_EQ(Both(SndGetPosition(channel), done.size()), Both(position, 0));
    std::vector<std::int16_t> silence = channelOf(takeOutput(), 0);
    EXPECT_EQ(std::count(silence.begin(), silence.end(), 0), std::ptrdiff_t(silence.size()));
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
    ASSERT_TRUE(open({aifResource(34, constant(2 * kRate, 100))}, "Streams"));
    ASSERT_TRUE(open({aifResource(35, constant(2 * kRate, 200))}, "More"));
    SndSetStreamMode(1);
    ASSERT_EQ((Both{SndPlayId(34, 0, 1024, 0), SndPlayId(35, 0, 1024, 0)}), Both(7, 6));
    EXPECT_EQ(SndStreamedChannels(), 0xC0u);
    std::int16_t drive = FileDriveNumber(folder.path().c_str());
    ASSERT_GT(drive, 0);
    EXPECT_EQ((Both{SndIsDriveInUse(drive), SndIsDriveInUse(drive % 26 + 1)}), Both(1, 0));
    EXPECT_EQ((Both{SndPauseStreams(), SndIsDriveInUse(drive)}), Both(0, 0)) << "paused streams read nothing";
    EXPECT_EQ(SndResumeStreams(), 0);
    runFor(600);
    std::vector<std::int16_t> out = takeOutput();
    EXPECT_EQ(out[out.size() - 2], 300) << "both mixed";
    EXPECT_EQ((Results{SndStopStreams(), done.size(), SndStreamedChannels()}), (Results{0, 2, 0}));
}

// A minute of sound streamed from memory plays to its end without gaps: each piece starts where the one
// before it ends, not at the service pass that notices the end. The device keeps some 47 s of output, so
// the output is taken as it comes. Waiting for the driver at the end would show as the scripted clock
// creeping inside one pass of the main loop.
TEST_F(SndStreamTest, AMinuteStreamedFromMemoryPlaysToItsEndWithoutGapsOrHoldingUpTheMainLoop) {
    std::vector<std::int16_t> decoded, heard;
    std::uint32_t longest = 0;
    ASSERT_TRUE(open({{"AIF", 36, writeAiff(ima4(60 * kChunkBlocks + 40, &decoded))}}));
    takeOutput();
    std::int16_t channel = SndPlayStream(36, 0, 1024, 0);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(Both(StreamGetKind(onlyStream()), SndIsLooping(channel)), Both(kStreamMemory, 0));
    for (int second = 0; second < 62 && done.empty(); ++second) {
        for (int pass = 0; pass < 100; ++pass) {
            advance(10);
            std::uint32_t before = now();
            SndService();
            longest = std::max(longest, now() - before);
        }
        std::vector<std::int16_t> left = channelOf(takeOutput(), 0);
        heard.insert(heard.end(), left.begin(), left.end());
    }
    EXPECT_EQ(Both(done.size(), longest), Both(1, 0)) << "milliseconds spent inside one pass";
    heard.erase(heard.begin(), std::find_if(heard.begin(), heard.end(), [](std::int16_t v) { return v != 0; }));
    heard.resize(std::min(heard.size(), decoded.size()));
    EXPECT_EQ(firstDifference(heard, decoded), -1);
}

TEST_F(SndStreamTest, OpensThatFailLeaveNothingOpen) {
    ASSERT_TRUE(open({aifResource(37, constant(100, 1)), {"AIF", 38, "FORM"}}));
    Stream stream = 0;  // absent, damaged (twice), no such file
    EXPECT_EQ((Results{SndStreamOpenResource(&stream, 0, kSndChunkMs, 99),
                       SndStreamOpenResource(&stream, 0, kSndChunkMs, 38), SndStreamOpenMemory(&stream, 0, kSndChunkMs, 38),
                       SndStreamOpenFile(&stream, 0, kSndChunkMs, folder.file("none.aif").c_str()), stream, onlyStream(),
                       SndStreamGetPriority(0)}),
              (Results{0, 0, 0, 0, 0, 0, kSndNoPriority}));
    SndSetPriority(12);
    ASSERT_EQ(SndStreamOpenResource(&stream, 0, kSndChunkMs, 37), 1) << "the raw access was given back";
    SndSetPriority(0);
    EXPECT_EQ((Both{SndStreamIsNew(stream), SndStreamGetPriority(stream)}), Both(1, 12));
    EXPECT_EQ((Both{SndStreamSetPriority(stream, 3), StreamClose(&stream)}), Both(12, 1));
    EXPECT_EQ(SndStreamIsDone(stream), 1);
    SndSetEnabled(0);  // the first piece is refused: the play ends
    std::int16_t channel = SndPlayIdStreamed(37, 0, 1024, 0);
    runFor(100);
    SndSetEnabled(1);
    EXPECT_EQ((Results{channel, SndIsStreamed(channel), done.size(), onlyStream()}), (Results{7, 0, 1, 0}));
}

}  // namespace
