// The puzzle's pictures: the pets and their houses.
#include "SamplePictures.h"

#include "PixelGrid.h"

namespace {

// Hold, frame 0, loop, end: the picture starts paused on its frame and stays there, also when played.
AseqPicture held(const PixelGrid& grid) {
    AseqPicture picture;
    picture.frames = {{static_cast<std::int16_t>(grid.width), static_cast<std::int16_t>(grid.height), grid.pixels, {}}};
    picture.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {0, 0, -2, 0}, {0, 0, -1, 0}}};
    return picture;
}

}  // namespace

// A round body with ears (the cat's pointed, the dog's hanging) and two eyes above the middle.
AseqPicture petPicture(Pet pet) {
    const std::uint8_t fur = pet == Pet::cat ? kCatFur : kDogFur;
    PixelGrid grid(40, 40, kClear);
    grid.fillEllipse(20, 24, 16, 15, fur);
    for (int row = 0; row < 10; ++row) {
        if (pet == Pet::cat) {
            grid.fillRect(6 + row / 2, row, 14 - row / 2 + row, row + 1, fur);
            grid.fillRect(26 + row / 2, row, 34 - row / 2 + row, row + 1, fur);
        } else {
            grid.fillRect(2, 8 + row, 8, 9 + row, fur);
            grid.fillRect(32, 8 + row, 38, 9 + row, fur);
        }
    }
    grid.fillRect(13, 15, 16, 18, kPupil);
    grid.fillRect(24, 15, 27, 18, kPupil);
    return held(grid);
}

// A roof over a wall with a dark door; the cat's house has a lower, wider door than the dog's.
AseqPicture housePicture(Pet pet) {
    PixelGrid grid(100, 100, kClear);
    for (int row = 0; row < 40; ++row) grid.fillRect(50 - row - 10, row, 50 + row + 10, row + 1, kHouseRoof);
    grid.fillRect(10, 40, 90, 100, kHouseWall);
    const int doorTop = pet == Pet::cat ? 70 : 60;
    grid.fillRect(38, doorTop, 62, 100, kPupil);
    return held(grid);
}
