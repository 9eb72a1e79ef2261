// The manager's start and shutdown, its enable switch, nested pause of all sound, the window it belongs to,
// and the settings that each new voice copies.
#include "SndManager.h"

#include <utility>

#include "SndChannel.h"
#include "SndDriver.h"
#include "SndManagerState.h"

namespace sndmgr {

Manager manager;

bool driverRuns() { return manager.driverState == kSndDriverRunning; }

}  // namespace sndmgr

using namespace sndmgr;

namespace {

void stopEveryChannel() {
    for (int channel = 0; channel < manager.channelCount; ++channel) SndChannelStop(static_cast<std::int16_t>(channel));
}

template <typename T>
T exchangeSetting(T SndVoiceSettings::*field, T value) {
    return std::exchange(manager.next.*field, value);
}

}  // namespace

std::int16_t SndInit(SndWindow window, std::uint16_t channelCount, std::uint16_t outputChannels,
                     std::uint16_t bits, std::uint32_t rate) {
    if (manager.driverState == 0) {
        manager.channelCount = 0;
        manager.window = window;
        manager.enabled = 0;
        resetVoices();
        for (Channel& c : manager.channels) c = Channel{};
        if (SndDriverStart(channelCount, outputChannels, bits, rate)) {
            manager.channelCount = channelCount;
            manager.driverState = kSndDriverRunning;
            manager.enabled = 1;
            manager.pauseDepth = 0;
        }
    }
    return manager.channelCount > 0 ? 0 : 1;
}

std::int16_t SndShutdown() {
    if (!driverRuns()) return 1;
    stopEveryChannel();
    SndDriverShutdown();
    manager.driverState = 0;
    manager.enabled = 0;
    manager.channelCount = 0;
    return 0;
}

std::uint16_t SndSetEnabled(std::uint16_t on) {
    std::uint16_t previous = manager.enabled;
    if (manager.driverState == 0) return previous;
    manager.enabled = on ? 1 : 0;
    if (!on) stopEveryChannel();
    return previous;
}

std::uint16_t SndIsEnabled() { return manager.enabled; }

std::uint32_t SndGetDriverState() { return manager.driverState; }

void SndPauseAll() {
    if (!manager.enabled) return;
    ++manager.pauseDepth;
    for (int channel = 0; channel < manager.channelCount; ++channel) {
        Channel& c = manager.channels[channel];
        if (c.head && c.head->state == SndVoiceState::playing) pauseVoice(*c.head);
    }
}

std::int16_t SndResumeAll() {
    if (!manager.enabled) return 0;
    if (manager.pauseDepth > 0 && --manager.pauseDepth == 0)
        for (int channel = 0; channel < manager.channelCount; ++channel)
            SndChannelResume(static_cast<std::int16_t>(channel));
    return manager.pauseDepth == 0 ? 1 : 0;
}

std::int16_t SndIsPausedAll() { return manager.pauseDepth > 0 ? 1 : 0; }

std::int16_t SndActivateWindow(SndWindow window) {
    if (!manager.enabled || !driverRuns()) return 1;
    manager.window = window;
    return 0;
}

std::int16_t SndDeactivateWindow(SndWindow window) {
    if (window != manager.window) return 1;
    if (manager.enabled && !SndIsPausedAll()) SndPauseAll();
    if (!manager.enabled || !driverRuns()) return 1;
    manager.window = nullptr;
    return 0;
}

SndWindow SndGetWindow() { return manager.window; }

std::int16_t SndDriverMessageHook(std::uint32_t, std::uint32_t, std::uint32_t) { return 0; }

std::uint16_t SndGetAppend() { return manager.next.append; }
std::uint16_t SndSetAppend(std::uint16_t on) { return exchangeSetting(&SndVoiceSettings::append, on); }
std::uint16_t SndGetAutoFree() { return manager.next.autoFree; }
std::uint16_t SndSetAutoFree(std::uint16_t on) { return exchangeSetting(&SndVoiceSettings::autoFree, on); }
std::uint16_t SndGetLoop() { return manager.next.loop; }
std::uint16_t SndSetLoop(std::uint16_t on) { return exchangeSetting(&SndVoiceSettings::loop, on); }
std::int16_t SndGetPriority() { return manager.next.priority; }
std::int16_t SndSetPriority(std::int16_t priority) { return exchangeSetting(&SndVoiceSettings::priority, priority); }
std::uint32_t SndGetUserWord() { return manager.next.userWord; }
std::uint32_t SndSetUserWord(std::uint32_t word) { return exchangeSetting(&SndVoiceSettings::userWord, word); }
MemHandle SndGetSampleBlock() { return manager.next.sample; }
MemHandle SndSetSampleBlock(MemHandle sample) { return exchangeSetting(&SndVoiceSettings::sample, sample); }
const SndSampleHeader* SndGetLockedHeader() { return manager.next.lockedHeader; }

const SndSampleHeader* SndSetLockedHeader(const SndSampleHeader* header) {
    return exchangeSetting(&SndVoiceSettings::lockedHeader, header);
}

std::uintptr_t SndGetClientWord1() { return manager.next.clientWord1; }
std::uintptr_t SndSetClientWord1(std::uintptr_t word) { return exchangeSetting(&SndVoiceSettings::clientWord1, word); }
std::uintptr_t SndGetClientWord2() { return manager.next.clientWord2; }
std::uintptr_t SndSetClientWord2(std::uintptr_t word) { return exchangeSetting(&SndVoiceSettings::clientWord2, word); }
SndVoiceEndProc SndGetEndProc() { return manager.next.endProc; }
SndVoiceEndProc SndSetEndProc(SndVoiceEndProc proc) { return exchangeSetting(&SndVoiceSettings::endProc, proc); }

SndSettingsScope::SndSettingsScope() : saved_(manager.next) {}

SndSettingsScope::~SndSettingsScope() { manager.next = saved_; }
