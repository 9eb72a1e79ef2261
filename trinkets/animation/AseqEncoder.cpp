// The ASEQ encoder: skip, fill and literal runs per row, none longer than 250 pixels.
#include "AseqEncoder.h"

#include <utility>

#include "AseqFormat.h"
#include "ByteWriter.h"

namespace {

constexpr std::int32_t kLongestRun = 250;
// A fill run needs the pixel and the next two equal, with at least this many pixels left in the row.
constexpr std::int32_t kFillNeeds = 4;

std::int32_t repeats(const std::uint8_t* row, std::int32_t from, std::int32_t width) {
    std::int32_t end = from + 1;
    while (end < width && row[end] == row[from]) ++end;
    return end - from;
}

// Runs of one value, split every 250 pixels: a skip is 0x00 n, a fill 0xFF colour n.
void writeRepeated(ByteWriter& out, bool skip, std::uint8_t colour, std::int32_t count) {
    for (; count > 0; count -= kLongestRun) {
        const std::int32_t n = count < kLongestRun ? count : kLongestRun;
        out.u8(skip ? 0x00 : 0xFF);
        if (!skip) out.u8(colour);
        out.u8(static_cast<std::uint8_t>(n));
    }
}

void encodeRow(ByteWriter& out, const std::uint8_t* row, std::int32_t width, std::uint8_t transparent) {
    std::size_t literalCount = 0;
    bool literalOpen = false;
    for (std::int32_t x = 0; x < width;) {
        const std::uint8_t pixel = row[x];
        const bool skip = pixel == transparent;
        const bool fill = !skip && width - x >= kFillNeeds && row[x + 1] == pixel && row[x + 2] == pixel;
        if (skip || fill) {
            const std::int32_t count = repeats(row, x, width);
            writeRepeated(out, skip, pixel, count);
            literalOpen = false;
            x += count;
            continue;
        }
        if (!literalOpen || out.bytes[literalCount] == kLongestRun) {
            literalCount = out.size();
            out.u8(0);
            literalOpen = true;
        }
        ++out.bytes[literalCount];
        out.u8(pixel);
        ++x;
    }
}

void writePreamble(ByteWriter& out) {
    out.u16(1);
    out.u16(1);
    out.u8(8);
    out.u8(0);
    out.u32(0);
    out.u32(0);
    out.u32(0);
    out.u16(4);
    const std::int16_t commands[] = {kAseqHold, 0, kAseqLoop, kAseqEnd};
    for (const std::int16_t command : commands) {
        out.u32(0);
        out.u16(static_cast<std::uint16_t>(command));
        out.u16(0);
    }
}

}  // namespace

std::vector<std::uint8_t> encodeImage(const OMPixelView& pixels, std::int32_t width, std::int32_t height,
                                      std::uint8_t transparent) {
    if (pixels.depth != 8) return {};
    ByteWriter out(ByteOrder::little);
    writePreamble(out);
    out.u16(0);
    out.u16(static_cast<std::uint16_t>(width));
    out.u16(static_cast<std::uint16_t>(height));
    for (std::int32_t y = 0; y < height; ++y)
        encodeRow(out, pixels.pixels + static_cast<std::ptrdiff_t>(y) * pixels.pitch, width, transparent);
    return std::move(out.bytes);
}
