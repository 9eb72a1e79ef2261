// The sound of an animation's sound cue: the WAVE data from the sound hook, the sound made of it and how
// many of its plays have started and not finished. An animation and its copies share their records.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "OMIStream.h"
#include "OMWaveSound.h"

struct AOSoundRecord {
    // The sound reads the data, so it is declared after them and destroyed first.
    std::unique_ptr<OMIStream> data;
    std::unique_ptr<OMWaveSound> sound;
    std::uint16_t soundId = 0;
    // The sound plays once at a time: 1 from its start until it finishes.
    std::int32_t playCount = 0;
};

using AOSoundRecords = std::vector<std::unique_ptr<AOSoundRecord>>;

// The record of a sound id, or null.
AOSoundRecord* findSoundRecord(const AOSoundRecords& records, std::uint16_t soundId);
// The record of a sound id, made on first use from the hook's data (a preloaded sound; no sound when the
// hook has no data).
AOSoundRecord& soundRecordFor(AOSoundRecords& records, std::uint16_t soundId, OMIStream* (*hook)(std::int16_t));
// Deletes the record of a sound id, or every record, quietly: hooks are cleared first, so deleting a
// playing sound calls nobody.
void dropSoundRecord(AOSoundRecords& records, std::uint16_t soundId);
void dropSoundRecords(AOSoundRecords& records);
// Whether a play of some record's sound has started and not finished.
bool anySoundPlaying(const AOSoundRecords& records);
