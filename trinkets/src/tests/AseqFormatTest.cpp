// ASEQ buffers: the layout as read, the one-time conversion of big-endian buffers, placement values,
// RRGB tables, drawing and hit-testing runs, and damaged buffers refused or drawn clipped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AseqFormat.h"
#include "AseqRuns.h"
#include "AseqWriter.h"
#include "RrgbColors.h"

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

std::vector<AseqEntry> entriesOf(const AseqSequence& sequence) {
    std::vector<AseqEntry> entries;
    for (std::int32_t i = 0; i < sequence.count; ++i) entries.push_back(readEntry(sequence.entries + 8 * i));
    return entries;
}

std::string describe(const std::vector<AseqEntry>& entries) {
    std::string text;
    for (const AseqEntry& e : entries)
        text += "(" + std::to_string(e.x) + "," + std::to_string(e.y) + "," + std::to_string(e.frame) + "," +
                std::to_string(e.param) + ")";
    return text;
}

TEST(AseqFormatTest, TheWriterLaysOutABigEndianFileByTheRules) {
    AseqPicture picture;
    picture.placement[0] = 1;
    picture.placement[1] = 2;
    picture.placement[2] = 0x08;
    picture.placement[3] = 5;
    picture.sequences = {{{1, 2, 0, 100}, {0, 0, kAseqEnd, 0}}};
    picture.frames = {{2, 1, {7, 8}, {}}};
    const Bytes expected = {0, 1, 0, 1, 8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 8, 5, 0, 2, 0, 1, 0, 2, 0, 0, 0, 100,
                            0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 2, 0, 1, 2, 7, 8};
    Bytes buffer = bytesOf(writeAseq(picture, ByteOrder::big));
    EXPECT_EQ(buffer, expected);

    AseqLayout layout;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
    EXPECT_EQ(layout.frameRate, 8);
    EXPECT_EQ(layout.placeX, -1);
    EXPECT_EQ(layout.placeY, 2);
    EXPECT_EQ(layout.placeZ, 5);
    ASSERT_EQ(layout.sequences.size(), 1u);
    EXPECT_EQ(describe(entriesOf(layout.sequences[0])), "(1,2,0,100)(0,0,-1,0)");
    const AseqFrame frame = frameImage(layout, 0);
    EXPECT_EQ(frame.width, 2);
    EXPECT_EQ(frame.height, 1);
    EXPECT_EQ(Bytes(frame.runs, frame.runs + frame.runsSize), (Bytes{2, 7, 8}));
}

// A second animation on the same buffer finds it converted: byte 5 reads 0 and nothing changes again.
// Converted, the big-endian file is byte for byte the little-endian one.
TEST(AseqFormatTest, ABigEndianBufferIsConvertedOnceForAllItsAnimations) {
    Bytes buffer = bytesOf(writeAseq(samplePicture(), ByteOrder::big));
    const Bytes little = bytesOf(writeAseq(samplePicture(), ByteOrder::little));
    ASSERT_EQ(buffer[kAseqSwapFlag], 1);
    AseqLayout first;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), first), AseqStatus::ok);
    EXPECT_EQ(buffer[kAseqSwapFlag], 0);
    EXPECT_EQ(buffer, little);
    AseqLayout second;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), second), AseqStatus::ok);
    EXPECT_EQ(buffer, little);
    for (const AseqLayout* layout : {&first, &second}) {
        ASSERT_EQ(layout->sequences.size(), 2u);
        EXPECT_EQ(describe(entriesOf(layout->sequences[0])), "(0,0,-4,0)(1,2,0,100)(0,0,1,50)(0,0,-101,7)(0,0,-2,0)(0,0,-1,0)");
        EXPECT_EQ(describe(entriesOf(layout->sequences[1])), "(0,0,1,0)(0,0,-600,0)(0,0,-1,0)");
        EXPECT_EQ(layout->placeX, 0x10);
        EXPECT_EQ(layout->placeY, 0x20);
        EXPECT_EQ(layout->placeZ, 7);
        EXPECT_EQ(frameImage(*layout, 0).width, 3);
        EXPECT_EQ(frameImage(*layout, 1).height, 1);
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

TEST(AseqFormatTest, PlacementBytesGiveSignMagnitudeValuesAndTheLayer) {
    struct Case {
        std::uint8_t b0, b1, b2, b3;
        std::int32_t x, y;
    };
    const Case cases[] = {{0x01, 0x00, 0x08, 0, -1, 0},      {0x00, 0x00, 0x08, 1, 2048, 0},
                          {0xFF, 0x00, 0x0F, 2, -2047, 0},   {0x00, 0x01, 0x80, 3, 0, -1},
                          {0x34, 0x12, 0x57, 255, 0x734, 0x512}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.b0) + " " + std::to_string(c.b1) + " " + std::to_string(c.b2));
        AseqPicture picture = samplePicture();
        picture.placement[0] = c.b0;
        picture.placement[1] = c.b1;
        picture.placement[2] = c.b2;
        picture.placement[3] = c.b3;
        Bytes buffer = bytesOf(writeAseq(picture, ByteOrder::little));
        AseqLayout layout;
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        EXPECT_EQ(layout.placeX, c.x);
        EXPECT_EQ(layout.placeY, c.y);
        EXPECT_EQ(layout.placeZ, c.b3);
    }
}

