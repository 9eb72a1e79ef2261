// The 0xC001 walk and its members. The format has no row lengths, so rows above the clip are walked
// through without drawing.
#include "ShapePlain8.h"

#include "ByteReader.h"
#include "ShapeRuns.h"

namespace {

constexpr std::uint8_t kSkip = 0x80;
constexpr std::uint8_t kCount = 0x7F;

// Walks rows up to the sink's last one; ends when the sink has seen enough or at the first operation
// that would pass the row or the data.
template <class Sink>
void walk(const std::uint8_t* data, std::size_t size, int width, Sink& sink) {
    ByteReader in(data, size, ByteOrder::big);
    for (int row = 0; row < sink.rowEnd(); ++row) {
        for (int col = 0; col < width;) {
            const std::uint8_t op = in.u8();
            const int count = (op & kCount) + 1;
            if (!in.ok() || count > width - col) return;
            if (!(op & kSkip)) {
                const std::uint8_t* bytes = in.span(static_cast<std::size_t>(count));
                if (!bytes || !sink.literal(row, col, bytes, count)) return;
            }
            col += count;
        }
    }
}

}  // namespace

void ShapeDrawPlain8(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                     const std::uint8_t* data, std::size_t size, std::int16_t mirrored) {
    Rect cut{};
    if (depth != 8 || !base || !data || !shapeArea(clip, image, &cut)) return;
    const int width = image->right - image->left;
    drawMember<Draw8>(
        cut, *image, mirrored != 0, [&](auto& sink) { walk(data, size, width, sink); }, base, step);
}

std::int16_t ShapeHitPlain8(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                            std::int16_t mirrored) {
    if (!data) return 0;
    return hitMember(test, image, mirrored != 0,
                     [&](HitRuns& sink) { walk(data, size, image->right - image->left, sink); });
}
