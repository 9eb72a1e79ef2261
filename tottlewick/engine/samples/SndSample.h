// Sound resources turned into sample blocks: a header block (SndSampleHeader) whose audio data block holds
// the decoded PCM frames. Loaded blocks are labelled "XSND" with the sound id, so a second load of the
// same id copies the one in memory.
#pragma once

#include <cstdint>

#include "File.h"
#include "MemHandle.h"
#include "SndFormat.h"

constexpr char kSndSampleLabel[] = "XSND";

// A copy of the "XSND" block of the id, else resource 'AIF' or 'SND' of the id from memory, else read in
// place from its resource file ('AIF' first); 0 when there is none or it is damaged.
[[nodiscard]] MemHandle SndLoadSample(std::uint16_t id);
// Frees the audio data and the header and clears *sample; 0, or 1 when there is none.
std::int16_t SndFreeSample(MemHandle* sample);
std::int16_t SndIsSampleLoaded(std::uint16_t id);
// 1 when 'AIF' or 'SND' of the id is loaded, or its sample block exists.
std::int16_t SndIsInMemory(std::uint16_t id);
SndSampleHeader* SndSampleLock(MemHandle sample);
std::int16_t SndSampleUnlock(MemHandle sample);

// From the current position of an open file, size bytes, as AIFF or as 'SND'.
[[nodiscard]] MemHandle SndLoadSampleFromFile(FileRef file, std::uint32_t size);
[[nodiscard]] MemHandle SndLoadSampleSndFromFile(FileRef file, std::uint32_t size);
// From the whole of a memory block.
[[nodiscard]] MemHandle SndLoadSampleFromHandle(MemHandle data);
[[nodiscard]] MemHandle SndLoadSampleSndFromHandle(MemHandle data);
// Only the header; the file is left at the first data byte. 1 on success, else 0.
std::int16_t SndReadAiffHeader(SndSampleHeader* header, FileRef file, std::uint32_t size);
std::int16_t SndReadSndHeader(SndSampleHeader* header, FileRef file, std::uint32_t size);

// frames x 1000 / rate and rate x ms / 1000; 0 for a rate of 0.
std::uint32_t SndFramesToMs(std::uint32_t frames, std::uint32_t rate);
std::uint32_t SndMsToFrames(std::uint32_t ms, std::uint32_t rate);
