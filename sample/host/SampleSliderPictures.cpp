// The slider's buttons and thumb.
#include "SampleSliderPictures.h"

#include "PixelGrid.h"

namespace {

constexpr int kSize = 17;
// The entries the slider replaces by the scene's nearest greys, white and black.
constexpr std::uint8_t kFace = 18;
constexpr std::uint8_t kShadow = 76;
constexpr std::uint8_t kLit = 11;
constexpr std::uint8_t kArrow = 58;

// Lit top and left edges over shadowed bottom and right ones; pressed, the other way round, the arrow one
// pixel down and right.
PixelGrid look(SliderPart part, bool pressed) {
    PixelGrid grid(kSize, kSize, kFace);
    const std::uint8_t upper = pressed ? kShadow : kLit;
    const std::uint8_t lower = pressed ? kLit : kShadow;
    grid.fillRect(0, 0, kSize, 1, upper);
    grid.fillRect(0, 0, 1, kSize, upper);
    grid.fillRect(0, kSize - 1, kSize, kSize, lower);
    grid.fillRect(kSize - 1, 0, kSize, kSize, lower);
    const int sink = pressed ? 1 : 0;
    for (int row = 0; part != SliderPart::thumb && row < 5; ++row) {
        const int y = (part == SliderPart::less ? 6 + row : 10 - row) + sink;
        grid.fillRect(8 - row + sink, y, 9 + row + sink, y + 1, kArrow);
    }
    return grid;
}

AseqPictureFrame frameOf(const PixelGrid& grid) {
    return {static_cast<std::int16_t>(grid.width), static_cast<std::int16_t>(grid.height), grid.pixels, {}};
}

}  // namespace

// The hold keeps the released look until the slider shows another.
AseqPicture sliderPicture(SliderPart part) {
    AseqPicture picture;
    picture.frames = {frameOf(look(part, false)), frameOf(look(part, true))};
    picture.sequences = {{{0, 0, -4, 0}, {0, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, -1, 0}}};
    return picture;
}
