// The wave mixer: the ring of device buffers, mixing, retiring with the sounds' hooks, sounds added into and
// taken out of queued buffers, and the streaming sounds' block supply.
//
//   ring of bufferCount() buffers          head: oldest not yet retired   tail: last one filled
//   [ free | head: heard | queued | queued | tail | free ... ]        (head and tail -1: the ring is empty)
//
// Every playing sound takes one record per buffer that receives its samples, so a sound can be taken back
// out of queued buffers (stop, pause, a volume change) and rewound to the oldest one (pause).
#include "OMWaveOutMixer.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "OMAppInitTerm.h"
#include "OMSampleMix.h"
#include "OMSystemUtilities.h"
#include "OMTask.h"
#include "OMWaveDevice.h"
#include "OMWaveSound.h"

namespace {

constexpr std::uint8_t kSilence = 128;

// The sounds whose pass begins, ends or resumes in one device buffer.
struct QueueInfo {
    OMList<OMWaveSound> started;
    OMList<OMWaveSound> ended;
    OMList<OMWaveSound> resumed;
};

// The accumulator, the buffers and the queue records are sized by the settings when the first wave sound
// is made, and freed with the last.
struct MixerState {
    std::uint32_t rate = 0;
    OMTask* task = nullptr;
    std::unique_ptr<std::int16_t[]> accumulator;
    std::unique_ptr<std::uint8_t[]> buffers;
    std::unique_ptr<QueueInfo[]> queue;
    std::int32_t head = -1;
    std::int32_t tail = -1;
    OMList<OMWaveSound> playing;
    OMList<OMWaveSound> finishing;
    OMList<OMWaveSound> paused;
    OMList<OMLink> shifts;
    OMWaveSound* readAheadCursor = nullptr;
    std::int32_t underrunCountdown = 0;
    std::uint32_t lastWriteMs = 0;
    bool abort = false;
};

MixerState& mixer() {
    static MixerState state;
    return state;
}

// The device is closed at exit, after the application's own terminators that stop their sounds.
OMAppInitTerm deviceTerminator{nullptr, &OMWaveSound::closeDevice};
const bool terminatorRegistered = (registerInitTerm(&deviceTerminator), true);

// The settings under the names the class's own functions use.
std::int32_t blockSize() { return OMWaveOutMixer::blockSize(); }
std::int32_t bufferCount() { return OMWaveOutMixer::bufferCount(); }
std::int32_t nextIndex(std::int32_t index) { return OMWaveOutMixer::wrapBuffer(index + 1); }
std::int32_t ringIndex(std::int32_t offset) { return OMWaveOutMixer::wrapBuffer(mixer().head + offset); }
bool written(std::int32_t index) { return waveDevice().flags(index) != 0; }
bool done(std::int32_t index) { return (waveDevice().flags(index) & kWaveBufferDone) != 0; }
bool pending(std::int32_t index) { return written(index) && !done(index); }

// Buffers from head to tail. Head just past tail is a full ring when the head buffer is written, else one
// whose buffers have all been retired.
std::int32_t ringSpan() {
    const MixerState& m = mixer();
    if (m.head < 0 || m.tail < 0) return 0;
    const std::int32_t span = OMWaveOutMixer::wrapBuffer(m.tail - m.head + bufferCount()) + 1;
    if (span == bufferCount() && !written(m.head)) return 0;
    return span;
}

std::int32_t pendingCount() {
    std::int32_t count = 0;
    for (std::int32_t k = 0, span = ringSpan(); k < span; ++k) count += pending(ringIndex(k)) ? 1 : 0;
    return count;
}

bool ringFull() {
    const MixerState& m = mixer();
    return m.tail >= 0 && nextIndex(m.tail) == m.head && written(m.head);
}

// The device took everything it was given: nothing queued, or the last buffer finished.
bool ranDry() {
    const MixerState& m = mixer();
    return m.tail < 0 || !written(m.tail) || done(m.tail);
}

std::uint8_t* bufferAt(std::int32_t index) { return mixer().buffers.get() + std::size_t(index) * blockSize(); }

// Records the sound's state before buffer `index`, joins the started list at a pass start, and takes the
// samples for the buffer. A block that holds fewer samples than the pass still needs ends the pass there.
OMWaveBlock takeSamples(OMWaveSound* sound, std::int32_t index) {
    OMWaveSoundRecord& record = sound->takeRecord();
    record = OMWaveSoundRecord{};
    record.buffer = index;
    record.samplesPlayed = sound->samplesPlayed;
    record.position = sound->position;
    record.passesPlayed = sound->passesPlayed;
    record.preloadIndex = sound->preloadIndex;
    record.ringRead = sound->ringRead;
    std::int32_t count = std::min(blockSize(), sound->segmentLast - sound->position + 1);
    if (sound->position == sound->segmentStart) mixer().queue[index].started.append(sound);
    OMWaveBlock block = OMWaveOutMixer::nextBlock(sound);
    if (block.count < count) {
        count = std::max(block.count, 0);
        sound->position = sound->segmentLast + 1;
    } else {
        sound->position += count;
    }
    record.source = block.samples;
    record.count = count;
    return {block.samples, count};
}

// After a sound's samples: past its last sample the pass ends in this buffer; the sound rewinds for the
// next pass (which begins in the next buffer) or, after its last pass, waits in the finishing list.
void endPassIfDone(OMWaveSound* sound, std::int32_t index) {
    if (sound->position <= sound->segmentLast) return;
    MixerState& m = mixer();
    m.queue[index].ended.append(sound);
    ++sound->passesPlayed;
    if (sound->repeatCount != -1 && sound->passesPlayed >= sound->repeatCount) {
        m.playing.remove(sound);
        m.finishing.append(sound);
    } else {
        OMWaveOutMixer::rewind(sound);
    }
}

void shiftEach(std::uint32_t ms) {
    OMListCallbackBlock<OMLink> block;
    block.functionWithArgument = [](OMLink* link, OMArg interval) {
        link->invokeWith(interval);
        return std::int32_t{0};
    };
    mixer().shifts.forEach(3, block, ms);
}

// Writes a filled buffer. When the device had already finished the previous one it ran dry: the gap beyond
// one buffer's playing time goes to the timing-shift links, and the next few writes are not checked.
void writeBuffer(std::int32_t index, std::int32_t previousTail, std::int32_t produced) {
    MixerState& m = mixer();
    const std::uint32_t now = ticksMs();
    if (m.underrunCountdown == 0 && previousTail >= 0 && done(previousTail)) {
        m.underrunCountdown = OMWaveOutMixer::keepQueued() - 1;
        const std::int64_t bufferMs = m.rate ? std::int64_t{blockSize()} * 1000 / m.rate : 0;
        const std::int64_t gap = std::int64_t{now - m.lastWriteMs} - bufferMs;
        shiftEach(static_cast<std::uint32_t>(gap > 0 ? gap : 0));
    } else if (m.underrunCountdown > 0) {
        --m.underrunCountdown;
    }
    m.lastWriteMs = now;
    std::uint8_t* out = bufferAt(index);
    if (produced < blockSize()) std::memset(out + produced, kSilence, std::size_t(blockSize() - produced));
    waveDevice().write(index, out, static_cast<std::uint32_t>(blockSize()));
}

// One sound's samples are copied (through its table below volume 100).
std::int32_t copyOne(OMWaveSound* sound, std::int32_t index) {
    const OMWaveBlock block = takeSamples(sound, index);
    const std::size_t n = std::size_t(block.count);
    std::uint8_t* out = bufferAt(index);
    if (n && sound->volumeLevel == 100) std::memcpy(out, block.samples, n);
    else if (n) copyThroughTable(out, block.samples, n, sound->volumeTable.get());
    endPassIfDone(sound, index);
    return block.count;
}

// Several sounds are summed in the accumulator (a sound at volume 0 adds nothing) and clamped once.
std::int32_t accumulateAll(std::int32_t index, bool& anyTaken) {
    MixerState& m = mixer();
    std::int16_t* accumulator = m.accumulator.get();
    std::fill(accumulator, accumulator + blockSize(), std::int16_t{0});
    std::int32_t produced = 0;
    OMListElement<OMWaveSound>* next = nullptr;
    for (OMListElement<OMWaveSound>* node = m.playing.head; node; node = next) {
        next = node->next;
        OMWaveSound* sound = node->element;
        if (sound->paused) continue;
        const OMWaveBlock block = takeSamples(sound, index);
        anyTaken = true;
        const std::size_t n = std::size_t(block.count);
        const std::uint8_t* table = sound->volumeTable.get();
        if (sound->volumeLevel == 100) accumulate(accumulator, block.samples, n);
        else if (sound->volumeLevel > 0) accumulateThroughTable(accumulator, block.samples, n, table);
        produced = std::max(produced, block.count);
        endPassIfDone(sound, index);
    }
    outputMix(bufferAt(index), accumulator, std::size_t(produced));
    return produced;
}

std::int32_t mixSounds(std::int32_t index, bool& anyTaken) {
    OMList<OMWaveSound>& playing = mixer().playing;
    if (playing.count != 1) return accumulateAll(index, anyTaken);
    if (playing.head->element->paused) return 0;
    anyTaken = true;
    return copyOne(playing.head->element, index);
}

// Mixes the playing sounds into the buffer after the tail and writes it. A buffer that no sound took part
// in is not written and the tail stays where it was, so the ring never waits for a buffer never queued.
bool mixNextBuffer() {
    MixerState& m = mixer();
    const std::int32_t previousTail = m.tail;
    if (m.tail < 0) {
        m.underrunCountdown = 0;
        m.tail = 0;
    } else {
        m.tail = nextIndex(m.tail);
    }
    bool anyTaken = false;
    const std::int32_t produced = mixSounds(m.tail, anyTaken);
    if (!anyTaken) {
        m.tail = previousTail;
        if (previousTail < 0) m.head = -1;
        return false;
    }
    writeBuffer(m.tail, previousTail, produced);
    return true;
}

// A retired buffer advances every sound that has a record in it; a sound added later lets skipCount
// buffers pass first. A finishing sound keeps its last record until it is finished.
void advance(OMList<OMWaveSound>& sounds, bool finishingSounds) {
    for (OMListElement<OMWaveSound>* node = sounds.head; node; node = node->next) {
        OMWaveSound* sound = node->element;
        if (finishingSounds && sound->recordCount <= 1) continue;
        if (sound->skipCount > 0) {
            --sound->skipCount;
            continue;
        }
        sound->dropOldestRecord();
        const std::int32_t segment = sound->segmentLast - sound->segmentStart + 1;
        sound->samplesPlayed = std::min(sound->samplesPlayed + blockSize(), segment);
    }
}

// The head buffer is being heard: its sounds start (or resume); once the device finished it, it retires
// and the passes that ended in it finish. Hooks may reset the device, which ends the walk.
void retireHead() {
    MixerState& m = mixer();
    m.abort = false;
    const std::int32_t index = m.head;
    QueueInfo& info = m.queue[index];
    while (!m.abort && info.started.head) {
        OMWaveSound* sound = info.started.remove(info.started.head->element);
        sound->started = 1;
        sound->fireStart();
    }
    while (!m.abort && info.resumed.head) info.resumed.remove(info.resumed.head->element)->fireResume();
    if (m.abort || !done(index)) return;
    m.head = nextIndex(index);
    waveDevice().unprepare(index);
    advance(m.playing, false);
    advance(m.finishing, true);
    while (!m.abort && info.ended.head) (void)info.ended.remove(info.ended.head->element)->finish();
}

void addInto(std::int32_t index, OMWaveSound* sound, const OMWaveBlock& block) {
    if (block.count <= 0) return;
    if (sound->volumeLevel == 100) addClamped(bufferAt(index), block.samples, std::size_t(block.count));
    else addThroughTable(bufferAt(index), block.samples, std::size_t(block.count), sound->volumeTable.get());
}

// Adds a starting sound into the queued buffers from ring offset `from` on, until its last pass ends.
void addIntoQueued(OMWaveSound* sound, std::int32_t from, std::int32_t span, bool& resuming) {
    for (std::int32_t k = from; k < span && mixer().playing.contains(sound); ++k) {
        const std::int32_t index = ringIndex(k);
        const OMWaveBlock block = takeSamples(sound, index);
        if (resuming) {
            mixer().queue[index].resumed.append(sound);
            resuming = false;
        }
        addInto(index, sound, block);
        endPassIfDone(sound, index);
    }
}

// Where a starting sound's first samples go: startLead() buffers after the first one not yet finished,
// when that still lies within the queue (the sound is then added into the buffers from there); else
// behind the tail. Returns the ring offset of that buffer.
std::int32_t placeInQueue(OMWaveSound* sound, bool& resuming) {
    const std::int32_t span = ringSpan();
    for (std::int32_t k = 0; k < span; ++k) {
        if (!pending(ringIndex(k))) continue;
        const std::int32_t start = k + OMWaveOutMixer::startLead();
        if (start >= span) break;
        addIntoQueued(sound, start, span, resuming);
        return start;
    }
    return span;
}

bool starved(const OMWaveSound* sound) {
    return sound->streaming() && sound->preloadIndex >= bufferCount() && sound->ringCount == 0;
}

void readIntoRing(OMWaveSound* sound) {
    const std::int32_t slot = sound->ringWrite;
    sound->stream->setBuffer(blockSize(), sound->ring.get() + std::size_t(slot) * blockSize());
    const std::int32_t count = std::max(sound->stream->read(), 0);
    sound->ringCounts[slot] = count;
    sound->bytesRead += count;
    sound->ringWrite = (slot + 1) % OMWaveOutMixer::ringSize();
    ++sound->ringCount;
}

// The first streaming sound from the cursor on (wrapping once) that `wants` a block; null when none.
template <class Wants>
OMListElement<OMWaveSound>* findFrom(OMListElement<OMWaveSound>* start, Wants wants) {
    OMListElement<OMWaveSound>* node = start;
    do {
        if (node->element->streaming() && wants(node->element)) return node;
        node = node->next ? node->next : mixer().playing.head;
    } while (node != start);
    return nullptr;
}

// In a slice that mixed nothing: one block for a streaming sound whose ring ran empty, else for one whose
// ring is less than half full and whose data are not all read.
void readAhead() {
    MixerState& m = mixer();
    OMListElement<OMWaveSound>* start = m.playing.head;
    for (OMListElement<OMWaveSound>* n = m.playing.head; n; n = n->next)
        if (n->element == m.readAheadCursor) start = n;
    OMListElement<OMWaveSound>* served = findFrom(start, [](OMWaveSound* s) { return s->ringCount == 0; });
    if (!served)
        served = findFrom(start, [](OMWaveSound* s) {
            return s->ringCount < bufferCount() && s->bytesRead < s->length;
        });
    if (!served) return;
    readIntoRing(served->element);
    m.readAheadCursor = served->next ? served->next->element : nullptr;
}

}  // namespace

