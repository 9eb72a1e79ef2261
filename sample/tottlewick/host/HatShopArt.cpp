// HatShop's own art, the same for its three designs: the uncoloured hat as a grey outline, its three
// colour schemes filling the same frame (crown, band and brim in colours of their own), a round brush tip
// of 40 x 40, the tools beside the hat and the print button clear of it, and its pointer.
#include "TitleArt.h"
#include "XpkForge.h"

namespace {

namespace layout = title_layout;

enum Part { kNone, kCrown, kBand, kBrim };

// The hat within its frame: a domed crown with a band above a wide oval brim.
Part partAt(int x, int y) {
    const auto inOval = [](int dx, int dy, int rx, int ry) {
        return dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry;
    };
    if (inOval(x - 150, y - 230, 148, 48)) return y < 200 && x >= 60 && x < 240 ? kBand : kBrim;
    if (x < 60 || x >= 240 || y >= 230) return kNone;
    if (y < 110 && !inOval(x - 150, y - 110, 90, 90)) return kNone;
    return y >= 170 ? kBand : kCrown;
}

Picture scheme(const std::uint32_t (&rgb)[3]) {
    Picture hat(layout::kHat.w, layout::kHat.h);
    for (int y = 0; y < hat.height; ++y)
        for (int x = 0; x < hat.width; ++x)
            if (const Part part = partAt(x, y)) hat.set(x, y, cubeColour(rgb[part - 1]));
    return hat;
}

// Two pixels wide along every edge of the hat and between its parts.
Picture outline() {
    Picture hat(layout::kHat.w, layout::kHat.h);
    for (int y = 0; y < hat.height; ++y) {
        for (int x = 0; x < hat.width; ++x) {
            const Part part = partAt(x, y);
            bool edge = false;
            for (int d = 1; d <= 2; ++d)
                edge = edge || partAt(x - d, y) != part || partAt(x + d, y) != part || partAt(x, y - d) != part ||
                       partAt(x, y + d) != part;
            if (part && edge) hat.set(x, y, greyShade(10));
        }
    }
    return hat;
}

// A one-shape bank whose frame is the picture's own box at the hat's place: the activity sizes its hat
// canvas by the colour shape's frame.
std::string atHat(const Picture& picture) {
    ForgeShape shape{std::int16_t(-layout::kHat.x), std::int16_t(-layout::kHat.y), std::int16_t(picture.width),
                     std::int16_t(picture.height), 0, 0, picture.width, picture.height, {}};
    for (std::uint16_t value : picture.pixels)
        shape.pixels.push_back(value == kClear ? ForgePixel{} : ForgePixel{ForgePixel::opaque, value, 0});
    ForgeBank bank;
    bank.shapes = {shape};
    return forgeXpk(bank, ByteOrder::big);
}

constexpr const char* kToolNames[3] = {"RED", "GREEN", "PINK"};

}  // namespace

TITLE_ART(HatShop) {
    for (std::uint16_t design = 0; design < 3; ++design) {
        const auto id = [design](int first) { return std::uint16_t(first + 100 * design); };
        art.put("XPK", id(8100), atHat(outline()));
        for (int i = 0; i < 3; ++i) {
            art.put("XPK", id(8101 + i), atHat(scheme(layout::kHatSchemes[i])));
            art.putButton(id(8120 + i), layout::kHatTools[i], layout::kHatSchemes[i][0], kToolNames[i]);
        }
    }
    for (int i = 0; i < 3; ++i) {
        art.putButton(std::uint16_t(8010 + i), layout::kHatTools[i], layout::kHatSchemes[i][0], kToolNames[i], 1);
        art.putButton(std::uint16_t(8020 + i), layout::kHatTools[i], layout::kHatSchemes[i][0], kToolNames[i], -1);
    }
    for (int look = 0; look < 3; ++look)
        art.putButton(std::uint16_t(8610 + look), layout::kHatPrint, 0xFFFFFF, "PRINT", look == 1 ? 1 : -look);
    art.putPointer(8050);
    Picture brush(40, 40);
    brush.disc(20, 20, 20, kWhite);
    art.putPicture(8030, brush, 0, 0);
}
