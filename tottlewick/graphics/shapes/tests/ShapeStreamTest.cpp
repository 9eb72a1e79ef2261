// The decoder families on plain pixels against streams and pixels worked out by hand from the format
// rules: every operation, mirroring, 16-bit destinations, and malformed streams, which must stop inside
// the image.
#include <gtest/gtest.h>

#include <algorithm>

#include "ShapeBlend.h"
#include "ShapeDirect16.h"
#include "ShapeMapped16.h"
#include "ShapePlain8.h"
#include "ShapeRun8.h"
#include "ShapeTestSupport.h"

namespace {

using Decode8 = void (*)(void*, std::int32_t, std::uint16_t, const Rect*, const Rect*, const std::uint8_t*, std::size_t,
                         std::int16_t);

struct Golden8 { const char* name; std::string stream; std::vector<std::string> rows; };

// Draws each stream as an image at (1, 1) of a destination bordered by one pixel of '.', plain and
// mirrored (every row reversed); the border must stay as it was.
void check8(Decode8 decode, const std::vector<Golden8>& goldens) {
    for (const Golden8& g : goldens) {
        for (bool mirrored : {false, true}) {
            SCOPED_TRACE(testing::Message() << g.name << (mirrored ? ", mirrored" : ""));
            const int width = int(g.rows[0].size()), height = int(g.rows.size());
            Pixels out(width + 2, height + 2, 1, '.');
            const Rect image{1, 1, std::int16_t(1 + width), std::int16_t(1 + height)};
            decode(out.base(), out.step(), 8, &image, &image, data(g.stream), g.stream.size(), mirrored);
            std::vector<std::string> want{std::string(std::size_t(width + 2), '.')}, got;
            for (std::string row : g.rows) {
                if (mirrored) std::reverse(row.begin(), row.end());
                want.push_back("." + row + ".");
            }
            want.push_back(want.front());
            for (int y = 0; y < height + 2; ++y) got.push_back(out.text(y));
            EXPECT_EQ(got, want);
        }
    }
}

TEST(ShapeStreamTest, Run8StreamsDrawAsWorkedOut) {
    const std::string literal33 = "abcdefghijklmnopqrstuvwxyzabcdefg";
    std::string empties;  // 50 empty blocks: 100 operations that neither move nor draw
    for (int i = 0; i < 50; ++i) empties += bytes({0x02, 0x01});
    const std::string deepest = std::string(32, '\x02') + bytes({0x61, 'a'}) + std::string(32, '\x01') + bytes({0x41});
    check8(ShapeDrawRun8, {
        {"a block of 3 around a 2-pixel literal writes 6", bytes({0x03, 0x62, 'a', 'b', 0x01, 0x41}), {"ababab.."}},
        {"nested blocks multiply", bytes({0x02, 0x03, 0x61, 'a', 0x01, 0x61, 'b', 0x01, 0x41}), {"aaabaaab"}},
        {"a fill of 40: the count from two big-endian bytes", bytes({0x40, 0x00, 0x28, 'x', 0x41}),
         {std::string(40, 'x') + ".."}},
        {"a skip of 34 and a literal of 33 with 16-bit counts",
         bytes({0x20, 0x00, 0x22, 0x60, 0x00, 0x21}) + literal33 + bytes({0x41}), {std::string(34, '.') + literal33}},
        {"a fill of 2", bytes({0x42, 'z', 0x41}), {"zz.."}},
        {"a fill with count 1 ends the shape", bytes({0x62, 'a', 'b', 0x41, 0x62, 'c', 'd'}), {"ab...."}},
        {"the end mark ends the shape inside a block", bytes({0x03, 0x62, 'a', 'b', 0x41, 0x01}), {"ab...."}},
        {"bit 7 moves to the next row's left edge", bytes({0x62, 'a', 'b', 0xA2, 0x61, 'c', 0x41}), {"ab...", "..c.."}},
        {"a block repeats whole rows", bytes({0x61, 'a', 0x02, 0xE2, 'b', 'c', 0x01, 0x41}), {"a..", "bc.", "bc."}},
        {"a count of 0 in both count bytes does nothing", bytes({0x60, 0x00, 0x00, 0x61, 'a', 0x41}), {"a.."}},
        {"an empty block of 100 runs out", bytes({0x00, 0x00, 0x64, 0x01, 0x61, 'a', 0x41}), {"a.."}},
        {"nested empty blocks run out", bytes({0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0x01, 0x01, 0x61, 'a'}), {"a.."}},
        {"100 operations that do nothing, once", empties + bytes({0x61, 'a', 0x41}), {"a.."}},
        // Operations that do nothing cost one pass over the stream plus 65 per move; 100 of them in each of
        // a block's 3 runs of one pixel spend it during the second run.
        {"a block repeating 100 operations that do nothing", bytes({0x03}) + empties + bytes({0x61, 'a', 0x01}),
         {"a.."}},
        // Malformed: the walk stops at the operation that cannot be carried out.
        {"a close with no block open", bytes({0x61, 'a', 0x01, 0x61, 'b', 0x41}), {"a....."}},
        {"a 33rd open block", std::string(33, '\x02') + bytes({0x61, 'a', 0x41}), {"......"}},
        {"32 open blocks run until the row is full", deepest, {"aaaaaa"}},
        {"a literal past the row", bytes({0x61, 'a', 0x66, 'b', 'c', 'd', 'e', 'f', 'g'}), {"a....."}},
        {"a skip past the row", bytes({0x61, 'a', 0x26, 0x61, 'b'}), {"a....."}},
        {"data ending inside a count", bytes({0x61, 'a', 0x40, 0x00}), {"a....."}},
        {"a row below the image", bytes({0x61, 'a', 0xE1, 'b', 0xE1, 'c', 0x41}), {"a..", "b.."}},
    });
}

TEST(ShapeStreamTest, Plain8RowsDrawAsWorkedOut) {
    check8(ShapeDrawPlain8, {
        {"a skip of 2, a literal of 2, a literal of 4", bytes({0x81, 0x01, 'a', 'b', 0x03, 'c', 'd', 'e', 'f'}),
         {"..ab", "cdef"}},
        {"one operation covers 128 pixels", bytes({0xFF, 0x01, 'a', 'b'}), {std::string(128, '.') + "ab"}},
        {"an operation past the row", bytes({0x00, 'a', 0x04, 'b', 'c', 'd', 'e', 'f'}), {"a..."}},
        {"data ending inside a literal", bytes({0x00, 'a', 0x02, 'b'}), {"a..."}},
    });
}

// Grey 16/16/16 as background; red mixed into it at weight 16: red (16 x 16 + 17 x 31) >> 5 = 24, green
// and blue (16 x 16) >> 5 = 8.
constexpr std::uint16_t G = 16 << 10 | 16 << 5 | 16;
constexpr std::uint16_t kGrey16 = 16 << 11 | 16 << 6 | 16;
constexpr std::uint16_t kWhite = 0x7FFF;
constexpr std::uint16_t kBlue = 0x001F;
constexpr std::uint16_t kRed = 0x7C00;
constexpr std::uint16_t kGreen = 0x03E0;
constexpr std::uint16_t kMix15 = 24 << 10 | 8 << 5 | 8;
constexpr std::uint16_t kMix16 = 24 << 11 | 8 << 6 | 8;

using Row16 = std::vector<std::uint16_t>;

// A row of the 8-pixel destination in letters: '.' the grey, w white, W white at 16 bits (0xFFDF), b blue,
// r red, n green, m red mixed into the grey at weight 16.
Row16 row16(const std::string& letters, int depth) {
    const std::string keys = ".wWbrnm";
    const std::uint16_t values[] = {depth == 16 ? kGrey16 : G, kWhite, 0xFFDF, kBlue, kRed, kGreen,
                                    depth == 16 ? kMix16 : kMix15};
    Row16 out;
    for (char c : letters) out.push_back(values[keys.find(c)]);
    return out;
}

// The image is the destination's columns 1-6.
struct Golden16 { const char* name; std::uint16_t format; std::string stream; std::vector<std::string> rows;
                  int depth = 15; bool mirrored = false; };

TEST(ShapeStreamTest, SixteenBitStreamsDrawAsWorkedOut) {
    const Golden16 goldens[] = {
        {"0xB002 fill with x 0 writes 2", 0xB002, words({2}) + bytes({0x80, 2}), {".rr....."}},
        {"0xB002 literal with x 0 writes 1", 0xB002, words({2}) + bytes({0x40, 1}), {".b......"}},
        {"0xB002 skip of 2, literal of 2", 0xB002, words({4}) + bytes({0x01, 0x41, 3, 0}), {"...nw..."}},
        {"0xB002 blend at weight 16; bit 5 is not weight", 0xB002, words({4}) + bytes({0xD0, 2, 0xF0, 2}), {".mm....."}},
        {"0xB002 row count ending inside an operation", 0xB002, words({3}) + bytes({0x40, 1, 0x41}), {".b......"}},
        {"0xB002 fill past the row", 0xB002, words({4}) + bytes({0x40, 1, 0x84, 2}), {".b......"}},
        {"0xB002 mirrored fill ends at the right edge", 0xB002, words({2}) + bytes({0x80, 2}), {".....rr."}, 15, true},
        {"0xB001 colour words stored as they are", 0xB001, words({2, kRed, kBlue}), {".rb....."}},
        {"0xB001 weight 0 leaves the pixel", 0xB001, words({3, 0x8000 | 1, kRed, kBlue}), {"...b...."}},
        {"0xB001 weight 31 writes exactly", 0xB001, words({2, 0xFC00, kRed}), {".r......"}},
        {"0xB001 only the next word is blended", 0xB001, words({3, 0xC002, kRed, kRed}), {"...mr..."}},
        {"0xB001 the pending weight outlives the row", 0xB001, words({2, kBlue, 0xC000}) + words({1, kRed}),
         {".b......", ".m......"}},
        {"0xB001 skip past the row", 0xB001, words({3, kBlue, 0x8006, kRed}), {".b......"}},
        {"0xB001 row count past the data", 0xB001, words({5, kBlue}), {"........"}},
        {"0xB001 mirrored", 0xB001, words({2, kRed, kBlue}), {".....br."}, 15, true},
        {"0xB001 at 16 bits: white becomes 0xFFDF", 0xB001, words({3, kWhite, 0xC000, kRed}), {".Wm....."}, 16},
        {"0xB002 at 16 bits", 0xB002, words({4}) + bytes({0x40, 0, 0xD0, 2}), {".Wm....."}, 16},
        {"an 8-bit destination gets nothing", 0xB002, words({2}) + bytes({0x40, 0}), {"........"}, 8},
    };
    std::vector<std::uint8_t> table(kBlendTableSize);
    shapeBlendTableFill(table.data());
    const std::uint16_t map[256] = {kWhite, kBlue, kRed, kGreen};
    for (const Golden16& c : goldens) {
        SCOPED_TRACE(c.name);
        const auto height = std::int16_t(c.rows.size());
        Pixels out(8, height, 2, row16(".", c.depth)[0]);
        const Rect image{1, 0, 7, height};
        const auto depth = std::uint16_t(c.depth);
        const auto* in = data(c.stream);
        if (c.format == 0xB002) {
            ShapeDrawMapped16(out.base(), out.step(), depth, &image, &image, table.data(), map, in, c.stream.size(),
                              c.mirrored);
        } else {
            ShapeDrawDirect16(out.base(), out.step(), depth, &image, &image, table.data(), in, c.stream.size(),
                              c.mirrored);
        }
        for (int y = 0; y < height; ++y) EXPECT_EQ(out.row(y), row16(c.rows[std::size_t(y)], c.depth)) << "row " << y;
    }
}

}  // namespace