void OMWaveOutMixer::init() {
    MixerState& m = mixer();
    m.head = m.tail = -1;
    m.accumulator.reset(new std::int16_t[std::size_t(blockSize())]);
    m.buffers.reset(new std::uint8_t[std::size_t(bufferCount()) * std::size_t(blockSize())]);
    m.queue.reset(new QueueInfo[std::size_t(bufferCount())]);
    waveDevice().setBufferCount(bufferCount());
    const OMLinkToFct slice([](OMArg) { pump(); });
    m.task = new OMTask(&slice, 0);
    appendTask(m.task);
}

void OMWaveOutMixer::shutdown() {
    MixerState& m = mixer();
    delete m.task;
    m.task = nullptr;
    m.accumulator.reset();
    m.buffers.reset();
    m.queue.reset();
}

void OMWaveOutMixer::openAtRate(std::uint32_t rate) {
    MixerState& m = mixer();
    OMWaveDevice& device = waveDevice();
    if (device.isOpen() && m.rate == rate) return;
    m.rate = rate;
    device.close();
    (void)device.open(rate);
}

std::uint32_t OMWaveOutMixer::deviceRate() { return mixer().rate; }
bool OMWaveOutMixer::deviceOpen() { return waveDevice().isOpen(); }

void OMWaveOutMixer::pauseDevice() {
    if (deviceOpen()) waveDevice().pause();
}

