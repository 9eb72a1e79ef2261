// The driver layer: the only code that talks to the sound library. It opens the wave output, owns one
// sample handle per channel of the sound manager and turns the manager's requests into library calls;
// completion is found by polling. Voices are numbered by channel.
#pragma once

#include <cstdint>

// Driver voice states.
constexpr std::uint16_t kSndVoiceSetUp = 1;
constexpr std::uint16_t kSndVoiceDone = 2;
constexpr std::uint16_t kSndVoicePlaying = 4;
constexpr std::uint16_t kSndVoicePaused = 8;

constexpr int kSndMaxDriverVoices = 8;
constexpr std::uint32_t kSndNoBuffer = 0xFFFFFFFFu;

// Results of SndDriverPlayBuffer.
constexpr std::int16_t kSndBufferLoaded = 0;
constexpr std::int16_t kSndBufferFailed = 1;
constexpr std::int16_t kSndBufferNoneFree = 2;

struct AilDriver;

// How many wave-out devices there are (waveOutGetNumDevs, replaceable by tests).
using SndDeviceCount = std::uint32_t (*)();
SndDeviceCount SndDriverSetDeviceCount(SndDeviceCount count);

// 1 started, 0 failed (more than 8 voices, no device, no output rate accepted, no handle or buffer).
std::int16_t SndDriverStart(std::uint16_t voices, std::uint16_t outputChannels, std::uint16_t bits, std::uint32_t rate);
void SndDriverShutdown();
void SndDriverServe();
// The driver buffer size in bytes; 0 when not open.
std::uint32_t SndDriverBufferSize();
// The library's driver while open, else null: what the library's test seam reads a virtual device's
// output from.
AilDriver* SndDriverHandle();

// The operations below do nothing, or answer 1 (commands) or 0 (queries), when the driver is not open or the
// voice is not below the voice count.
void SndDriverSetUp(std::uint16_t voice, std::uint16_t channels, std::uint16_t bits, std::uint16_t rate);
// Plays data whole, for ever when loop is set; 1 for null data.
std::int16_t SndDriverPlay(std::uint16_t voice, const void* data, std::uint32_t frames, std::uint16_t channels,
                           std::uint16_t bits, std::uint16_t rate, std::uint16_t loop);
// Loads data into a free driver buffer of the voice, behind what plays when the format is the same; the
// buffer's index goes to *bufferIndex (kSndNoBuffer when none is free).
std::int16_t SndDriverPlayBuffer(std::uint16_t voice, std::uint32_t* bufferIndex, const void* data,
                                 std::uint32_t frames, std::uint16_t channels, std::uint16_t bits, std::uint16_t rate);
// Marks the end of a buffered voice's data; 1 when the voice is not buffered.
std::int16_t SndDriverEndOfData(std::uint16_t voice);
std::int16_t SndDriverStop(std::uint16_t voice);
std::int16_t SndDriverPause(std::uint16_t voice);
std::int16_t SndDriverResume(std::uint16_t voice);
std::int16_t SndDriverIsPlaying(std::uint16_t voice);
std::int16_t SndDriverIsDone(std::uint16_t voice);
std::int16_t SndDriverIsPaused(std::uint16_t voice);
// 0-127 (pan 64 = centre).
void SndDriverSetVolume(std::uint16_t voice, std::uint32_t volume);
void SndDriverSetPan(std::uint16_t voice, std::uint32_t pan);
// A buffer of a buffered, playing voice that may take data, or kSndNoBuffer.
std::uint32_t SndDriverReadyBuffer(std::uint16_t voice);
// The library's play position (bytes); 0 for a voice only set up.
std::uint32_t SndDriverPosition(std::uint16_t voice);
