// The 0xB002 walk and its members. Each row is read through a reader of its own bytes, so an operation
// cut short by the row's count ends the walk instead of reading on.
#include "ShapeMapped16.h"

#include "ByteReader.h"
#include "ShapeRuns.h"
#include "XpkFormat.h"

namespace {

constexpr std::uint8_t kSkip = 0x00;
constexpr std::uint8_t kLiteral = 0x40;
constexpr std::uint8_t kFill = 0x80;
constexpr std::uint8_t kKind = 0xC0;
constexpr std::uint8_t kCount = 0x3F;
constexpr std::uint8_t kWeight = 0x1F;

// One row's operations; false when the walk must end.
template <class Sink>
bool walkRow(ByteReader& line, int row, int width, Sink& sink) {
    int col = 0;
    while (line.remaining() > 0) {
        const std::uint8_t op = line.u8();
        int count = (op & kCount) + 1;
        switch (op & kKind) {
        case kSkip:
            if (count > width - col) return false;
            break;
        case kLiteral: {
            const std::uint8_t* bytes = line.span(static_cast<std::size_t>(count));
            if (!bytes || count > width - col || !sink.indices(row, col, bytes, count)) return false;
            break;
        }
        case kFill: {
            ++count;
            const std::uint8_t index = line.u8();
            if (!line.ok() || count > width - col || !sink.fillIndex(row, col, index, count)) return false;
            break;
        }
        default: {
            count = 1;
            const std::uint8_t index = line.u8();
            if (!line.ok() || col >= width || !sink.blendIndex(row, col, index, op & kWeight)) return false;
        }
        }
        col += count;
    }
    return true;
}

// Walks rows up to the sink's last one, stepping over the rows above its first by their counts.
template <class Sink>
void walk(const std::uint8_t* data, std::size_t size, int width, Sink& sink) {
    ByteReader in(data, size, kXpkNativeOrder);
    for (int row = 0; row < sink.rowEnd(); ++row) {
        const std::uint16_t count = in.u16();
        ByteReader line = in.sub(count);
        if (!in.ok()) return;
        if (row >= sink.rowBegin() && !walkRow(line, row, width, sink)) return;
    }
}

template <class Depth, template <bool, bool> class Sink>
void draw(void* base, std::int32_t step, const Rect& clip, const Rect& image, const std::uint8_t* blend,
          const std::uint16_t* map, const std::uint8_t* data, std::size_t size, bool mirrored) {
    std::uint16_t stored[kXpkColourMapMax];
    for (std::size_t i = 0; i < kXpkColourMapMax; ++i) stored[i] = Depth::store(map[i]);
    const Colours16 colours{blend, map, stored};
    const int width = image.right - image.left;
    drawMember<Sink>(
        clip, image, mirrored, [&](auto& sink) { walk(data, size, width, sink); }, base, step, colours);
}

}  // namespace

void ShapeDrawMapped16(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                       const std::uint8_t* blend, const std::uint16_t* map, const std::uint8_t* data, std::size_t size,
                       std::int16_t mirrored) {
    Rect cut{};
    if (!base || !blend || !map || !data || !shapeArea(clip, image, &cut)) return;
    if (depth == 15) draw<Depth15, Draw15At>(base, step, cut, *image, blend, map, data, size, mirrored != 0);
    if (depth == 16) draw<Depth16, Draw16At>(base, step, cut, *image, blend, map, data, size, mirrored != 0);
}

std::int16_t ShapeHitMapped16(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                              std::int16_t mirrored) {
    if (!data) return 0;
    return hitMember(test, image, mirrored != 0,
                     [&](HitRuns& sink) { walk(data, size, image->right - image->left, sink); });
}
