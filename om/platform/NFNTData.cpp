// Reading NFNT font resources and measuring text with them.
#include "NFNTData.h"

#include <cstring>

#include "ByteReader.h"

namespace {

constexpr std::size_t kOwTLocField = 16;

constexpr std::int16_t NFNTHeader::*kFields[] = {
    &NFNTHeader::fontType,   &NFNTHeader::firstChar, &NFNTHeader::lastChar, &NFNTHeader::widMax,
    &NFNTHeader::kernMax,    &NFNTHeader::nDescent,  &NFNTHeader::fRectWidth, &NFNTHeader::fRectHeight,
    &NFNTHeader::owTLoc,     &NFNTHeader::ascent,    &NFNTHeader::descent,  &NFNTHeader::leading,
    &NFNTHeader::rowWords,
};

}  // namespace

NFNTStatus NFNTData::parse(const std::uint8_t* data, std::size_t size) {
    if (size < kNFNTHeaderSize) return NFNTStatus::truncated;
    bigEndian = (data[1] & 0x80) == 0;
    ByteReader record(data, size, bigEndian ? ByteOrder::big : ByteOrder::little);
    NFNTHeader read{};
    for (std::int16_t NFNTHeader::*field : kFields) read.*field = record.i16();

    const std::int32_t count = read.lastChar - read.firstChar + 3;
    const std::int64_t tableBytes = static_cast<std::int64_t>(count) * 2;
    const std::int64_t owStart = static_cast<std::int64_t>(kOwTLocField) + read.owTLoc * 2;
    const std::int64_t locationStart = owStart - tableBytes;
    const std::size_t strikeBytes = static_cast<std::size_t>(read.rowWords) * 2 * static_cast<std::size_t>(read.fRectHeight);
    if (count < 1 || read.rowWords < 0 || read.fRectHeight < 0 || locationStart < 0 ||
        owStart + tableBytes > static_cast<std::int64_t>(size) || strikeBytes > size - kNFNTHeaderSize) {
        return NFNTStatus::damaged;
    }

    header = read;
    locationTable.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < locationTable.size(); ++i) {
        static_cast<void>(record.u16At(static_cast<std::size_t>(locationStart) + i * 2, locationTable[i]));
    }
    owTable.assign(data + owStart, data + owStart + tableBytes);
    strike.assign(data + kNFNTHeaderSize, data + kNFNTHeaderSize + strikeBytes);
    return NFNTStatus::built;
}

bool NFNTData::ownGlyph(unsigned code, NFNTGlyph& out) const {
    if (code + 1 >= locationTable.size()) return false;
    const std::uint8_t offset = owTable[code * 2];
    const std::uint8_t advance = owTable[code * 2 + 1];
    if (offset == 0xFF && advance == 0xFF) return false;
    out.offset = offset;
    out.advance = advance;
    out.imageX = locationTable[code];
    const std::int32_t end = locationTable[code + 1] < strikeWidth() ? locationTable[code + 1] : strikeWidth();
    out.imageWidth = end > out.imageX ? end - out.imageX : 0;
    return true;
}

NFNTGlyph NFNTData::glyph(unsigned char code) const {
    NFNTGlyph found;
    if (!ownGlyph(code, found)) {
        found = NFNTGlyph{};
        if (!ownGlyph(static_cast<std::uint8_t>(header.lastChar - 1), found)) found = NFNTGlyph{};
    }
    return found;
}

std::int32_t NFNTData::textWidth(const char* text) const {
    std::int32_t width = 0;
    for (const char* c = text; *c; ++c) width += glyph(static_cast<unsigned char>(*c)).advance;
    return width;
}

OMRect NFNTData::textBounds(const char* text) const {
    OMRect bounds{0, -header.ascent, 0, header.descent};
    const std::size_t length = std::strlen(text);
    if (length == 0) return bounds;
    const NFNTGlyph first = glyph(static_cast<unsigned char>(text[0]));
    const NFNTGlyph last = glyph(static_cast<unsigned char>(text[length - 1]));
    bounds.left = first.offset + header.kernMax;
    bounds.right = textWidth(text) - last.advance + last.offset + header.kernMax + last.imageWidth;
    return bounds;
}