void OMWaveOutMixer::restartDevice() {
    if (deviceOpen()) waveDevice().restart();
}

void OMWaveOutMixer::resetDevice() {
    MixerState& m = mixer();
    waveDevice().reset();
    m.abort = true;
    m.head = m.tail = -1;
}

void OMWaveOutMixer::closeDevice() { waveDevice().close(); }

void OMWaveOutMixer::pump() {
    MixerState& m = mixer();
    while (m.head >= 0) {
        const std::int32_t before = m.head;
        const bool last = m.head == m.tail;
        retireHead();
        if (m.head == before || m.head < 0 || last) break;
    }
    bool mixed = false;
    for (std::int32_t i = 0; i < bufferCount() && m.playing.count; ++i) {
        if (m.head < 0) m.head = 0;
        else if (written(nextIndex(m.tail))) break;
        if (!mixNextBuffer()) break;
        mixed = true;
        if (pendingCount() >= keepQueued()) break;
    }
    if (!mixed && m.playing.count) readAhead();
}

void OMWaveOutMixer::startPlaying(OMWaveSound* sound, bool resuming) {
    MixerState& m = mixer();
    m.playing.append(sound);
    const bool ringWasEmpty = m.head < 0;
    const std::int32_t startOffset = ringWasEmpty ? 0 : placeInQueue(sound, resuming);
    const bool devicePaused = ranDry();
    if (devicePaused) waveDevice().pause();
    if (m.playing.count == 1 && m.playing.contains(sound)) {
        if (m.head < 0) m.head = 0;
        while (m.playing.contains(sound) && !ringFull() && !starved(sound) && mixNextBuffer()) {}
    }
    // Buffers to let pass before the sound's first one retires: those queued ahead of its start.
    sound->skipCount = ringWasEmpty ? 0 : startOffset;
    if (!devicePaused) return;
    waveDevice().restart();
    if (resuming) sound->fireResume();
}

