// Sample blocks from resource files, memory and open files: decoded frames, "XSND" copies, header reads and
// refusals.
#include <cmath>
#include <cstring>

#include "EngineTestSupport.h"
#include "SndRing.h"
#include "SndSample.h"
#include "SndScale.h"
#include "SoundWriter.h"

namespace {

std::vector<int> words(const std::uint8_t* bytes, std::size_t count) {
    std::vector<int> values;
    for (std::size_t i = 0; i < count; ++i) values.push_back(std::int16_t(bytes[2 * i] | bytes[2 * i + 1] << 8));
    return values;
}

struct SndSampleTest : ResourceFolderTest {
    void TearDown() override {
        for (MemHandle& sample : samples) SndFreeSample(&sample);
        ResourceFolderTest::TearDown();
    }
    MemHandle load(std::uint16_t id) { return keepSample(SndLoadSample(id)); }
    MemHandle keepSample(MemHandle sample) {
        if (sample) samples.push_back(sample);
        return sample;
    }
    SndSampleHeader header(MemHandle sample) {
        SndSampleHeader h = *SndSampleLock(sample);
        SndSampleUnlock(sample);
        return h;
    }
    std::vector<std::uint8_t> audio(MemHandle sample) {
        MemHandle data = header(sample).audioData;
        const auto* bytes = static_cast<const std::uint8_t*>(MemHandleLock(data));
        std::vector<std::uint8_t> copy(bytes, bytes + MemHandleGetSize(data));
        MemHandleUnlock(data);
        return copy;
    }
    std::vector<MemHandle> samples;
};

// 'AIF' read in place and decoded to little-endian frames, else 'SND' of the same id; damaged or absent sounds
// give no sample.
TEST_F(SndSampleTest, AifOrElseSndFromTheResourceFile) {
    ASSERT_TRUE(open({{"AIF", 7, writeAiff(pcmSound({1, -2, 300, -32768}, 2))},
                      {"SND", 3, writeSnd3(11025, std::string(1000, '\x90'))}, {"AIF", 4, "damaged"},
                      {"SND", 4, writeSnd4(8000, 2, "\x01\x02")}, {"SND", 1, writeSnd4(0, 3, "abc")},
                      {"AIF", 2, writeAiff(AiffSound{})}}));
    MemHandle sample = load(7);
    ASSERT_NE(sample, 0u);
    SndSampleHeader h = header(sample);
    EXPECT_EQ((Results{h.format, h.frames, h.rate}), (Results{kSndBig16Stereo, 2, 22050}));
    std::vector<std::uint8_t> pcm = audio(sample);
    ASSERT_EQ(pcm.size(), 8u);
    EXPECT_EQ(words(pcm.data(), 4), (std::vector<int>{1, -2, 300, -32768}));
    EXPECT_EQ((Both{SndIsSampleLoaded(7), SndIsInMemory(7)}), Both(1, 1));
    EXPECT_EQ(ResIsLoaded(resType("AIF"), 7), 0) << "read in place, not loaded";
    MemHandle v3 = load(3), fallback = load(4);
    ASSERT_TRUE(v3 && fallback);
    EXPECT_EQ(audio(v3), std::vector<std::uint8_t>(1000, 0x90));
    EXPECT_EQ(audio(fallback), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ((Results{SndLoadSample(1), SndLoadSample(2), SndLoadSample(9), SndIsInMemory(9)}), (Results{0, 0, 0, 0}))
        << "rate 0, no frames, absent";
    MemHandle none = 0;
    EXPECT_EQ(SndFreeSample(&none), 1);
}

TEST_F(SndSampleTest, ASecondLoadCopiesTheSampleInMemory) {
    ASSERT_TRUE(open({{"AIF", 9, writeAiff(pcmSound({5, 6, 7}))}, {"AIF", 10, writeAiff(pcmSound({1}, 1, 96000))},
                      {"AIF", 11, writeAiff(pcmSound({1}, 1, 131072))}}));
    // Faster than 16 bits hold (a multiple of 65536 too): the file's rate is kept whole, so that a first
    // load and its copy play at the same rate, saturated only as played.
    const std::uint32_t normal = SndSetScale(0x8000);
    const struct {
        std::uint16_t fast;
        std::int64_t rate, played;
    } cases[] = {{10, 96000, 48000}, {11, 131072, 65535}};
    for (const auto& [fast, rate, played] : cases) {
        MemHandle once = load(fast), again = load(fast);
        ASSERT_TRUE(once && again) << fast;
        EXPECT_EQ((Results{header(once).fileRate, header(once).rate, header(again).rate}), (Results{rate, played, played}))
            << fast;
    }
    SndSetScale(normal);
    MemHandle first = load(9);
    ASSERT_NE(first, 0u);
    ResCloseSource(ResGetTopSource());  // the copy needs no resource file
    std::uint32_t previous = SndSetScale(0x8000);
    MemHandle second = load(9);
    SndSetScale(previous);
    ASSERT_TRUE(second && second != first);
    EXPECT_EQ(Both(header(second).rate, header(second).fileRate), Both(11025, 22050)) << "the copy's rate scaled again";
    EXPECT_NE(header(second).audioData, header(first).audioData);
    MemHandle data = header(first).audioData;
    std::memset(MemHandleLock(data), 0, 6);
    MemHandleUnlock(data);
    EXPECT_EQ(words(audio(second).data(), 3), (std::vector<int>{5, 6, 7}));
    char name[kMemLabelLength + 1] = {};
    std::uint32_t tag = 0;
    MemHandleGetLabel(second, name, &tag);
    EXPECT_EQ(name + std::to_string(tag), "XSND9");
}

TEST_F(SndSampleTest, ALoadedResourceIsParsedFromMemoryAndReleased) {
    ASSERT_TRUE(open({{"SND", 5, writeSnd4(11025, 3, "abc")}}));
    MemHandle resource = ResLoad(resType("SND"), 5);
    ASSERT_NE(resource, 0u);
    MemHandle sample = load(5);
    ASSERT_NE(sample, 0u);
    EXPECT_EQ(audio(sample), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
    MemHandleFree(&resource);
    EXPECT_EQ(ResIsLoaded(resType("SND"), 5), 0) << "the load gave its share back";
}

// The fixture encoders are written apart from the decoders: the decoded frames equal what each encoder
// rebuilt from its codes, and stay near the source.
TEST_F(SndSampleTest, CompressedSoundsDecodeAsTheirEncodersRebuiltThem) {
    std::vector<std::int16_t> wave;
    for (int i = 0; i < 256; ++i) wave.push_back(static_cast<std::int16_t>(8000 * std::sin(i / 8.0)));
    std::vector<std::int16_t> imaRebuilt, sqs2Rebuilt;
    ASSERT_TRUE(open({{"AIF", 1, writeAiff(compressedSound("ima4", 4, encodeIma4(wave, 1, &imaRebuilt)))},
                      {"AIF", 2, writeAiff(compressedSound("SQS2", 256, encodeSqs2(wave, &sqs2Rebuilt)))}}));
    const std::vector<std::int16_t>* rebuilt[] = {&imaRebuilt, &sqs2Rebuilt};
    for (std::uint16_t id : {1, 2}) {
        SCOPED_TRACE(id);
        MemHandle sample = load(id);
        ASSERT_NE(sample, 0u);
        std::vector<std::uint8_t> pcm = audio(sample);
        ASSERT_EQ(pcm.size(), 512u);
        std::vector<int> decoded = words(pcm.data(), 256);
        EXPECT_EQ(decoded, std::vector<int>(rebuilt[id - 1]->begin(), rebuilt[id - 1]->end()));
        for (std::size_t i = 32; i < 256; ++i) EXPECT_NEAR(decoded[i], wave[i], 700) << "sample " << i;
    }
}

TEST_F(SndSampleTest, FromAnOpenFileAndFromAHandle) {
    std::string aiff = writeAiff(pcmSound({11, 12, 13}));
    std::string path = make("mixed.bin", "prefix" + aiff + "trailer" + writeSnd3(8000, "xyz"));
    FileRef file = FileOpen(path.c_str(), kFileRead);
    ASSERT_NE(file, 0u);
    FileSeek(file, 6, 0);
    SndSampleHeader h{};
    EXPECT_EQ((Both{SndReadAiffHeader(&h, file, static_cast<std::uint32_t>(aiff.size())), h.frames}), Both(1, 3));
    EXPECT_EQ(FileTell(file), static_cast<std::int32_t>(6 + aiff.find("SSND") + 16)) << "left at the first data byte";
    FileSeek(file, 6, 0);
    MemHandle sample = SndLoadSampleFromFile(file, static_cast<std::uint32_t>(aiff.size()));
    ASSERT_NE(sample, 0u);
    EXPECT_EQ(words(audio(keepSample(sample)).data(), 3), (std::vector<int>{11, 12, 13}));
    FileSeek(file, static_cast<std::int32_t>(6 + aiff.size() + 7), 0);
    MemHandle snd = SndLoadSampleSndFromFile(file, 9);
    ASSERT_NE(snd, 0u);
    EXPECT_EQ(audio(keepSample(snd)), (std::vector<std::uint8_t>{'x', 'y', 'z'}));
    FileClose(file);
    // Samples from handles are the sound bench's own fixtures (SndTestSupport.h).
    MemHandle bytes = MemHandleAlloc(static_cast<std::uint32_t>(aiff.size()));
    std::memcpy(MemHandleLock(bytes), aiff.data(), aiff.size());
    MemHandleUnlock(bytes);
    EXPECT_EQ(SndLoadSampleSndFromHandle(bytes), 0u) << "an AIFF is no 'SND'";
    MemHandleFree(&bytes);
}

TEST(SndTimeTest, FramesAndMilliseconds) {
    EXPECT_EQ((Results{SndFramesToMs(22050, 22050), SndFramesToMs(4410000, 44100), SndFramesToMs(100, 0),
                       SndMsToFrames(500, 11025)}),
              (Results{1000, 100000, 0, 5512})) << "no 32-bit overflow, no division by 0";
}

// A ring of 10 bytes: a region past its end comes back as two pieces, a longer one is cut to the ring.
TEST(SndRingTest, RegionsSplitAtTheEndAndCopyAndFillFollow) {
    std::vector<Results> regions;  // the last two: start modulo the size and length cut to it; nothing
    for (auto [start, length] : {std::pair{2u, 5u}, {8u, 5u}, {13u, 25u}, {4u, 0u}}) {
        SndRingRegion r = SndRingRegionOf(10, start, length);
        regions.push_back({r.pieces, r.offset[0], r.length[0], r.offset[1], r.length[1]});
    }
    EXPECT_EQ(regions, (std::vector<Results>{{1, 2, 5, 0, 0}, {2, 8, 2, 0, 3}, {2, 3, 7, 0, 3}, {0, 0, 0, 0, 0}}));
    std::uint8_t ring[10] = {};
    const std::uint8_t bytes[4] = {1, 2, 3, 4};
    SndRingCopy(ring, 10, 8, bytes, 4);
    SndRingFill(ring, 10, 5, 9, 2);
    EXPECT_EQ(std::vector<std::uint8_t>(ring, ring + 10), (std::vector<std::uint8_t>{3, 4, 0, 0, 0, 9, 9, 0, 1, 2}));
}

}  // namespace
