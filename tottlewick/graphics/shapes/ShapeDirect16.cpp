// The 0xB001 walk and its members. A row's words are taken as one span of the reader, checked once, and
// runs of colour words go to the sink whole.
#include "ShapeDirect16.h"

#include <cstring>

#include "ByteReader.h"
#include "ShapeRuns.h"
#include "XpkFormat.h"

namespace {

constexpr std::uint16_t kControl = 0x8000;
constexpr std::uint32_t kControlPair = 0x80008000;
constexpr std::uint16_t kSkipMask = 0x3FF;
constexpr int kWeightShift = 10;
constexpr int kNoWeight = -1;

// Two words at once, for finding the end of a run of colour words.
std::uint32_t loadPair(const std::uint8_t* p) {
    std::uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

// One row's words; false when the walk must end. `pending` carries a control word's weight to the next
// colour word, across rows too.
template <class Sink>
bool walkRow(const std::uint8_t* words, int count, int row, int width, int& pending, Sink& sink) {
    int col = 0;
    for (int k = 0; k < count;) {
        const std::uint16_t word = loadWord(words + 2 * k);
        if (word & kControl) {
            const int skip = word & kSkipMask;
            if (skip > width - col) return false;
            col += skip;
            pending = word >> kWeightShift & 31;
            ++k;
        } else if (col >= width) {
            return false;
        } else if (pending != kNoWeight) {
            if (!sink.blendColour(row, col, word, static_cast<unsigned>(pending))) return false;
            pending = kNoWeight;
            ++col;
            ++k;
        } else {
            int end = k + 1;
            while (end + 1 < count && !(loadPair(words + 2 * end) & kControlPair)) end += 2;
            while (end < count && !(loadWord(words + 2 * end) & kControl)) ++end;
            const int n = end - k;
            if (n > width - col || !sink.colours(row, col, words + 2 * k, n)) return false;
            col += n;
            k = end;
        }
    }
    return true;
}

// Walks rows up to the sink's last one, stepping over the rows above its first by their counts.
template <class Sink>
void walk(const std::uint8_t* data, std::size_t size, int width, Sink& sink) {
    ByteReader in(data, size, kXpkNativeOrder);
    int pending = kNoWeight;
    for (int row = 0; row < sink.rowEnd(); ++row) {
        const std::uint16_t count = in.u16();
        const std::uint8_t* words = in.span(std::size_t{count} * 2);
        if (!in.ok()) return;
        if (row >= sink.rowBegin() && !walkRow(words, count, row, width, pending, sink)) return;
    }
}

template <template <bool, bool> class Sink>
void draw(void* base, std::int32_t step, const Rect& clip, const Rect& image, const std::uint8_t* blend,
          const std::uint8_t* data, std::size_t size, bool mirrored) {
    const Colours16 colours{blend, nullptr, nullptr};
    const int width = image.right - image.left;
    drawMember<Sink>(
        clip, image, mirrored, [&](auto& sink) { walk(data, size, width, sink); }, base, step, colours);
}

}  // namespace

void ShapeDrawDirect16(void* base, std::int32_t step, std::uint16_t depth, const Rect* clip, const Rect* image,
                       const std::uint8_t* blend, const std::uint8_t* data, std::size_t size, std::int16_t mirrored) {
    Rect cut{};
    if (!base || !blend || !data || !shapeArea(clip, image, &cut)) return;
    if (depth == 15) draw<Draw15At>(base, step, cut, *image, blend, data, size, mirrored != 0);
    if (depth == 16) draw<Draw16At>(base, step, cut, *image, blend, data, size, mirrored != 0);
}

std::int16_t ShapeHitDirect16(const Rect* test, const Rect* image, const std::uint8_t* data, std::size_t size,
                              std::int16_t mirrored) {
    if (!data) return 0;
    return hitMember(test, image, mirrored != 0,
                     [&](HitRuns& sink) { walk(data, size, image->right - image->left, sink); });
}
