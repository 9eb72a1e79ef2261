// Streams: a record in a memory handle, driven by numbered messages through an optional filter.
//
// A message goes filter first (StreamSend): the filter answers the message the base handler then acts on.
// The base handler reads one chunk per fill message and announces a full buffer (or an exhausted source)
// with the buffer-ready message.
#include "Stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "EngineClock.h"
#include "FilePath.h"
#include "MemUtil.h"

namespace {

struct StreamRecord {
    std::uint32_t kind;
    std::uint32_t state;
    std::uint32_t savedState;
    const std::uint8_t* memory;
    FileRef file;
    std::uint16_t ownsFile;
    std::uint32_t baseOffset;
    std::uint32_t position;
    std::uint32_t size;
    std::uint8_t* buffer;
    std::uint32_t bufferSize;
    std::uint32_t fill;
    std::uint32_t chunkSize;
    StreamFilter filter;
    const std::uint8_t* lastChunk;
    std::uint32_t lastChunkSize;
    std::uint32_t lastChunkTime;
    std::uint32_t userData;
};

bool isStream(Stream stream) {
    char name[kMemLabelLength + 1];
    return stream && MemHandleGetLabel(stream, name, nullptr) && std::strcmp(name, kStreamLabel) == 0 &&
           MemHandleGetSize(stream) >= sizeof(StreamRecord);
}

// Holds a stream's record locked for one operation; empty for a null, stale or foreign handle.
class LockedRecord {
public:
    explicit LockedRecord(Stream stream)
        : stream_(stream), record_(isStream(stream) ? static_cast<StreamRecord*>(MemHandleLock(stream)) : nullptr) {}
    LockedRecord(const LockedRecord&) = delete;
    LockedRecord& operator=(const LockedRecord&) = delete;
    ~LockedRecord() {
        if (record_) MemHandleUnlock(stream_);
    }
    explicit operator bool() const { return record_ != nullptr; }
    StreamRecord* operator->() const { return record_; }
    StreamRecord& operator*() const { return *record_; }

private:
    Stream stream_;
    StreamRecord* record_;
};

template <typename T>
T readField(Stream stream, T StreamRecord::*field, T fallback = T{}) {
    LockedRecord record(stream);
    return record ? (*record).*field : fallback;
}

template <typename T>
T exchangeField(Stream stream, T StreamRecord::*field, T value) {
    LockedRecord record(stream);
    if (!record) return T{};
    T previous = (*record).*field;
    (*record).*field = value;
    return previous;
}

// A fill pauses the stream when the file cannot be re-positioned (answering 0) or the read comes up short
// (answering 1).
std::uint32_t pauseWith(Stream stream, std::uint32_t answer) {
    StreamSend(stream, kStreamMsgPause);
    return answer;
}

std::uint32_t fillChunk(Stream stream, StreamRecord& r) {
    if (!r.buffer || r.fill > r.bufferSize) return pauseWith(stream, 0);
    std::uint8_t* destination = r.buffer + r.fill;
    std::uint32_t count = std::min(r.chunkSize, r.bufferSize - r.fill);
    if (r.kind != kStreamEmpty) count = std::min(count, r.size - std::min(r.position, r.size));
    std::uint32_t read = 0;
    switch (r.kind) {
        case kStreamFile:
            if (FileTell(r.file) != std::int32_t(r.baseOffset + r.position) && !StreamSend(stream, kStreamMsgSeek))
                return pauseWith(stream, 0);
            if (FileRead(r.file, destination, count) != count) return pauseWith(stream, 1);
            read = count;
            break;
        case kStreamMemory:
            MemCopy(destination, r.memory ? r.memory + r.position : nullptr, count);
            read = count;
            break;
        case kStreamEmpty: break;
        default: return 0;
    }
    r.position += read;
    r.fill += count;
    r.lastChunk = destination;
    r.lastChunkSize = count;
    r.lastChunkTime = ClockMilliseconds();
    return StreamSend(stream, kStreamMsgChunk);
}

std::uint32_t chunkArrived(Stream stream, const StreamRecord& r) {
    bool full = r.fill >= r.bufferSize;
    if (!full && (r.kind == kStreamEmpty || r.position < r.size)) return 1;
    return StreamSend(stream, kStreamMsgReady);
}

std::uint32_t stop(StreamRecord& r) {
    if (r.state == kStreamEnded) return 1;
    if (r.kind == kStreamFile && r.ownsFile && r.file) {
        FileClose(r.file);
        r.file = 0;
    }
    r.state = kStreamEnded;
    return 1;
}

// Positions the file at the stream's position; answers 1 whatever the file says (a filter that must report
// a failure refuses the message itself).
std::uint32_t seekFile(const StreamRecord& r) {
    if (r.kind == kStreamFile) FileSeek(r.file, static_cast<std::int32_t>(r.baseOffset + r.position), 0);
    return 1;
}

std::uint32_t handle(Stream stream, StreamRecord& r, std::uint32_t message) {
    switch (message) {
        case kStreamMsgRefuse: return 0;
        case kStreamMsgStart:
            r.savedState = r.state;
            r.state = kStreamRunning;
            return StreamSend(stream, kStreamMsgFill);
        case kStreamMsgPause:
            r.savedState = r.state;
            r.state = kStreamPaused;
            return 1;
        case kStreamMsgResume:
            r.state = r.savedState;
            r.savedState = kStreamPaused;
            return 1;
        case kStreamMsgFill: return fillChunk(stream, r);
        case kStreamMsgChunk: return chunkArrived(stream, r);
        case kStreamMsgReady:
            r.lastChunk = r.buffer;
            r.lastChunkSize = r.bufferSize;
            r.fill = 0;
            return 1;
        case kStreamMsgStop: return stop(r);
        case kStreamMsgSeek: return seekFile(r);
        default: return 1;
    }
}

std::int16_t openWith(Stream* stream, std::uint32_t kind, const void* memory, FileRef file, std::uint32_t baseOffset,
                      std::uint32_t size) {
    Stream made = 0;
    if (!stream || !StreamNew(&made)) return 0;
    {
        LockedRecord record(made);
        record->kind = kind;
        record->memory = static_cast<const std::uint8_t*>(memory);
        record->file = file;
        record->baseOffset = baseOffset;
        record->size = size;
    }
    *stream = made;
    return 1;
}

}  // namespace

