// Executing SMF commands against plain buffers: loads from the film's file into track buffers, frames
// into the frame buffer and audio blocks into alternate halves of the audio buffer. The player adds the
// screen and the sound to this; the fuzz target runs it as it stands. Without Win32.
#pragma once

#include <cstddef>
#include <cstdint>

#include "File.h"
#include "SmfCommands.h"
#include "SmfFormat.h"

struct SmfFilmBuffers {
    FileRef file;
    std::uint32_t dataPosition;  // the file offset of the next load
    std::uint8_t* trackData[kSmfTracks];
    std::uint32_t capacity[kSmfTracks];
    std::uint32_t fill[kSmfTracks];
    std::uint8_t* frameData;
    std::uint16_t width, height, depth;
    std::uint8_t* audioData;
    std::uint16_t sampleSize, channels;
    std::uint32_t blockLength;  // from the header: half of the audio buffer
    std::uint32_t audioFrames;  // the buffer's length in sample frames
    std::uint32_t playSlot, writeSlot;
    std::uint32_t currentBlock;  // frames of the last decoded block, 0 before the first
};

// Fills the buffers' sizes and positions from the header; the buffer addresses stay null.
void SmfFilmBuffersInit(SmfFilmBuffers* b, const SmfHeader& header, FileRef file, std::uint32_t dataPosition);

// The byte offset in the audio buffer of the block to play; false when there is none, or when its
// samples are not of a size that the codecs write (8 or 16 bits), whose play would not match the buffer.
bool SmfBlockToPlay(const SmfFilmBuffers& b, std::size_t* offset);

class SmfDecodeHost : public SmfCommandHost {
public:
    explicit SmfDecodeHost(SmfFilmBuffers& buffers) : b_(buffers) {}
    // Reads at the data position behind the track's fill; false when positioning or reading fails or the
    // load would pass the track's capacity (a track without a buffer has none).
    bool load(int track, bool empty, std::uint32_t loadSize) override;
    // Decodes the track's data from the frame offset to its fill; an offset beyond the fill is no data.
    void frame(int track, const SmfCommandState& state) override;
    // Decodes the track's fill at the write slot (at most half the buffer), which becomes the slot to
    // play; the write slot moves on by the block length and wraps to 0 at the buffer's end.
    void audio(int track, const SmfCommandState& state) override;

protected:
    SmfFilmBuffers& b_;
};
