// Robustness: 10,000 mutated streams, 2,500 of each format, drawn (plain and mirrored, whole and clipped),
// hit tested, compared and drawn through a mask, each read from a buffer that ends at an inaccessible
// page into a destination that ends at one too. Nothing may fault, and no byte outside the clip may
// change.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "ShapeBlend.h"
#include "ShapeDirect16.h"
#include "ShapeMapped16.h"
#include "ShapePlain8.h"
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
        void* block = VirtualAlloc(nullptr, (pages + 1) * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        base = static_cast<std::uint8_t*>(block);
        DWORD old = 0;
        VirtualProtect(end(), kPage, PAGE_NOACCESS, &old);
        data = end() - size;
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

// Every byte of the block outside the clip's pixels still holds the sentinel.
void expectOnlyInside(const GuardedBlock& out, const Rect& clip, int bytes) {
    for (const std::uint8_t* p = out.base; p < out.end(); ++p) {
        const std::ptrdiff_t at = p - out.data, x = at % (kWidth * bytes) / bytes, y = at / (kWidth * bytes);
        const bool inside = at >= 0 && x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
        if (*p != kSentinel && !inside) {
            ADD_FAILURE() << "byte " << at << " from the destination's start changed";
            return;
        }
    }
}

class ShapeGuardTest : public ::testing::TestWithParam<std::uint16_t> {
protected:
    // Runs every decoder member of the format over the stream, checking the destination after each.
    void decodeEverywhere(const std::string& stream) {
        GuardedBlock in(stream.size());
        std::copy(stream.begin(), stream.end(), in.data);
        const std::uint16_t format = GetParam();
        const int bytes = format >= 0xC001 ? 1 : 2;
        GuardedBlock out(std::size_t(kWidth * kHeight * bytes));
        const Rect area{0, 0, kWidth, kHeight};
        const Rect inside{kWidth - 20, kHeight - 12, kWidth, kHeight};          // touching the guard page
        const Rect hanging{kWidth - 17, kHeight - 10, kWidth + 3, kHeight + 2};  // past the right and bottom
        const Rect hangingClip{kWidth - 17, kHeight - 10, kWidth, kHeight};
        const std::size_t size = stream.size();
        for (const auto& [image, clip] : {std::pair(inside, inside), std::pair(hanging, hangingClip)}) {
            for (std::int16_t mirrored : {0, 1}) {
                std::fill(out.base, out.end(), kSentinel);
                void* base = out.data;
                const std::int32_t step = kWidth * bytes;
                if (format == 0xC002) ShapeDrawRun8(base, step, 8, &clip, &image, in.data, size, mirrored);
                if (format == 0xC001) ShapeDrawPlain8(base, step, 8, &clip, &image, in.data, size, mirrored);
                if (format == 0xB002) {
                    ShapeDrawMapped16(base, step, 16, &clip, &image, blend.data(), map, in.data, size, mirrored);
                }
                if (format == 0xB001) {
                    ShapeDrawDirect16(base, step, 15, &clip, &image, blend.data(), in.data, size, mirrored);
                }
                expectOnlyInside(out, clip, bytes);
                const Rect test{std::int16_t(clip.left + 3), std::int16_t(clip.top + 2), clip.right, clip.bottom};
                const auto hit = format == 0xC002 ? ShapeHitRun8 : format == 0xC001 ? ShapeHitPlain8
                                 : format == 0xB002 ? ShapeHitMapped16 : ShapeHitDirect16;
                hit(&test, &image, in.data, size, mirrored);
            }
        }
        if (format != 0xC002) return;
        std::uint32_t counts[2] = {0, 0};
        ShapeCompareRun8(out.data, kWidth, &area, &hanging, in.data, size, &counts[0], &counts[1]);
        GuardedBlock mask(17 * 10);
        std::fill(mask.base, mask.end(), 1);
        std::fill(out.base, out.end(), kSentinel);
        ShapeDrawMaskedRun8(out.data, kWidth, &hangingClip, &hanging, in.data, size, {mask.data, 17, 17, 10});
        expectOnlyInside(out, hangingClip, 1);
    }

    std::vector<std::uint8_t> blend = std::vector<std::uint8_t>(kBlendTableSize);
    std::uint16_t map[256] = {};
};

TEST_P(ShapeGuardTest, MutatedStreamsStayInsideTheirBuffers) {
    shapeBlendTableFill(blend.data());
    for (int i = 0; i < 256; ++i) map[i] = std::uint16_t(i * 131);
    const std::string original = forgeShapeData(GetParam(), forgePattern(GetParam(), 20, 12, 7), ByteOrder::little);
    std::uint32_t state = GetParam();
    for (int n = 0; n < 2500 && !HasFailure(); ++n) {
        std::string stream = original;
        for (int k = 0; k <= n % 4; ++k) mutate(stream, state);
        SCOPED_TRACE(testing::Message() << "stream " << n);
        decodeEverywhere(stream);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, ShapeGuardTest, ::testing::Values(0xC002, 0xC001, 0xB002, 0xB001));

}  // namespace