void OMWaveOutMixer::removeFromQueued(OMWaveSound* sound) {
    for (std::int32_t k = 0; k < sound->recordCount; ++k) {
        const OMWaveSoundRecord& record = sound->record(k);
        if (done(record.buffer) || record.count <= 0) continue;
        const std::size_t n = std::size_t(record.count);
        if (sound->volumeLevel == 100) subtractClamped(bufferAt(record.buffer), record.source, n);
        else subtractThroughTable(bufferAt(record.buffer), record.source, n, sound->volumeTable.get());
    }
    sound->emptyRecords();
}

void OMWaveOutMixer::adjustQueued(OMWaveSound* sound, const std::uint8_t* difference) {
    for (std::int32_t k = 0; k < sound->recordCount; ++k) {
        const OMWaveSoundRecord& record = sound->record(k);
        if (done(record.buffer) || record.count <= 0) continue;
        addThroughTable(bufferAt(record.buffer), record.source, std::size_t(record.count), difference);
    }
}

void OMWaveOutMixer::forgetInBuffers(OMWaveSound* sound) {
    for (std::int32_t i = 0; i < bufferCount(); ++i) {
        QueueInfo& info = mixer().queue[i];
        while (info.started.remove(sound)) {}
        while (info.ended.remove(sound)) {}
        while (info.resumed.remove(sound)) {}
    }
}

