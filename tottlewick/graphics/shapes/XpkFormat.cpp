// The XPK bank's layout: one walk over its fields serves the load-time check and the byte-order
// conversion, so that the two can never disagree about where a field lies.
#include "XpkFormat.h"

#include <algorithm>
#include <vector>

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
// tables it names.
bool readHeader(const ByteReader& in, Header* h) {
    if (!in.u16At(kFormatAt, h->format) || !in.u16At(kCountAt, h->count) ||
        !in.u32At(kDescTableAt, h->descOffset) || !in.u32At(kDataTableAt, h->dataOffset)) {
        return false;
    }
    return in.has(h->descOffset, std::size_t{h->count} * kXpkDescSize) &&
           in.has(h->dataOffset, std::size_t{h->count} * 4);
}

// Entries of the colour map: the words between the header and the first table (none when a table starts
// inside the header).
std::size_t colourCount(const Header& h) {
    const std::uint32_t end = std::min(h.descOffset, h.dataOffset);
    return end > kXpkHeaderSize ? (end - kXpkHeaderSize) / 2 : 0;
}

// One block of packed data and the most rows any shape reads from it: shapes may share their data, which
// is then converted once.
struct DataBlock {
    std::uint32_t offset;
    std::int16_t rows;
};

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

// Checks one shape's data offset, which may name the block's end but not pass it, and notes its data;
// when `marker` shows foreign order, converts its descriptor and offset.
bool walkShape(std::uint8_t* bytes, std::size_t size, ByteOrder order, const Header& h, std::uint16_t index,
               std::uint32_t marker, std::vector<DataBlock>& blocks) {
    const ByteReader in(bytes, size, order);
    const std::size_t descAt = h.descOffset + std::size_t{index} * kXpkDescSize;
    const std::size_t offsetAt = h.dataOffset + std::size_t{index} * 4;
    std::uint16_t height = 0;
    std::uint32_t offset = 0;
    if (!in.u16At(descAt + kDescHeightAt, height) || !in.u32At(offsetAt, offset)) return false;
    if (offset > size - h.dataOffset) return false;
    if (ByteOrderNeedsSwap(marker)) {
        for (std::size_t field = 0; field < kXpkDescSize; field += 2) reverse(bytes + descAt + field, 2);
        reverse(bytes + offsetAt, 4);
    }
    if (offset != 0) blocks.push_back({offset, static_cast<std::int16_t>(height)});
    return true;
}

// Checks the rows of one block of 0xB001 or 0xB002 data and, when `marker` shows foreign order,
// converts them.
bool walkData(std::uint8_t* bytes, std::size_t size, ByteOrder order, const Header& h, const DataBlock& block,
              std::uint32_t marker) {
    std::uint8_t* data = bytes + h.dataOffset + block.offset;
    const std::size_t left = size - h.dataOffset - block.offset;
    const bool swap = ByteOrderNeedsSwap(marker) != 0;
    if (h.format == kXpkDirect16) {
        return swap ? ShapeSwapDirect16(marker, data, left, block.rows) != 0
                    : walkRows(data, left, order, false, true, block.rows);
    }
    return swap ? ShapeSwapMapped16(marker, data, left, block.rows) != 0
                : walkRows(data, left, order, false, false, block.rows);
}

// The blocks in offset order, each once with the most rows of its shapes.
void mergeShared(std::vector<DataBlock>& blocks) {
    std::sort(blocks.begin(), blocks.end(), [](const DataBlock& a, const DataBlock& b) {
        return a.offset != b.offset ? a.offset < b.offset : a.rows > b.rows;
    });
    blocks.erase(std::unique(blocks.begin(), blocks.end(),
                             [](const DataBlock& a, const DataBlock& b) { return a.offset == b.offset; }),
                 blocks.end());
}

// The check (a native marker: nothing converted) or the conversion (the bank's own foreign marker).
bool walkBank(std::uint8_t* bytes, std::size_t size, ByteOrder order, std::uint32_t marker) {
    Header h;
    if (size < kXpkHeaderSize || !readHeader(ByteReader(bytes, size, order), &h)) return false;
    if (ByteOrderNeedsSwap(marker)) swapHead(bytes, h);
    std::vector<DataBlock> blocks;
    for (std::uint16_t i = 0; i < h.count; ++i) {
        if (!walkShape(bytes, size, order, h, i, marker, blocks)) return false;
    }
    if (h.format != kXpkDirect16 && h.format != kXpkMapped16) return true;
    mergeShared(blocks);
    for (const DataBlock& block : blocks) {
        if (!walkData(bytes, size, order, h, block, marker)) return false;
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
