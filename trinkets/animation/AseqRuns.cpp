// Drawing and hit-testing ASEQ frames straight from their runs.
#include "AseqRuns.h"

#include <cstring>

namespace {

constexpr std::size_t kShortRun = 16;

}  // namespace

void drawFrame8(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y, const OMRect& clip) {
    walkClippedRuns(frame, x, y, clip, [&](const AseqRun& run, std::int32_t row, std::int32_t from, std::int32_t to) {
        std::uint8_t* out = pixels.pixels + static_cast<std::ptrdiff_t>(row) * pixels.pitch + from;
        const auto count = static_cast<std::size_t>(to - from);
        const std::uint8_t* literal = run.literal + (from - x - run.column);
        // Short runs are common (outlines, dithering); a call into the C library costs more than they do.
        if (count < kShortRun) {
            for (std::size_t i = 0; i < count; ++i) out[i] = run.kind == AseqRun::Kind::fill ? run.colour : literal[i];
        } else if (run.kind == AseqRun::Kind::fill) {
            std::memset(out, run.colour, count);
        } else {
            std::memcpy(out, literal, count);
        }
    });
}

bool framePixelHit(const AseqFrame& frame, std::int32_t x, std::int32_t y) {
    if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) return false;
    bool hit = false;
    walkRuns(frame, [&](const AseqRun& run) {
        if (run.row < y || x >= run.column + run.length) return true;
        hit = run.row == y && x >= run.column && run.kind != AseqRun::Kind::skip;
        return false;
    });
    return hit;
}

void remapFrame(const AseqFrame& frame, const AseqColourMap& map) {
    walkRuns(frame, [&](const AseqRun& run) {
        // A fill's colour byte lies where a literal's pixels would.
        auto* pixels = const_cast<std::uint8_t*>(run.literal);
        const std::int32_t count = run.kind == AseqRun::Kind::literal ? run.length : (run.kind == AseqRun::Kind::fill ? 1 : 0);
        for (std::int32_t i = 0; i < count; ++i) pixels[i] = map[pixels[i]];
        return true;
    });
}
