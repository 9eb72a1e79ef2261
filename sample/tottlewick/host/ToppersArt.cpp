// Toppers' own art: the 16 hats as four shapes in four colours (shape index = colour x 4 + shape, the hot
// spot at a hat's top-left, every shape's bottom on the same line), and cats that stand where the activity
// draws them: the spot clip, the hit masks, the highlights, the idle and celebration clips all share each
// cat's box, with the head just below the hat the activity puts on it; the level's end is the reward.
#include "TitleArt.h"

namespace {

using title_layout::kCats;
using title_layout::kHatColours;
using title_layout::kHatWidth;

// By shape: a bowl, a cap, a cone and a top hat; their places put the taller ones higher.
constexpr int kHatHeights[4] = {36, 40, 41, 53};

Picture hat(int shape, std::uint8_t colour) {
    const int w = kHatWidth, h = kHatHeights[shape];
    Picture picture(w, h);
    for (int y = 0; y < h; ++y) {
        int half = w / 2;                                            // the brims and the top hat's crown
        if (shape == 0) half = y < h - 6 ? (w / 2) * (y + 8) / (h + 2) : w / 2;  // the bowl widens downwards
        if (shape == 1 && y < h - 8) half = w / 2 - 8;                // the cap's crown over its brim
        if (shape == 2) half = 2 + (w / 2 - 2) * y / (h - 1);         // the cone
        if (shape == 3 && y < h - 8) half = w / 2 - 10;               // the top hat's crown
        picture.fill(w / 2 - half, y, 2 * half, 1, colour);
        picture.set(w / 2 - half, y, kBlack);
        picture.set(w / 2 + half - 1, y, kBlack);
    }
    picture.fill(0, h - 1, w, 1, kBlack);
    return picture;
}

// Shades of orange with a dark outline; no white, so the white pointer stays plain over a cat.
constexpr std::uint32_t kFur = 0xF09020, kDark = 0x603010, kEyes = 0x40C040;
constexpr int kHeadY = 192, kHeadR = 30, kBodyY = 282, kBodyRX = 46, kBodyRY = 36;

void oval(Picture& picture, int cx, int cy, int rx, int ry, std::uint16_t value) {
    for (int y = -ry; y <= ry; ++y)
        for (int x = -rx; x <= rx; ++x)
            if (x * x * ry * ry + y * y * rx * rx <= rx * rx * ry * ry) picture.set(cx + x, cy + y, value);
}

// A cat in its box: `lift` raises it (a jump), `tail` sways the tail, `blink` closes the eyes.
Picture cat(int lift, int tail, bool blink) {
    const TitleBox& box = kCats[0];
    const int cx = box.w / 2, head = kHeadY + kHeadR - lift, body = kBodyY - lift;
    Picture picture(box.w, box.h);
    for (int k = 0; k < 8; ++k) picture.fill(cx + 36 + k * 2, body - k * 6 + (k * tail) % 5, 8, 8, cubeColour(kDark));
    oval(picture, cx, body, kBodyRX + 2, kBodyRY + 2, cubeColour(kDark));
    oval(picture, cx, body, kBodyRX, kBodyRY, cubeColour(kFur));
    picture.disc(cx, head, kHeadR + 2, cubeColour(kDark));
    picture.disc(cx, head, kHeadR, cubeColour(kFur));
    for (int side : {-1, 1}) {
        picture.fill(cx + side * 12 - 4, head - 6, 8, blink ? 2 : 8, cubeColour(blink ? kDark : kEyes));
        picture.fill(cx + side * 20 - 8, head + 10, 16, 1, cubeColour(kDark));  // whiskers
    }
    return picture;
}

// The cat's whole shape, opaque: the hit masks and the highlights' outline.
Picture silhouette(std::uint8_t fill) {
    const Picture whole = cat(0, 0, false);
    Picture picture(whole.width, whole.height);
    for (std::size_t i = 0; i < whole.pixels.size(); ++i)
        if (whole.pixels[i] != kClear) picture.pixels[i] = fill;
    return picture;
}

std::string catClip(TitleArt& art, std::uint16_t id, const std::vector<Picture>& frames, const TitleBox& at,
                    std::uint32_t ms) {
    std::vector<PlacedPicture> shapes;
    for (const Picture& frame : frames) shapes.push_back({frame, 0, 0});
    art.put("XPK", id, xpkBank(shapes));
    return TitleArt::clip(id, int(frames.size()), ms, at.x, at.y, at.w, at.h);
}

}  // namespace

TITLE_ART(Toppers) {
    std::vector<PlacedPicture> hats;
    for (int colour = 0; colour < 4; ++colour)
        for (int shape = 0; shape < 4; ++shape) hats.push_back({hat(shape, cubeColour(kHatColours[colour])), 0, 0});
    art.put("XPK", 1002, xpkBank(hats));

    // The spot clip is placed by the activity at each cat's corner; the others stand in their cat's box.
    art.put("XMV", 1031, catClip(art, 1031, {cat(0, 0, false), cat(0, 2, false), cat(0, 4, false)}, {0, 0, kCats[0].w, kCats[0].h}, 2000));
    for (std::uint16_t k = 0; k < 3; ++k) {
        const TitleBox& box = kCats[k];
        art.putPicture(std::uint16_t(1103 + k), silhouette(cubeColour(kFur)), box.x, box.y);
        Picture highlight(box.w, box.h);
        highlight.frame(0, kHeadY - 4, box.w, box.h - kHeadY + 4, kWhite);
        art.putPicture(std::uint16_t(1100 + k), highlight, box.x, box.y);
        const auto idle = std::uint16_t(1010 + 10 * k), celebration = std::uint16_t(1012 + 10 * k);
        art.put("XMV", idle, catClip(art, idle, {cat(0, 0, true), cat(0, 0, false), cat(0, 0, true)}, box, 300));
        art.put("XMV", celebration,
                catClip(art, celebration, {cat(20, 0, false), cat(40, 3, false), cat(20, 0, false), cat(0, 3, false)},
                        box, 1200));
    }
    art.putReward(1210);  // the level's end
    // The question and the praise stream while the celebration streams from the module's file.
    for (std::uint16_t code = 0; code < 16; ++code) {
        art.shareSound(std::uint16_t(1400 + code));
        art.shareSound(std::uint16_t(1480 + code));
    }
}
