// The sound filter: what a streamed sample does with each stream message.
//
//   start -> fill -> chunk arrived -> decode (14), prepared (15), queue (16) -> waiting (4)
//   serve while waiting: the voice that ended gives way to the next; at the end of the source the driver is
//   told the data has ended and the stream stops once the last voice is done; otherwise, with no voice
//   queued behind the current one, the next chunk is read, paced to 230000 bytes a second.
//
// Loop modes 1 and 3 move the stream position back to the loop start whenever a read reaches the loop
// end. Mode 1 does so until the decode ring holds nothing but whole repeats of the loop region, then turns
// the stream into an empty source (kind 3) and replays the ring. A read that stops short at the loop end
// is held and completed from the loop start, so that every piece fills its slot of the ring: the driver
// would pad a piece shorter than its buffer with silence.
#include <algorithm>
#include <utility>

#include "EngineClock.h"
#include "SndChannel.h"
#include "SndChannelPlay.h"
#include "SndDriver.h"
#include "SndStream.h"
#include "SndStreamState.h"
#include "SndVoice.h"

namespace sndstream {

namespace {

constexpr std::uint32_t kReadBytesPerSecond = 230000;
// A message number outside the base handler's: the message is swallowed.
constexpr std::uint32_t kSwallowed = 0;

std::uint32_t blockPcmBytes(const State& s) {
    return std::uint32_t(s.header.framesPerBlock) * s.header.outBytesPerFrame;
}

std::uint32_t ringBlocksLeft(const State& s) { return (s.decodeSize - s.decodePosition) / blockPcmBytes(s); }

bool create(Stream stream, State& s) {
    s.streamBuffer = static_cast<std::uint8_t*>(MemPtrAlloc(s.ringBytes));
    if (!s.streamBuffer) return false;
    StreamSetBuffer(stream, s.streamBuffer, s.ringBytes);
    StreamSetChunkSize(stream, s.chunkBytes);
    if (!SndFormatIsCompressed(s.header.format)) {
        s.decodeBuffer = s.streamBuffer;
        s.decodeSize = s.ringBytes;
    }
    return true;
}

// Encoded bytes from the decode position to the end of its slot: a whole chunk, or less at the end of a
// decode ring that the chunk does not divide.
std::uint32_t slotBytes(const State& s) {
    return std::min(s.chunkBytes, ringBlocksLeft(s) * s.header.inBytesPerBlock);
}

// A read takes what its slot has left after a held read, and in loop mode 1 ends at the loop end (the end
// of the source). In mode 2 (nothing read) each replay starts with an empty buffer, so that its piece runs
// from the decode position to the end of its slot.
void cutChunk(Stream stream, const State& s) {
    if (s.loopMode == kSndNoLoop) return;
    std::uint32_t limit = slotBytes(s) - s.heldBytes;
    if (s.loopMode == kSndLoopRegion)
        limit = std::min(limit, std::max(StreamGetRemaining(stream), std::uint32_t(s.header.inBytesPerBlock)));
    if (s.loopMode == kSndInRegion) StreamSetFill(stream, 0);
    StreamSetChunkSize(stream, limit);
}

bool decode(Stream stream, State& s) {
    const SndSampleHeader& h = s.header;
    std::uint32_t blocks = std::min(s.arrivedBytes / h.inBytesPerBlock, ringBlocksLeft(s));
    std::uint8_t* destination = s.decodeBuffer + s.decodePosition;
    std::uint32_t converted = blocks;
    if (StreamGetKind(stream) != kStreamEmpty) {
        const auto* chunk = static_cast<const std::uint8_t*>(StreamGetLastChunk(stream, nullptr, nullptr));
        converted = SndConvertBlocks(s.header, chunk - s.heldBytes, s.arrivedBytes, destination, blocks);
        s.heldBytes = 0;
    }
    s.pendingAddress = destination;
    s.pendingFrames = converted * h.framesPerBlock;
    s.decodePosition += s.chunkPcmBytes;
    if (s.decodePosition >= s.decodeSize) {
        s.decodePosition = 0;
        if (s.loopMode == kSndLoopRegion || s.loopMode == kSndInRegion) StreamSetFill(stream, 0);
    }
    return s.pendingFrames > 0;
}

// The pending piece becomes an append voice on the channel, queued behind what plays there.
bool queue(State& s) {
    if (!s.pendingFrames) return false;
    SndVoiceHandle voice;
    {
        SndSettingsScope restore;
        SndSetAppend(1);
        SndSetLoop(0);
        SndSetPriority(s.priority);
        SndSetAutoFree(0);
        SndSetSampleBlock(0);
        SndSetLockedHeader(nullptr);
        SndSetEndProc(nullptr);
        voice = SndChannelPlayData(s.channel, SndFormatBits(s.header.format), SndFormatChannels(s.header.format),
                                   s.header.rate, s.pendingFrames, s.pendingAddress);
    }
    s.nextVoice = voice;
    s.nextFrames = s.pendingFrames;
    s.pendingAddress = nullptr;
    s.pendingFrames = 0;
    return voice != 0;
}

// How many times the loop region is read in mode 1 before the ring replays it: as many as the ring holds,
// so that the ring holds nothing but whole repeats of the region.
std::uint32_t regionRepeats(const State& s) {
    const SndSampleHeader& h = s.header;
    std::uint32_t region = h.loopEnd / h.framesPerBlock - h.loopStart / h.framesPerBlock;
    return s.decodeSize / blockPcmBytes(s) / std::max<std::uint32_t>(region, 1);
}

// At the last loop end of mode 1 the last chunk read is decoded where it belongs; the piece then queued
// runs on from there through the ring, and from now on the ring replays without reading (mode 2, kind 3).
void switchToRing(Stream stream, State& s) {
    std::uint32_t at = s.decodePosition;
    StreamSend(stream, kMsgDecode);
    s.decodePosition = at;
    std::uint32_t chunkBlocks = s.chunkPcmBytes / blockPcmBytes(s);
    s.arrivedBytes = std::min(ringBlocksLeft(s), chunkBlocks) * s.header.inBytesPerBlock;
    s.loopMode = kSndInRegion;
    StreamSetKind(stream, kStreamEmpty);
}

std::uint32_t loopEndBytes(const SndSampleHeader& h) { return h.loopEnd / h.framesPerBlock * h.inBytesPerBlock; }

bool readsOnFromLoopStart(const State& s) { return s.loopMode == kSndLoopAll || s.loopMode == kSndLoopRegion; }

// A read that reaches the loop end short of its slot is held, to be completed from the loop start.
void chunkArrived(Stream stream, State& s) {
    std::uint32_t size = 0;
    StreamGetLastChunk(stream, &size, nullptr);
    bool loopEnd = readsOnFromLoopStart(s) && StreamGetPosition(stream) >= loopEndBytes(s.header);
    bool lastPass = loopEnd && s.loopMode == kSndLoopRegion && ++s.regionPasses >= regionRepeats(s);
    if (loopEnd && !lastPass && s.heldBytes + size < slotBytes(s)) {
        s.heldBytes += size;
        return;
    }
    s.arrivedBytes = s.heldBytes + size;
    if (lastPass) switchToRing(stream, s);
    if (StreamSend(stream, kMsgDecode) && StreamSend(stream, kMsgPrepared) && StreamSend(stream, kMsgQueue))
        StreamSetState(stream, kStreamWaiting);
    else  // nothing decoded, or the piece refused (sound disabled): no voice will ever end the stream
        StreamSend(stream, kStreamMsgStop);
}

bool readIsDue(Stream stream) {
    std::uint32_t fill = StreamGetFill(stream), bufferSize = StreamGetBufferSize(stream);
    std::uint32_t next = std::min({StreamGetChunkSize(stream), bufferSize - std::min(fill, bufferSize),
                                   StreamGetRemaining(stream)});
    std::uint32_t lastTime = 0;
    StreamGetLastChunk(stream, nullptr, &lastTime);
    std::uint32_t due = lastTime + static_cast<std::uint32_t>(std::uint64_t(next) * 1000 / kReadBytesPerSecond);
    return static_cast<std::int32_t>(ClockMilliseconds() - due) > 0;
}

// A read held at the loop end is completed at once from the loop start (which for a loop shorter than a
// chunk may take several reads).
void completeHeld(Stream stream, const State& s) {
    while (s.heldBytes && StreamGetState(stream) == kStreamRunning) StreamSend(stream, kStreamMsgFill);
}

void feed(Stream stream, State& s) {
    if (!s.currentVoice || !SndVoiceIsActive(s.currentVoice)) {
        s.framesPlayed += s.currentFrames;
        s.currentVoice = std::exchange(s.nextVoice, 0);
        s.currentFrames = std::exchange(s.nextFrames, 0);
    }
    bool empty = StreamGetKind(stream) == kStreamEmpty;
    if (!empty && StreamGetPosition(stream) >= StreamGetSize(stream)) {
        // The driver takes the end of the data in a free buffer behind the last piece. Told earlier, it
        // would hold up the main loop until a buffer frees (for as long as a piece plays), so it is told
        // once the last piece sounds and a buffer is free.
        auto voice = static_cast<std::uint16_t>(s.channel);
        if (s.currentVoice) {
            if (!s.nextVoice && SndDriverReadyBuffer(voice) != kSndNoBuffer) SndDriverEndOfData(voice);
            return;
        }
        SndDriverStop(voice);
        StreamSend(stream, kStreamMsgStop);
        return;
    }
    if (s.nextVoice || (!empty && !readIsDue(stream))) return;
    StreamSetState(stream, kStreamRunning);
    StreamSend(stream, kStreamMsgFill);
    completeHeld(stream, s);
}

// Modes 1 and 3 at the loop end: back to the loop start, with the fill raised to the next chunk boundary
// so that chunks keep their places in the ring; a held read stays where it is, to be completed.
bool loopBack(Stream stream, const State& s) {
    const SndSampleHeader& h = s.header;
    if (!readsOnFromLoopStart(s) || StreamGetPosition(stream) < loopEndBytes(h)) return false;
    StreamSeek(stream, static_cast<std::int32_t>(h.loopStart / h.framesPerBlock * h.inBytesPerBlock), 0);
    if (s.heldBytes) return true;
    std::uint32_t chunk = s.chunkBytes;
    std::uint32_t fill = (StreamGetFill(stream) + chunk - 1) / chunk * chunk;
    StreamSetFill(stream, fill >= StreamGetBufferSize(stream) ? 0 : fill);
    return true;
}

void freeBlock(void* block) {
    if (block) MemPtrFree(&block);
}

// Free: every voice stopped before the memory it plays from goes.
void freeState(Stream stream) {
    MemHandle handle = StreamGetUserData(stream);
    State s{};
    {
        LockedState locked(stream);
        if (!locked) return;
        s = *locked;
    }
    if (s.raw) ResCloseRaw(s.raw);
    SndVoiceStop(s.currentVoice);
    SndVoiceStop(s.nextVoice);
    if (s.decodeBuffer != s.streamBuffer) freeBlock(s.decodeBuffer);
    freeBlock(s.streamBuffer);
    StreamSetBuffer(stream, nullptr, 0);
    StreamSetChunkSize(stream, 0);
    freeBlock(s.encoded);
    MemHandleFree(&handle);
    StreamSetUserData(stream, 0);
}

}  // namespace

LockedState::LockedState(Stream stream) {
    if (StreamGetFilter(stream) != soundFilter) return;
    handle_ = StreamGetUserData(stream);
    state_ = handle_ ? static_cast<State*>(MemHandleLock(handle_)) : nullptr;
}

void LockedState::release() {
    if (state_) MemHandleUnlock(handle_);
    state_ = nullptr;
}

std::uint32_t soundFilter(Stream stream, std::uint32_t message) {
    if (message == kStreamMsgFree) {
        freeState(stream);
        return message;
    }
    LockedState s(stream);
    if (!s) return message;
    switch (message) {
        case kStreamMsgCreate: return create(stream, *s) ? message : kStreamMsgRefuse;
        case kStreamMsgPause: SndChannelPause(s->channel); return message;
        case kStreamMsgResume: SndChannelResume(s->channel); return message;
        case kStreamMsgFill: cutChunk(stream, *s); return message;
        case kStreamMsgServe:
            if (StreamGetState(stream) == kStreamWaiting) feed(stream, *s);
            else completeHeld(stream, *s);
            return message;
        case kStreamMsgChunk: chunkArrived(stream, *s); return message;
        case kStreamMsgReady: return loopBack(stream, *s) ? kSwallowed : message;
        case kStreamMsgStop: SndChannelStop(s->channel); return message;
        case kMsgDecode: return decode(stream, *s) ? message : kStreamMsgRefuse;
        case kMsgQueue: return queue(*s) ? message : kStreamMsgRefuse;
        default: return message;
    }
}

}  // namespace sndstream
