// Row sizes, fills and rectangle copies over DIB pixels, with row y counted from the top whichever way
// the rows are stored.
#include "DibPixels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ByteRuns.h"

namespace {

std::int32_t imageHeight(const DibHeader* header) { return std::abs(header->height); }

// The first byte of row y (counted from the top) and the step to the next row.
std::uint8_t* rowAddress(void* pixels, const DibHeader* header, std::int32_t y, std::int32_t* step) {
    const auto stride = static_cast<std::int32_t>(DibStride(header));
    auto* base = static_cast<std::uint8_t*>(pixels);
    if (header->height < 0) {
        *step = stride;
        return base + y * stride;
    }
    *step = -stride;
    return base + (header->height - 1 - y) * stride;
}

// The rectangle cut to the image; false when nothing of it is left.
bool clipToImage(const DibHeader* header, Rect* r) {
    const Rect image{0, 0, static_cast<std::int16_t>(std::min<std::int32_t>(header->width, 0x7FFF)),
                     static_cast<std::int16_t>(std::min<std::int32_t>(imageHeight(header), 0x7FFF))};
    return RectIntersect(r, r, &image) != 0;
}

}  // namespace

std::uint32_t DibRowBytes(std::uint32_t pixels, const DibHeader* header) {
    return static_cast<std::uint32_t>(std::uint64_t{pixels} * header->bitCount / 8);
}

std::uint32_t DibStride(const DibHeader* header) {
    const std::uint64_t bits = std::uint64_t(std::max<std::int32_t>(header->width, 0)) * header->bitCount;
    return static_cast<std::uint32_t>((bits + 31) / 32 * 4);
}

void DibFillRect(void* pixels, const DibHeader* header, const Rect* rect, std::uint32_t value) {
    Rect r = *rect;
    if (!pixels || !clipToImage(header, &r)) return;
    const std::uint32_t pattern = header->bitCount <= 8    ? (value & 0xFF) * 0x01010101u
                                  : header->bitCount <= 16 ? (value & 0xFFFF) * 0x10001u
                                                           : value;
    const std::uint32_t from = DibRowBytes(static_cast<std::uint32_t>(r.left), header);
    const std::uint32_t count = DibRowBytes(static_cast<std::uint32_t>(r.right), header) - from;
    std::int32_t step = 0;
    std::uint8_t* row = rowAddress(pixels, header, r.top, &step) + from;
    for (std::int32_t y = r.top; y < r.bottom; ++y, row += step) fillBytes(row, count, pattern);
}

void DibCopyRect(void* pixels, const DibHeader* header, std::int16_t x, std::int16_t y, const void* sourcePixels,
                 const DibHeader* sourceHeader, const Rect* sourceRect) {
    Rect source = *sourceRect;
    if (!pixels || !sourcePixels || !clipToImage(sourceHeader, &source)) return;
    Rect target{x, y, 0, 0};
    target.left = static_cast<std::int16_t>(x + source.left - sourceRect->left);
    target.top = static_cast<std::int16_t>(y + source.top - sourceRect->top);
    target.right = static_cast<std::int16_t>(target.left + RectWidth(&source));
    target.bottom = static_cast<std::int16_t>(target.top + RectHeight(&source));
    Rect cut = target;
    if (!clipToImage(header, &cut)) return;
    source.left = static_cast<std::int16_t>(source.left + cut.left - target.left);
    source.top = static_cast<std::int16_t>(source.top + cut.top - target.top);
    const std::uint32_t count = DibRowBytes(static_cast<std::uint32_t>(RectWidth(&cut)), header);
    std::int32_t step = 0;
    std::int32_t sourceStep = 0;
    std::uint8_t* out = rowAddress(pixels, header, cut.top, &step) +
                        DibRowBytes(static_cast<std::uint32_t>(cut.left), header);
    const std::uint8_t* in = rowAddress(const_cast<void*>(sourcePixels), sourceHeader, source.top, &sourceStep) +
                             DibRowBytes(static_cast<std::uint32_t>(source.left), sourceHeader);
    for (std::int32_t row = cut.top; row < cut.bottom; ++row, out += step, in += sourceStep) {
        std::memmove(out, in, count);
    }
}
