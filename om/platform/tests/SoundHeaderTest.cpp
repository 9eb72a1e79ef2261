// Wave headers: RIFF WAVE and big-endian sound resources of formats 1 and 2 read to length, rate and data
// offset; truncated, oversized and foreign headers give nothing.
#include "ByteWriter.h"
#include "OMWaveHeader.h"
#include "SoundResourceWriter.h"
#include "TestSupport.h"
#include "WaveWriter.h"

namespace {
OMWaveHeader parse(const std::string& bytes) {
    return parseWaveHeader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// A RIFF form built chunk by chunk, without pad bytes after odd sizes; "fmt " stands for a PCM record.
std::string riff(const std::vector<std::pair<std::string, std::string>>& chunks, std::uint32_t rate = 8000) {
    ByteWriter out(ByteOrder::little);
    out.text("RIFF????WAVE");
    for (const auto& [id, body] : chunks) {
        out.text(id);
        if (id != "fmt ") {
            out.u32(static_cast<std::uint32_t>(body.size()));
            out.text(body);
            continue;
        }
        for (std::uint32_t field : {16u, 0x00010001u, rate, rate, 0x00080001u}) out.u32(field);
    }
    return out.str();
}

TEST(WaveHeaderTest, HeadersGiveLengthRateAndDataOffset) {
    const WaveSound stereo16{22050, 2, 16, std::string(300, 'x'), {}, {{"fact", "1234"}}, {}};
    const WaveSound padded{11025, 1, 8, "12345", {{"LIST", "abc"}}, {}, {}};
    const auto resource = [](std::uint16_t format, bool extended, std::uint32_t rate) {
        return writeSoundResource({format, rate, extended, std::string(100, '\x80'), {}});
    };
    const struct { const char* what; std::string bytes; std::int32_t length, rate, offset; } cases[] = {
        // "RIFF" size "WAVE" (12), "fmt " (8 + 16), "fact" (8 + 4), "data" (8): samples at 56.
        {"RIFF, 16-bit stereo fields, a chunk between", writeWave(stereo16), 300, 22050, 56},
        // No pad byte after an odd size: "fmt " at 12 + 8 + 3 = 23, "data" at 47.
        {"odd chunk, unpadded", riff({{"LIST", "abc"}, {"fmt ", ""}, {"data", "12345"}}), 5, 8000, 55},
        {"odd chunk, padded (the walk lands on the pad)", writeWave(padded), 0, 0, 0},
        // Sound header at 20 (format 1) or 14 (format 2); data at header + 22, or + 64 when extended.
        {"format 1, standard", resource(1, false, 0x56EE8BA3), 100, 22254, 42},
        {"format 2, standard", resource(2, false, 11025u << 16), 100, 11025, 36},
        {"format 1, extended", resource(1, true, 22050u << 16), 100, 22050, 84},
        {"format 2, extended", resource(2, true, 8000u << 16), 100, 8000, 78},
        {"rate's integer part taken as signed", resource(1, false, 44100u << 16), 100, 44100 - 65536, 42},
        {"format 3", resource(3, false, 11025u << 16), 0, 0, 0},
        {"RIFF of another form", std::string("RIFF\0\0\0\0WAVX", 12), 0, 0, 0},
        {"nothing", "", 0, 0, 0},
        {"noise", std::string(2000, '\xFF'), 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const OMWaveHeader got = parse(c.bytes);
        EXPECT_EQ(std::make_tuple(got.length, got.rate, got.dataOffset), std::make_tuple(c.length, c.rate, c.offset));
    }
}

// Every prefix that stops inside the header gives nothing; once the header is whole it is read, whatever
// follows (the sound cuts the data to the stream, not the parser).
TEST(WaveHeaderTest, TruncatedHeadersGiveNothingUntilTheyAreWhole) {
    const std::string samples(50, 'r');
    // headerEnd: the end of the last header field read.
    const struct { std::string bytes; std::size_t headerEnd; } cases[] = {{writeWave({11025, 1, 8, samples, {}, {}, {}}), 44},
                 {writeSoundResource({1, 11025u << 16, false, samples, {}}), 41},
                 {writeSoundResource({1, 11025u << 16, true, samples, {}}), 46}};
    for (const auto& c : cases) {
        const OMWaveHeader whole = parse(c.bytes);
        ASSERT_GT(whole.length, 0);
        for (std::size_t n = 0; n <= c.bytes.size(); ++n) {
            SCOPED_TRACE(n);
            const OMWaveHeader got = parse(c.bytes.substr(0, n));
            EXPECT_EQ(std::make_pair(got.length, got.dataOffset),
                      n < c.headerEnd ? std::make_pair(0, 0) : std::make_pair(whole.length, whole.dataOffset));
        }
    }
}

TEST(WaveHeaderTest, OnlyTheFirst1024BytesAreLookedAt) {
    const std::string data = std::string("data\x04\0\0\0abcd", 12);
    // "data" at 12 + 24 + 8 + 960 = 1004: its header ends at 1012, within the first 1024 bytes.
    EXPECT_EQ(parse(riff({{"fmt ", ""}, {"LIST", std::string(960, 'z')}}) + data).dataOffset, 1012);
    // 20 bytes further its size field ends past 1024: not found.
    EXPECT_EQ(parse(riff({{"fmt ", ""}, {"LIST", std::string(980, 'z')}}) + data).length, 0);
    // A chunk size pointing far beyond the bytes ends the walk.
    std::string huge = riff({{"LIST", "x"}, {"fmt ", ""}, {"data", "1"}});
    huge.replace(16, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(std::make_pair(parse(huge).length, parseWaveHeader(nullptr, 100).length), std::make_pair(0, 0));
}
}  // namespace
