// Reading a stored bitmap file's colour table through the bounded reader.
#include "DibFile.h"

#include "ByteReader.h"

bool dibFileReadColors(const void* data, std::size_t size, DibFileColors* out) {
    const ByteReader file(data, size, ByteOrder::little);
    std::uint16_t bitCount = 0;
    std::uint32_t used = 0;
    if (!file.u16At(kDibFileHeaderSize + 14, bitCount) || !file.u32At(kDibFileHeaderSize + 32, used)) return false;
    const std::uint32_t count = used ? used : bitCount <= 8 ? 1u << bitCount : kDibMaxColors + 1;
    if (count > kDibMaxColors) return false;
    const std::uint8_t* entries = file.spanAt(kDibFileColorTable, std::size_t{count} * 4);
    if (!entries) return false;
    out->count = static_cast<std::uint16_t>(count);
    out->entries = entries;
    return true;
}
