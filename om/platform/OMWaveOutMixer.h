// The software mixer behind every wave sound: a ring of device buffers filled by blending the playing
// sounds, pumped by a main-loop task that polls the buffers' done flags.
#pragma once

#include <cstdint>

#include "OMLink.h"
#include "OMList.h"
#include "OMWaveOutMixerConfig.h"

class OMWaveSound;

// What one source block gives: its first sample and how many samples it holds.
struct OMWaveBlock {
    const std::uint8_t* samples = nullptr;
    std::int32_t count = 0;
};

class OMWaveOutMixer {
public:
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
};
