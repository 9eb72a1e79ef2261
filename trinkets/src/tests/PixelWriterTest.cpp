// Frames on deep pixels: the masks and shifts of a pixel format, colours packed into it, and runs written
// 2, 3 or 4 bytes a pixel, the last pixel of an unpadded row ending right before memory that may not be
// touched.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "AseqPixelWriter.h"
#include "AseqWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(PixelWriterTest, MasksGiveShiftsAndColoursPackUnderThem) {
    const OMColorRecord color = colorOf(0xAB, 0xCD, 0xEF);
    const struct {
        std::int32_t bits;
        std::uint32_t red, green, blue;
        std::array<std::int32_t, 3> shifts;
        std::uint32_t packed;
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
        EXPECT_EQ(format.bytesPerPixel, c.bits / 8);
        EXPECT_EQ(format.shifts, c.shifts);
        EXPECT_EQ(packColor(color, format), c.packed);
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
    AseqPicture picture;
    picture.sequences = {{{0, 0, 0, 0}, {0, 0, -1, 0}}};
    picture.frames = {{3, 2, {}, std::string("\x00\x01\x02\x01\x02\xFF\x03\x03", 8)}};
    const std::string aseq = writeAseq(picture, ByteOrder::little);
    Bytes buffer(aseq.begin(), aseq.end());
    AseqLayout layout;
    ASSERT_EQ(attachSequence(buffer.data(), buffer.size(), layout), AseqStatus::ok);
    PackedColors colors{};
    for (std::uint32_t i = 0; i < colors.size(); ++i) colors[i] = i * 0x01010101u;
    for (const std::int32_t size : {2, 3, 4}) {
        SCOPED_TRACE(size);
        PixelFormat format;
        format.bytesPerPixel = size;
        GuardedBytes memory(static_cast<std::size_t>(6 * size));
        drawFrameDeep(frameImage(layout, 0), {memory.bytes, 3 * size, size * 8}, 0, 0, {0, 0, 3, 2}, colors, format);
        Bytes expected;
        for (const std::uint8_t index : {0x11, 1, 2, 3, 3, 3}) expected.insert(expected.end(), static_cast<std::size_t>(size), index);
        EXPECT_EQ(Bytes(memory.bytes, memory.bytes + 6 * size), expected);
        // Clipped to the middle column: only its two pixels change.
        std::memset(memory.bytes, 0x11, static_cast<std::size_t>(6 * size));
        drawFrameDeep(frameImage(layout, 0), {memory.bytes, 3 * size, size * 8}, 0, 0, {1, 0, 2, 2}, colors, format);
        expected.assign(static_cast<std::size_t>(6 * size), 0x11);
        std::fill_n(expected.begin() + size, size, 1);
        std::fill_n(expected.begin() + 4 * size, size, 3);
        EXPECT_EQ(Bytes(memory.bytes, memory.bytes + 6 * size), expected);
    }
}

}  // namespace
