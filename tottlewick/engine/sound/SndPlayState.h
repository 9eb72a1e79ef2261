// The play layer's records, shared by its plays and its commands.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "SndManager.h"
#include "SndPlay.h"
#include "Stream.h"

namespace sndplay {

struct PlayRecord {
    std::uint16_t active = 0;
    std::uint16_t pending = 0;  // prepared, not yet started; its channel is disabled meanwhile
    std::uint16_t loop = 0;
    std::uint16_t streamed = 0;
    std::int16_t priority = 0;
    std::uint32_t soundId = 0;
    SndVoiceHandle voice = 0;  // of a sample play
    MemHandle sample = 0;      // of a prepared sample play
    Stream stream = 0;         // of a streamed play
    SndCompletionProc completion = nullptr;
    std::uint32_t completionData = 0;
    std::uint32_t serial = 0;  // tells this play from any other on its channel
};

struct PlayLayer {
    std::uint32_t channelMask = 0xFFFF;
    std::uint32_t enabledMask = 0xFFFF;
    std::uint16_t disabled[kSndChannels] = {};
    std::uint16_t streamMode = 0;
    SndCompletionProc doneProc = nullptr;
    std::uint32_t doneData = 0;
    std::uint32_t lastService = 0;
    std::uint32_t plays = 0;  // the serial of the last play made
    bool serviceGuard = false;
    bool hooksInstalled = false;
    PlayRecord records[kSndChannels];
};

extern PlayLayer layer;

PlayRecord* recordAt(std::int16_t channel);
// Clears the record: re-enables a prepared play's channel, frees a prepared sample, closes a stream.
void clearRecord(std::int16_t channel);
// Clears the record and tells its completion procedure, with the sample block given.
void finishPlay(std::int16_t channel, MemHandle sample);

}  // namespace sndplay
