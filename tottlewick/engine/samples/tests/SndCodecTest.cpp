// The sound codecs and format converters against values worked out by hand from the rules.
#include "EngineTestSupport.h"
#include "SndCodec.h"
#include "SndFormat.h"

namespace {

std::vector<int> samplesOf(const std::vector<std::uint8_t>& bytes) {
    std::vector<int> values;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) values.push_back(std::int16_t(bytes[i] | bytes[i + 1] << 8));
    return values;
}

std::vector<int> decodeBlock(std::vector<std::uint8_t> block) {
    block.resize(kImaBlockBytes, 0);
    std::vector<std::uint8_t> out(2 * kImaBlockFrames);
    SndImaDecodeBlock(block.data(), out.data(), 2);
    return samplesOf(out);
}

TEST(SndCodecTest, Sqs2ValuesAndStepsFromThePreviousSampleThatWrap) {
    const std::pair<std::uint8_t, int> values[] = {{0x80, -32768}, {0x81, -8192}, {0xFF, -2}, {0x7E, 31752},
                                                   {0x02, 8},      {0x03, 2},      {0x00, 0}};
    for (auto [byte, value] : values) EXPECT_EQ(SndSqs2Value(byte), value) << int(byte);
    const std::uint8_t in[] = {0x02, 0x03, 0xFF, 0x81, 0x80, 0x81};
    std::vector<std::uint8_t> out(12);
    EXPECT_EQ(SndSqs2Decode(in, 6, out.data(), 0), -8192 - 32768 + 65536);
    EXPECT_EQ(samplesOf(out), (std::vector<int>{8, 10, 8, -8184, -32768, 24576}));
    const std::uint8_t step = 0x03;
    EXPECT_EQ(SndSqs2Decode(&step, 1, out.data(), 32767), -32767);
}

TEST(SndCodecTest, ImaBlocksDecodeAsWorkedByHandAndStereoInterleavesTwoBlocks) {
    // Predictor 0, index 0; codes 7, 0, 15, 8, then 0s:
    //   7:  step 7,  7>>3 + 7>>2 + 7>>1 + 7 = 11 -> 11, index 8
    //   0:  step 16, 16>>3 = 2                   -> 13, index 7
    //   15: step 14, -(1 + 3 + 7 + 14) = -25     -> -12, index 15
    //   8:  step 31, -(31>>3) = -3               -> -15, index 14
    //   0:  step 28, +3 -> -12, index 13; 0: step 25, +3 -> -9, index 12
    std::vector<int> out = decodeBlock({0x00, 0x00, 0x07, 0x8F});
    EXPECT_EQ(std::vector<int>(out.begin(), out.begin() + 6), (std::vector<int>{11, 13, -12, -15, -12, -9}));
    // Header 0x1285: predictor 0x1280 = 4736 (low 7 bits cleared), index 5: code 0 adds 12>>3 = 1.
    EXPECT_EQ(decodeBlock({0x12, 0x85})[0], 4737);
    // Index 127 is taken as 88: step 32767, code 0 adds 4095.
    EXPECT_EQ(decodeBlock({0x00, 0x7F})[0], 4095);
    // Step 76 is 10422: code 4 adds 10422>>3 + 10422 = 11724.
    EXPECT_EQ(decodeBlock({0x00, 76, 0x04})[0], 11724);
    // The predictor saturates: 0x7F80 = 32640, index 88, code 7 adds 61436.
    EXPECT_EQ((Both{decodeBlock({0x7F, 0xD8, 0x07})[0], decodeBlock({0x80, 0x58, 0x0F})[0]}), Both(32767, -32768));
    std::vector<std::uint8_t> in(2 * kImaBlockBytes, 0);
    in[0] = 0x10;                  // left predictor 4096, index 0: first code 0 adds 0
    in[kImaBlockBytes] = 0xF0;     // right predictor -4096
    SndSampleHeader h{};
    h.format = kSndIma4Stereo;
    h.framesPerBlock = 64;
    h.inBytesPerBlock = 68;
    h.outBytesPerFrame = 4;
    std::vector<std::uint8_t> stereo(64 * 4);
    EXPECT_EQ(SndConvertBlocks(h, in.data(), in.size(), stereo.data(), 1), 1u);
    std::vector<int> samples = samplesOf(stereo);
    EXPECT_EQ((Results{samples[0], samples[1], samples[126], samples[127]}), (Results{4096, -4096, 4096, -4096}));
}

TEST(SndCodecTest, PlainFormatsConvertAndStopAtTheEndOfTheirInput) {
    struct Case { std::uint16_t format, inBytes; std::vector<std::uint8_t> in, out; } cases[] = {
        {kSndUnsigned8Mono, 1, {0x00, 0x7F, 0xFF}, {0x00, 0x7F, 0xFF}},
        {kSndSigned8Stereo, 2, {0x00, 0x7F, 0x80, 0xFF}, {0x80, 0xFF, 0x00, 0x7F}},
        {kSndBig16Mono, 2, {0x12, 0x34, 0xAB, 0xCD}, {0x34, 0x12, 0xCD, 0xAB}},
        {kSndLittle16Stereo, 4, {1, 2, 3, 4}, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        SndSampleHeader h{};
        h.format = c.format;
        h.framesPerBlock = 1;
        h.inBytesPerBlock = h.outBytesPerFrame = c.inBytes;
        std::vector<std::uint8_t> out(c.out.size() + 8, 0xEE);
        // Asked for 100 blocks, it converts the whole ones the input holds and writes nothing past them.
        std::uint32_t blocks = static_cast<std::uint32_t>(c.in.size() / c.inBytes);
        EXPECT_EQ(SndConvertBlocks(h, c.in.data(), c.in.size(), out.data(), 100), blocks);
        EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + std::ptrdiff_t(c.out.size())), c.out);
        EXPECT_EQ(out[c.out.size()], 0xEE);
    }
}

}  // namespace
