// ASEQ buffers: the one-time swap, placement, runs drawn and clipped, damaged buffers, the encoder, deep pixels.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "AseqEncoder.h"
#include "AseqFormat.h"
#include "AseqPixelWriter.h"
#include "AseqRuns.h"
#include "AseqWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Two play lists over two frames; frame 0 is 3 x 2 with a transparent corner.
AseqPicture samplePicture() {
    return {8, {0x10, 0x20, 0, 7}, 0,
            {{{0, 0, kAseqHold, 0}, {1, 2, 0, 100}, {0, 0, 1, 50}, {0, 0, kAseqSoundCue, 7}, {0, 0, kAseqLoop, 0}, {0, 0, kAseqEnd, 0}},
             {{0, 0, 1, 0}, {0, 0, -600, 0}, {0, 0, kAseqEnd, 0}}},
            {{3, 2, {0, 5, 5, 6, 6, 6}, {}}, {2, 1, {7, 8}, {}}}};
}

// A second animation on the same buffer finds it converted: byte 5 reads 0 and nothing changes again.
TEST(AseqFormatTest, ABigEndianBufferAndEachFrameRecordAreConvertedOnce) {
    Bytes buffer = bytesOf(writeAseq(samplePicture(), ByteOrder::big));
    const Bytes little = bytesOf(writeAseq(samplePicture(), ByteOrder::little));
    ASSERT_EQ(Bytes(buffer.begin(), buffer.begin() + 6), (Bytes{0, 2, 0, 2, 8, 1}));  // swap flag in byte 5
    AseqLayout layouts[2];
    for (AseqLayout& layout : layouts) {
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        EXPECT_EQ(buffer, little);
        ASSERT_EQ(layout.sequences.size(), 2u);
        EXPECT_EQ(std::make_tuple(6, 3, 100, -600, 8, 3, 1),
                  std::make_tuple(layout.sequences[0].count, layout.sequences[1].count, readEntry(layout.sequences[0].entries + 8).param,
                                  readEntry(layout.sequences[1].entries + 8).frame, layout.frameRate, frameImage(layout, 0).width,
                                  frameImage(layout, 1).height));
        for (const std::int32_t i : {-1, 2}) EXPECT_EQ(frameImage(layout, i).runs, nullptr) << "no frame " << i;
    }
    // Two offsets naming one record: its width and height are converted once, not twice.
    buffer = bytesOf(writeAseq(samplePicture(), ByteOrder::big));
    buffer[14] = buffer[15] = buffer[16] = buffer[17] = 0;  // frame 1 at frame 0's record
    AseqLayout layout;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
    EXPECT_EQ(std::make_pair(3, 2), std::make_pair(frameImage(layout, 1).width, frameImage(layout, 1).height));
}

// 12-bit magnitudes from byte 0 or 1 and the low or high nibble of byte 2; bit 0 of the magnitude is the sign.
TEST(AseqFormatTest, PlacementBytesGiveSignMagnitudeValuesAndTheLayer) {
    const struct { std::uint8_t b0, b1, b2, b3; std::int32_t x, y; } cases[] = {
        {0x01, 0x00, 0x08, 0, -1, 0}, {0x00, 0x00, 0x08, 1, 2048, 0}, {0xFF, 0x00, 0x0F, 2, -2047, 0},
        {0x00, 0x01, 0x80, 3, 0, -1}, {0x34, 0x12, 0x57, 255, 0x734, 0x512}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.b0) + " " + std::to_string(c.b1) + " " + std::to_string(c.b2));
        AseqPicture picture = samplePicture();
        std::tie(picture.placement[0], picture.placement[1], picture.placement[2], picture.placement[3]) =
            std::tie(c.b0, c.b1, c.b2, c.b3);
        Bytes buffer = bytesOf(writeAseq(picture, ByteOrder::little));
        AseqLayout layout;
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        EXPECT_EQ(std::make_tuple(layout.placeX, layout.placeY, layout.placeZ), std::make_tuple(c.x, c.y, static_cast<std::int32_t>(c.b3)));
    }
}

