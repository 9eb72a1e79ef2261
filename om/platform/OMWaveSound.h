// An 8-bit wave sound read from a stream holding RIFF WAVE data or a big-endian sound resource, played by
// the wave mixer.
#pragma once

#include <cstdint>
#include <memory>

#include "OMIStream.h"
#include "OMSound.h"
#include "OMWaveOutMixer.h"

// The sound's state before one device buffer received its samples, so that the samples can be taken back
// out of a buffer still queued and the sound rewound to them.
struct OMWaveSoundRecord {
    std::int32_t buffer = 0;
    const std::uint8_t* source = nullptr;
    std::int32_t count = 0;
    std::int32_t samplesPlayed = 0;
    std::int32_t position = 0;
    std::int32_t passesPlayed = 0;
    std::int32_t preloadIndex = 0;
    std::int32_t ringRead = 0;
};

class OMWaveSound : public OMSound {
public:
    // The stream is not owned: its creator deletes it after the sound. With preload the data are read now;
    // without, the stream stays closed until the sound is played.
    OMWaveSound(OMIStream* source, std::int32_t preload);
    ~OMWaveSound() override;

    const char* typeName() const override { return "OMWaveSound"; }
    std::int32_t play(std::int32_t async) override;
    std::int32_t stop() override;
    std::int32_t load() override;
    std::int32_t unload() override;
    void setVolume(std::int32_t v) override;
    std::int32_t volume() const override { return volumeLevel; }
    std::int32_t durationMs() const override;
    void pause() override;
    void resume() override;
    void waitUntilDone() override;

    // Plays `count` samples from `start` (-1 or below 0: to the end of the data).
    void setSegment(std::int32_t start, std::int32_t count);

    // 1 when a device is there; keepOpen leaves it open afterwards (and after the last sound ends).
    static std::int32_t openDevice(std::int32_t keepOpen);
    static void closeDevice();
    static std::int32_t alive();

    // A stream that does not hold the whole data in memory is read ahead block by block.
    bool streaming() const { return !stream->whole; }
    // Takes the sound's own state back to that of a record.
    void restoreFrom(const OMWaveSoundRecord& record);
    // Finishes the sound after a stop, or after the buffer holding the end of one of its passes retired.
    std::int32_t finish();
    bool hasRecords() const { return recordCount > 0; }
    OMWaveSoundRecord& record(std::int32_t nth) { return records[OMWaveOutMixer::wrapBuffer(recordHead + nth)]; }
    // A new record behind the others.
    OMWaveSoundRecord& takeRecord();
    void dropOldestRecord();
    void emptyRecords();

    std::int32_t samplesPlayed = 0;
    std::int32_t length = 0;
    std::int32_t position = 0;
    std::int32_t segmentStart = 0;
    std::int32_t segmentLast = -1;
    std::int32_t dataOffset = 0;
    OMIStream* stream;
    std::unique_ptr<std::uint8_t[]> volumeTable;
    std::int32_t sampleRate = 0;

    // Streaming: one block per device buffer read at load, then a ring read ahead between buffers (with
    // the bytes each holds). A whole-in-memory sound uses ringRead as the index of its next block instead.
    std::unique_ptr<std::uint8_t[]> preloaded;
    std::unique_ptr<std::int32_t[]> preloadedCounts;
    std::int32_t preloadIndex = 0;
    std::unique_ptr<std::uint8_t[]> ring;
    std::unique_ptr<std::int32_t[]> ringCounts;
    std::int32_t ringRead = 0;
    std::int32_t ringWrite = 0;
    std::int32_t ringCount = 0;
    std::int32_t bytesRead = 0;

    // One record per queued device buffer holding the sound's samples, oldest first; retired buffers
    // let skipCount pass before the oldest record goes.
    std::int32_t recordHead = 0;
    std::int32_t recordCount = 0;
    std::int32_t skipCount = 0;
    std::unique_ptr<OMWaveSoundRecord[]> records;

private:
    void parseHeader();
    void readPreloadedBlocks();
    void freePlayTables();
    bool playable() const { return length > 0 && sampleRate > 0; }
};
