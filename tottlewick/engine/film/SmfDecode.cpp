// SMF commands against plain buffers.
#include "SmfDecode.h"

#include <algorithm>
#include <cstring>

#include "SmfAudio.h"
#include "SmfFrame.h"

void SmfFilmBuffersInit(SmfFilmBuffers* b, const SmfHeader& header, FileRef file, std::uint32_t dataPosition) {
    *b = {};
    b->file = file;
    b->dataPosition = dataPosition;
    std::memcpy(b->capacity, header.capacity, sizeof b->capacity);
    b->width = header.width;
    b->height = header.height;
    b->depth = header.depth;
    b->sampleSize = header.sampleSize;
    b->channels = header.channels;
    b->blockLength = header.blockLength;
    b->audioFrames = SmfAudioFrames(header);
}

bool SmfBlockToPlay(const SmfFilmBuffers& b, std::size_t* offset) {
    if (!b.audioData || !b.currentBlock || (b.sampleSize != 8 && b.sampleSize != 16)) return false;
    *offset = std::size_t{b.playSlot} * (b.sampleSize / 8u) * b.channels;
    return true;
}

bool SmfDecodeHost::load(int track, bool empty, std::uint32_t loadSize) {
    std::uint8_t* data = b_.trackData[track];
    if (!data || !SmfSeek(b_.file, b_.dataPosition)) return false;
    if (empty) b_.fill[track] = 0;
    if (loadSize > b_.capacity[track] - b_.fill[track]) return false;
    if (FileRead(b_.file, data + b_.fill[track], loadSize) != loadSize) return false;
    b_.dataPosition += loadSize;
    b_.fill[track] += loadSize;
    return true;
}

void SmfDecodeHost::frame(int track, const SmfCommandState& state) {
    const std::uint32_t fill = b_.fill[track], offset = state.frameOffset;
    const std::uint8_t* data = b_.trackData[track] && offset < fill ? b_.trackData[track] + offset : nullptr;
    SmfDecodeFrame(state.frameTag, data, data ? fill - offset : 0, state.frameRect,
                   {b_.frameData, b_.width, b_.height, b_.depth});
}

void SmfDecodeHost::audio(int track, const SmfCommandState& state) {
    if (!b_.audioData) return;
    const std::uint32_t count = std::min(state.blockLength, b_.blockLength);
    SmfDecodeAudio(state.audioTag, b_.trackData[track], b_.fill[track], count, b_.writeSlot,
                   {b_.audioData, b_.audioFrames, b_.sampleSize, b_.channels});
    b_.playSlot = b_.writeSlot;
    b_.writeSlot += b_.blockLength;
    if (b_.writeSlot >= b_.audioFrames) b_.writeSlot = 0;
    b_.currentBlock = count;
}
