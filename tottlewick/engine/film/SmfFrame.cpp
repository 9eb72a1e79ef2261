// The five SMF frame codecs: raw 8-, 16- and 32-bit rows (stored big-endian) and LZSS-packed 8-bit rows,
// plain or with 0 as the transparent value.
#include "SmfFrame.h"

#include <algorithm>
#include <cstring>

#include "SmfFormat.h"
#include "SmfLzss.h"

namespace {

// The rectangle's columns that fall inside the frame, as offsets from its left edge.
struct Columns {
    int first;
    int end;
};

Columns visibleColumns(const Rect& rect, const SmfFrameTarget& frame) {
    return {std::max(0, -rect.left), std::min<int>(rect.right, frame.width) - rect.left};
}

std::uint8_t* rowAt(const SmfFrameTarget& frame, int y, int bytesPerPixel) {
    if (y < 0 || y >= frame.height) return nullptr;
    return frame.pixels + std::size_t(y) * frame.width * bytesPerPixel;
}

// Copies pixels of a stored row, reversing the bytes of each pixel (big-endian to native).
void copyPixels(const std::uint8_t* in, std::uint8_t* out, int pixels, int bytesPerPixel) {
    if (bytesPerPixel == 1) {
        std::memcpy(out, in, std::size_t(pixels));
        return;
    }
    for (int i = 0; i < pixels * bytesPerPixel; i += bytesPerPixel)
        for (int b = 0; b < bytesPerPixel; ++b) out[i + b] = in[i + bytesPerPixel - 1 - b];
}

void decodeRaw(const std::uint8_t* data, std::size_t length, const Rect& rect, const SmfFrameTarget& frame,
               int bytesPerPixel) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const std::size_t rowBytes = std::size_t(w) * bytesPerPixel;
    const Columns cols = visibleColumns(rect, frame);
    if (bytesPerPixel == 1 && rect.left == 0 && w == frame.width && rect.top >= 0) {
        // Whole rows lie back to back in the data and in the frame: one copy.
        const std::size_t room = std::size_t(std::max(0, frame.height - rect.top));
        const std::size_t rows = std::min<std::size_t>({std::size_t(h), length / rowBytes, room});
        std::memcpy(frame.pixels + std::size_t(rect.top) * rowBytes, data, rows * rowBytes);
        return;
    }
    for (int r = 0; r < h && length >= rowBytes; ++r, data += rowBytes, length -= rowBytes) {
        std::uint8_t* row = rowAt(frame, rect.top + r, bytesPerPixel);
        if (row && cols.first < cols.end)
            copyPixels(data + cols.first * bytesPerPixel, row + (rect.left + cols.first) * bytesPerPixel,
                       cols.end - cols.first, bytesPerPixel);
    }
}

void decodePacked(const std::uint8_t* data, std::size_t length, const Rect& rect, const SmfFrameTarget& frame,
                  bool transparent) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const Columns cols = visibleColumns(rect, frame);
    int x = 0, y = rect.top;
    std::uint8_t* row = rowAt(frame, y, 1);
    SmfLzssUnpack(data, length, std::size_t(w) * h, [&](std::uint8_t b) {
        if (row && x >= cols.first && x < cols.end && !(transparent && b == 0)) row[rect.left + x] = b;
        if (++x == w) {
            x = 0;
            row = rowAt(frame, ++y, 1);
        }
    });
}

}  // namespace

void SmfDecodeFrame(std::uint32_t tag, const std::uint8_t* data, std::size_t length, const Rect& rect,
                    const SmfFrameTarget& frame) {
    if (!data || !frame.pixels || rect.right <= rect.left || rect.bottom <= rect.top) return;
    const int bytesPerPixel = frame.depth / 8;
    switch (tag) {
    case SmfTag("vrw8"):
    case SmfTag("vr16"):
    case SmfTag("vr32"): {
        const int codecBytes = tag == SmfTag("vrw8") ? 1 : tag == SmfTag("vr16") ? 2 : 4;
        if (codecBytes == bytesPerPixel) decodeRaw(data, length, rect, frame, bytesPerPixel);
        return;
    }
    case SmfTag("vlz8"):
    case SmfTag("vlx8"):
        if (bytesPerPixel == 1) decodePacked(data, length, rect, frame, tag == SmfTag("vlx8"));
        return;
    default: return;
    }
}
