// BlueGoo's own art: the pointers of its two phases as squares with their hot spot at the top-left (white
// while blobs are picked, black while jars are fed); the flying goo centred on the point that flies; the
// five jars, whose clips and filled pictures all stand in the jar's box; a foreground along the bottom
// that hides nothing a child picks; and the closing animation as the reward (the closing sequence, which
// follows it the first time in a run, keeps its generic clips, so that the reward seen is 4200's own).
#include "TitleArt.h"

namespace {

using title_layout::kJars;

constexpr int kPointerSize = 12, kGooSize = 32;
constexpr std::uint32_t kGoo = 0x2040E0, kGlass = 0xC0E0E0;

std::string pointer(std::uint8_t colour) {
    return xpkBank({{Picture(kPointerSize, kPointerSize, colour), 0, 0}});
}

// A jar filled to `level` (0-1) of its height, with bubbles on frame `bubbles`.
Picture jar(double level, int bubbles) {
    const TitleBox& box = kJars[0];
    Picture picture(box.w, box.h, cubeColour(kGlass));
    const int top = box.h - int(level * (box.h - 12));
    picture.fill(4, top, box.w - 8, box.h - top - 4, cubeColour(kGoo));
    for (int b = 0; b < bubbles; ++b) picture.disc(16 + b * 18, std::max(top + 8, box.h - 16 - b * 6), 4, kWhite);
    picture.frame(0, 0, box.w, box.h, kBlack);
    picture.fill(0, 0, box.w, 8, cubeColour(0x808080));  // the lid
    return picture;
}

void jarClip(TitleArt& art, std::uint16_t id, const TitleBox& at, const std::vector<Picture>& frames) {
    std::vector<PlacedPicture> shapes;
    for (const Picture& frame : frames) shapes.push_back({frame, 0, 0});
    art.put("XPK", id, xpkBank(shapes));
    art.put("XMV", id, TitleArt::clip(id, int(frames.size()), 200 * std::uint32_t(frames.size()), at.x, at.y, at.w, at.h));
}

}  // namespace

TITLE_ART(BlueGoo) {
    art.put("XPK", 4003, pointer(kWhite));
    art.put("XPK", 4002, pointer(kBlack));
    std::vector<PlacedPicture> goo;
    for (int k = 0; k < 4; ++k) {
        Picture frame(kGooSize, kGooSize);
        frame.disc(kGooSize / 2, kGooSize / 2, kGooSize / 2 - (k % 2) * 2, cubeColour(kGoo));
        goo.push_back({frame, -kGooSize / 2, -kGooSize / 2});
    }
    art.put("XPK", 4070, xpkBank(goo));
    for (std::uint16_t n = 1; n <= 5; ++n) {
        const TitleBox& at = kJars[n - 1];
        jarClip(art, std::uint16_t(4079 + n), at, {jar(0.2, 0), jar(0.5, 0), jar(0.8, 0), jar(1, 0)});  // filling
        jarClip(art, std::uint16_t(4099 + n), at, {jar(1, 0), jar(1, 1)});                               // full
        jarClip(art, std::uint16_t(4149 + n), at, {jar(1, 2), jar(0.9, 3), jar(1, 2)});                 // fed
        jarClip(art, std::uint16_t(4159 + n), at, {jar(1, 1), jar(1, 2), jar(1, 3)});                   // sounding
        art.putPicture(std::uint16_t(4089 + n), jar(1, 0), at.x, at.y);
    }
    Picture ground(640 - 120, 28, cubeColour(0x40A040));
    art.putPicture(4095, ground, 120, 452);
    art.putReward(4200);
}
