// The SMF audio codecs: one block of a film's track decoded into a slot of the player's audio buffer as
// native PCM. Plain arithmetic on bytes, without Win32.
#pragma once

#include <cstddef>
#include <cstdint>

struct SmfAudioTarget {
    std::uint8_t* buffer;        // the whole audio buffer
    std::uint32_t bufferFrames;  // its length in sample frames
    std::uint16_t sampleSize;    // bits: 8 (unsigned) or 16 (signed)
    std::uint16_t channels;
};

// Decodes up to count units (samples or frames, as the tag says) of the source into the buffer at the
// slot (in sample frames), stopping at the end of the input as well; the rest of count frames becomes
// silence (128 for 8-bit, 0 for 16-bit). A tag that is unknown, or whose samples do not fit the
// buffer's format, writes nothing. Returns the units decoded.
std::uint32_t SmfDecodeAudio(std::uint32_t tag, const std::uint8_t* source, std::size_t length,
                             std::uint32_t count, std::uint32_t slot, const SmfAudioTarget& target);
