// ASEQ buffers: the one-time conversion of big-endian buffers, placement values, drawing runs, and damaged
// buffers refused or drawn clipped.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "AseqFormat.h"
#include "AseqRuns.h"
#include "AseqWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Two play lists over two frames; frame 0 is 3 x 2 with a transparent corner.
AseqPicture samplePicture() {
    AseqPicture picture;
    picture.placement[0] = 0x10;
    picture.placement[1] = 0x20;
    picture.placement[3] = 7;
    picture.sequences = {
        {{0, 0, kAseqHold, 0}, {1, 2, 0, 100}, {0, 0, 1, 50}, {0, 0, kAseqSoundCue, 7}, {0, 0, kAseqLoop, 0},
         {0, 0, kAseqEnd, 0}},
        {{0, 0, 1, 0}, {0, 0, -600, 0}, {0, 0, kAseqEnd, 0}}};
    picture.frames = {{3, 2, {0, 5, 5, 6, 6, 6}, {}}, {2, 1, {7, 8}, {}}};
    return picture;
}

// A second animation on the same buffer finds it converted: byte 5 reads 0 and nothing changes again.
TEST(AseqFormatTest, ABigEndianBufferIsConvertedOnceForAllItsAnimations) {
    Bytes buffer = bytesOf(writeAseq(samplePicture(), ByteOrder::big));
    const Bytes little = bytesOf(writeAseq(samplePicture(), ByteOrder::little));
    ASSERT_EQ(Bytes(buffer.begin(), buffer.begin() + 6), (Bytes{0, 2, 0, 2, 8, 1}));  // swap flag in byte 5
    AseqLayout layouts[2];
    for (AseqLayout& layout : layouts) {
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        EXPECT_EQ(buffer, little);
        ASSERT_EQ(layout.sequences.size(), 2u);
        EXPECT_EQ(layout.sequences[0].count, 6);
        EXPECT_EQ(layout.sequences[1].count, 3);
        EXPECT_EQ(readEntry(layout.sequences[0].entries + 8).param, 100);
        EXPECT_EQ(readEntry(layout.sequences[1].entries + 8).frame, -600);
        EXPECT_EQ(layout.frameRate, 8);
        EXPECT_EQ(frameImage(layout, 0).width, 3);
        EXPECT_EQ(frameImage(layout, 1).height, 1);
        for (const std::int32_t i : {-1, 2}) EXPECT_EQ(frameImage(layout, i).runs, nullptr) << "no frame " << i;
    }
}

// Two offsets naming one record: its width and height are converted once, not twice.
TEST(AseqFormatTest, AFrameRecordSharedByTwoFramesIsConvertedOnce) {
    Bytes buffer = bytesOf(writeAseq(samplePicture(), ByteOrder::big));
    buffer[14] = buffer[15] = buffer[16] = buffer[17] = 0;  // frame 1 at frame 0's record
    AseqLayout layout;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
    EXPECT_EQ(frameImage(layout, 1).width, 3);
    EXPECT_EQ(frameImage(layout, 1).height, 2);
}

// 12-bit magnitudes from byte 0 or 1 and the low or high nibble of byte 2; bit 0 of the magnitude is the sign.
TEST(AseqFormatTest, PlacementBytesGiveSignMagnitudeValuesAndTheLayer) {
    const struct {
        std::uint8_t b0, b1, b2, b3;
        std::int32_t x, y;
    } cases[] = {{0x01, 0x00, 0x08, 0, -1, 0}, {0x00, 0x00, 0x08, 1, 2048, 0}, {0xFF, 0x00, 0x0F, 2, -2047, 0},
                 {0x00, 0x01, 0x80, 3, 0, -1}, {0x34, 0x12, 0x57, 255, 0x734, 0x512}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.b0) + " " + std::to_string(c.b1) + " " + std::to_string(c.b2));
        AseqPicture picture = samplePicture();
        std::tie(picture.placement[0], picture.placement[1], picture.placement[2], picture.placement[3]) =
            std::tie(c.b0, c.b1, c.b2, c.b3);
        Bytes buffer = bytesOf(writeAseq(picture, ByteOrder::little));
        AseqLayout layout;
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        EXPECT_EQ(layout.placeX, c.x);
        EXPECT_EQ(layout.placeY, c.y);
        EXPECT_EQ(layout.placeZ, c.b3);
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
    const struct {
        const char* name;
        void (*damage)(Bytes& buffer, bool big);
        AseqStatus status;
    } cases[] = {
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
    const struct {
        std::string runs;
        OMRect clip;
        Bytes pixels;
    } cases[] = {
        {std::string("\x00\x01\x02\x05\x05\x03\x06\x06\x06", 9), whole, {9, 5, 5, 6, 6, 6}},
        {std::string("\x00\x01\x02\x05\x05\x03\x06\x06\x06", 9), {1, 1, 3, 2}, {9, 9, 9, 9, 6, 6}},
        {std::string("\xFF\x05\x09\x02\x01\x02", 6), whole, {5, 5, 5, 1, 2, 9}},     // fill longer than the row
        {std::string("\x04\x01\x02\x03\x04\x00\x03", 7), whole, {1, 2, 3, 9, 9, 9}},  // literal longer than the row
        {std::string("\x00\xC8\xFF\x07\x03", 5), whole, {9, 9, 9, 7, 7, 7}},         // skip longer than the row
        {std::string("\x00\x03\x05\x01\x02", 5), whole, {9, 9, 9, 9, 9, 9}},         // literal cut off by the end
        {std::string("\x00\x03\xFF\x01", 4), whole, {9, 9, 9, 9, 9, 9}},             // fill cut off by the end
    };
    for (const auto& c : cases) {
        AseqPicture picture;
        picture.sequences = {{{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}};
        picture.frames = {{3, 2, {}, c.runs}};
        Bytes buffer = bytesOf(writeAseq(picture, ByteOrder::little));
        AseqLayout layout;
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        Bytes grid(6, 9);
        drawFrame8(frameImage(layout, 0), {grid.data(), 3, 8}, 0, 0, c.clip);
        EXPECT_EQ(grid, c.pixels) << &c - cases;
    }
}

}  // namespace
