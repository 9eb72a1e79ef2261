// ASEQ animations and RRGB colour tables: the checked attachment with its in-place conversion, a second
// attachment that must find nothing to convert, every frame drawn (8-bit and into unpadded 24-bit rows,
// whose last pixel ends the buffer), hit-tested and remapped within its bytes, the single-frame reading,
// and the encoder's output read back.
#include <cstring>
#include <vector>

#include "AseqEncoder.h"
#include "AseqFormat.h"
#include "AseqPixelWriter.h"
#include "AseqRuns.h"
#include "FuzzParts.h"
#include "RrgbColors.h"

namespace {

constexpr std::int32_t kGrid = 64;

void drawEveryFrame(const AseqLayout& layout) {
    std::vector<std::uint8_t> grid(kGrid * kGrid, 9);
    std::vector<std::uint8_t> deep(kGrid * kGrid * 3, 9);
    const PixelFormat format = pixelFormatOf(24, 0xFF0000, 0xFF00, 0xFF);
    const PackedColors colors{};
    AseqColourMap inverted;
    for (std::size_t c = 0; c < inverted.size(); ++c) inverted[c] = static_cast<std::uint8_t>(255 - c);
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(layout.frames.size()); ++i) {
        const AseqFrame frame = frameImage(layout, i);
        FUZZ_CHECK(frame.runs + frame.runsSize == layout.buffer + layout.size);
        drawFrame8(frame, {grid.data(), kGrid, 8}, -3, -2, {0, 0, kGrid, kGrid});
        drawFrameDeep(frame, {deep.data(), kGrid * 3, 24}, kGrid - 5, kGrid - 3, {0, 0, kGrid, kGrid}, colors,
                      format);
        for (std::int32_t y = 0; y < 4; ++y)
            for (std::int32_t x = 0; x < 4; ++x) (void)framePixelHit(frame, x, y);
        remapFrame(frame, inverted);
    }
}

void attachTwice(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    AseqLayout layout;
    if (attachSequence(bytes.data(), bytes.size(), layout) != AseqStatus::ok) {
        FUZZ_CHECK(size == 0 || std::memcmp(bytes.data(), data, size) == 0);
        return;
    }
    FUZZ_CHECK(bytes[kAseqSwapFlag] == 0);
    for (const AseqSequence& sequence : layout.sequences)
        for (std::int32_t e = 0; e < sequence.count; ++e) (void)readEntry(sequence.entries + e * kAseqEntrySize);
    const std::vector<std::uint8_t> converted = bytes;
    AseqLayout again;
    FUZZ_CHECK(attachSequence(bytes.data(), bytes.size(), again) == AseqStatus::ok);
    FUZZ_CHECK(bytes == converted);
    drawEveryFrame(layout);
}

void singleFrame(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    AseqFrame frame;
    if (findSingleFrame(bytes.data(), bytes.size(), frame) != AseqStatus::ok) return;
    std::vector<std::uint8_t> grid(kGrid * kGrid, 9);
    drawFrame8(frame, {grid.data(), kGrid, 8}, 0, 0, {0, 0, kGrid, kGrid});
}

// The input as an 8-bit area (width from the first byte), encoded with index 0 transparent and drawn back.
void encodeAndRead(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    const std::int32_t width = 1 + data[0] % 40;
    const std::int32_t height = static_cast<std::int32_t>((size - 1) / static_cast<std::size_t>(width));
    if (height == 0) return;
    std::vector<std::uint8_t> pixels(data + 1, data + 1 + width * height);
    std::vector<std::uint8_t> encoded = encodeImage({pixels.data(), width, 8}, width, height, 0);
    AseqLayout layout;
    FUZZ_CHECK(attachSequence(encoded.data(), encoded.size(), layout) == AseqStatus::ok);
    std::vector<std::uint8_t> drawn(pixels.size(), 0);
    drawFrame8(frameImage(layout, 0), {drawn.data(), width, 8}, 0, 0, {0, 0, width, height});
    FUZZ_CHECK(drawn == pixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    attachTwice(data, size);
    singleFrame(data, size);
    encodeAndRead(data, size);
    std::vector<OMColorRecord> table(kRrgbEntries);
    (void)convertColorTable(data, size, table.data());
    return 0;
}