// Damaged buffers, each made from the little- and the big-endian sample: refused untouched.
TEST(AseqFormatTest, DamagedBuffersAreRefusedAndLeftAsTheyWere) {
    // Writes a 16-bit field in the buffer's own order.
    static auto put16 = [](Bytes& b, std::size_t at, std::uint16_t v, bool big) {
        b[at + (big ? 1 : 0)] = static_cast<std::uint8_t>(v & 0xFF);
        b[at + (big ? 0 : 1)] = static_cast<std::uint8_t>(v >> 8);
    };
    // Sample layout: header 10, offsets 8, placements 8, sequence 0 at 26 (2 + 48), sequence 1 at 76 (2 + 24),
    // frame data from 102.
    const struct { const char* name; void (*damage)(Bytes& buffer, bool big); AseqStatus status; } cases[] = {
        {"header cut short", [](Bytes& b, bool) { b.resize(9); }, AseqStatus::truncated},
        {"offset table cut short", [](Bytes& b, bool) { b.resize(15); }, AseqStatus::truncated},
        {"entries cut short", [](Bytes& b, bool) { b.resize(90); }, AseqStatus::truncated},
        {"no sequences", [](Bytes& b, bool big) { put16(b, 0, 0, big); }, AseqStatus::badCount},
        {"negative frame count", [](Bytes& b, bool big) { put16(b, 2, 0xFFFF, big); }, AseqStatus::badCount},
        {"negative entry count", [](Bytes& b, bool big) { put16(b, 76, 0x8000, big); }, AseqStatus::badCount},
        {"entry count past the end", [](Bytes& b, bool big) { put16(b, 76, 0x7FFF, big); }, AseqStatus::truncated},
        {"frame index equal to F", [](Bytes& b, bool big) { put16(b, 28 + 8 + 4, 2, big); }, AseqStatus::badFrameIndex},
        {"frame offset past the end", [](Bytes& b, bool big) { b[big ? 17 : 14] = 0xF0; }, AseqStatus::badFrameOffset},
        {"huge frame offset", [](Bytes& b, bool) { b[10] = b[11] = b[12] = b[13] = 0xFF; }, AseqStatus::badFrameOffset},
        {"frame headers overlapping", [](Bytes& b, bool big) { b[big ? 17 : 14] = 2; }, AseqStatus::badFrameOffset},
        {"frame header cut short", [](Bytes& b, bool) { b.resize(b.size() - 6); }, AseqStatus::badFrameOffset},
        {"negative width", [](Bytes& b, bool big) { put16(b, 104, 0xFFFD, big); }, AseqStatus::badFrameSize},
    };
    for (const bool big : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (big ? " (big-endian)" : ""));
            Bytes buffer = bytesOf(writeAseq(samplePicture(), big ? ByteOrder::big : ByteOrder::little));
            c.damage(buffer, big);
            const Bytes before = buffer;
            AseqLayout layout;
            EXPECT_EQ(attachSequence(buffer.data(), buffer.size(), layout), c.status) << aseqStatusText(c.status);
            EXPECT_EQ(buffer, before);
        }
    }
}

