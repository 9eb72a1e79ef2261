// Drawing and hit-testing ASEQ frames straight from their runs.
#include "AseqRuns.h"

#include <algorithm>
#include <cstring>

void drawFrame8(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y, const OMRect& clip) {
    walkRuns(frame, [&](const AseqRun& run) {
        const std::int32_t row = y + run.row;
        if (row >= clip.bottom) return false;
        const std::int32_t from = std::max(x + run.column, clip.left);
        const std::int32_t to = std::min(x + run.column + run.length, clip.right);
        if (run.kind == AseqRun::Kind::skip || row < clip.top || from >= to) return true;
        std::uint8_t* out = pixels.pixels + static_cast<std::ptrdiff_t>(row) * pixels.pitch + from;
        if (run.kind == AseqRun::Kind::fill)
            std::memset(out, run.colour, static_cast<std::size_t>(to - from));
        else
            std::memcpy(out, run.literal + (from - x - run.column), static_cast<std::size_t>(to - from));
        return true;
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
