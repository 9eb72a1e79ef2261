// Wave sounds: the header read at construction, loading and streaming, play, stop, pause and resume, the
// volume table, and finishing with the hooks once per pass.
#include "OMWaveSound.h"

#include <algorithm>
#include <cstring>

#include "OMSampleMix.h"
#include "OMWaveHeader.h"
#include "OMWaveOutMixer.h"

namespace {

std::int32_t soundsAlive = 0;
std::int32_t keepDeviceOpen = 0;

constexpr std::int32_t kProbeRate = 11025;
constexpr std::int32_t kDeviceRate = 22050;
// The header is looked for in the first bytes of the stream only.
constexpr std::int32_t kHeaderProbeBytes = 1024;

}  // namespace

OMWaveSound::OMWaveSound(OMIStream* source, std::int32_t preload) : stream(source) {
    if (soundsAlive++ == 0) OMWaveOutMixer::init();
    parseHeader();
    loaded = preload ? 0 : 1;
    if (preload) (void)load();
    else (void)unload();
}

OMWaveSound::~OMWaveSound() {
    started = 0;
    if (unload()) deleteHooks();
    if (--soundsAlive == 0) OMWaveOutMixer::shutdown();
}

// Only the bytes the first read delivered are parsed, and the data end where the stream ends.
void OMWaveSound::parseHeader() {
    if (!stream) return;
    std::unique_ptr<std::uint8_t[]> scratch(new std::uint8_t[kHeaderProbeBytes]);
    stream->seek(0);
    std::int32_t count = 0;
    if (stream->whole) {
        count = std::clamp(stream->read(), 0, kHeaderProbeBytes);
        if (count) std::memcpy(scratch.get(), stream->current, std::size_t(count));
    } else {
        stream->setBuffer(kHeaderProbeBytes, scratch.get());
        count = std::clamp(stream->read(), 0, kHeaderProbeBytes);
    }
    const OMWaveHeader header = parseWaveHeader(scratch.get(), std::size_t(count));
    const std::int32_t available = std::max(stream->size - header.dataOffset, 0);
    length = std::min(header.length, available);
    sampleRate = header.rate;
    dataOffset = header.dataOffset;
    segmentStart = 0;
    segmentLast = length - 1;
}

std::int32_t OMWaveSound::load() {
    if (!stop()) return 0;
    if (!stream) return 1;
    if (!loaded) {
        loaded = 1;
        bytesRead = 0;
        stream->seek(dataOffset + segmentStart);
        if (streaming()) readPreloadedBlocks();
        else (void)stream->read();
    } else {
        stream->seek(dataOffset + segmentStart + OMWaveOutMixer::preloadBytes());
    }
    preloadIndex = 0;
    return 1;
}

void OMWaveSound::readPreloadedBlocks() {
    if (!preloaded) {
        preloaded.reset(new std::uint8_t[std::size_t(OMWaveOutMixer::preloadBytes())]);
        preloadedCounts.reset(new std::int32_t[std::size_t(OMWaveOutMixer::bufferCount())]);
    }
    const std::int32_t block = OMWaveOutMixer::blockSize();
    for (std::int32_t i = 0; i < OMWaveOutMixer::bufferCount(); ++i) {
        stream->setBuffer(block, preloaded.get() + std::size_t(i) * std::size_t(block));
        preloadedCounts[i] = std::max(stream->read(), 0);
        bytesRead += preloadedCounts[i];
    }
}

std::int32_t OMWaveSound::unload() {
    if (!stop()) return 0;
    if (loaded && stream) {
        loaded = 0;
        preloaded.reset();
        preloadedCounts.reset();
        stream->close();
    }
    return 1;
}

void OMWaveSound::setSegment(std::int32_t start, std::int32_t count) {
    const std::int32_t first = std::clamp(start, 0, std::max(length - 1, 0));
    const std::int64_t wanted = count < 0 ? length : count;
    const std::int32_t last = static_cast<std::int32_t>(std::min<std::int64_t>(first + wanted - 1, length - 1));
    const bool changed = first != segmentStart || last != segmentLast;
    segmentStart = first;
    segmentLast = last;
    if (changed && loaded && unload()) (void)load();
}

// A sound without samples or rate is refused, and so is one whose device cannot be opened at its rate:
// neither could ever finish.
std::int32_t OMWaveSound::play(std::int32_t async) {
    if (!playable() || !openDevice(keepDeviceOpen) || !load()) return 0;
    if (!OMWaveOutMixer::active() && OMWaveOutMixer::paused().count == 0) {
        OMWaveOutMixer::openAtRate(static_cast<std::uint32_t>(sampleRate));
        if (!OMWaveOutMixer::deviceOpen()) return 0;
    }
    passesPlayed = 0;
    if (streaming()) {
        const std::size_t blocks = std::size_t(OMWaveOutMixer::ringSize());
        ring.reset(new std::uint8_t[blocks * std::size_t(OMWaveOutMixer::blockSize())]);
        ringCounts.reset(new std::int32_t[blocks]);
    }
    records.reset(new OMWaveSoundRecord[std::size_t(OMWaveOutMixer::bufferCount())]);
    emptyRecords();
    skipCount = 0;
    samplesPlayed = 0;
    position = segmentStart;
    ringRead = ringWrite = ringCount = 0;
    volumeTable.reset(new std::uint8_t[kVolumeTableSize]);
    setVolume(volumeLevel);
    if (paused) OMWaveOutMixer::paused().append(this);
    else OMWaveOutMixer::startPlaying(this, false);
    if (!async) waitUntilDone();
    return 1;
}

