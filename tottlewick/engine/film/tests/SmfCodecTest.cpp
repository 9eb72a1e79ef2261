// The SMF film core: header and command entries, the LZSS rule, every audio and frame codec by hand-worked
// values, damaged input, and the test film writer against bytes written out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "SmfAudio.h"
#include "SmfCommands.h"
#include "SmfFormat.h"
#include "SmfFrame.h"
#include "SmfLzss.h"
#include "SmfWriter.h"

namespace {

const std::uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

std::string unpack(const std::string& in, std::size_t count) {
    std::string out;
    SmfLzssUnpack(bytesOf(in), in.size(), count, [&](std::uint8_t b) { out += char(b); });
    return out;
}

// Decodes into a buffer of `frames` sample frames preset to 0x55, and reads it back as 16-bit or 8-bit values.
std::vector<int> audio(std::uint32_t tag, const std::string& in, std::uint32_t count, std::uint16_t bits,
                       std::uint16_t channels, std::uint32_t frames) {
    std::vector<std::uint8_t> buffer(std::size_t{frames} * bits / 8 * channels, 0x55);
    SmfDecodeAudio(tag, bytesOf(in), in.size(), count, 0,
                   {buffer.data(), frames, bits, channels});
    std::vector<int> values;
    for (std::size_t i = 0; i < buffer.size(); i += bits / 8)
        values.push_back(bits == 8 ? buffer[i] : std::int16_t(buffer[i] | buffer[i + 1] << 8));
    return values;
}

struct AudioCase {
    const char* what;
    std::uint32_t tag;
    std::string in;
    std::uint32_t count;
    std::uint16_t bits, channels;
    std::vector<int> expected;  // the whole buffer, one block long
};

TEST(SmfCodec, AudioCodecsByHand) {
    const std::string zero4("\0\0\0\0", 4);
    const AudioCase cases[] = {
        {"ald8 deltas 0, 1, 255", SmfTag("ald8"), std::string("\0\0\1\xFF", 4), 3, 8, 1, {128, 129, 128}},
        {"a3DO even, odd, -128, -1", SmfTag("a3DO"), "\x04\x05\x80\xFF", 4, 16, 1, {32, 40, -32768, 32766}},
        {"adpm nibbles 7, 0", SmfTag("adpm"), zero4 + "\x70", 2, 16, 1, {11, 13}},
        {"adpm step 76 is 10422", SmfTag("adpm"), std::string("\0\0\0\x4C\x40", 5), 1, 16, 1, {11724}},
        {"adpm clamps at 32767", SmfTag("adpm"), std::string("\x7F\xF8\0\x58\x70", 5), 1, 16, 1, {32767}},
        {"adpm clamps at -32767", SmfTag("adpm"), std::string("\x80\x08\0\x58\xF0", 5), 1, 16, 1, {-32767}},
        {"adpm initial index 200 is 88", SmfTag("adpm"), std::string("\0\0\0\xC8\x00", 5), 1, 16, 1, {4095}},
        {"adps one frame", SmfTag("adps"), zero4 + zero4 + "\x7C", 1, 16, 2, {11, -7}},
        {"a16m swaps", SmfTag("a16m"), "\x12\x34\xFF\xFE", 2, 16, 1, {0x1234, -2}},
        {"a8us pairs", SmfTag("a8us"), "\x01\x02\x03\x04", 2, 8, 2, {1, 2, 3, 4}},
        {"a8um short input ends in silence", SmfTag("a8um"), "\x07", 3, 8, 1, {7, 128, 128}},
        {"adpm short input ends in silence", SmfTag("adpm"), zero4 + "\x70", 4, 16, 1, {11, 13, 0, 0}},
        {"adpm without its header is silence", SmfTag("adpm"), "\x01", 2, 16, 1, {0, 0}},
        {"a16m into an 8-bit buffer writes nothing", SmfTag("a16m"), "\x12\x34", 2, 8, 1, {0x55, 0x55}},
        {"a16s into a mono buffer writes nothing", SmfTag("a16s"), "\x12\x34\x56\x78", 1, 16, 1, {0x5555}},
        {"unknown tag writes nothing", SmfTag("zzzz"), "\x12\x34", 1, 16, 1, {0x5555}},
        {"count beyond the buffer stops at its end", SmfTag("a8um"), "\x01\x02\x03", 5, 8, 1, {1, 2, 3}},
    };
    for (const AudioCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(audio(c.tag, c.in, c.count, c.bits, c.channels, std::uint32_t(c.expected.size() / c.channels)),
                  c.expected);
    }
}

TEST(SmfCodec, LzssRuleAndTags) {
    const std::string packed("\x04\x41\x42\x20\x01", 5);
    EXPECT_EQ(unpack(packed, 100), "ABABABA");
    EXPECT_EQ(unpack(packed, 4), "ABAB");
    EXPECT_EQ(unpack(packed.substr(0, 4), 100), "AB");  // a reference cut short is dropped
    EXPECT_EQ(SmfTag("a16m"), 0x6131366Du);
    const SmfCommandWord w = SmfDecodeEntry(0x210F0064);
    EXPECT_EQ(w.type, 2);
    EXPECT_EQ(w.track, 1);
    EXPECT_EQ(w.flags, 15);
    EXPECT_EQ(w.delay, 100);
    // The writer's encoders unpack to what they packed.
    std::string picture;
    for (int i = 0; i < 5000; ++i) picture += char(i % 7 == 0 ? i / 7 : 3);
    for (const std::string& packedPicture : {smfLzssGreedy(picture), smfLzssLiteral(picture)})
        EXPECT_EQ(unpack(packedPicture, picture.size()), picture);
    EXPECT_LT(smfLzssGreedy(picture).size(), picture.size() / 2);
}

std::vector<std::uint8_t> frame(std::uint32_t tag, const std::string& data, Rect rect, std::uint16_t w, std::uint16_t h,
                                std::uint16_t depth = 8, std::uint8_t preset = 9) {
    std::vector<std::uint8_t> pixels(std::size_t{w} * h * depth / 8, preset);
    SmfDecodeFrame(tag, bytesOf(data), data.size(), rect,
                   {pixels.data(), w, h, depth});
    return pixels;
}

TEST(SmfCodec, FrameCodecsByHand) {
    using P = std::vector<std::uint8_t>;
    const std::string twelve = "abcdefghijkl";
    EXPECT_EQ(frame(SmfTag("vrw8"), twelve, {0, 0, 4, 3}, 4, 3), P(twelve.begin(), twelve.end()));
    EXPECT_EQ(frame(SmfTag("vrw8"), twelve.substr(0, 11), {0, 0, 4, 3}, 4, 3),
              (P{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 9, 9, 9, 9}));
    EXPECT_EQ(frame(SmfTag("vrw8"), twelve, {0, 1, 4, 4}, 4, 3),
              (P{9, 9, 9, 9, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'}));
    EXPECT_EQ(frame(SmfTag("vr16"), "\x12\x34", {0, 0, 1, 1}, 1, 1, 16), (P{0x34, 0x12}));
    EXPECT_EQ(frame(SmfTag("vr32"), "\x11\x22\x33\x44", {0, 0, 1, 1}, 1, 1, 32), (P{0x44, 0x33, 0x22, 0x11}));
    EXPECT_EQ(frame(SmfTag("vr16"), "\x12\x34", {0, 0, 1, 1}, 2, 1), (P{9, 9})) << "16-bit pixels into an 8-bit frame";
    EXPECT_EQ(frame(SmfTag("vlz8"), smfLzssLiteral("abcd"), {1, 0, 3, 2}, 3, 2), (P{9, 'a', 'b', 9, 'c', 'd'}));
    EXPECT_EQ(frame(SmfTag("vlx8"), smfLzssGreedy(std::string("a\0\0b", 4)), {0, 0, 2, 2}, 2, 2), (P{'a', 9, 9, 'b'}));
    // Rows and columns outside the frame are decoded and dropped, negative origins included.
    EXPECT_EQ(frame(SmfTag("vrw8"), twelve, {-1, -1, 3, 2}, 3, 2), (P{'f', 'g', 'h', 'j', 'k', 'l'}));
    EXPECT_EQ(frame(SmfTag("vlz8"), smfLzssGreedy(twelve), {1, 1, 5, 4}, 3, 2), (P{9, 9, 9, 9, 'a', 'b'}));
    EXPECT_EQ(frame(SmfTag("vr16"), "\x12\x34\x56\x78", {-1, 0, 1, 1}, 1, 1, 16), (P{0x78, 0x56}));
    EXPECT_EQ(frame(SmfTag("vlz8"), "\x00", {-40, -40, 30000, 30000}, 2, 1), (P{9, 9}));
}

TEST(SmfCodec, HeaderAndWriterBytes) {
    SmfWriter w;
    w.header.capacity[0] = 8;
    w.header.width = 4;
    w.header.height = 2;
    w.header.duration = 100;
    w.load(0, 0, "ABCDEFGH");
    w.frame(0, 0, smfTag("vrw8"), smfPack(0, 0), smfPack(4, 2));
    const std::string byHand = std::string("MS~\xCA", 4) + std::string("\x08\0\0\0", 4) + std::string(60, '\0') +
                               std::string("\x04\0\x02\0\x08\0\0\0\0\0\0\0", 12) + std::string(12, '\0') +
                               std::string("\x64\0\0\0\x06\0\0\0", 8) +
                               std::string("\0\0\x01\0\x08\0\0\0\0\0\x07\x20\x38\x77\x72\x76\0\0\0\0\x02\0\x04\0", 24) +
                               "ABCDEFGH";
    EXPECT_EQ(w.bytes(), byHand);

    SmfWriter big(true);
    big.header = w.header;
    big.header.clockStart = 0x01020304;
    big.header.rate = 22050;
    const std::string bigBytes = big.bytes();
    SmfHeader h;
    ASSERT_TRUE(SmfParseHeader(bytesOf(bigBytes), &h));
    EXPECT_EQ(h.capacity[0], 8u);
    EXPECT_EQ(h.width, 4);
    EXPECT_EQ(h.rate, 22050);
    EXPECT_EQ(h.clockStart, 0x01020304u);
    std::string bad = byHand;
    bad[3] = '\xCB';
    EXPECT_FALSE(SmfParseHeader(bytesOf(bad), &h));
    // Buffer sizes that pass 32 bits are refused as 0.
    h.width = h.height = 0xFFFF;
    h.depth = 32;
    h.sampleSize = 16;
    h.channels = 2;
    h.blockLength = 0x40000000;
    EXPECT_EQ(SmfFrameBytes(h), 0u);
    EXPECT_EQ(SmfAudioBytes(h), 0u);
}

}  // namespace
