// Streamed samples: a long sound played from a stream, decoded a chunk at a time into a ring of PCM and
// queued chunk by chunk as append voices on one channel, so that the sound never has to be in memory whole.
// The sound filter on the stream does the work as the stream's messages arrive.
#pragma once

#include <cstdint>

#include "Stream.h"

// Loop modes: 0 none; 1 loop the marked loop region (read to the loop end, then replay the decoded ring
// from the empty source); 2 inside the loop region; 3 loop the whole sound by repositioning the stream.
enum SndLoopMode : std::uint16_t { kSndNoLoop = 0, kSndLoopRegion = 1, kSndInRegion = 2, kSndLoopAll = 3 };

// Stream states beyond the base ones: the chunk is queued and the stream waits for it to play.
constexpr std::uint32_t kStreamWaiting = 4;
constexpr std::uint32_t kSndChunkMs = 1000;

// Each opens a stream of the sound with the sound filter on it for a play on the channel, its loop mode
// chosen from the loop setting and the option word; 1 on success, else nothing stays open and 0.
// Resource 'AIF' id, else 'SND' id, read in place from its resource file:
std::int16_t SndStreamOpenResource(Stream* stream, std::int16_t channel, std::uint32_t chunkMs, std::uint16_t id);
// The resource's encoded data read whole into memory first:
std::int16_t SndStreamOpenMemory(Stream* stream, std::int16_t channel, std::uint32_t chunkMs, std::uint16_t id);
// An AIFF file, which the stream owns:
std::int16_t SndStreamOpenFile(Stream* stream, std::int16_t channel, std::uint32_t chunkMs, const char* name);

std::uint32_t SndStreamGetPositionMs(Stream stream);
// Running or waiting.
std::int16_t SndStreamIsSounding(Stream stream);
std::int16_t SndStreamIsNew(Stream stream);
std::int16_t SndStreamIsPaused(Stream stream);
// Neither sounds nor has data still to deliver: ended, or no stream at all.
std::int16_t SndStreamIsDone(Stream stream);
// The priority of the stream's voices; 32768 (as -32768) when there is no sound state.
std::int16_t SndStreamGetPriority(Stream stream);
std::int16_t SndStreamSetPriority(Stream stream, std::int16_t priority);
// The loop mode of looping streamed plays: 0 gives mode 1, 1 gives mode 3, any other value no looping.
std::uint16_t SndGetStreamOption();
std::uint16_t SndSetStreamOption(std::uint16_t option);
