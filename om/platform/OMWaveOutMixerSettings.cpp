// The wave mixer's settings: each setter with the moment and the range in which it takes effect.
#include <algorithm>

#include "OMWaveOutMixer.h"
#include "OMWaveSound.h"

void OMWaveOutMixer::setMixerBlockSize(std::int32_t n) {
    if (OMWaveSound::alive() == 0 && n > 0) settings_.blockSize = n;
}

void OMWaveOutMixer::setMixerBufferCount(std::int32_t n) {
    if (OMWaveSound::alive() != 0 || n <= 1) return;
    settings_.bufferCount = n;
    settings_.startLead = std::min(settings_.startLead, n - 1);
    settings_.keepQueued = std::min(settings_.keepQueued, n);
}

void OMWaveOutMixer::setMixerStartLead(std::int32_t n) {
    if (active() || paused().count > 0) return;
    if (n > 0 && n < settings_.bufferCount) settings_.startLead = n;
}

void OMWaveOutMixer::setMixerKeepQueued(std::int32_t n) {
    if (n > 1 && n <= settings_.bufferCount) settings_.keepQueued = n;
}
