// Opening streamed samples: the sound's header from its resource, its memory copy or its file, the sizes of
// chunk and ring worked out from it, and the sound state put on the stream with the sound filter.
#include "SndStream.h"

#include <algorithm>
#include <utility>

#include "SndDriver.h"
#include "SndManager.h"
#include "SndParse.h"
#include "SndSample.h"
#include "SndStreamState.h"
#include "SndVoice.h"

using namespace sndstream;

namespace {

constexpr ResType kAif = resType("AIF");
constexpr ResType kSnd = resType("SND");

std::uint16_t streamOption = 0;

std::uint32_t ceilDiv(std::uint32_t a, std::uint32_t b) { return (a + b - 1) / b; }

std::uint16_t loopModeFor(std::uint16_t loop, std::uint16_t option) {
    if (!loop) return kSndNoLoop;
    return option == 0 ? kSndLoopRegion : option == 1 ? kSndLoopAll : kSndNoLoop;
}

// Chunk and ring in blocks of the sound. A chunk lasts chunkMs, and at least one driver buffer; the ring
// holds two chunks, or for a loop region whole repeats of the region and no less than two chunks, so that
// replaying the ring replays the region and a chunk is never read over the one that sounds; the chunk then
// grows so that whole chunks nearly fill the ring. Compressed sound is decoded into a ring of its own
// behind a one-chunk stream buffer.
bool plan(State& s, std::uint32_t chunkMs) {
    SndSampleHeader& h = s.header;
    std::uint32_t F = h.framesPerBlock, I = h.inBytesPerBlock, O = h.outBytesPerFrame;
    if (!F || !I || !O || !h.rate || !h.blocks) return false;
    std::uint32_t chunkFrames = static_cast<std::uint32_t>(std::uint64_t(h.rate) * chunkMs / 1000);
    if (std::uint32_t buffer = SndDriverBufferSize()) chunkFrames = std::max(chunkFrames, ceilDiv(buffer, O));
    std::uint32_t chunk = std::max<std::uint32_t>((chunkFrames + F / 2) / F, 1);
    std::uint32_t ring = 2 * chunk;
    if (s.loopMode == kSndLoopRegion) {
        // The sound's reader makes a loop region of less than a block the whole sound, so none is empty.
        std::uint32_t region = h.loopEnd / F - h.loopStart / F;
        if (region == 0) return false;
        ring = ceilDiv(2 * chunk, region) * region;
        chunk += ceilDiv(ring % chunk, ring / chunk);
    }
    if (SndFormatIsCompressed(h.format)) {
        s.decodeSize = ring * F * O;
        s.decodeBuffer = static_cast<std::uint8_t*>(MemPtrAlloc(s.decodeSize));
        if (!s.decodeBuffer) return false;
        ring = chunk;
    }
    s.length = (s.loopMode != kSndNoLoop ? h.loopEnd / F : h.blocks) * I;
    s.chunkBytes = chunk * I;
    s.ringBytes = ring * I;
    s.chunkPcmBytes = chunk * F * O;
    return true;
}

// Puts the sound state on a freshly opened stream and lets the filter allocate its buffer; on any failure
// the stream is closed, which gives back everything the state holds.
std::int16_t finishOpen(Stream* out, Stream stream, std::int16_t channel, std::uint32_t chunkMs,
                        const SndSampleHeader& header, ResRawRef raw, void* encoded) {
    MemHandle state = MemHandleAllocFlags(sizeof(State), kMemZeroFill);
    bool planned = false;
    if (state) {
        auto* s = static_cast<State*>(MemHandleLock(state));
        s->channel = channel;
        s->priority = SndGetPriority();
        s->loopMode = loopModeFor(SndGetLoop(), streamOption);
        s->header = header;
        s->raw = raw;
        s->encoded = encoded;
        planned = plan(*s, chunkMs);
        StreamSetSize(stream, s->length);
        MemHandleUnlock(state);
        StreamSetFilter(stream, soundFilter);
        StreamSetUserData(stream, state);
    } else {
        if (raw) ResCloseRaw(raw);
        if (encoded) MemPtrFree(&encoded);
    }
    if (!planned || !StreamSend(stream, kStreamMsgCreate)) {
        StreamClose(&stream);
        return 0;
    }
    *out = stream;
    return 1;
}

std::int16_t readHeader(ResType type, SndSampleHeader* header, FileRef file, std::uint32_t size) {
    return type == kAif ? SndReadAiffHeader(header, file, size) : SndReadSndHeader(header, file, size);
}

template <typename T, typename Read>
T readState(Stream stream, T fallback, Read read) {
    LockedState s(stream);
    return s ? read(*s) : fallback;
}

}  // namespace