std::int16_t StreamInit() { return 1; }

// Every stream is closed once; one whose filter refuses to be freed stays.
void StreamTerm() {
    std::vector<Stream> streams;
    for (Stream s = MemHandleFind(0, kStreamLabel, nullptr); s; s = MemHandleFind(s, kStreamLabel, nullptr))
        streams.push_back(s);
    for (Stream s : streams) StreamClose(&s);
}

std::int16_t StreamNew(Stream* stream) {
    if (!stream) return 0;
    Stream made = MemHandleAllocFlags(sizeof(StreamRecord), kMemZeroFill);
    if (!made) return 0;
    MemHandleSetLabel(made, kStreamLabel, 0);
    StreamSend(made, kStreamMsgCreate);
    *stream = made;
    return 1;
}

std::int16_t StreamOpenMemory(Stream* stream, const void* address, std::uint32_t size) {
    return openWith(stream, kStreamMemory, address, 0, 0, size);
}

std::int16_t StreamOpenFileRef(Stream* stream, FileRef file, std::uint32_t baseOffset, std::uint32_t size) {
    return openWith(stream, kStreamFile, nullptr, file, baseOffset, size);
}

std::int16_t StreamOpenFile(Stream* stream, const char* name) {
    if (!stream) return 0;
    FileRef file = FileOpen(name, kFileRead);
    if (!file) return 0;
    std::int32_t base = FileTell(file);
    std::int32_t size = FileGetSize(file);
    if (base < 0 || size < base || !StreamOpenFileRef(stream, file, static_cast<std::uint32_t>(base),
                                                      static_cast<std::uint32_t>(size - base))) {
        FileClose(file);
        return 0;
    }
    StreamSetOwnsFile(*stream, 1);
    return 1;
}

std::uint32_t StreamGetState(Stream stream) { return readField(stream, &StreamRecord::state, kStreamNullState); }
std::uint32_t StreamGetKind(Stream stream) { return readField(stream, &StreamRecord::kind); }

const void* StreamGetMemory(Stream stream) {
    LockedRecord record(stream);
    return record && record->kind == kStreamMemory ? record->memory : nullptr;
}

FileRef StreamGetFile(Stream stream) {
    LockedRecord record(stream);
    return record && (record->kind == kStreamFile || record->kind == kStreamEmpty) ? record->file : 0;
}

std::int16_t StreamGetFileName(Stream stream, char* buffer) {
    FileRef file = StreamGetFile(stream);
    char path[kFilePathSize];
    if (!file || !buffer || FileGetPath(file, path) != kFileErrNone) return 0;
    FileGetFileNamePart(path, buffer);
    return 1;
}

std::uint16_t StreamSetOwnsFile(Stream stream, std::uint16_t owns) {
    return exchangeField(stream, &StreamRecord::ownsFile, owns);
}

std::uint32_t StreamGetPosition(Stream stream) { return readField(stream, &StreamRecord::position); }

std::uint32_t StreamGetRemaining(Stream stream) {
    LockedRecord record(stream);
    return record && record->size > record->position ? record->size - record->position : 0;
}

std::uint32_t StreamSetSize(Stream stream, std::uint32_t size) { return exchangeField(stream, &StreamRecord::size, size); }
std::uint32_t StreamGetSize(Stream stream) { return readField(stream, &StreamRecord::size); }

void* StreamSetBuffer(Stream stream, void* buffer, std::uint32_t size) {
    LockedRecord record(stream);
    if (!record) return nullptr;
    void* previous = record->buffer;
    record->buffer = static_cast<std::uint8_t*>(buffer);
    record->bufferSize = size;
    record->fill = 0;
    return previous;
}

