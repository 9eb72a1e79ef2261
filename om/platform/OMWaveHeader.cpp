// Wave headers: RIFF WAVE chunks and the big-endian sound resource of formats 1 and 2.
//
//   RIFF form (little-endian)              chunk
//   +--------+--------+--------+           +---------+---------+----------------+
//   | "RIFF" | u32    | "WAVE" | chunks    | id (4)  | u32 size| body (size)    |  the next chunk follows
//   +--------+--------+--------+           +---------+---------+----------------+  8 + size further (no pad)
//   "fmt " body: only the u32 rate at body + 4 is used; the data are played as unsigned 8-bit mono
//   whatever the format, channel and bit fields say. "data" (after "fmt "): its size and body.
//
//   sound resource (big-endian)            sound header at h (20 in format 1, 14 in format 2)
//   +-----------+---- ... ----+            h+4  u32 length (encoding 0)       h+20 u8 encoding
//   | u16 format| entries, cmd|            h+8  16.16 rate, integer part signed
//   +-----------+---- ... ----+            h+22 data (encoding 0), or u32 frame count (other encodings),
//                                          h+64 data (other encodings)
#include "OMWaveHeader.h"

#include "ByteReader.h"

namespace {

constexpr std::uint32_t fourCC(char a, char b, char c, char d) {
    return std::uint32_t(std::uint8_t(a)) | std::uint32_t(std::uint8_t(b)) << 8 |
           std::uint32_t(std::uint8_t(c)) << 16 | std::uint32_t(std::uint8_t(d)) << 24;
}

constexpr std::uint32_t kRiff = fourCC('R', 'I', 'F', 'F');
constexpr std::uint32_t kWave = fourCC('W', 'A', 'V', 'E');
constexpr std::uint32_t kFmt = fourCC('f', 'm', 't', ' ');
constexpr std::uint32_t kData = fourCC('d', 'a', 't', 'a');
constexpr std::size_t kFirstChunk = 12;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kFmtRate = 4;

constexpr std::size_t kFormat1Header = 20;
constexpr std::size_t kFormat2Header = 14;
constexpr std::size_t kHeaderLength = 4;
constexpr std::size_t kHeaderRate = 8;
constexpr std::size_t kHeaderEncoding = 20;
constexpr std::size_t kStandardData = 22;
constexpr std::size_t kExtendedFrames = 22;
constexpr std::size_t kExtendedData = 64;

std::uint32_t chunkId(const ByteReader& bytes, std::size_t at) {
    const std::uint8_t* p = bytes.spanAt(at, 4);
    return p ? fourCC(char(p[0]), char(p[1]), char(p[2]), char(p[3])) : 0;
}

// Walks chunks from `at` (a whole chunk header must lie within the bytes) to the first one named `wanted`;
// its offset, or false.
bool findChunk(const ByteReader& bytes, std::size_t at, std::uint32_t wanted, std::size_t& found) {
    std::uint32_t size = 0;
    while (bytes.has(at, kChunkHeader) && bytes.u32At(at + 4, size)) {
        if (chunkId(bytes, at) == wanted) {
            found = at;
            return true;
        }
        if (size > bytes.size()) return false;
        at += kChunkHeader + size;
    }
    return false;
}

// A rate or length that does not fit a signed 32-bit word is refused with the rest of the header.
bool fitsInt32(std::uint32_t value) { return value <= 0x7FFFFFFFu; }

OMWaveHeader parseRiff(const ByteReader& bytes) {
    OMWaveHeader header;
    std::size_t fmt = 0, data = 0;
    std::uint32_t rate = 0, length = 0, fmtSize = 0;
    if (!findChunk(bytes, kFirstChunk, kFmt, fmt) || !bytes.u32At(fmt + 4, fmtSize) ||
        !bytes.u32At(fmt + kChunkHeader + kFmtRate, rate) || fmtSize > bytes.size() ||
        !findChunk(bytes, fmt + kChunkHeader + fmtSize, kData, data) || !bytes.u32At(data + 4, length) ||
        !fitsInt32(rate) || !fitsInt32(length))
        return header;
    header.length = static_cast<std::int32_t>(length);
    header.rate = static_cast<std::int32_t>(rate);
    header.dataOffset = static_cast<std::int32_t>(data + kChunkHeader);
    return header;
}

OMWaveHeader parseSoundResource(const ByteReader& bytes, std::size_t h) {
    OMWaveHeader header;
    std::uint8_t encoding = 0;
    std::uint32_t rate = 0, length = 0;
    if (!bytes.u8At(h + kHeaderEncoding, encoding) || !bytes.u32At(h + kHeaderRate, rate)) return header;
    const bool standard = encoding == 0;
    if (!bytes.u32At(h + (standard ? kHeaderLength : kExtendedFrames), length) || !fitsInt32(length))
        return header;
    header.length = static_cast<std::int32_t>(length);
    header.rate = static_cast<std::int16_t>(rate >> 16);
    header.dataOffset = static_cast<std::int32_t>(h + (standard ? kStandardData : kExtendedData));
    return header;
}

}  // namespace

OMWaveHeader parseWaveHeader(const std::uint8_t* bytes, std::size_t count) {
    const std::size_t limit = count < kWaveHeaderBytes ? count : kWaveHeaderBytes;
    const ByteReader little(bytes, bytes ? limit : 0, ByteOrder::little);
    if (chunkId(little, 0) == kRiff && chunkId(little, 8) == kWave) return parseRiff(little);
    const ByteReader big(bytes, bytes ? limit : 0, ByteOrder::big);
    std::uint16_t format = 0;
    if (!big.u16At(0, format)) return {};
    if (format == 1) return parseSoundResource(big, kFormat1Header);
    if (format == 2) return parseSoundResource(big, kFormat2Header);
    return {};
}
