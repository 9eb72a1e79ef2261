// The packed-shape decoders beside memcpy, measured in the same run: a 320 x 240 shape of opaque literal
// runs in each format drawn into plain pixels, against memcpy of the same number of destination bytes
// (goal: at least 30% of memcpy's speed for the plain member), with the mirrored and clipped members
// and a shape of fills beside it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "ShapeBlend.h"
#include "ShapeDirect16.h"
#include "ShapeMapped16.h"
#include "ShapePlain8.h"
#include "ShapeRun8.h"
#include "XpkForge.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kBatches = 5;
constexpr int kRounds = 40;


// Every pixel opaque: neighbours differ (literal runs), or rows of one value (fill runs).
ForgeShape opaque(std::uint16_t format, bool fills) {
    ForgeShape s;
    s.width = kWidth;
    s.height = kHeight;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const int value = fills ? y * 5 : x * 7 + y * 3;
            const auto v = std::uint16_t(format == kForgeDirect16 ? value * 37 & 0x7FFF : value & 0xFF);
            s.pixels.push_back({ForgePixel::opaque, v, 0});
        }
    }
    return s;
}

struct Member {
    const char* name;
    bool mirrored;
    bool clipped;
};

const Member kMembers[] = {
    {"plain", false, false}, {"mirrored", true, false}, {"clipped", false, true}, {"mirrored, clipped", true, true}};

void report(const char* format, const char* shape, const Member& m, double each, double floor) {
    std::printf("%-8s %-9s %-18s %8.1f us   %5.0f%% of memcpy's speed%s\n", format, shape, m.name, each * 1e6,
                100.0 * floor / each, m.mirrored || m.clipped ? "" : "   (goal >= 30%)");
}

}  // namespace

int main() {
    std::vector<std::uint8_t> blend(kBlendTableSize);
    shapeBlendTableFill(blend.data());
    std::uint16_t map[256];
    for (int i = 0; i < 256; ++i) map[i] = std::uint16_t(i * 131 & 0x7FFF);
    const Rect image{0, 0, kWidth, kHeight};
    const Rect narrower{1, 0, kWidth, kHeight};
    struct Format {
        const char* name;
        std::uint16_t format;
        std::uint16_t depth;
    };
    const Format formats[] = {
        {"0xC002", kForgeRun8, 8}, {"0xC001", kForgePlain8, 8}, {"0xB002", kForgeMapped16, 16},
        {"0xB001", kForgeDirect16, 15}, {"0xB001", kForgeDirect16, 16}};
    for (const Format& f : formats) {
        const int bytes = f.depth == 8 ? 1 : 2;
        std::vector<std::uint8_t> source(std::size_t(kWidth * kHeight * bytes), 7);
        std::vector<std::uint8_t> target(source.size());
        const double floor =
            fastestEach(kBatches, kRounds, [&](int) { std::memcpy(target.data(), source.data(), target.size()); });
        std::printf("%-8s %2d bits: memcpy of %zu bytes (floor) %8.1f us\n", f.name, f.depth, target.size(),
                    floor * 1e6);
        for (bool fills : {false, true}) {
            const std::string stream = forgeShapeData(f.format, opaque(f.format, fills), ByteOrder::little);
            const auto* data = reinterpret_cast<const std::uint8_t*>(stream.data());
            for (const Member& m : kMembers) {
                const Rect* clip = m.clipped ? &narrower : &image;
                void* base = target.data();
                const std::int32_t step = kWidth * bytes;
                const std::size_t size = stream.size();
                const std::int16_t mirrored = m.mirrored;
                const double each = fastestEach(kBatches, kRounds, [&](int) {
                    if (f.format == kForgeRun8) ShapeDrawRun8(base, step, 8, clip, &image, data, size, mirrored);
                    if (f.format == kForgePlain8) ShapeDrawPlain8(base, step, 8, clip, &image, data, size, mirrored);
                    if (f.format == kForgeMapped16) {
                        ShapeDrawMapped16(base, step, 16, clip, &image, blend.data(), map, data, size, mirrored);
                    }
                    if (f.format == kForgeDirect16) {
                        ShapeDrawDirect16(base, step, f.depth, clip, &image, blend.data(), data, size, mirrored);
                    }
                });
                report(f.name, fills ? "fills" : "literals", m, each, floor);
            }
        }
    }
    return 0;
}
