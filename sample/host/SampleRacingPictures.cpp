// The racing game's pictures, drawn from rectangles and ellipses.
#include <vector>

#include "PixelGrid.h"
#include "SampleFont.h"
#include "SamplePictures.h"

namespace {

AseqPicture framesInOrder(const std::vector<PixelGrid>& grids) {
    AseqPicture picture;
    picture.sequences.emplace_back();
    for (std::size_t i = 0; i < grids.size(); ++i) {
        const PixelGrid& g = grids[i];
        picture.frames.push_back({static_cast<std::int16_t>(g.width), static_cast<std::int16_t>(g.height), g.pixels, {}});
        picture.sequences[0].push_back({0, 0, static_cast<std::int16_t>(i), 0});
    }
    // Played through, the picture stays on its last frame: the hold pauses, the frame after it stays shown.
    picture.sequences[0].push_back({0, 0, -4, 0});
    picture.sequences[0].push_back({0, 0, static_cast<std::int16_t>(grids.size() - 1), 0});
    return picture;
}

template <typename Draw>
AseqPicture drawFrames(int count, Draw draw) {
    std::vector<PixelGrid> grids;
    for (int i = 0; i < count; ++i) grids.push_back(draw(i));
    return framesInOrder(grids);
}

}  // namespace

// Each glyph in the sample's font, filling its frame: letters 'a'..'z', digits, '+' and, for any other
// character, '-'.
AseqPicture racingGlyph(int glyph) {
    const char c = glyph < 26 ? char('a' + glyph) : glyph < 36 ? char('0' + glyph - 26) : glyph == 36 ? '+' : '-';
    return drawFrames(23, [c](int i) {
        const int w = 6 + 2 * i, h = 8 + 3 * i;
        PixelGrid g(w, h, kClear);
        drawCharacter(g, c, 0, 0, w, h, kGlyph);
        return g;
    });
}

// The board grows from the horizon towards the right-hand side of the road; the finish board is striped.
AseqPicture racingSign(int kind) {
    return drawFrames(32, [kind](int i) {
        PixelGrid g(530, 121, kClear);
        const int w = 12 + 4 * i, h = 8 + 3 * i, left = 270 + 6 * i, top = 100 - 3 * i;
        g.fillRect(left, top, left + w, top + h, kSignBoard);
        if (kind == 1)
            for (int x = left; x < left + w; x += 8) g.fillRect(x, top, x + 4, top + h, kGlyph);
        g.fillRect(left + w / 2 - 1, top + h, left + w / 2 + 2, 121, kCornerFrame);
        return g;
    });
}

AseqPicture racingSparkle() {
    return drawFrames(6, [](int i) {
        PixelGrid g(12, 12, kClear);
        const int r = 1 + i % 3 * 2;
        g.fillRect(6 - r, 5, 6 + r, 7, kSparkleStar);
        g.fillRect(5, 6 - r, 7, 6 + r, kSparkleStar);
        return g;
    });
}

AseqPicture racingFlyer() {
    return drawFrames(16, [](int i) {
        PixelGrid g(40, 24, kClear);
        g.fillRect(0, 0, 40, 24, kFlyerTicket);
        g.fillRect(4 + i, 10, 10 + i, 14, kSignBoard);
        return g;
    });
}

// Position 1 shows five cells, position 6 none.
AseqPicture racingFuel() {
    return drawFrames(6, [](int i) {
        PixelGrid g(70, 24, kCornerFrame);
        for (int cell = 0; cell < 5 - i; ++cell) g.fillRect(3 + 13 * cell, 3, 13 + 13 * cell, 21, kFuelCell);
        return g;
    });
}

AseqPicture racingLamp() {
    return drawFrames(1, [](int) {
        PixelGrid g(38, 38, kClear);
        g.fillEllipse(19, 19, 18, 18, kLampLit);
        return g;
    });
}

// Frames 1..12: the counting objects, a disc in frame 1, squares and rings after it.
AseqPicture racingSheet() {
    return drawFrames(12, [](int i) {
        PixelGrid g(28, 28, kClear);
        if (i % 2 == 0) g.fillEllipse(14, 14, 12, 12, i == 0 ? kLampLit : kFuelCell);
        else g.fillRect(3, 3, 25, 25, kFlyerTicket);
        return g;
    });
}

AseqPicture racingCrash() {
    return drawFrames(13, [](int i) {
        PixelGrid g(80, 60, kClear);
        g.fillEllipse(40, 30, 6 + 2 * i, 4 + 2 * i, kCrashFlame);
        return g;
    });
}

// 1 the horn, 2 lit, 3 pressed, 4 pressed and lit. The racing game puts it at a place of its own; the
// assessment race shows it at its placement, beside the answers.
AseqPicture racingHorn() {
    AseqPicture picture = drawFrames(4, [](int i) {
        PixelGrid g(80, 60, kClear);
        const int inset = i >= 2 ? 4 : 0;
        g.fillEllipse(40, 30, 36 - inset, 26 - inset, i % 2 == 1 ? kHornLit : kHornFace);
        return g;
    });
    place(picture, 170, 300);
    return picture;
}

AseqPicture racingCorner(int corner) {
    static const int sizes[4][2] = {{31, 31}, {61, 31}, {30, 71}, {68, 69}};
    return drawFrames(1, [corner](int) {
        const int w = sizes[corner][0], h = sizes[corner][1];
        PixelGrid g(w, h, kClear);
        for (int row = 0; row < h; ++row) {
            const int reach = (corner < 2 ? h - row : row + 1) * w / h;
            if (corner % 2 == 0) g.fillRect(0, row, reach, row + 1, kCornerFrame);
            else g.fillRect(w - reach, row, w, row + 1, kCornerFrame);
        }
        return g;
    });
}

AseqPicture racingScenery() {
    return drawFrames(16, [](int i) {
        PixelGrid g(530, 272, kSkyFirst + 40);
        g.fillRect(0, 100, 530, 272, kRoadSide);
        for (int row = 100; row < 272; ++row) {
            const int half = 10 + (row - 100) * 240 / 172;
            g.fillRect(265 - half, row, 265 + half, row + 1, kRoad);
            if ((row - 2 * i) / 16 % 2 == 0) g.fillRect(262, row, 268, row + 1, kRoadLine);
        }
        return g;
    });
}
