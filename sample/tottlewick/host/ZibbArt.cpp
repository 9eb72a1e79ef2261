// Zibb's own art: its 20 pictures (both variants) as word labels centred on the points where a key press
// puts the pointer, their hit masks, each picture's name spoken in the same word, its pointer (also the
// looping-sound object's frame) and the cheering clips as the reward.
#include "TitleArt.h"

namespace {

constexpr const char* kWords[20] = {"CAT",  "DOG",  "SUN",  "CAR",  "BALL", "FISH", "TREE", "BOOK", "CUP",  "HAT",
                                    "DUCK", "STAR", "BIRD", "CAKE", "SHOE", "MOON", "BOAT", "DRUM", "FROG", "KITE"};
constexpr int kW = 64, kH = 36;
constexpr std::uint32_t kVariantColours[2] = {0xFFE080, 0xA0E0FF};  // variant 2 (3050-), variant 1 (3350-)

}  // namespace

TITLE_ART(Zibb) {
    for (std::uint16_t j = 0; j < 20; ++j) {
        const TitleBox at{title_layout::kZibbPoints[j][0] - kW / 2, title_layout::kZibbPoints[j][1] - kH / 2, kW, kH};
        for (int v = 0; v < 2; ++v) {
            const auto picture = std::uint16_t(3050 + 300 * v + j);
            art.putButton(picture, at, kVariantColours[v], kWords[j]);
            art.putPicture(std::uint16_t(picture + 100), TitleArt::box(picture, kW, kH, kBlack), at.x, at.y);
        }
        // The name streams while the clips' sounds stream from the module's file.
        art.put("AIF", std::uint16_t(3810 + j), TitleArt::spoken(kWords[j]));
        art.shareSound(std::uint16_t(3810 + j));
    }
    art.putPointer(3020);
    art.putReward(3220);
    art.putReward(3221);
}
