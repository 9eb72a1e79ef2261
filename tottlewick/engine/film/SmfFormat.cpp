// The SMF header in either byte order, its buffer sizes and the command table.
#include "SmfFormat.h"

#include <limits>

#include "ByteOrder.h"

namespace {

std::uint32_t readLittle32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// Fields are read as stored (little-endian on this machine) and put right by the marker.
struct FieldReader {
    const std::uint8_t* bytes;
    std::uint32_t marker;
    std::uint16_t u16(std::size_t at) const {
        return ByteOrderFix16(marker, static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8));
    }
    std::uint32_t u32(std::size_t at) const { return ByteOrderFix32(marker, readLittle32(bytes + at)); }
};

// a x b, or 0 when the product passes 32 bits.
std::uint32_t product(std::uint32_t a, std::uint32_t b) {
    if (b != 0 && a > std::numeric_limits<std::uint32_t>::max() / b) return 0;
    return a * b;
}

}  // namespace

bool SmfParseHeader(const std::uint8_t* bytes, SmfHeader* header) {
    const std::uint32_t marker = ByteOrderReadMarker(bytes);
    if (!ByteOrderMarkerValid(marker)) return false;
    const FieldReader f{bytes, marker};
    header->marker = marker;
    for (int track = 0; track < kSmfTracks; ++track) header->capacity[track] = f.u32(4 + 4 * track);
    header->width = f.u16(68);
    header->height = f.u16(70);
    header->depth = f.u16(72);
    header->sampleSize = f.u16(74);
    header->channels = f.u16(76);
    header->rate = f.u16(78);
    header->blockLength = f.u32(80);
    header->reserved = f.u32(84);
    header->clockStart = f.u32(88);
    header->duration = f.u32(92);
    header->entries = f.u32(96);
    return true;
}

std::uint32_t SmfFrameBytes(const SmfHeader& header) {
    return product(product(header.width, header.height), header.depth / 8u);
}

std::uint32_t SmfAudioFrames(const SmfHeader& header) { return product(header.blockLength, 2); }

std::uint32_t SmfAudioBytes(const SmfHeader& header) {
    return product(product(header.sampleSize / 8u, header.channels), SmfAudioFrames(header));
}

bool SmfSeek(FileRef file, std::uint32_t offset) {
    if (offset > std::uint32_t(std::numeric_limits<std::int32_t>::max())) return false;
    if (FileTell(file) == std::int32_t(offset)) return true;
    return FileSeek(file, std::int32_t(offset), 0) == std::int32_t(offset);
}

bool SmfReadHeader(FileRef file, std::uint32_t offset, SmfHeader* header) {
    std::uint8_t bytes[kSmfHeaderBytes];
    if (!SmfSeek(file, offset) || FileRead(file, bytes, sizeof bytes) != sizeof bytes) return false;
    return SmfParseHeader(bytes, header);
}

bool SmfReadTable(FileRef file, const SmfHeader& header, std::uint32_t* table) {
    if (header.entries == 0) return true;
    const std::uint32_t bytes = product(header.entries, 4);
    if (bytes == 0) return false;
    if (FileRead(file, table, bytes) != bytes) return false;
    for (std::uint32_t i = 0; i < header.entries; ++i)
        table[i] = ByteOrderFix32(header.marker, readLittle32(reinterpret_cast<const std::uint8_t*>(table + i)));
    return true;
}