// 3 x 2 frames drawn at (0, 0) into a grid of 9s, whole or clipped to (1, 1, 3, 2). Skips leave pixels;
// runs longer than their row are cut at the row's end, and the next code byte begins the next row; a run
// cut off by the end of the data draws nothing.
TEST(AseqFormatTest, FramesDrawTheirRunsWithinTheRowsAndTheClip) {
    const OMRect whole{0, 0, 3, 2};
    const struct { std::string runs; OMRect clip; Bytes pixels; } cases[] = {
        {std::string("\x00\x01\x02\x05\x05\x03\x06\x06\x06", 9), whole, {9, 5, 5, 6, 6, 6}},
        {std::string("\x00\x01\x02\x05\x05\x03\x06\x06\x06", 9), {1, 1, 3, 2}, {9, 9, 9, 9, 6, 6}},
        {std::string("\xFF\x05\x09\x02\x01\x02", 6), whole, {5, 5, 5, 1, 2, 9}},     // fill longer than the row
        {std::string("\x04\x01\x02\x03\x04\x00\x03", 7), whole, {1, 2, 3, 9, 9, 9}},  // literal longer than the row
        {std::string("\x00\xC8\xFF\x07\x03", 5), whole, {9, 9, 9, 7, 7, 7}},         // skip longer than the row
        {std::string("\x00\x03\x05\x01\x02", 5), whole, {9, 9, 9, 9, 9, 9}},         // literal cut off by the end
        {std::string("\x00\x03\xFF\x01", 4), whole, {9, 9, 9, 9, 9, 9}},             // fill cut off by the end
    };
    for (const auto& c : cases) {
        Bytes buffer = bytesOf(writeAseq({8, {}, 0, {{{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}}, {{3, 2, {}, c.runs}}}, ByteOrder::little));
        AseqLayout layout;
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        Bytes grid(6, 9);
        drawFrame8(frameImage(layout, 0), {grid.data(), 3, 8}, 0, 0, c.clip);
        EXPECT_EQ(grid, c.pixels) << &c - cases;
    }
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
    const struct { const char* name; Bytes row; Bytes runs; } cases[] = {
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

TEST(PixelWriterTest, MasksGiveShiftsAndColoursPackUnderThem) {
    const OMColorRecord color = colorOf(0xAB, 0xCD, 0xEF);
    const struct {
        std::int32_t bits; std::uint32_t red, green, blue; std::array<std::int32_t, 3> shifts; std::uint32_t packed;
    } cases[] = {
        // 0xAB >> 3 = 0x15, 0xCD >> 2 = 0x33, 0xEF >> 3 = 0x1D: 0x15 << 11 | 0x33 << 5 | 0x1D.
        {16, 0xF800, 0x07E0, 0x001F, {0, 5, 11}, 0xAE7D},
        // 0x15 << 10 | (0xCD >> 3 = 0x19) << 5 | 0x1D.
        {16, 0x7C00, 0x03E0, 0x001F, {1, 6, 11}, 0x573D},
        {24, 0xFF0000, 0x00FF00, 0x0000FF, {-8, 0, 8}, 0xABCDEF},
        {32, 0x0000FF, 0x00FF00, 0xFF0000, {8, 0, -8}, 0xEFCDAB},
        {8, 0, 0, 0, {0, 0, 0}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        const PixelFormat format = pixelFormatOf(c.bits, c.red, c.green, c.blue);
        EXPECT_EQ(std::make_tuple(format.bytesPerPixel, format.shifts, packColor(color, format)),
                  std::make_tuple(c.bits / 8, c.shifts, c.packed));
    }
}

// Memory whose last `size` usable bytes end at a page that may not be touched: a write or read past them
// faults.
class GuardedBytes {
public:
    explicit GuardedBytes(std::size_t size) {
        base = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, 2 * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(base + kPage, kPage, PAGE_NOACCESS, &old);
        bytes = base + kPage - size;
        std::memset(bytes, 0x11, size);
    }
    ~GuardedBytes() { VirtualFree(base, 0, MEM_RELEASE); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    static constexpr std::size_t kPage = 4096;
    std::uint8_t* base;
    std::uint8_t* bytes;
};

// A 3 x 2 frame (skip, index 1, index 2 over a fill of index 3) drawn at (0, 0) into unpadded rows of
// 3, 6, 9 or 12 bytes whose last pixel is the last byte before a guard page. Colour i packs to 0x0i0i0i0i's
// low bytes: index 1 -> 0x01010101, so every byte shows which index wrote it; skipped pixels keep 0x11.
TEST(PixelWriterTest, RunsWriteWholePixelsOfTheirSizeAndNothingPastTheRow) {
    const AseqPictureFrame frame{3, 2, {}, std::string("\x00\x01\x02\x01\x02\xFF\x03\x03", 8)};
    Bytes buffer = bytesOf(writeAseq({8, {}, 0, {{{0, 0, 0, 0}, {0, 0, -1, 0}}}, {frame}}, ByteOrder::little));
    AseqLayout layout;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
    PackedColors colors{};
    for (std::uint32_t i = 0; i < colors.size(); ++i) colors[i] = i * 0x01010101u;
    for (const std::int32_t size : {2, 3, 4}) {
        SCOPED_TRACE(size);
        PixelFormat format;
        format.bytesPerPixel = size;
        GuardedBytes memory(static_cast<std::size_t>(6 * size));
        // Each index as `size` bytes of its value.
        const auto spread = [size](std::initializer_list<std::uint8_t> indices) {
            Bytes bytes;
            for (const std::uint8_t index : indices) bytes.insert(bytes.end(), static_cast<std::size_t>(size), index);
            return bytes;
        };
        drawFrameDeep(frameImage(layout, 0), {memory.bytes, 3 * size, size * 8}, 0, 0, {0, 0, 3, 2}, colors, format);
        EXPECT_EQ(Bytes(memory.bytes, memory.bytes + 6 * size), spread({0x11, 1, 2, 3, 3, 3}));
        std::memset(memory.bytes, 0x11, static_cast<std::size_t>(6 * size));
        drawFrameDeep(frameImage(layout, 0), {memory.bytes, 3 * size, size * 8}, 0, 0, {1, 0, 2, 2}, colors, format);
        EXPECT_EQ(Bytes(memory.bytes, memory.bytes + 6 * size), spread({0x11, 1, 0x11, 0x11, 3, 0x11})) << "clipped to the middle column";
    }
}

}  // namespace