void* StreamGetBuffer(Stream stream) { return readField(stream, &StreamRecord::buffer); }
std::uint32_t StreamGetBufferSize(Stream stream) { return readField(stream, &StreamRecord::bufferSize); }
std::uint32_t StreamGetFill(Stream stream) { return readField(stream, &StreamRecord::fill); }

std::uint32_t StreamSetChunkSize(Stream stream, std::uint32_t size) {
    return exchangeField(stream, &StreamRecord::chunkSize, size);
}

std::uint32_t StreamGetChunkSize(Stream stream) { return readField(stream, &StreamRecord::chunkSize); }

StreamFilter StreamSetFilter(Stream stream, StreamFilter filter) {
    return exchangeField(stream, &StreamRecord::filter, filter);
}

StreamFilter StreamGetFilter(Stream stream) { return readField(stream, &StreamRecord::filter); }

std::uint32_t StreamSetUserData(Stream stream, std::uint32_t data) {
    return exchangeField(stream, &StreamRecord::userData, data);
}

std::uint32_t StreamGetUserData(Stream stream) { return readField(stream, &StreamRecord::userData); }

std::uint32_t StreamSetState(Stream stream, std::uint32_t state) {
    return exchangeField(stream, &StreamRecord::state, state);
}

std::uint32_t StreamSetKind(Stream stream, std::uint32_t kind) { return exchangeField(stream, &StreamRecord::kind, kind); }
std::uint32_t StreamSetFill(Stream stream, std::uint32_t fill) { return exchangeField(stream, &StreamRecord::fill, fill); }

const void* StreamGetLastChunk(Stream stream, std::uint32_t* size, std::uint32_t* time) {
    LockedRecord record(stream);
    if (size) *size = record ? record->lastChunkSize : 0;
    if (time) *time = record ? record->lastChunkTime : 0;
    return record ? record->lastChunk : nullptr;
}

std::uint32_t StreamSend(Stream stream, std::uint32_t message) {
    LockedRecord record(stream);
    if (!record) return 0;
    if (record->filter) message = record->filter(stream, message);
    return handle(stream, *record, message);
}

std::uint32_t StreamStart(Stream stream) {
    LockedRecord record(stream);
    if (!record) return 0;
    if (record->state == kStreamEnded) {
        record->fill = 0;
        record->position = 0;
        StreamSend(stream, kStreamMsgSeek);
        record->savedState = record->state;
        record->state = kStreamNew;
    }
    if (!record->buffer || !record->bufferSize || !record->chunkSize || record->chunkSize > record->bufferSize)
        return 0;
    record->position = 0;
    record->fill = 0;
    return StreamSend(stream, kStreamMsgStart);
}

std::uint32_t StreamPause(Stream stream) { return StreamSend(stream, kStreamMsgPause); }
std::uint32_t StreamResume(Stream stream) { return StreamSend(stream, kStreamMsgResume); }
std::uint32_t StreamStop(Stream stream) { return StreamSend(stream, kStreamMsgStop); }

std::uint32_t StreamClose(Stream* stream) {
    if (!stream || !isStream(*stream)) return 0;
    StreamSend(*stream, kStreamMsgStop);
    std::uint32_t answer = StreamSend(*stream, kStreamMsgFree);
    if (answer && MemHandleFree(stream)) *stream = 0;
    return answer;
}

std::uint32_t StreamSeek(Stream stream, std::int32_t offset, std::int16_t origin) {
    LockedRecord record(stream);
    if (!record) return 0;
    std::int64_t position;
    switch (origin) {
        case 0: position = offset; break;
        case 1: position = std::int64_t{record->position} + offset; break;
        case 2: position = std::int64_t{record->size} - offset; break;
        default: return 0;
    }
    record->position = static_cast<std::uint32_t>(std::clamp<std::int64_t>(position, 0, record->size));
    return StreamSend(stream, kStreamMsgSeek);
}

std::uint32_t StreamRewind(Stream stream) {
    LockedRecord record(stream);
    if (!record) return 0;
    record->position = 0;
    return StreamSend(stream, kStreamMsgSeek);
}

std::int16_t StreamClear(Stream stream) {
    LockedRecord record(stream);
    if (!record) return 0;
    *record = StreamRecord{};
    return 1;
}

std::uint32_t StreamServe(Stream stream) {
    std::uint32_t state = StreamGetState(stream);
    if (state == kStreamNullState) return 0;
    bool idle = state == kStreamPaused || state == kStreamEnded;
    return StreamSend(stream, idle ? kStreamMsgServeIdle : kStreamMsgServe);
}

std::int16_t StreamServeAll() {
    for (Stream s = MemHandleFind(0, kStreamLabel, nullptr); s; s = MemHandleFind(s, kStreamLabel, nullptr))
        if (!StreamServe(s)) return 0;
    return 1;
}
