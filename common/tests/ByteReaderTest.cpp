// The bounded reader and writer: both byte orders, sticky failure at the end, sub-readers, reads at offsets.
#include <gtest/gtest.h>

#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"

namespace {

using Values = std::vector<std::int64_t>;

const std::uint8_t kBytes[] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 'R', 'I', 'F', 'F'};

TEST(ByteReader, ReadsEitherOrder) {
    ByteReader little(kBytes, sizeof kBytes, ByteOrder::little);
    // "RIFF" reads with 'R' lowest, whatever the order.
    EXPECT_EQ((Values{little.u16(), little.u32(), little.chars4()}), (Values{0x3412, 0xBC9A7856u, 0x46464952u}));
    ByteReader big(kBytes, sizeof kBytes, ByteOrder::big);
    EXPECT_EQ((Values{big.u8(), big.u16(), big.i32(), big.i16(), big.ok(), big.remaining()}),
              (Values{0x12, 0x3456, 0x789ABC52, 0x4946, 1, 1}));
}

TEST(ByteReader, FailsForGoodAtTheEnd) {
    ByteReader r(kBytes, sizeof kBytes, ByteOrder::big);
    r.skip(8);
    // The u32 needs 4 of the 2 left; the u8 after it would fit but still fails.
    EXPECT_EQ((Values{r.u32(), r.ok(), r.u8(), r.remaining()}), (Values{0, 0, 0, 0}));
    std::uint8_t out[3] = {1, 2, 3};
    r.bytes(out, sizeof out);
    EXPECT_EQ(out[0] | out[1] | out[2], 0);
    EXPECT_EQ(ByteReader(kBytes, 0, ByteOrder::little).span(1), nullptr);
}

TEST(ByteReader, SubReaderIsBoundedAndMovesPast) {
    ByteReader r(kBytes, sizeof kBytes, ByteOrder::little);
    ByteReader inner = r.sub(3);
    EXPECT_EQ((Values{r.u8(), inner.u16(), inner.u16(), inner.ok(), r.ok()}), (Values{0x78, 0x3412, 0, 0, 1}));
    ByteReader tooLong = r.sub(100);
    EXPECT_EQ((Values{tooLong.ok(), r.ok()}), (Values{0, 0}));
}

TEST(ByteReader, ReadsAtOffsetsWithoutMoving) {
    const ByteReader r(kBytes, sizeof kBytes, ByteOrder::little);
    std::uint16_t half = 0xFFFF;
    std::uint32_t word = 0;
    EXPECT_TRUE(r.u16At(8, half));
    EXPECT_EQ(half, 0x4646);
    EXPECT_FALSE(r.u16At(9, half));
    EXPECT_EQ(half, 0x4646);  // untouched on failure
    EXPECT_FALSE(r.u32At(SIZE_MAX - 1, word));
    EXPECT_EQ(r.spanAt(10, 0), kBytes + 10);
    EXPECT_EQ(r.spanAt(10, 1), nullptr);
    EXPECT_EQ(r.position(), 0u);
}

TEST(ByteWriter, WritesEitherOrderAndPatchesLater) {
    ByteWriter big(ByteOrder::big);
    big.u16(0x1234);
    big.u32(0x56789ABC);
    big.chars4(0x46464952);
    big.u16At(12, 0xBEEF);  // past the end: the gap fills with zeros
    EXPECT_EQ(big.str(), std::string("\x12\x34\x56\x78\x9A\xBC" "RIFF\0\0\xBE\xEF", 14));
    ByteWriter little(ByteOrder::little);
    little.u32(0x01020304);
    little.u16At(1, 0xAABB);
    little.text("xy");
    EXPECT_EQ(little.str(), std::string("\x04\xBB\xAA\x01xy", 6));
}

}  // namespace