bool OMWaveOutMixer::endsInSomeBuffer(const OMWaveSound* sound) {
    for (std::int32_t i = 0; i < bufferCount(); ++i)
        if (mixer().queue[i].ended.contains(sound)) return true;
    return false;
}

void OMWaveOutMixer::rewind(OMWaveSound* sound) {
    const std::int32_t preloadedBytes = preloadBytes();
    sound->stream->seek(sound->dataOffset + sound->segmentStart + preloadedBytes);
    sound->bytesRead = std::min(preloadedBytes, sound->length);
    sound->ringRead = sound->ringWrite = sound->ringCount = 0;
    sound->preloadIndex = 0;
    sound->position = sound->segmentStart;
}

OMWaveBlock OMWaveOutMixer::nextBlock(OMWaveSound* sound) {
    if (!sound->streaming()) {
        sound->stream->seek(sound->dataOffset + sound->segmentStart + sound->ringRead * blockSize());
        const std::int32_t count = sound->stream->read();
        ++sound->ringRead;
        return {sound->stream->current, count};
    }
    if (sound->preloadIndex < bufferCount()) {
        const std::int32_t i = sound->preloadIndex++;
        return {sound->preloaded.get() + std::size_t(i) * blockSize(), sound->preloadedCounts[i]};
    }
    if (sound->ringCount == 0) readIntoRing(sound);
    const std::int32_t i = sound->ringRead;
    sound->ringRead = (i + 1) % ringSize();
    --sound->ringCount;
    return {sound->ring.get() + std::size_t(i) * blockSize(), sound->ringCounts[i]};
}

bool OMWaveOutMixer::anyQueued() { return mixer().head >= 0; }

OMList<OMWaveSound>& OMWaveOutMixer::playing() { return mixer().playing; }
OMList<OMWaveSound>& OMWaveOutMixer::finishing() { return mixer().finishing; }
OMList<OMWaveSound>& OMWaveOutMixer::paused() { return mixer().paused; }
OMList<OMLink>& OMWaveOutMixer::timingShifts() { return mixer().shifts; }
void OMWaveOutMixer::shiftTiming(std::uint32_t ms) { shiftEach(ms); }

std::int32_t OMWaveOutMixer::ringHead() { return mixer().head; }
std::int32_t OMWaveOutMixer::ringTail() { return mixer().tail; }
const std::uint8_t* OMWaveOutMixer::buffer(std::int32_t index) { return bufferAt(index); }