std::int32_t OMWaveSound::stop() {
    OMWaveOutMixer::forgetInBuffers(this);
    OMWaveOutMixer::playing().remove(this);
    OMWaveOutMixer::finishing().remove(this);
    OMWaveOutMixer::paused().remove(this);
    if (OMWaveOutMixer::active()) OMWaveOutMixer::removeFromQueued(this);
    return finish();
}

std::int32_t OMWaveSound::finish() {
    if (!OMWaveOutMixer::playing().contains(this) && !OMWaveOutMixer::endsInSomeBuffer(this)) {
        OMWaveOutMixer::finishing().remove(this);
        freePlayTables();
    }
    if (!OMWaveOutMixer::active()) {
        OMWaveOutMixer::resetDevice();
        if (OMWaveOutMixer::paused().count == 0 && !keepDeviceOpen) OMWaveOutMixer::closeDevice();
    }
    samplesPlayed = 0;
    if (!started) return 1;
    started = 0;
    return fireFinishGuarded() ? 1 : 0;
}

void OMWaveSound::freePlayTables() {
    volumeTable.reset();
    ring.reset();
    ringCounts.reset();
    records.reset();
    emptyRecords();
}

void OMWaveSound::pause() {
    if (paused) return;
    paused = 1;
    if (!OMWaveOutMixer::playing().contains(this) && !OMWaveOutMixer::finishing().contains(this)) return;
    OMWaveOutMixer::forgetInBuffers(this);
    OMWaveOutMixer::playing().remove(this);
    OMWaveOutMixer::finishing().remove(this);
    OMWaveOutMixer::paused().append(this);
    if (hasRecords()) restoreFrom(record(0));
    if (OMWaveOutMixer::active()) OMWaveOutMixer::removeFromQueued(this);
    else OMWaveOutMixer::resetDevice();
    emptyRecords();
    firePause();
}

void OMWaveSound::resume() {
    if (!paused) return;
    paused = 0;
    if (!OMWaveOutMixer::paused().contains(this)) return;
    OMWaveOutMixer::paused().remove(this);
    OMWaveOutMixer::startPlaying(this, true);
}

// The read-ahead blocks between the record's and the current read index are still in the ring, so they
// count again.
void OMWaveSound::restoreFrom(const OMWaveSoundRecord& recorded) {
    const std::int32_t ringSize = OMWaveOutMixer::ringSize();
    if (streaming()) ringCount += (ringRead - recorded.ringRead + ringSize) % ringSize;
    position = recorded.position;
    passesPlayed = recorded.passesPlayed;
    preloadIndex = recorded.preloadIndex;
    ringRead = recorded.ringRead;
    samplesPlayed = recorded.samplesPlayed;
}

void OMWaveSound::setVolume(std::int32_t v) {
    const std::int32_t before = volumeLevel;
    volumeLevel = std::clamp(v, 0, 100);
    if (!volumeTable) return;
    std::uint8_t old[kVolumeTableSize];
    std::memcpy(old, volumeTable.get(), kVolumeTableSize);
    buildVolumeTable(volumeTable.get(), volumeLevel);
    if (volumeLevel == before || !OMWaveOutMixer::anyQueued()) return;
    std::uint8_t difference[kVolumeTableSize];
    buildDifferenceTable(difference, old, volumeTable.get());
    OMWaveOutMixer::adjustQueued(this, difference);
}

std::int32_t OMWaveSound::durationMs() const {
    if (sampleRate <= 0) return 0;
    return static_cast<std::int32_t>(std::int64_t{length} * 1000 / sampleRate);
}

// Pumps while this is the only sound heard; ends when the device can no longer finish buffers.
void OMWaveSound::waitUntilDone() {
    if (OMWaveOutMixer::playing().count + OMWaveOutMixer::finishing().count > 1) return;
    while (OMWaveOutMixer::active() && OMWaveOutMixer::deviceOpen() && !outputPaused()) OMWaveOutMixer::pump();
}

std::int32_t OMWaveSound::openDevice(std::int32_t keepOpen) {
    keepDeviceOpen = keepOpen;
    if (OMWaveOutMixer::deviceOpen()) return 1;
    OMWaveOutMixer::openAtRate(kProbeRate);
    if (!OMWaveOutMixer::deviceOpen()) return 0;
    OMWaveOutMixer::closeDevice();
    OMWaveOutMixer::openAtRate(kDeviceRate);
    const bool opened = OMWaveOutMixer::deviceOpen();
    if (!keepOpen) OMWaveOutMixer::closeDevice();
    return opened ? 1 : 0;
}

void OMWaveSound::closeDevice() {
    OMWaveOutMixer::resetDevice();
    OMWaveOutMixer::closeDevice();
}

std::int32_t OMWaveSound::alive() { return soundsAlive; }

OMWaveSoundRecord& OMWaveSound::takeRecord() {
    const std::int32_t slot = OMWaveOutMixer::wrapBuffer(recordHead + recordCount);
    if (recordCount < OMWaveOutMixer::bufferCount()) ++recordCount;
    else recordHead = OMWaveOutMixer::wrapBuffer(recordHead + 1);
    return records[slot];
}

void OMWaveSound::dropOldestRecord() {
    if (recordCount == 0) return;
    recordHead = OMWaveOutMixer::wrapBuffer(recordHead + 1);
    --recordCount;
}

void OMWaveSound::emptyRecords() {
    recordHead = 0;
    recordCount = 0;
}