std::int16_t SndStreamOpenResource(Stream* stream, std::int16_t channel, std::uint32_t chunkMs, std::uint16_t id) {
    if (!stream) return 0;
    for (ResType type : {kAif, kSnd}) {
        FileRef file = 0;
        std::uint32_t size = 0;
        ResRawRef raw = ResOpenRaw(type, id, &file, nullptr, &size);
        if (!raw) continue;
        SndSampleHeader header{};
        Stream opened = 0;
        if (readHeader(type, &header, file, size) &&
            StreamOpenFileRef(&opened, file, static_cast<std::uint32_t>(FileTell(file)), 0))
            return finishOpen(stream, opened, channel, chunkMs, header, raw, nullptr);
        ResCloseRaw(raw);
    }
    return 0;
}

std::int16_t SndStreamOpenMemory(Stream* stream, std::int16_t channel, std::uint32_t chunkMs, std::uint16_t id) {
    if (!stream) return 0;
    for (ResType type : {kAif, kSnd}) {
        FileRef file = 0;
        std::uint32_t size = 0;
        ResRawRef raw = ResOpenRaw(type, id, &file, nullptr, &size);
        if (!raw) continue;
        void* bytes = MemPtrAlloc(size);
        bool read = bytes && FileRead(file, bytes, size) == size;
        ResCloseRaw(raw);
        SndMemorySource source(bytes, read ? size : 0);
        SndParsed parsed;
        SndStatus status = type == kAif ? SndParseAiff(source, parsed) : SndParseSnd(source, parsed);
        Stream opened = 0;
        if (read && status == SndStatus::ok &&
            StreamOpenMemory(&opened, static_cast<std::uint8_t*>(bytes) + parsed.dataOffset, 0))
            return finishOpen(stream, opened, channel, chunkMs, parsed.header, 0, bytes);
        if (bytes) MemPtrFree(&bytes);
    }
    return 0;
}

std::int16_t SndStreamOpenFile(Stream* stream, std::int16_t channel, std::uint32_t chunkMs, const char* name) {
    FileRef file = stream ? FileOpen(name, kFileRead) : 0;
    if (!file) return 0;
    SndSampleHeader header{};
    Stream opened = 0;
    if (!SndReadAiffHeader(&header, file, static_cast<std::uint32_t>(std::max(FileGetSize(file), 0))) ||
        !StreamOpenFileRef(&opened, file, static_cast<std::uint32_t>(FileTell(file)), 0)) {
        FileClose(file);
        return 0;
    }
    StreamSetOwnsFile(opened, 1);
    return finishOpen(stream, opened, channel, chunkMs, header, 0, nullptr);
}

std::uint32_t SndStreamGetPositionMs(Stream stream) {
    return readState<std::uint32_t>(stream, 0, [](const State& s) {
        return SndFramesToMs(s.framesPlayed + SndVoiceGetPosition(s.currentVoice), s.header.rate);
    });
}

std::int16_t SndStreamIsSounding(Stream stream) {
    std::uint32_t state = StreamGetState(stream);
    return state == kStreamRunning || state == kStreamWaiting ? 1 : 0;
}

std::int16_t SndStreamIsNew(Stream stream) { return StreamGetState(stream) == kStreamNew ? 1 : 0; }

std::int16_t SndStreamIsPaused(Stream stream) { return StreamGetState(stream) == kStreamPaused ? 1 : 0; }

std::int16_t SndStreamIsDone(Stream stream) {
    std::uint32_t state = StreamGetState(stream);
    return state == kStreamEnded || state == kStreamNullState ? 1 : 0;
}

std::int16_t SndStreamGetPriority(Stream stream) {
    return readState<std::int16_t>(stream, kSndNoPriority, [](const State& s) { return s.priority; });
}

std::int16_t SndStreamSetPriority(Stream stream, std::int16_t priority) {
    LockedState s(stream);
    if (!s) return kSndNoPriority;
    return std::exchange(s->priority, priority);
}

std::uint16_t SndGetStreamOption() { return streamOption; }

std::uint16_t SndSetStreamOption(std::uint16_t option) { return std::exchange(streamOption, option); }
