// The sound manager's records, shared by its files (manager, channels, voices) and by nothing else.
//
// Each channel keeps a doubly linked queue of voices; the head is the voice that sounds, the ones behind it
// wait. Free voices form a singly linked list through `next`. A voice is played by time: its start time is
// the clock value at which frame 0 would have sounded, so position, pause and resume need no help from the
// driver, and append voices (fed through the driver's two buffers) end when the clock says so.
#pragma once

#include <cstdint>

#include "SndManager.h"

namespace sndmgr {

constexpr std::uint16_t kNoChannel = 65535;
constexpr std::uint32_t kNoBuffer = 0xFFFFFFFFu;

struct Voice {
    Voice* next = nullptr;
    Voice* previous = nullptr;
    SndVoiceHandle handle = 0;
    std::uint8_t index = 0;
    SndVoiceState state = SndVoiceState::free;
    std::uint16_t channel = kNoChannel;
    std::uint32_t startTime = 0;
    std::uint32_t startFraction = 0;  // an append voice starts startFraction / rate ms after startTime
    std::uint32_t pauseTime = 0;
    std::uint32_t userWord = 0;
    MemHandle sample = 0;
    const SndSampleHeader* lockedHeader = nullptr;
    std::uint16_t bits = 0;
    std::uint16_t channels = 0;
    std::uint16_t rate = 0;
    std::uint32_t length = 0;  // frames
    MemHandle dataHandle = 0;
    const std::uint8_t* data = nullptr;
    std::uint16_t loop = 0;
    std::uint16_t append = 0;
    std::uint16_t autoFree = 0;
    std::int16_t priority = 0;
    std::uintptr_t clientWord1 = 0;
    std::uintptr_t clientWord2 = 0;
    SndVoiceEndProc endProc = nullptr;
    std::uint32_t bufferIndex = kNoBuffer;
};

struct Channel {
    Voice* head = nullptr;
    Voice* tail = nullptr;
    std::uint16_t voiceCount = 0;
    std::uint16_t gain = kSndFullLevel;
    std::uint16_t volume = kSndFullLevel;
    std::int16_t pan = 0;
    std::int16_t priorityOffset = 0;
    std::int16_t effectivePriority = kSndNoPriority;
    std::int16_t lastResult = 0;
};

struct Manager {
    std::uint32_t driverState = 0;
    std::uint16_t enabled = 0;
    std::uint16_t pauseDepth = 0;
    SndWindow window = nullptr;
    std::uint16_t channelCount = 0;
    bool serviceGuard = false;
    MemHandle currentData = 0;  // the data block being started, locked by SndChannelPlayHandle
    bool refusalFreed = false;  // the last refused play gave its locks back and freed its sample
    std::uint32_t serial = 1;
    Voice* freeList = nullptr;
    SndVoiceSettings next;
    std::uint16_t sounding[kSndChannels] = {};
    Channel channels[kSndChannels];
    Voice voices[kSndVoices];
};

extern Manager manager;

bool driverRuns();
// The channel record, null outside 0..15.
Channel* channelAt(std::int16_t channel);
// The voice that carries the handle, null for a stale or unknown one.
Voice* voiceOf(SndVoiceHandle handle);
std::int16_t applyLevel(std::int16_t channel);

// Chains every voice into the free list in index order.
void resetVoices();
Voice* allocateVoice();
// Queues the voice at the channel's tail.
void enqueue(std::int16_t channel, Voice& voice);
void recomputePriority(Channel& channel);
// Takes the voice out of its queue, ends it (end procedure, data unlock) and returns it to the free list.
void releaseVoice(Voice& voice);
std::int16_t stopVoice(Voice& voice);
// Stops the voice at once, except one that plays or is paused while the driver does not run.
std::int16_t endVoice(Voice& voice);
std::int16_t pauseVoice(Voice& voice);
std::int16_t resumeVoice(Voice& voice);
bool startVoice(Voice& voice);
bool restartVoice(Voice& voice, std::uint32_t frame);
// Sets the start time of an append voice whose data has just gone into a driver buffer.
void scheduleAppend(Voice& voice);
bool voiceSounds(const Voice& voice);
std::uint32_t voicePosition(const Voice& voice);

}  // namespace sndmgr