TEST(AseqFormatTest, FramesOutsideTheTableAreEmptyAndAListWithoutAnEndStopsAtItsCount) {
    AseqPicture picture = samplePicture();
    picture.sequences[1] = {{0, 0, 1, 0}, {0, 0, -3, 0}};
    Bytes buffer = bytesOf(writeAseq(picture, ByteOrder::little));
    AseqLayout layout;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
    EXPECT_EQ(layout.sequences[1].count, 2);
    for (const std::int32_t i : {-1, 2, 1000}) {
        EXPECT_EQ(frameImage(layout, i).width, 0);
        EXPECT_EQ(frameImage(layout, i).runs, nullptr);
    }
}

TEST(AseqFormatTest, RrgbComponentsKeepTheirHighByte) {
    std::vector<std::uint32_t> colors(256, 0);
    colors[0] = 0x123456;
    colors[255] = 0xABCDEF;
    const Bytes data = bytesOf(writeRrgb(colors, 0x34));
    ASSERT_EQ(data.size(), kRrgbSize);
    EXPECT_EQ(Bytes(data.begin(), data.begin() + 6), (Bytes{0x12, 0x34, 0x34, 0x34, 0x56, 0x34}));
    std::vector<OMColorRecord> table(256, OMColorRecord{1, 1, 1, 5});
    ASSERT_TRUE(convertColorTable(data.data(), data.size(), table.data()));
    EXPECT_EQ(table[0].red, 0x1200);
    EXPECT_EQ(table[0].green, 0x3400);
    EXPECT_EQ(table[0].blue, 0x5600);
    EXPECT_EQ(table[0].index, kColorFromComponents);
    EXPECT_EQ(table[255].blue, 0xEF00);
    EXPECT_EQ(table[100].red, 0);
    std::vector<OMColorRecord> untouched(256, OMColorRecord{1, 1, 1, 5});
    EXPECT_FALSE(convertColorTable(data.data(), data.size() - 1, untouched.data()));
    EXPECT_EQ(untouched[0].index, 5);
}

