// The software mixer behind every wave sound: a ring of device buffers filled by blending the playing
// sounds, pumped by a main-loop task that polls the buffers' done flags.
#pragma once

#include <cstdint>

#include "OMLink.h"
#include "OMList.h"

class OMWaveSound;

// What one source block gives: its first sample and how many samples it holds.
struct OMWaveBlock {
    const std::uint8_t* samples = nullptr;
    std::int32_t count = 0;
};

// The shape of the mixer's output, at its defaults: device buffers of one block each, and how far ahead
// it mixes.
struct OMWaveOutMixerSettings {
    std::int32_t blockSize = 1024;
    std::int32_t bufferCount = 16;
    std::int32_t startLead = 4;
    std::int32_t keepQueued = 6;
};

class OMWaveOutMixer {
public:
    // Samples (= bytes) per device buffer and per stream block.
    static std::int32_t blockSize() { return settings_.blockSize; }
    static std::int32_t bufferCount() { return settings_.bufferCount; }
    // A sound that starts while others play is added this many buffers after the one being heard.
    static std::int32_t startLead() { return settings_.startLead; }
    // The pump stops filling once this many written buffers are not yet finished.
    static std::int32_t keepQueued() { return settings_.keepQueued; }
    // Read-ahead blocks per streaming sound.
    static std::int32_t ringSize() { return 2 * settings_.bufferCount; }
    // What a streaming sound reads at load: one block per device buffer.
    static std::int32_t preloadBytes() { return settings_.bufferCount * settings_.blockSize; }
    // A buffer index below twice the buffer count taken modulo the count, without the division that the
    // ring's walks would otherwise pay at every step.
    static std::int32_t wrapBuffer(std::int32_t index) {
        return index >= settings_.bufferCount ? index - settings_.bufferCount : index;
    }
    // Each setter ignores a value out of its range. Block size and buffer count size the mixer's buffers
    // and every sound's tables, so they change only while no wave sound exists; the start lead only while
    // no sound plays, finishes or is paused. A smaller buffer count brings the start lead and the
    // kept-queued count within it.
    static void setMixerBlockSize(std::int32_t n);
    static void setMixerBufferCount(std::int32_t n);
    static void setMixerStartLead(std::int32_t n);
    static void setMixerKeepQueued(std::int32_t n);

    // With the first wave sound: an empty ring and the pump task. With the last: the task goes.
    static void init();
    static void shutdown();

    // Reopens the device at rate unless it is open at that rate already.
    static void openAtRate(std::uint32_t rate);
    static std::uint32_t deviceRate();
    static bool deviceOpen();
    static void pauseDevice();
    static void restartDevice();
    // Returns every buffer and empties the ring; a retire walk running hooks stops touching the ring.
    static void resetDevice();
    // Closes the device only (the ring is the caller's business).
    static void closeDevice();

    // One task slice: retire finished buffers, keep the queue filled, else read ahead.
    static void pump();
    static void startPlaying(OMWaveSound* sound, bool resuming);
    // Takes the sound's samples out of the buffers not yet finished and forgets its records.
    static void removeFromQueued(OMWaveSound* sound);
    // Takes the sound out of every buffer's started, ended and resumed lists.
    static void forgetInBuffers(OMWaveSound* sound);
    // Whether any buffer still lists the sound as ending a pass in it.
    static bool endsInSomeBuffer(const OMWaveSound* sound);
    static void rewind(OMWaveSound* sound);
    static OMWaveBlock nextBlock(OMWaveSound* sound);
    // Applies a volume change to the sound's samples in buffers not yet finished.
    static void adjustQueued(OMWaveSound* sound, const std::uint8_t* difference);
    // Whether any buffer is written and not yet taken back.
    static bool anyQueued();

    static OMList<OMWaveSound>& playing();
    static OMList<OMWaveSound>& finishing();
    static OMList<OMWaveSound>& paused();
    static bool active() { return playing().count + finishing().count > 0; }
    // Links invoked with the milliseconds by which the output fell behind (a pause or an underrun).
    static OMList<OMLink>& timingShifts();
    static void shiftTiming(std::uint32_t ms);

    // The ring, for tests and benchmarks: the oldest buffer not yet retired and the last one filled.
    static std::int32_t ringHead();
    static std::int32_t ringTail();
    static const std::uint8_t* buffer(std::int32_t index);

private:
    static inline OMWaveOutMixerSettings settings_;
};
