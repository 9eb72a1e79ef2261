// Reading the headers of sound resources: 'SND' (versions 3 and 4) and AIFF/AIFC files, from any source of
// bytes, into a sample header and the offset of the first data byte. Every file is hostile: reads are
// bounded by the source, and a damaged header gives a status instead of a sound. Without Win32.
#pragma once

#include <cstdint>

#include "SndFormat.h"

// Where the bytes of a sound come from: reads at offsets, cut at the size.
class SndSource {
public:
    virtual std::uint32_t size() const = 0;
    // Copies up to count bytes from offset; returns how many (fewer at the end).
    virtual std::uint32_t read(std::uint32_t offset, void* out, std::uint32_t count) = 0;

protected:
    ~SndSource() = default;
};

class SndMemorySource final : public SndSource {
public:
    SndMemorySource(const void* data, std::uint32_t size) : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}
    std::uint32_t size() const override { return size_; }
    std::uint32_t read(std::uint32_t offset, void* out, std::uint32_t count) override;
    const std::uint8_t* data() const { return data_; }

private:
    const std::uint8_t* data_;
    std::uint32_t size_;
};

enum class SndStatus {
    ok,
    truncated,           // a header or chunk ends before its fields
    badVersion,          // 'SND' version other than 3 or 4
    notForm,             // no "FORM" at the start
    badFormType,         // form type other than "AIFF" or "AIFC"
    noComm,
    noSsnd,
    badChannels,         // not 1 or 2
    badSampleSize,       // uncompressed samples of other than 8 or 16 bits
    unknownCompression,
    stereoSqs2,
    badRate,             // a rate of 0, as stored or as scaled
    noData,              // not one whole block of data
    tooLarge,            // the decoded frames do not fit 32 bits
};

const char* SndStatusText(SndStatus status);

// The sound's header and where its data starts in the source.
struct SndParsed {
    SndSampleHeader header{};
    std::uint32_t dataOffset = 0;
};

// 'SND' resource, big-endian:
//   version 4:  +0 u16 version  +2 u32 sample count  +6 u16 rate  +8 samples
//   version 3:  +0 u16 version  +2 u16 unused  +4 u16 rate  +6 samples (count = size - 6)
// Samples are 8-bit unsigned mono (format 0).
[[nodiscard]] SndStatus SndParseSnd(SndSource& source, SndParsed& out);

// AIFF/AIFC: "FORM" size "AIFF"|"AIFC", then chunks (id, big-endian size, data; no pad byte skipped) while
// the running position (4, plus 8 + size per chunk) is below the FORM size, until COMM and SSND were seen:
//   COMM  u16 channels, u32 frames (blocks for ima4), u16 bits, 80-bit rate [AIFC: char[4] compression,
//         counted name]
//   SSND  u32 offset, u32 block size (unused), then the data
//   MARK  u16 count, then per marker u16 id, u32 position, counted name padded to even (first 16 kept)
//   INST  6 bytes of notes, s16 gain, sustain loop (u16 mode, u16 begin id, u16 end id), release loop
// The block count is cut to the whole blocks the source holds.
[[nodiscard]] SndStatus SndParseAiff(SndSource& source, SndParsed& out);

// 80-bit IEEE extended (big-endian sign and 15-bit exponent biased by 16383, 64-bit mantissa) to an unsigned
// integer, truncated: 0 below 1 and for negatives, 0xFFFFFFFF when too large.
std::uint32_t SndExtendedToLong(const std::uint8_t* ten);
void SndLongToExtended(std::uint32_t value, std::uint8_t* ten);
