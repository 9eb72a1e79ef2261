// Robustness of the two 0xC002 members the xpk_shapes fuzz target does not reach: 2,500 mutated streams
// compared against a canvas and drawn through a mask, each read from a buffer that ends at an inaccessible
// page, the masked drawing into a destination that ends at one too. Nothing may fault, and no byte outside
// the clip may change.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "ShapeRun8.h"
#include "XpkForge.h"

namespace {

constexpr std::size_t kPage = 4096;
constexpr int kWidth = 40;
constexpr int kHeight = 24;
constexpr std::uint8_t kSentinel = 0xA5;

// Committed pages followed by a PAGE_NOACCESS page; `data` is the last `size` bytes before it.
struct GuardedBlock {
    explicit GuardedBlock(std::size_t size) : pages((size + kPage - 1) / kPage) {
        base = static_cast<std::uint8_t*>(
            VirtualAlloc(nullptr, (pages + 1) * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(end(), kPage, PAGE_NOACCESS, &old);
        data = end() - size;
        std::fill(base, end(), kSentinel);
    }
    ~GuardedBlock() { VirtualFree(base, 0, MEM_RELEASE); }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;
    std::uint8_t* end() const { return base + pages * kPage; }

    std::size_t pages;
    std::uint8_t* base;
    std::uint8_t* data;
};

// One mutation: a byte changed, a byte put in, or the stream cut short.
void mutate(std::string& s, std::uint32_t& state) {
    auto next = [&](std::size_t n) {
        state = state * 1664525u + 1013904223u;
        return n ? (state >> 8) % n : 0;
    };
    const std::size_t at = next(s.size() + 1);
    switch (next(3)) {
    case 0: if (at < s.size()) s[at] = char(next(256)); break;
    case 1: s.insert(at, 1, char(next(256))); break;
    default: s.resize(at);
    }
}

TEST(ShapeGuardTest, MutatedStreamsComparedAndMaskedStayInsideTheirBuffers) {
    const std::string original = forgeShapeData(0xC002, forgePattern(0xC002, 20, 12, 7), ByteOrder::little);
    const Rect area{0, 0, kWidth, kHeight};
    const Rect image{kWidth - 17, kHeight - 10, kWidth + 3, kHeight + 2};  // past the right and bottom
    const Rect clip{kWidth - 17, kHeight - 10, kWidth, kHeight};
    std::uint32_t state = 0xC002;
    for (int n = 0; n < 2500 && !HasFailure(); ++n) {
        SCOPED_TRACE(testing::Message() << "stream " << n);
        std::string stream = original;
        for (int k = 0; k <= n % 4; ++k) mutate(stream, state);
        GuardedBlock in(stream.size());
        std::copy(stream.begin(), stream.end(), in.data);
        GuardedBlock out(std::size_t(kWidth * kHeight));
        GuardedBlock mask(17 * 10);
        std::fill(mask.base, mask.end(), 1);
        std::uint32_t counts[2] = {0, 0};
        ShapeCompareRun8(out.data, kWidth, &area, &image, in.data, stream.size(), &counts[0], &counts[1]);
        ShapeDrawMaskedRun8(out.data, kWidth, &clip, &image, in.data, stream.size(), {mask.data, 17, 17, 10});
        for (const std::uint8_t* p = out.base; p < out.end(); ++p) {
            const std::ptrdiff_t at = p - out.data, x = at % kWidth, y = at / kWidth;
            const bool inside = at >= 0 && x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            if (*p != kSentinel && !inside) {
                ADD_FAILURE() << "byte " << at << " from the destination's start changed";
                break;
            }
        }
    }
}

}  // namespace
