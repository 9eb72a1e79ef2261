// Sample plays that carry their sound id.
#include "KitSample.h"

#include "SndManager.h"
#include "SndPlay.h"

std::int16_t KitPlaySample(MemHandle sample, std::uint16_t soundId, std::int16_t priority) {
    const std::uint32_t word = SndSetUserWord(soundId);
    const std::int16_t channel = SndPlaySample(sample, priority, 1024, 0);
    SndSetUserWord(word);
    return channel;
}
