// The icon and cursor drawings.
#include "ProgramPictures.h"

#include "IconFiles.h"

namespace {

// Entries of the standard 16 colours (see IconFiles.cpp).
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kHillGreen = 2;
constexpr std::uint8_t kSkyBlue = 12;
constexpr std::uint8_t kSunYellow = 11;

constexpr int kCursorSize = 32;

}  // namespace

// Drawn on a 32-unit grid and scaled to the size, so both icons show the same picture: the scene, inside
// a black ring.
PixelGrid applicationIcon(int size) {
    const auto at = [size](int units) { return units * size / 32; };
    PixelGrid scene(size, size, kSkyBlue);
    scene.fillEllipse(at(12), at(12), at(6), at(6), kSunYellow);
    scene.fillEllipse(at(22), at(32), at(18), at(12), kHillGreen);
    PixelGrid rings(size, size, kTransparent);
    rings.fillEllipse(at(16), at(16), at(16), at(16), kBlack);
    rings.fillEllipse(at(16), at(16), at(15), at(15), kSkyBlue);
    for (std::size_t i = 0; i < rings.pixels.size(); ++i) {
        if (rings.pixels[i] == kSkyBlue) rings.pixels[i] = scene.pixels[i];
    }
    return rings;
}

// The hand's body is drawn as a silhouette; each pixel outside it that touches it (also diagonally) is
// the black outline, and two short black strokes part the folded fingers.
CursorPicture pointingHand() {
    PixelGrid body(kCursorSize, kCursorSize, 0);
    body.fillEllipse(11, 4, 3, 4, 1);    // fingertip
    body.fillRect(8, 4, 14, 18, 1);      // index finger
    body.fillEllipse(16, 15, 3, 3, 1);   // folded fingers' knuckles
    body.fillEllipse(21, 16, 3, 3, 1);
    body.fillRect(8, 15, 24, 26, 1);     // palm
    body.fillEllipse(5, 19, 4, 2, 1);    // thumb
    body.fillEllipse(16, 26, 8, 4, 1);   // heel of the hand
    const auto inBody = [&body](int x, int y) {
        return x >= 0 && y >= 0 && x < kCursorSize && y < kCursorSize &&
               body.pixels[static_cast<std::size_t>(y * kCursorSize + x)] != 0;
    };
    CursorPicture hand;
    hand.hotspotX = 11;
    hand.hotspotY = 0;
    for (int y = 0; y < kCursorSize; ++y) {
        std::string row(kCursorSize, ' ');
        for (int x = 0; x < kCursorSize; ++x) {
            bool touches = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) touches = touches || inBody(x + dx, y + dy);
            if (touches) row[x] = inBody(x, y) ? '.' : '#';
        }
        hand.rows.push_back(row);
    }
    for (int y = 13; y < 19; ++y) hand.rows[y][14] = hand.rows[y][19] = '#';
    return hand;
}
