// Tottlewick's XPK shape banks as a resource holds them: converted to native order and checked as the
// shape manager loads them, then every shape drawn (plain and mirrored, whole and clipped) into a
// destination and hit tested, and 0xC002 shapes also compared against it and drawn through a mask.
// Nothing outside the clip may change.
#include <algorithm>
#include <vector>

#include "BlendTable.h"
#include "ByteOrder.h"
#include "FuzzParts.h"
#include "ShapeFormats.h"
#include "ShapeRun8.h"

namespace {

constexpr int kWidth = 48;
constexpr int kHeight = 32;
constexpr std::uint8_t kUntouched = 0xA5;
constexpr std::uint16_t kMaxShapes = 16;

bool onlyInside(const std::vector<std::uint8_t>& pixels, const Rect& clip, int bytes) {
    for (std::size_t at = 0; at < pixels.size(); ++at) {
        const int x = static_cast<int>(at % (kWidth * bytes)) / bytes, y = static_cast<int>(at / (kWidth * bytes));
        const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
        if (pixels[at] != kUntouched && !inside) return false;
    }
    return true;
}

// The two 0xC002 members that read more than the stream: a compare reads the destination, a masked draw
// reads the mask.
void compareAndMask(const XpkShape& shape, const Rect& clip, const Rect& image) {
    const Rect area{0, 0, kWidth, kHeight};
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth * kHeight), kUntouched);
    std::uint32_t matches = 0, mismatches = 0;
    ShapeCompareRun8(pixels.data(), kWidth, &area, &image, shape.data, shape.size, &matches, &mismatches);
    const auto width = static_cast<std::int16_t>(clip.right - clip.left);
    const auto height = static_cast<std::int16_t>(clip.bottom - clip.top);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(width * height), 1);
    const ShapeMask through{mask.data(), width, width, height};
    ShapeDrawMaskedRun8(pixels.data(), kWidth, &clip, &image, shape.data, shape.size, through);
    FUZZ_CHECK(onlyInside(pixels, clip, 1));
}

void drawEverywhere(const XpkBank& bank, const XpkShape& shape, std::uint16_t depth) {
    const int bytes = depth == 8 ? 1 : 2;
    const Rect area{0, 0, kWidth, kHeight};
    // The image where the shape manager would place it, its size from the descriptor (within reason).
    const auto extent = [](std::int16_t n) { return static_cast<std::int16_t>(2 + std::clamp<int>(n, 0, 200)); };
    const Rect image{2, 2, extent(shape.desc.imageWidth), extent(shape.desc.imageHeight)};
    Rect whole{}, cut{};
    if (!RectIntersect(&whole, &image, &area)) return;
    const Rect inner{static_cast<std::int16_t>(whole.left + 1), static_cast<std::int16_t>(whole.top + 1),
                     static_cast<std::int16_t>(whole.right - 1), static_cast<std::int16_t>(whole.bottom - 1)};
    for (const Rect* clip : {&whole, RectIntersect(&cut, &inner, &whole) ? &cut : nullptr}) {
        if (!clip) continue;
        for (bool mirrored : {false, true}) {
            std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth * kHeight * bytes), kUntouched);
            const ShapeTarget target{pixels.data(), kWidth * bytes, depth};
            shapeDrawDecoded(bank, shape, target, *clip, image, blendTable(), mirrored);
            FUZZ_CHECK(onlyInside(pixels, *clip, bytes));
            shapeHitDecoded(bank, shape, *clip, image, mirrored);
        }
        if (bank.format() == kXpkRun8) compareAndMask(shape, *clip, image);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    if (bytes.size() < 4) return 0;
    xpkBankSwap(bytes.data(), bytes.size());
    const bool native = !ByteOrderNeedsSwap(ByteOrderReadMarker(bytes.data()));
    if (!native || !xpkBankCheck(bytes.data(), bytes.size(), kXpkNativeOrder)) return 0;
    XpkBank bank;
    if (!bank.open(bytes.data(), bytes.size())) return 0;
    const bool eightBit = bank.format() == kXpkPlain8 || bank.format() == kXpkRun8;
    for (std::uint16_t i = 0; i < std::min(bank.count(), kMaxShapes); ++i) {
        XpkShape shape;
        if (!bank.shape(i, &shape) || !shape.data) continue;
        drawEverywhere(bank, shape, eightBit ? 8 : i % 2 ? 15 : 16);
    }
    return 0;
}
