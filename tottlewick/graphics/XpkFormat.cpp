// The XPK bank's layout: one walk over its fields serves the load-time check and the byte-order
// conversion, so that the two can never disagree about where a field lies.
#include "XpkFormat.h"

#include <algorithm>

#include "ByteOrder.h"

namespace {

constexpr std::size_t kFormatAt = 4;
constexpr std::size_t kCountAt = 6;
constexpr std::size_t kDescTableAt = 8;
constexpr std::size_t kDataTableAt = 12;
constexpr std::size_t kDescHeightAt = 14;  // image height, the last field of a descriptor

void reverse(std::uint8_t* p, std::size_t count) { std::reverse(p, p + count); }

struct Header {
    std::uint16_t format = 0;
    std::uint16_t count = 0;
    std::uint32_t descOffset = 0;
    std::uint32_t dataOffset = 0;
};

// Reads the header in the reader's order; false when the block is too short for it or for the two
// tables it names, or when a table starts inside the header.
bool readHeader(const ByteReader& in, Header* h) {
    if (!in.u16At(kFormatAt, h->format) || !in.u16At(kCountAt, h->count) ||
        !in.u32At(kDescTableAt, h->descOffset) || !in.u32At(kDataTableAt, h->dataOffset)) {
        return false;
    }
    return h->descOffset >= kXpkHeaderSize && h->dataOffset >= kXpkHeaderSize &&
           in.has(h->descOffset, std::size_t{h->count} * kXpkDescSize) &&
           in.has(h->dataOffset, std::size_t{h->count} * 4);
}

// Entries of the colour map: the words between the header and the first table.
std::size_t colourCount(const Header& h) { return (std::min(h.descOffset, h.dataOffset) - kXpkHeaderSize) / 2; }

// Walks `height` rows of 0xB001 (words) or 0xB002 (bytes) data, reading each count in `order` and making
// sure the row fits before anything of it is converted.
bool walkRows(std::uint8_t* data, std::size_t size, ByteOrder order, bool swap, bool words, int height) {
    const ByteReader in(data, size, order);
    std::size_t at = 0;
    for (int row = 0; row < height; ++row) {
        std::uint16_t count = 0;
        if (!in.u16At(at, count)) return false;
        const std::size_t bytes = words ? std::size_t{count} * 2 : count;
        if (!in.has(at + 2, bytes)) return false;
        if (swap) {
            reverse(data + at, 2);
            if (words) {
                for (std::size_t w = 0; w < bytes; w += 2) reverse(data + at + 2 + w, 2);
            }
        }
        at += 2 + bytes;
    }
    return true;
}

// Reverses the header's fields and the 0xB002 colour map.
void swapHead(std::uint8_t* bytes, const Header& h) {
    reverse(bytes, 4);
    reverse(bytes + kFormatAt, 2);
    reverse(bytes + kCountAt, 2);
    reverse(bytes + kDescTableAt, 4);
    reverse(bytes + kDataTableAt, 4);
    if (h.format != kXpkMapped16) return;
    for (std::size_t i = 0; i < colourCount(h); ++i) reverse(bytes + kXpkHeaderSize + 2 * i, 2);
}

// Checks one shape's data offset and rows; when `marker` shows foreign order, converts its descriptor,
// offset and rows.
bool walkShape(std::uint8_t* bytes, std::size_t size, ByteOrder order, const Header& h, std::uint16_t index,
               std::uint32_t marker) {
    const ByteReader in(bytes, size, order);
    const std::size_t descAt = h.descOffset + std::size_t{index} * kXpkDescSize;
    const std::size_t offsetAt = h.dataOffset + std::size_t{index} * 4;
    std::uint16_t height = 0;
    std::uint32_t offset = 0;
    if (!in.u16At(descAt + kDescHeightAt, height) || !in.u32At(offsetAt, offset)) return false;
    if (offset != 0 && offset >= size - h.dataOffset) return false;
    const bool swap = ByteOrderNeedsSwap(marker) != 0;
    if (swap) {
        for (std::size_t field = 0; field < kXpkDescSize; field += 2) reverse(bytes + descAt + field, 2);
        reverse(bytes + offsetAt, 4);
    }
    if (offset == 0) return true;
    std::uint8_t* data = bytes + h.dataOffset + offset;
    const std::size_t left = size - h.dataOffset - offset;
    const auto rows = static_cast<std::int16_t>(height);
    if (h.format == kXpkDirect16) {
        return swap ? ShapeSwapDirect16(marker, data, left, rows) != 0 : walkRows(data, left, order, false, true, rows);
    }
    if (h.format != kXpkMapped16) return true;
    return swap ? ShapeSwapMapped16(marker, data, left, rows) != 0 : walkRows(data, left, order, false, false, rows);
}

// The check (a native marker: nothing converted) or the conversion (the bank's own foreign marker).
bool walkBank(std::uint8_t* bytes, std::size_t size, ByteOrder order, std::uint32_t marker) {
    Header h;
    if (size < kXpkHeaderSize || !readHeader(ByteReader(bytes, size, order), &h)) return false;
    if (ByteOrderNeedsSwap(marker)) swapHead(bytes, h);
    for (std::uint16_t i = 0; i < h.count; ++i) {
        if (!walkShape(bytes, size, order, h, i, marker)) return false;
    }
    return true;
}

// A marker that reads as native order: walking with it converts nothing.
const std::uint32_t kNativeMarker = ByteOrderMakeMarker(0, 0);

}  // namespace

