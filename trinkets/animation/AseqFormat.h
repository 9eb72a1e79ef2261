// ASEQ animation sequences read in place: the header, the one-time conversion of big-endian buffers to
// little-endian, the play lists and the frame records. Nothing here owns the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// File order (all multi-byte fields big-endian while the swap flag is set, little-endian after):
//   +0 S i16 | +2 F i16 | +4 frame rate u8 | +5 swap flag u8 | +6 reserved 4
//   +10 F x u32 frame offsets (from the frame data area)
//   S x 4 placement bytes b0 b1 b2 b3 (only the first record is read)
//   S sequences: N i16, then N entries { x i16, y i16, frame or command i16, param i16 }
//   frame data area: frames { reserved 2, W i16, H i16, H run-length rows }
inline constexpr std::size_t kAseqHeaderSize = 10;
inline constexpr std::size_t kAseqSwapFlag = 5;
inline constexpr std::size_t kAseqEntrySize = 8;
inline constexpr std::size_t kAseqFrameHeaderSize = 6;

// The frame field's command codes; -500 and below are all "special".
inline constexpr std::int16_t kAseqEnd = -1;
inline constexpr std::int16_t kAseqLoop = -2;
inline constexpr std::int16_t kAseqHold = -4;
inline constexpr std::int16_t kAseqSoundCue = -101;
inline constexpr std::int16_t kAseqSpecial = -500;

struct AseqEntry {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t frame = 0;
    std::int16_t param = 0;
};

// A play list inside the buffer: `count` entries through the first end entry, or all N stored entries
// when none of them ends the list.
struct AseqSequence {
    std::uint8_t* entries = nullptr;
    std::int32_t count = 0;
};

// One frame's image: its size and its run-length rows up to the end of the buffer.
struct AseqFrame {
    std::int32_t width = 0;
    std::int32_t height = 0;
    const std::uint8_t* runs = nullptr;
    std::size_t runsSize = 0;
};

struct AseqLayout {
    std::int32_t frameRate = 0;
    std::int32_t placeX = 0;
    std::int32_t placeY = 0;
    std::int32_t placeZ = 0;
    std::vector<AseqSequence> sequences;
    // One per frame: where its record starts in the buffer.
    std::vector<std::size_t> frames;
    const std::uint8_t* buffer = nullptr;
    std::size_t size = 0;
};

enum class AseqStatus { ok, truncated, badCount, badFrameOffset, badFrameIndex, badFrameSize };

// The status as a short English phrase for logs and test messages.
const char* aseqStatusText(AseqStatus status);

// Reads the buffer's layout after checking every count, offset, frame index and frame size against the
// buffer; a damaged buffer is refused untouched. A flagged buffer is converted in place once and its flag
// cleared, so a later attachment reads it as it stands.
[[nodiscard]] AseqStatus attachSequence(std::uint8_t* buffer, std::size_t size, AseqLayout& layout);

// Frame i, or an empty frame (0 x 0, no runs) outside 0..F-1.
AseqFrame frameImage(const AseqLayout& layout, std::int32_t i);

// For one-image resources: converts a flagged buffer's counts, the first sequence's entry count and the
// frame's size once, then gives the frame that follows the first sequence.
[[nodiscard]] AseqStatus findSingleFrame(std::uint8_t* buffer, std::size_t size, AseqFrame& frame);

// A 12-bit sign-magnitude placement value: above 0x800 it stands for 0x800 - value.
std::int32_t placementValue(std::uint32_t twelveBits);

// Entries of a converted buffer, read and written little-endian.
AseqEntry readEntry(const std::uint8_t* entry);
void writeEntry(std::uint8_t* entry, const AseqEntry& value);
