// Tottlewick's XMV animations with the shape bank they draw from (two parts: XMV, XPK): the animation
// converted and checked as AnimResLoad does, then scanned in both modes at several times, its frame
// bounded, and every visited event's shape drawn clipped into a destination framed by guard bytes that
// must stay untouched.
#include <algorithm>
#include <vector>

#include "BlendTable.h"
#include "ByteOrder.h"
#include "FuzzParts.h"
#include "ShapeFormats.h"
#include "ShapePlace.h"
#include "XmvFormat.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kGuard = 16;  // bytes before and after the pixels
constexpr std::uint8_t kUntouched = 0xA5;
constexpr std::uint32_t kMaxEvents = 64;

struct Frame {
    const XpkBank* bank;
    std::vector<std::uint8_t>* pixels;
    std::uint16_t depth;
    std::uint32_t visits = 0;
};

std::int16_t drawEvent(const XmvEvent& event, std::uint32_t, void* context) {
    auto& frame = *static_cast<Frame*>(context);
    if (++frame.visits > kMaxEvents) return 0;
    XpkShape shape;
    if (!event.draws() || !frame.bank->shape(event.shape, &shape) || !shape.data) return 1;
    std::int16_t x = 0, y = 0;
    xmvEventPoint(event, 20, 16, &x, &y);
    Rect image{}, clip{};
    shapeImageRect(&image, shape.desc, x, y, 0);
    const Rect area{0, 0, kWidth, kHeight};
    if (!RectIntersect(&clip, &image, &area)) return 1;
    const int bytes = frame.depth == 8 ? 1 : 2;
    const ShapeTarget target{frame.pixels->data() + kGuard, kWidth * bytes, frame.depth};
    shapeDrawDecoded(*frame.bank, shape, target, clip, image, blendTable(), false);
    return 1;
}

bool guardsIntact(const std::vector<std::uint8_t>& pixels) {
    const auto untouched = [](std::uint8_t b) { return b == kUntouched; };
    return std::all_of(pixels.begin(), pixels.begin() + kGuard, untouched) &&
           std::all_of(pixels.end() - kGuard, pixels.end(), untouched);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = splitParts(data, size, 2);
    if (parts.size() != 2 || parts[0].size() < 4 || parts[1].size() < 4) return 0;
    std::vector<std::uint8_t> anim(parts[0].begin(), parts[0].end()), shapes(parts[1].begin(), parts[1].end());
    xmvSwap(anim.data(), anim.size());
    xpkBankSwap(shapes.data(), shapes.size());
    XmvAnim view;
    XpkBank bank;
    if (ByteOrderNeedsSwap(ByteOrderReadMarker(anim.data())) || !view.open(anim.data(), anim.size()) ||
        !bank.open(shapes.data(), shapes.size())) {
        return 0;
    }
    const bool eightBit = bank.format() == kXpkPlain8 || bank.format() == kXpkRun8;
    const std::uint32_t duration = view.u32(kXmvDurationAt);
    const std::uint32_t times[] = {0, duration / 2, duration ? duration - 1 : 0, xmvLastEvent(view, duration / 2)};
    std::uint32_t previous = 0, cursor = 0;
    for (std::uint32_t time : times) {
        for (bool seek : {true, false}) {
            const XmvScan scan{seek, previous, cursor % (view.count() + 1), time};
            Rect bounds{};
            std::uint32_t reached = 0;
            xmvFrameBounds(view, bank, scan, &reached, 20, 16, &bounds);
            FUZZ_CHECK(reached <= view.count());
            const std::uint16_t depth = eightBit ? 8 : 16;
            std::vector<std::uint8_t> pixels(kWidth * kHeight * (depth == 8 ? 1 : 2) + 2 * kGuard, kUntouched);
            Frame frame{&bank, &pixels, depth};
            xmvForEachEvent(view, scan, &cursor, drawEvent, &frame);
            FUZZ_CHECK(guardsIntact(pixels));
        }
        previous = time;
    }
    return 0;
}
