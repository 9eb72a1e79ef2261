// BLOK_STAK's own art: the alphabet in a row of letter pictures, the letter blocks and their looks with
// the hot spot at their top-left (the activity places them), the 26 letters the pointer carries, and
// short clips and voices, so that a round of its many steps passes quickly; the tower's last step shows
// the reward.
#include "TitleArt.h"

namespace {

constexpr int kBlockSize = 100;

Picture letterBox(char letter, int w, int h, std::uint8_t fill, int scale) {
    Picture picture(w, h, fill);
    picture.frame(0, 0, w, h, kBlack);
    const std::string text(1, letter);
    drawText(picture, (w - textWidth(text, scale)) / 2, (h - 7 * scale) / 2, text, kBlack, scale);
    return picture;
}

std::string atOrigin(Picture picture) { return xpkBank({{std::move(picture), 0, 0}}); }

}  // namespace

TITLE_ART(BLOK_STAK) {
    std::vector<PlacedPicture> carried;
    for (int i = 0; i < 26; ++i) {
        const char letter = char('A' + i);
        art.put("XPK", std::uint16_t(5600 + i), xpkBank({{letterBox(letter, 22, 30, hueShade(24), 3), 6 + i * 24, 30}}));
        art.put("XPK", std::uint16_t(letter + 5561), atOrigin(letterBox(letter, kBlockSize, kBlockSize, hueShade(20), 8)));
        art.put("XPK", std::uint16_t(letter + 5587), atOrigin(letterBox(letter, kBlockSize, kBlockSize, hueShade(8), 8)));
        carried.push_back({letterBox(letter, 40, 40, kWhite, 4), 0, 0});
    }
    art.put("XPK", 5001, xpkBank(carried));
    titleForEachId(art.module(), [&](TitleKind kind, std::uint16_t id) {
        const auto [x, y] = TitleArt::place(id);
        if (kind == TitleKind::clip) art.put("XMV", id, TitleArt::clip(id, 4 + id % 5, 300, x, y, 64, 64));
        if (kind == TitleKind::voice) art.put("AIF", id, TitleArt::tone(300.0 + id % 97 * 8.0, 200));
    });
    art.put("XPK", 5002, atOrigin(TitleArt::box(5002, kBlockSize, kBlockSize, hueShade(28))));
    art.put("XPK", 5003, atOrigin(TitleArt::box(5003, kBlockSize, kBlockSize, hueShade(20))));
    for (const std::uint16_t placed : {5203, 5205, 5207}) art.putReward(placed);  // the tower is done
}
