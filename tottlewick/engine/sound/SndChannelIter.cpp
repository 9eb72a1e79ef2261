// The channel iterator and the operations built on it.
#include "SndChannelIter.h"

#include "SndChannel.h"
#include "SndChannelPlay.h"

std::uint32_t SndForEachChannel(std::uint32_t mask, SndChannelProc proc) {
    std::uint32_t answered = 0;
    for (int channel = SndGetChannelCount() - 1; channel >= 0; --channel) {
        auto c = static_cast<std::int16_t>(channel);
        if (!(mask & SndChannelBit(c))) continue;
        SndChannelSetResult(c, proc(c));
        if (SndChannelGetResult(c)) answered |= SndChannelBit(c);
    }
    return answered;
}

std::uint32_t SndChannelBit(std::int16_t channel) {
    return channel >= 0 && channel < kSndChannels ? 1u << channel : 0;
}

std::int16_t SndHighestChannel(std::uint32_t mask) {
    for (int channel = kSndChannels - 1; channel >= 0; --channel)
        if (mask & (1u << channel)) return static_cast<std::int16_t>(channel);
    return -1;
}

std::uint32_t SndMaskFree(std::uint32_t mask) { return SndForEachChannel(mask, SndChannelIsFree); }

std::uint32_t SndMaskAvailable(std::uint32_t mask, std::int16_t priority) {
    SndSettingsScope restore;
    SndSetPriority(priority);
    return SndForEachChannel(mask, SndChannelIsAvailable);
}

std::uint32_t SndMaskStop(std::uint32_t mask) { return SndForEachChannel(mask, SndChannelStop); }
std::uint32_t SndMaskEndCurrent(std::uint32_t mask) { return SndForEachChannel(mask, SndChannelEndCurrent); }
std::uint32_t SndMaskPause(std::uint32_t mask) { return SndForEachChannel(mask, SndChannelPause); }
std::uint32_t SndMaskResume(std::uint32_t mask) { return SndForEachChannel(mask, SndChannelResume); }
std::uint32_t SndMaskIsPaused(std::uint32_t mask) { return SndForEachChannel(mask, SndChannelIsPaused); }
std::uint32_t SndMaskIsBusy(std::uint32_t mask) { return SndForEachChannel(mask, SndChannelIsBusy); }

std::int16_t SndMaskBestChannel(std::uint32_t mask) {
    std::int16_t channel = SndHighestChannel(SndMaskFree(mask));
    return channel >= 0 ? channel : SndHighestChannel(SndForEachChannel(mask, SndChannelIsAvailable));
}

SndVoiceHandle SndMaskPlaySample(std::uint32_t mask, MemHandle sample) {
    return SndChannelPlaySample(SndMaskBestChannel(mask), sample);
}

SndVoiceHandle SndMaskPlayData(std::uint32_t mask, std::uint16_t bits, std::uint16_t channels, std::uint16_t rate,
                               std::uint32_t frames, const void* data) {
    return SndChannelPlayData(SndMaskBestChannel(mask), bits, channels, rate, frames, data);
}
