// Band's own art: its pointer, its musicians silent and playing, the conductor in a box of his own (at rest, conducting, his rollover, hit
// mask and clips; clear of the musicians' animations, which run on unseen while a musician is silent and
// leave only the backdrop where they pass), and his reaction to music made as the reward.
#include "TitleArt.h"

namespace {

using title_layout::kConductor;

// Frames of a bar moving across the box, drawn from the box's corner.
void clipAt(TitleArt& art, std::uint16_t id, int x, int y, int w, int h) {
    std::vector<PlacedPicture> frames;
    for (int k = 0; k < 4; ++k) {
        Picture frame = TitleArt::box(id, w, h, hueShade(12 + 3 * k));
        frame.fill(4 + k * (w - 16) / 4, h - 20, 8, 16, kWhite);
        frames.push_back({frame, 0, 0});
    }
    art.put("XPK", id, xpkBank(frames));
    art.put("XMV", id, TitleArt::clip(id, 4, 1000, x, y, w, h));
}

}  // namespace

TITLE_ART(Band) {
    art.putPointer(2001);
    for (std::uint16_t i = 0; i < 4; ++i) {  // the musicians' idle and playing sprites
        const auto [x, y] = TitleArt::place(std::uint16_t(2031 + 10 * i));
        art.putButton(std::uint16_t(2032 + 10 * i), {x, y, 64, 64}, 0xFFE0A0, "PLAY");
        art.putButton(std::uint16_t(2034 + 10 * i), {x, y, 64, 64}, 0xA0FFA0, "STOP");
    }
    art.putButton(2022, kConductor, 0x8080FF, "REST");
    art.putButton(2025, kConductor, 0xFF80FF, "GO");
    art.putButton(2074, kConductor, 0x8080FF, "REST", 1);
    art.putPicture(2023, TitleArt::box(2023, kConductor.w, kConductor.h, kBlack), kConductor.x, kConductor.y);
    for (const std::uint16_t id : {2024, 2020}) clipAt(art, id, kConductor.x, kConductor.y, kConductor.w, kConductor.h);
    art.putReward(2120);
}