bool xpkBankCheck(const std::uint8_t* bytes, std::size_t size, ByteOrder order) {
    // With a native marker the walk writes nothing.
    return walkBank(const_cast<std::uint8_t*>(bytes), size, order, kNativeMarker);
}

bool xpkBankSwap(std::uint8_t* bytes, std::size_t size) {
    if (!xpkBankCheck(bytes, size, ByteOrder::big)) return false;
    return walkBank(bytes, size, ByteOrder::big, ByteOrderReadMarker(bytes));
}

std::int16_t ShapeSwapDirect16(std::uint32_t marker, std::uint8_t* data, std::size_t size, std::int16_t imageHeight) {
    const bool swap = ByteOrderNeedsSwap(marker) != 0;
    return walkRows(data, size, swap ? ByteOrder::big : kXpkNativeOrder, swap, true, imageHeight) ? 1 : 0;
}

std::int16_t ShapeSwapMapped16(std::uint32_t marker, std::uint8_t* data, std::size_t size, std::int16_t imageHeight) {
    const bool swap = ByteOrderNeedsSwap(marker) != 0;
    return walkRows(data, size, swap ? ByteOrder::big : kXpkNativeOrder, swap, false, imageHeight) ? 1 : 0;
}

bool XpkBank::open(const void* bytes, std::size_t size) {
    bank_ = ByteReader(bytes, size, kXpkNativeOrder);
    Header h;
    if (size < kXpkHeaderSize || !readHeader(bank_, &h)) {
        bank_ = ByteReader();
        count_ = 0;
        return false;
    }
    format_ = h.format;
    count_ = h.count;
    descOffset_ = h.descOffset;
    dataOffset_ = h.dataOffset;
    return true;
}

bool XpkBank::shape(std::uint16_t index, XpkShape* out) const {
    if (index >= count_) return false;
    std::uint16_t fields[8] = {};
    const std::size_t descAt = descOffset_ + std::size_t{index} * kXpkDescSize;
    for (std::size_t i = 0; i < 8; ++i) {
        if (!bank_.u16At(descAt + 2 * i, fields[i])) return false;
    }
    ShapeDesc& d = out->desc;
    d = {std::int16_t(fields[0]), std::int16_t(fields[1]), std::int16_t(fields[2]), std::int16_t(fields[3]),
         std::int16_t(fields[4]), std::int16_t(fields[5]), std::int16_t(fields[6]), std::int16_t(fields[7])};
    std::uint32_t offset = 0;
    if (!bank_.u32At(dataOffset_ + std::size_t{index} * 4, offset)) return false;
    out->data = nullptr;
    out->size = 0;
    const std::size_t at = std::size_t{dataOffset_} + offset;
    if (offset != 0 && at < bank_.size()) {
        out->size = bank_.size() - at;
        out->data = bank_.spanAt(at, out->size);
    }
    return true;
}

void XpkBank::colourMap(std::uint16_t (&out)[kXpkColourMapMax]) const {
    Header h;
    h.descOffset = descOffset_;
    h.dataOffset = dataOffset_;
    const std::size_t count = std::min(colourCount(h), kXpkColourMapMax);
    for (std::size_t i = 0; i < kXpkColourMapMax; ++i) {
        out[i] = 0;
        if (i < count && !bank_.u16At(kXpkHeaderSize + 2 * i, out[i])) out[i] = 0;
    }
}
