// Fade records, one per channel, stepped on the engine clock. The remaining time is signed, so a step that
// comes after the end finishes the fade at its target instead of reading a huge remainder; a fade of no
// duration finishes at its first step.
#include "SndFade.h"

#include "EngineClock.h"
#include "SndCallLog.h"
#include "SndChannel.h"
#include "SndManager.h"

namespace {

struct Fade {
    std::uint16_t active = 0;
    std::uint32_t lastTime = 0;
    std::uint32_t endTime = 0;  // 0 until the first step
    std::uint32_t duration = 0;
    std::uint16_t startVolume = 0;
    std::uint16_t targetVolume = 0;
    SndFadeEndProc proc = nullptr;
};

struct Fades {
    Fade fades[kSndChannels];
    std::uint32_t defaultTime = kSndDefaultFadeTime;
    bool serviceGuard = false;
    bool stepGuard = false;
};

Fades state;

Fade* fadeAt(std::int16_t channel) { return channel >= 0 && channel < kSndChannels ? &state.fades[channel] : nullptr; }

std::uint16_t volumeAt(const Fade& f, std::int32_t remaining) {
    std::int32_t span = std::int32_t(f.startVolume) - f.targetVolume;
    return static_cast<std::uint16_t>(span * std::int64_t(remaining) / std::int32_t(f.duration) + f.targetVolume);
}

// One step; true while the fade runs. The record is cleared before the end procedure, which may start the
// channel's next fade.
bool step(std::int16_t channel) {
    Fade* f = fadeAt(channel);
    if (!f || !f->active) return false;
    if (state.stepGuard) return true;
    state.stepGuard = true;
    std::uint32_t now = ClockMilliseconds();
    f->lastTime = now;
    if (f->endTime == 0) f->endTime = now + f->duration;
    auto remaining = static_cast<std::int32_t>(f->endTime - now);
    bool finished = remaining < 1 || f->duration == 0;
    const SndCallLogProc logProc = SndSetCallLog(nullptr);  // the fade's line stands for its steps
    SndChannelSetVolume(channel, finished ? f->targetVolume : volumeAt(*f, remaining));
    SndSetCallLog(logProc);
    Fade ended = *f;
    if (finished) f->active = 0;
    state.stepGuard = false;
    if (finished && ended.proc) ended.proc(channel, ended.startVolume, ended.targetVolume);
    return !finished;
}

}  // namespace

std::int16_t SndFadeChannel(std::int16_t channel, std::uint16_t target, std::uint32_t durationMs, SndFadeEndProc proc) {
    Fade* f = fadeAt(channel);
    if (!f || f->active || SndChannelGetVolume(channel) == target) return 1;
    *f = Fade{1, 0, 0, durationMs, SndChannelGetVolume(channel), target, proc};
    SndLogCall("fade ch=%d to=%u ms=%u", channel, target, static_cast<unsigned>(durationMs));
    return 0;
}

std::int16_t SndFadeOut(std::int16_t channel, SndFadeEndProc proc) {
    return SndFadeChannel(channel, 0, state.defaultTime, proc);
}

std::int16_t SndFadeOutChannels(SndFadeEndProc proc, std::uint32_t mask) {
    std::int16_t any = 0;
    for (int channel = 0; channel < kSndChannels; ++channel)
        if ((mask >> channel & 1) && SndFadeOut(static_cast<std::int16_t>(channel), proc)) any = 1;
    return any;
}

std::int16_t SndFadeIsActive(std::int16_t channel) {
    Fade* f = fadeAt(channel);
    return f ? f->active : 0;
}

std::int16_t SndAnyFading(std::uint32_t mask) {
    for (int channel = 0; channel < kSndChannels; ++channel)
        if ((mask >> channel & 1) && state.fades[channel].active) return 1;
    return 0;
}

void SndFadeService(std::uint32_t mask) {
    if (state.serviceGuard) return;
    state.serviceGuard = true;
    for (int channel = 0; channel < kSndChannels; ++channel)
        if (mask >> channel & 1) step(static_cast<std::int16_t>(channel));
    state.serviceGuard = false;
}

std::int16_t SndFadeWait(std::int16_t channel, SndWaitProc wait) {
    while (step(channel))
        if (wait && !wait()) break;
    return 0;
}

std::int16_t SndFadeWaitAll(std::uint32_t mask, SndWaitProc wait) {
    while (SndAnyFading(mask)) {
        SndFadeService(mask);
        if (!SndAnyFading(mask) || (wait && !wait())) break;
    }
    return 0;
}

std::uint32_t SndGetFadeTime() { return state.defaultTime; }

std::uint32_t SndSetFadeTime(std::uint32_t ms) {
    std::uint32_t previous = state.defaultTime;
    state.defaultTime = ms;
    return previous;
}
