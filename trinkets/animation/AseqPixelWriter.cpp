// Writing frame runs in deep pixel formats.
#include "AseqPixelWriter.h"

#include <cstring>

#include "AseqRuns.h"

namespace {

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

void drawFrameDeep(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y,
                   const OMRect& clip, const PackedColors& colors, const PixelFormat& format) {
    switch (format.bytesPerPixel) {
    case 2: return drawRuns<2>(frame, pixels, x, y, clip, colors);
    case 3: return drawRuns<3>(frame, pixels, x, y, clip, colors);
    case 4: return drawRuns<4>(frame, pixels, x, y, clip, colors);
    default: return;
    }
}
