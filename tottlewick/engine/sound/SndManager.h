// The sound manager: 16 channel records (the first `count` in use, one driver voice each) and a pool of 32
// voices queued per channel, started, paused, resumed and ended through the driver layer. This header holds
// the manager's start, enable, pause-all and window state and the settings that each new voice copies;
// channels and voices have headers of their own (SndChannel.h, SndVoice.h).
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "SndFormat.h"

using SndWindow = void*;
// Pool index in the low byte, the allocation serial above; 0 is never a voice.
using SndVoiceHandle = std::uint32_t;

enum class SndVoiceState : std::uint32_t {
    free = 0,
    queued = 1,
    playing = 2,
    paused = 3,
    passEnded = 4,
    stopped = 5,
    failed = 6,
};

// Called when a voice is released, with its handle and the state it ended in (4, 5 or 6).
using SndVoiceEndProc = void (*)(SndVoiceHandle voice, SndVoiceState state);

constexpr int kSndChannels = 16;
constexpr int kSndVoices = 32;
constexpr std::uint16_t kSndFullLevel = 1024;
constexpr std::int16_t kSndPanLeft = -512;
constexpr std::int16_t kSndPanRight = 512;
// An empty channel's effective priority, and the offset that switches a channel's priority off.
constexpr std::int16_t kSndNoPriority = -32768;
constexpr std::uint32_t kSndDriverRunning = 5;

// 0 started, 1 not (the driver layer refused); start-up passes (main window, 8, 2, 16, 44100).
std::int16_t SndInit(SndWindow window, std::uint16_t channelCount, std::uint16_t outputChannels,
                     std::uint16_t bits, std::uint32_t rate);
// Stops every channel and closes the driver; 0 when it was running, else 1.
std::int16_t SndShutdown();
// Only while the driver state is non-zero; turning sound off stops every channel in use. Previous value.
std::uint16_t SndSetEnabled(std::uint16_t on);
std::uint16_t SndIsEnabled();
std::uint32_t SndGetDriverState();
// Pauses nest: all sound sounds again only after as many resumes as pauses. SndResumeAll answers 1 when no
// pause is left in force, 0 while one remains or when the manager is not enabled.
void SndPauseAll();
std::int16_t SndResumeAll();
std::int16_t SndIsPausedAll();
std::int16_t SndActivateWindow(SndWindow window);
std::int16_t SndDeactivateWindow(SndWindow window);
SndWindow SndGetWindow();
// The window procedure's hook for driver messages: the manager takes none of them.
std::int16_t SndDriverMessageHook(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam);

// Settings that the next voice copies; each setter returns the previous value.
std::uint16_t SndGetAppend();
std::uint16_t SndSetAppend(std::uint16_t on);
std::uint16_t SndGetAutoFree();
std::uint16_t SndSetAutoFree(std::uint16_t on);
std::uint16_t SndGetLoop();
std::uint16_t SndSetLoop(std::uint16_t on);
std::int16_t SndGetPriority();
std::int16_t SndSetPriority(std::int16_t priority);
std::uint32_t SndGetUserWord();
std::uint32_t SndSetUserWord(std::uint32_t word);
MemHandle SndGetSampleBlock();
MemHandle SndSetSampleBlock(MemHandle sample);
const SndSampleHeader* SndGetLockedHeader();
const SndSampleHeader* SndSetLockedHeader(const SndSampleHeader* header);
std::uintptr_t SndGetClientWord1();
std::uintptr_t SndSetClientWord1(std::uintptr_t word);
std::uintptr_t SndGetClientWord2();
std::uintptr_t SndSetClientWord2(std::uintptr_t word);
SndVoiceEndProc SndGetEndProc();
SndVoiceEndProc SndSetEndProc(SndVoiceEndProc proc);

// What the next voice copies.
struct SndVoiceSettings {
    std::uint16_t append = 0;    // queue behind the channel's current voice instead of replacing it
    std::uint16_t autoFree = 0;  // free the sample block when the voice is released
    std::uint16_t loop = 0;      // start again at the end of every pass
    std::int16_t priority = 0;
    std::uint32_t userWord = 0;
    MemHandle sample = 0;
    const SndSampleHeader* lockedHeader = nullptr;  // the sample's header, locked for the voice
    std::uintptr_t clientWord1 = 0;
    std::uintptr_t clientWord2 = 0;
    SndVoiceEndProc endProc = nullptr;
};

// Keeps the next-voice settings as they are when it is made and puts them back when it goes, so that a
// caller can change them for one play.
class SndSettingsScope {
public:
    SndSettingsScope();
    ~SndSettingsScope();
    SndSettingsScope(const SndSettingsScope&) = delete;
    SndSettingsScope& operator=(const SndSettingsScope&) = delete;

private:
    SndVoiceSettings saved_;
};
