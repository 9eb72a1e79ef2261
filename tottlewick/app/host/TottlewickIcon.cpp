// The icon drawing.
#include "TottlewickIcon.h"

#include "IconFiles.h"

namespace {

// Entries of the standard 16 colours (see IconFiles.cpp).
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kGrey = 8;
constexpr std::uint8_t kRed = 9;
constexpr std::uint8_t kWhite = 15;

constexpr int kSize = 32;

}  // namespace

PixelGrid tottlewickIcon() {
    PixelGrid icon(kSize, kSize, kTransparent);
    icon.fillEllipse(16, 16, 16, 16, kBlack);
    icon.fillEllipse(16, 16, 15, 15, kWhite);
    icon.fillRect(15, 4, 17, 12, kBlack);    // spindle
    icon.fillEllipse(16, 16, 10, 6, kRed);   // body
    icon.fillRect(8, 16, 24, 17, kBlack);    // rim
    icon.fillEllipse(16, 24, 2, 3, kBlack);  // tip
    icon.fillRect(6, 27, 26, 28, kGrey);     // floor
    return icon;
}
