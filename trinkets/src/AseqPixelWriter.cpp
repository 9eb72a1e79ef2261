// Packing colour indices into deep pixel formats and writing frame runs with them.
#include "AseqPixelWriter.h"

#include <cstring>

#include "AseqRuns.h"

namespace {

std::int32_t shiftUnder(std::uint32_t mask) {
    if (mask == 0) return 0;
    std::int32_t highest = 31;
    while (!(mask & (1u << highest))) --highest;
    return 15 - highest;
}

std::uint32_t shifted(std::uint16_t component, std::int32_t shift) {
    return shift >= 0 ? std::uint32_t{component} >> shift : std::uint32_t{component} << -shift;
}

// Stores one packed pixel of N bytes, little-endian as the surfaces hold them.
template <std::int32_t N>
void store(std::uint8_t* out, std::uint32_t value) {
    if constexpr (N == 2) {
        const auto pixel = static_cast<std::uint16_t>(value);
        std::memcpy(out, &pixel, 2);
    } else if constexpr (N == 3) {
        out[0] = static_cast<std::uint8_t>(value);
        out[1] = static_cast<std::uint8_t>(value >> 8);
        out[2] = static_cast<std::uint8_t>(value >> 16);
    } else {
        std::memcpy(out, &value, 4);
    }
}

template <std::int32_t N>
void drawRuns(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y, const OMRect& clip,
              const PackedColors& colors) {
    walkClippedRuns(frame, x, y, clip, [&](const AseqRun& run, std::int32_t row, std::int32_t from, std::int32_t to) {
        std::uint8_t* out = pixels.pixels + static_cast<std::ptrdiff_t>(row) * pixels.pitch + from * N;
        if (run.kind == AseqRun::Kind::fill) {
            const std::uint32_t value = colors[run.colour];
            for (std::int32_t i = from; i < to; ++i, out += N) store<N>(out, value);
            return;
        }
        const std::uint8_t* literal = run.literal + (from - x - run.column);
        for (std::int32_t i = from; i < to; ++i, out += N) store<N>(out, colors[*literal++]);
    });
}

}  // namespace

PixelFormat pixelFormatOf(std::int32_t bitsPerPixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    PixelFormat format;
    format.bytesPerPixel = bitsPerPixel / 8;
    format.masks = {red, green, blue};
    for (std::size_t i = 0; i < 3; ++i) format.shifts[i] = shiftUnder(format.masks[i]);
    return format;
}

std::uint32_t packColor(const OMColorRecord& color, const PixelFormat& format) {
    return (shifted(color.red, format.shifts[0]) & format.masks[0]) |
           (shifted(color.green, format.shifts[1]) & format.masks[1]) |
           (shifted(color.blue, format.shifts[2]) & format.masks[2]);
}

PackedColors packColors(const OMColorRecord* table, const PixelFormat& format) {
    PackedColors packed{};
    for (std::size_t i = 0; i < packed.size(); ++i) packed[i] = packColor(table[i], format);
    return packed;
}

void drawFrameDeep(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y,
                   const OMRect& clip, const PackedColors& colors, const PixelFormat& format) {
    switch (format.bytesPerPixel) {
    case 2: return drawRuns<2>(frame, pixels, x, y, clip, colors);
    case 3: return drawRuns<3>(frame, pixels, x, y, clip, colors);
    case 4: return drawRuns<4>(frame, pixels, x, y, clip, colors);
    default: return;
    }
}
