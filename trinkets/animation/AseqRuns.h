// Walking, drawing and hit-testing the run-length rows of an ASEQ frame, bounded by its width and by the
// end of its buffer.
#pragma once

#include <array>
#include <cstdint>

#include "AseqFormat.h"
#include "OMPixelCopy.h"

// Each row is a series of runs, begun by a code byte c, until its W pixels are accounted for:
//   c = 0x00: n               skip n pixels (the destination shows through)
//   c = 0xFF: colour n        n pixels of one colour
//   c = 1..254: c colours     c literal pixels
// A run that passes the row's end is cut there; the next code byte begins the next row.
struct AseqRun {
    enum class Kind { skip, fill, literal };
    Kind kind;
    std::int32_t row;
    std::int32_t column;
    std::int32_t length;
    std::uint8_t colour;
    const std::uint8_t* literal;
};

// Calls visit(run) for every run in order, cut at the row width; stops where the data ends early or
// when visit returns false.
template <class Visit>
void walkRuns(const AseqFrame& frame, Visit visit) {
    std::size_t at = 0;
    for (std::int32_t row = 0; row < frame.height; ++row) {
        for (std::int32_t column = 0; column < frame.width;) {
            // Every run takes at least two bytes.
            if (frame.runsSize - at < 2) return;
            const std::uint8_t code = frame.runs[at++];
            AseqRun run{AseqRun::Kind::literal, row, column, code, 0, frame.runs + at};
            if (code == 0x00) {
                run.kind = AseqRun::Kind::skip;
                run.length = frame.runs[at++];
            } else if (code == 0xFF) {
                if (frame.runsSize - at < 2) return;
                run.kind = AseqRun::Kind::fill;
                run.colour = frame.runs[at++];
                run.length = frame.runs[at++];
            } else {
                if (frame.runsSize - at < code) return;
                at += code;
            }
            if (run.length > frame.width - column) run.length = frame.width - column;
            if (!visit(run)) return;
            column += run.length;
        }
    }
}

// Calls visit(run, row, from, to) for every fill and literal run of the frame placed at (x, y), cut to the
// columns from..to (exclusive) of clip, for the rows inside clip.
template <class Visit>
void walkClippedRuns(const AseqFrame& frame, std::int32_t x, std::int32_t y, const OMRect& clip, Visit visit) {
    walkRuns(frame, [&](const AseqRun& run) {
        const std::int32_t row = y + run.row;
        if (row >= clip.bottom) return false;
        const std::int32_t from = x + run.column > clip.left ? x + run.column : clip.left;
        const std::int32_t to = x + run.column + run.length < clip.right ? x + run.column + run.length : clip.right;
        if (run.kind != AseqRun::Kind::skip && row >= clip.top && from < to) visit(run, row, from, to);
        return true;
    });
}

// Draws the frame with its top-left corner at (x, y) into 8-bit pixels, writing only inside clip (which
// lies inside the pixels); skip runs write nothing.
void drawFrame8(const AseqFrame& frame, const OMPixelView& pixels, std::int32_t x, std::int32_t y, const OMRect& clip);

// True when the frame-relative point falls on a fill or literal pixel.
bool framePixelHit(const AseqFrame& frame, std::int32_t x, std::int32_t y);

// A colour for every palette index.
using AseqColourMap = std::array<std::uint8_t, 256>;

// Every fill colour and literal pixel c of the frame becomes map[c]. The runs must lie in a writable buffer
// (an attached ASEQ is).
void remapFrame(const AseqFrame& frame, const AseqColourMap& map);
