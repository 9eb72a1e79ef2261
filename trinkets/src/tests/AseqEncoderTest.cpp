// The ASEQ encoder and the test writer's encoding against run bytes worked out by hand, and the fixed
// preamble byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AseqEncoder.h"
#include "AseqWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes encodeRows(Bytes pixels, std::int32_t width, std::int32_t height) {
    return encodeImage({pixels.data(), width, 8}, width, height, 0);
}

// 1, 2, 1, 2, ... : no stretch of equal pixels.
Bytes alternating(std::size_t from, std::size_t to) {
    Bytes row;
    for (std::size_t i = from; i < to; ++i) row.push_back(static_cast<std::uint8_t>(1 + i % 2));
    return row;
}

// Each row on its own (transparent index 0), with its runs as the rules give them.
TEST(AseqEncoderTest, RowsBecomeSkipFillAndLiteralRunsOfAtMost250) {
    const struct {
        const char* name;
        Bytes row;
        Bytes runs;
    } cases[] = {
        {"300 transparent pixels: skips of 250 and 50", Bytes(300, 0), {0x00, 250, 0x00, 50}},
        {"three equal pixels with 3 left are literals", {9, 5, 5, 5}, {4, 9, 5, 5, 5}},
        {"three equal pixels with 4 left are a fill", {9, 5, 5, 5, 6}, {1, 9, 0xFF, 5, 3, 1, 6}},
        {"a fill of 251 splits at 250", join({Bytes(251, 3), {1}}), {0xFF, 3, 250, 0xFF, 3, 1, 1, 1}},
        {"two equal pixels stay literal", {4, 4, 0, 7}, {2, 4, 4, 0x00, 1, 1, 7}},
        {"a skip ends a literal run", {1, 2, 0, 0, 3}, {2, 1, 2, 0x00, 2, 1, 3}},
        {"a literal stretch of 256 splits at 250", alternating(0, 256),
         join({{250}, alternating(0, 250), {6}, alternating(250, 256)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto width = static_cast<std::int32_t>(c.row.size());
        const Bytes encoded = encodeRows(c.row, width, 1);
        ASSERT_EQ(encoded.size(), kEncodedPreambleSize + 6 + c.runs.size());
        EXPECT_EQ(Bytes(encoded.begin() + kEncodedPreambleSize + 6, encoded.end()), c.runs);
        const std::string written = encodeAseqRows({static_cast<std::int16_t>(width), 1, c.row, {}}, 0);
        EXPECT_EQ(Bytes(written.begin(), written.end()), c.runs);
    }
}

// Two rows of 300: all transparent, then a fill of 251, a literal pair, 44 skipped and three equal
// pixels at the row's end (literal, as fewer than 4 remain).
TEST(AseqEncoderTest, APictureIsThe52BytePreambleThenItsFrameRecord) {
    const Bytes pixels = join({Bytes(300, 0), Bytes(251, 3), {1, 2}, Bytes(44, 0), {6, 6, 6}});
    const Bytes expected = {
        1, 0, 1, 0, 8, 0, 0, 0, 0, 0,  // one sequence, one frame, 8 per second, not swapped
        0, 0, 0, 0,                    // frame 0 at the start of the frame data
        0, 0, 0, 0,                    // placement
        4, 0,                          // four entries: hold, frame 0, loop, end
        0, 0, 0, 0, 0xFC, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0,
        0, 0, 0x2C, 0x01, 2, 0,        // reserved, width 300, height 2
        0x00, 250, 0x00, 50,
        0xFF, 3, 250, 0xFF, 3, 1, 2, 1, 2, 0x00, 44, 3, 6, 6, 6};
    EXPECT_EQ(encodeRows(pixels, 300, 2), expected);
    Bytes deep(64, 1);
    EXPECT_TRUE(encodeImage({deep.data(), 16, 16}, 8, 2, 0).empty()) << "pixels deeper than 8 bits give nothing";
}

}  // namespace
