// The stream manager: message-driven chunked delivery of a file stretch, a memory block or an empty source
// into a buffer that the stream's user supplies.
#pragma once

#include <cstdint>

#include "File.h"
#include "MemHandle.h"

// A stream is a memory handle labelled "STREAM".
using Stream = MemHandle;
// Sees every message first and answers the message to hand on to the base handler.
using StreamFilter = std::uint32_t (*)(Stream stream, std::uint32_t message);

enum StreamKind : std::uint32_t { kStreamNone = 0, kStreamFile = 1, kStreamMemory = 2, kStreamEmpty = 3 };
enum StreamState : std::uint32_t { kStreamNew = 0, kStreamRunning = 1, kStreamPaused = 2, kStreamEnded = 3 };

// Messages of the base handler.
enum StreamMessage : std::uint32_t {
    kStreamMsgRefuse = 1,
    kStreamMsgCreate = 2,
    kStreamMsgStart = 3,
    kStreamMsgPause = 4,
    kStreamMsgResume = 5,
    kStreamMsgFill = 6,
    kStreamMsgServe = 7,
    kStreamMsgChunk = 8,
    kStreamMsgReady = 9,
    kStreamMsgStop = 10,
    kStreamMsgFree = 11,
    kStreamMsgSeek = 12,
    kStreamMsgServeIdle = 13,
};

constexpr char kStreamLabel[] = "STREAM";
constexpr std::uint32_t kStreamNullState = 65535;

std::int16_t StreamInit();
void StreamTerm();
[[nodiscard]] std::int16_t StreamNew(Stream* stream);
[[nodiscard]] std::int16_t StreamOpenMemory(Stream* stream, const void* address, std::uint32_t size);
[[nodiscard]] std::int16_t StreamOpenFileRef(Stream* stream, FileRef file, std::uint32_t baseOffset,
                                             std::uint32_t size);
[[nodiscard]] std::int16_t StreamOpenFile(Stream* stream, const char* name);

std::uint32_t StreamGetState(Stream stream);
std::uint32_t StreamGetKind(Stream stream);
const void* StreamGetMemory(Stream stream);
FileRef StreamGetFile(Stream stream);
std::int16_t StreamGetFileName(Stream stream, char* buffer);
std::uint16_t StreamSetOwnsFile(Stream stream, std::uint16_t owns);
std::uint32_t StreamGetPosition(Stream stream);
std::uint32_t StreamGetRemaining(Stream stream);
std::uint32_t StreamSetSize(Stream stream, std::uint32_t size);
std::uint32_t StreamGetSize(Stream stream);
void* StreamSetBuffer(Stream stream, void* buffer, std::uint32_t size);
void* StreamGetBuffer(Stream stream);
std::uint32_t StreamGetBufferSize(Stream stream);
std::uint32_t StreamGetFill(Stream stream);
std::uint32_t StreamSetChunkSize(Stream stream, std::uint32_t size);
std::uint32_t StreamGetChunkSize(Stream stream);
StreamFilter StreamSetFilter(Stream stream, StreamFilter filter);
StreamFilter StreamGetFilter(Stream stream);
std::uint32_t StreamSetUserData(Stream stream, std::uint32_t data);
std::uint32_t StreamGetUserData(Stream stream);
// For the filter's owner, which moves a stream to states and kinds of its own (the sound layer's
// waiting state, a looped region replayed as an empty source) and realigns the fill with its ring.
std::uint32_t StreamSetState(Stream stream, std::uint32_t state);
std::uint32_t StreamSetKind(Stream stream, std::uint32_t kind);
std::uint32_t StreamSetFill(Stream stream, std::uint32_t fill);
// Where the last delivery starts, its length and the clock time of the last fill.
const void* StreamGetLastChunk(Stream stream, std::uint32_t* size, std::uint32_t* time);

std::uint32_t StreamSend(Stream stream, std::uint32_t message);
std::uint32_t StreamStart(Stream stream);
std::uint32_t StreamPause(Stream stream);
std::uint32_t StreamResume(Stream stream);
std::uint32_t StreamStop(Stream stream);
std::uint32_t StreamClose(Stream* stream);
std::uint32_t StreamSeek(Stream stream, std::int32_t offset, std::int16_t origin);
std::uint32_t StreamRewind(Stream stream);
std::int16_t StreamClear(Stream stream);
std::uint32_t StreamServe(Stream stream);
std::int16_t StreamServeAll();
