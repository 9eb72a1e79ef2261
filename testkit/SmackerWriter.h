// Writes Smacker (SMK2) movies from whole frames: 4 x 4 blocks coded as skip, fill, two-colour and full
// blocks through Huffman trees built from the movie's own statistics, palette chunks (a full palette, then
// the entries that change) and sound on track 0, packed 16-bit mono or plain samples of 8 or 16 bits, mono
// or stereo. Portable: samplegen uses it too.
#pragma once

#include <cstdint>
#include <vector>

// A palette entry as the format stores it: 6-bit components, 0-63.
struct SmackerColor {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct SmackerFrame {
    std::vector<std::uint8_t> pixels;    // width x height indexes, top row first
    std::vector<SmackerColor> palette;   // 256 entries where the palette changes (always at frame 0); else empty
    // This frame's samples, interleaved when stereo: signed 16-bit values, or 0-255 for plain 8-bit sound;
    // empty: no sound chunk.
    std::vector<std::int16_t> sound;
};

struct SmackerMovie {
    std::uint32_t width = 0;   // multiples of 4
    std::uint32_t height = 0;
    std::uint32_t frameTime = 6666;  // hundredths of a millisecond per frame
    std::uint32_t soundRate = 0;     // samples per second of track 0; 0: no sound track
    std::vector<SmackerFrame> frames;
    // Track 0 packed (16-bit mono only), or plain samples of soundBits bits and soundChannels channels.
    bool soundPacked = true;
    std::uint8_t soundBits = 16;
    std::uint8_t soundChannels = 1;
};

// The block kinds of the type stream (its two low bits).
enum class SmackerBlock : std::uint8_t { mono = 0, full = 1, skip = 2, fill = 3 };

// Counts of each block kind the writer chose for one frame, so that tests can tell every kind was coded.
using SmackerBlockCounts = std::vector<std::uint32_t>;

// The file; blockCounts, when given, receives per frame the counts indexed by SmackerBlock.
std::vector<std::uint8_t> writeSmacker(const SmackerMovie& movie,
                                       std::vector<SmackerBlockCounts>* blockCounts = nullptr);