// Frame 0 (3 x 2: skip 1, literal 5 5; literal 6 6 6) drawn at (1, 1) into a 5 x 4 grid of 9s, whole and
// clipped to columns 2..3 and row 2.
TEST(AseqFormatTest, FramesDrawTheirRunsAndLeaveSkippedPixels) {
    Bytes buffer = bytesOf(writeAseq(samplePicture(), ByteOrder::little));
    AseqLayout layout;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
    const AseqFrame frame = frameImage(layout, 0);
    struct Case {
        const char* name;
        OMRect clip;
        Bytes pixels;
    };
    const Case cases[] = {
        {"whole", {0, 0, 5, 4}, {9, 9, 9, 9, 9, 9, 9, 5, 5, 9, 9, 6, 6, 6, 9, 9, 9, 9, 9, 9}},
        {"clipped", {2, 2, 4, 3}, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 6, 6, 9, 9, 9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes grid(20, 9);
        drawFrame8(frame, {grid.data(), 5, 8}, 1, 1, c.clip);
        EXPECT_EQ(grid, c.pixels);
    }
    EXPECT_FALSE(framePixelHit(frame, 0, 0));
    EXPECT_TRUE(framePixelHit(frame, 1, 0));
    EXPECT_TRUE(framePixelHit(frame, 0, 1));
    EXPECT_FALSE(framePixelHit(frame, 3, 1));
    EXPECT_FALSE(framePixelHit(frame, 0, 2));
}

// Damaged buffers, each made from the little- and the big-endian sample: refused untouched.
TEST(AseqFormatTest, DamagedBuffersAreRefusedAndLeftAsTheyWere) {
    struct Case {
        const char* name;
        void (*damage)(Bytes& buffer, bool big);
        AseqStatus status;
    };
    // Writes a 16-bit field in the buffer's own order.
    static auto put16 = [](Bytes& b, std::size_t at, std::uint16_t v, bool big) {
        b[at + (big ? 1 : 0)] = static_cast<std::uint8_t>(v & 0xFF);
        b[at + (big ? 0 : 1)] = static_cast<std::uint8_t>(v >> 8);
    };
    // Sample layout: header 10, offsets 8, placements 8, sequence 0 at 26 (2 + 48), sequence 1 at 76 (2 + 24),
    // frame data from 102.
    const Case cases[] = {
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
        for (const Case& c : cases) {
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

// Every prefix of the sample either is refused untouched or, once the frame headers fit, reads; drawing
// what reads stops where the runs end.
TEST(AseqFormatTest, EveryPrefixIsRefusedOrDrawnWithinItsBytes) {
    const Bytes whole = bytesOf(writeAseq(samplePicture(), ByteOrder::big));
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        SCOPED_TRACE(size);
        Bytes buffer(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        buffer.reserve(whole.size());
        AseqLayout layout;
        const AseqStatus status = attachSequence(buffer.data(), buffer.size(), layout);
        if (status != AseqStatus::ok) {
            EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), whole.begin()));
            continue;
        }
        EXPECT_GE(size, whole.size() - 3);
        Bytes grid(64, 9);
        for (std::int32_t i = 0; i < 2; ++i) drawFrame8(frameImage(layout, i), {grid.data(), 8, 8}, 0, 0, {0, 0, 8, 8});
    }
}

// Runs longer than their row are cut at the row's end; the next code byte begins the next row. A run cut
// off by the end of the data draws nothing.
TEST(AseqFormatTest, RunsPastTheRowOrTheDataAreCut) {
    struct Case {
        const char* name;
        std::string runs;
        Bytes pixels;
    };
    const Case cases[] = {
        {"fill longer than the row", std::string("\xFF\x05\x09\x02\x01\x02", 6), {5, 5, 5, 1, 2, 9}},
        {"literal longer than the row", std::string("\x04\x01\x02\x03\x04\x00\x03", 7), {1, 2, 3, 9, 9, 9}},
        {"skip longer than the row", std::string("\x00\xC8\xFF\x07\x03", 5), {9, 9, 9, 7, 7, 7}},
        {"literal cut off by the end", std::string("\x00\x03\x05\x01\x02", 5), {9, 9, 9, 9, 9, 9}},
        {"fill cut off by the end", std::string("\x00\x03\xFF\x01", 4), {9, 9, 9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AseqPicture picture;
        picture.sequences = {{{0, 0, 0, 0}, {0, 0, kAseqEnd, 0}}};
        picture.frames = {{3, 2, {}, c.runs}};
        Bytes buffer = bytesOf(writeAseq(picture, ByteOrder::little));
        AseqLayout layout;
        ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
        Bytes grid(6, 9);
        drawFrame8(frameImage(layout, 0), {grid.data(), 3, 8}, 0, 0, {0, 0, 3, 2});
        EXPECT_EQ(grid, c.pixels);
    }
}

}  // namespace
