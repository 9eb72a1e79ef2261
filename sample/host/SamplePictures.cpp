// Scene backgrounds, the sun and the push button.
#include "SamplePictures.h"

#include <cmath>

#include "PixelGrid.h"
#include "SampleIds.h"

namespace {

constexpr int kSceneWidth = 640;
constexpr int kSceneHeight = 460;
constexpr double kPi = 3.14159265358979323846;

AseqPictureFrame frameOf(const PixelGrid& grid) {
    return {static_cast<std::int16_t>(grid.width), static_cast<std::int16_t>(grid.height), grid.pixels, {}};
}

void drawSky(PixelGrid& grid) {
    for (int y = 0; y < kGroundTop; ++y)
        grid.fillRect(0, y, kSceneWidth, y + 1, static_cast<std::uint8_t>(kSkyFirst + y * kSkyShades / kGroundTop));
}

void drawClouds(PixelGrid& grid) {
    grid.fillEllipse(120, 80, 60, 22, kLight);
    grid.fillEllipse(160, 66, 40, 20, kLight);
    grid.fillEllipse(330, 130, 70, 18, kLight);
}

// Stars at fixed pseudo-random places, and a moon.
void drawStars(PixelGrid& grid) {
    std::uint32_t state = 7;
    for (int i = 0; i < 60; ++i) {
        state = state * 1103515245u + 12345u;
        const int x = static_cast<int>(state >> 8) % kSceneWidth;
        state = state * 1103515245u + 12345u;
        const int y = static_cast<int>(state >> 8) % (kGroundTop - 60);
        grid.fillRect(x, y, x + 2, y + 2, kLight);
    }
    grid.fillEllipse(120, 90, 36, 36, kLight);
}

// A 64 x 64 sun whose eight rays have turned by frame / 8 of their spacing.
PixelGrid sunFrame(int frame) {
    PixelGrid grid(64, 64, kClear);
    for (int ray = 0; ray < 8; ++ray) {
        const double angle = (ray + frame / 8.0) * kPi / 4;
        for (int r = 20; r <= 29; r += 3)
            grid.fillEllipse(32 + static_cast<int>(std::lround(r * std::cos(angle))),
                             32 + static_cast<int>(std::lround(r * std::sin(angle))), 3, 3, kSunRay);
    }
    grid.fillEllipse(32, 32, 19, 19, kSunCore);
    return grid;
}

// A 120 x 48 rounded button with a play triangle, pushed down by `sink` pixels.
PixelGrid buttonFrame(std::uint8_t face, int sink) {
    PixelGrid grid(120, 48, kClear);
    grid.fillEllipse(24, 24, 24, 24, face);
    grid.fillRect(24, 0, 96, 48, face);
    grid.fillEllipse(96, 24, 24, 24, face);
    for (int x = 0; x < 24; ++x)
        grid.fillRect(50 + x + sink, 12 + x / 2 + sink, 51 + x + sink, 36 - x / 2 + sink, kLight);
    return grid;
}

}  // namespace

SceneColors sceneColors(SceneStyle style) {
    if (style == SceneStyle::meadow) return {0x5096F0, 0xC8E6FF, kMeadowGround, 0x1EA03C};
    return {0x050528, 0x282864, kNightGround, 0x14145A};
}

AseqPicture sceneBackground(SceneStyle style) {
    PixelGrid grid(kSceneWidth, kSceneHeight, kGround);
    drawSky(grid);
    if (style == SceneStyle::meadow) drawClouds(grid);
    else drawStars(grid);
    grid.fillEllipse(160, kGroundTop + 20, 260, 70, kHill);
    grid.fillRect(0, kGroundTop + 20, kSceneWidth, kSceneHeight, kGround);
    AseqPicture picture;
    picture.sequences = {{{0, 0, 0, 0}, {0, 0, -1, 0}}};
    picture.frames = {frameOf(grid)};
    return picture;
}

AseqPicture sunAnimation() {
    AseqPicture picture;
    std::vector<AseqPictureEntry> sequence;
    for (std::int16_t frame = 0; frame < 8; ++frame) {
        picture.frames.push_back(frameOf(sunFrame(frame)));
        sequence.push_back({0, 0, frame, 0});
    }
    sequence.push_back({0, 0, -2, 0});
    sequence.push_back({0, 0, -1, 0});
    picture.sequences = {sequence};
    return picture;
}

AseqPicture playButton() {
    AseqPicture picture;
    picture.frames = {frameOf(buttonFrame(kButtonFace, 0)), frameOf(buttonFrame(kButtonPressed, 2)),
                      frameOf(buttonFrame(kButtonDisabled, 0))};
    // The hold keeps the button on its normal look: without it the looks would play through and the end
    // would hide the button.
    picture.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 2, 0}, {0, 0, -1, 0}}};
    return picture;
}
