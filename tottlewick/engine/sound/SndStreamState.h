// The state of one streamed sample (a zero-filled block, the stream's user data), shared by the set-up and
// the sound filter.
//
// Encoded bytes are read a chunk at a time into the stream buffer, decoded into the decode ring at the
// decode position and queued as one append voice each; the voice that sounds is `current`, the one queued
// behind it `next`. For uncompressed formats the stream buffer is the decode ring itself.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "Res.h"
#include "SndFormat.h"
#include "SndManager.h"
#include "Stream.h"

namespace sndstream {

struct State {
    std::int16_t channel;
    std::int16_t priority;
    std::uint16_t loopMode;
    std::uint32_t length;  // encoded bytes to stream: to the loop end when looping, else all blocks
    ResRawRef raw;
    SndSampleHeader header;
    std::uint32_t chunkBytes;
    std::uint32_t ringBytes;
    std::uint8_t* streamBuffer;
    std::uint8_t* decodeBuffer;
    std::uint32_t decodeSize;
    std::uint32_t chunkPcmBytes;
    std::uint32_t arrivedBytes;  // encoded bytes of the chunk to decode
    std::uint32_t heldBytes;     // encoded bytes of a short read at the loop end, decoded with the next read
    std::uint32_t regionPasses;  // loop ends reached in loop mode 1
    const std::uint8_t* pendingAddress;
    std::uint32_t pendingFrames;
    std::uint32_t decodePosition;
    std::uint32_t framesPlayed;
    SndVoiceHandle currentVoice;
    std::uint32_t currentFrames;
    SndVoiceHandle nextVoice;
    std::uint32_t nextFrames;
    void* encoded;  // the whole encoded sound, for a stream over memory
};

// Messages of the sound filter beyond the base ones.
constexpr std::uint32_t kMsgDecode = 14;
constexpr std::uint32_t kMsgPrepared = 15;
constexpr std::uint32_t kMsgQueue = 16;

std::uint32_t soundFilter(Stream stream, std::uint32_t message);

// Holds a stream's sound state locked for one operation; empty when the stream has none.
class LockedState {
public:
    explicit LockedState(Stream stream);
    ~LockedState() { release(); }
    LockedState(const LockedState&) = delete;
    LockedState& operator=(const LockedState&) = delete;
    explicit operator bool() const { return state_ != nullptr; }
    State* operator->() const { return state_; }
    State& operator*() const { return *state_; }
    void release();

private:
    MemHandle handle_ = 0;
    State* state_ = nullptr;
};

}  // namespace sndstream
