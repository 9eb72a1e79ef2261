// One sample handle: settings, the whole-buffer and double-buffered data, and the play cursor.
#include "SampleVoice.h"

#include <algorithm>

SampleFormat sampleFormatOf(std::int32_t type, std::uint32_t flags) {
    SampleFormat format;
    format.channels = (type & kTypeStereo8) ? 2 : 1;
    format.bytesPerChannel = (type & kTypeMono16) ? 2 : 1;
    format.isSigned = (flags & kTypeFlagSigned) != 0;
    return format;
}

Gains gainsFor(int volume, int pan) {
    int left = pan <= kCentrePan ? kUnityGain : (kMaxVolume - pan) * kUnityGain / (kMaxVolume - kCentrePan);
    int right = pan >= kCentrePan ? kUnityGain : pan * kUnityGain / kCentrePan;
    return {volume * left / kMaxVolume, volume * right / kMaxVolume, volume * kUnityGain / kMaxVolume};
}

void SampleVoice::init(std::uint32_t outputRate) {
    *this = SampleVoice{};
    rate_ = outputRate;
    rampFrames_ = outputRate / kRampsPerSecond;
}

void SampleVoice::setVolume(std::int32_t volume) {
    volume_ = std::clamp(volume, 0, kMaxVolume);
    levelChanged();
}

void SampleVoice::setPan(std::int32_t pan) {
    pan_ = std::clamp(pan, 0, kMaxVolume);
    levelChanged();
}

// A voice that sounds ramps from where its level stands now; any other takes the new level at once.
void SampleVoice::levelChanged() {
    bool heard = status_ == kSamplePlaying && sounding_ && rampFrames_ > 0;
    rampFrom_ = heard ? rampGains(rampFrames_ - rampLeft_) : Gains{};
    rampLeft_ = heard ? rampFrames_ : 0;
    gains_ = gainsFor(volume_, pan_);
}

void SampleVoice::nothingHeard() {
    sounding_ = false;
    rampLeft_ = 0;
}

Gains SampleVoice::rampGains(std::uint32_t frame) const {
    if (rampLeft_ == 0) return gains_;
    int k = static_cast<int>(frame), length = static_cast<int>(rampFrames_);
    auto at = [&](int from, int to) { return from + (to - from) * k / length; };
    return {at(rampFrom_.left, gains_.left), at(rampFrom_.right, gains_.right), at(rampFrom_.mono, gains_.mono)};
}

Gains SampleVoice::levelNow() const { return rampGains(rampFrames_ - rampLeft_ + 1); }

void SampleVoice::mixed(std::uint32_t outputFrames) {
    sounding_ = true;
    rampLeft_ -= std::min(outputFrames, rampLeft_);
}

void SampleVoice::setAddress(const void* data, std::uint32_t bytes) {
    whole_ = static_cast<const std::uint8_t*>(data);
    wholeBytes_ = data ? bytes : 0;
    buffered_ = false;
    buffers_[0] = buffers_[1] = Buffer{};
    dataEnded_ = false;
    frame_ = fraction_ = 0;
}

void SampleVoice::start() {
    buffered_ = false;
    frame_ = fraction_ = 0;
    loopsLeft_ = loopCount_;
    nothingHeard();
    status_ = runLength() > 0 ? kSamplePlaying : kSampleDone;
}

void SampleVoice::stop() {
    if (status_ == kSamplePlaying) status_ = kSampleStopped;
}

void SampleVoice::resume() {
    if (status_ == kSampleStopped) status_ = kSamplePlaying;
}

void SampleVoice::end() {
    buffers_[0] = buffers_[1] = Buffer{};
    dataEnded_ = false;
    status_ = kSampleDone;
}

std::int32_t SampleVoice::bufferReady() const { return buffers_[nextLoad_].loaded ? -1 : nextLoad_; }

void SampleVoice::loadBuffer(std::uint32_t index, const void* data, std::uint32_t bytes) {
    if (index > 1) return;
    bool idle = !buffers_[0].loaded && !buffers_[1].loaded;
    if (!buffered_) {
        whole_ = nullptr;
        wholeBytes_ = 0;
        buffered_ = true;
        dataEnded_ = false;
    }
    if (bytes == 0) {
        dataEnded_ = true;
        if (idle && status_ != kSampleStopped) status_ = kSampleDone;
        return;
    }
    if (!data || bytes < static_cast<std::uint32_t>(format_.bytesPerFrame())) return;
    buffers_[index] = {static_cast<const std::uint8_t*>(data), bytes, true};
    nextLoad_ = 1 - static_cast<int>(index);
    if (idle) {
        playing_ = static_cast<int>(index);
        frame_ = fraction_ = 0;
    }
    dataEnded_ = false;
    if (status_ == kSampleDone) {
        status_ = kSamplePlaying;
        nothingHeard();
    }
}

std::uint32_t SampleVoice::runLength() const {
    std::uint32_t bytes = buffered_ ? (buffers_[playing_].loaded ? buffers_[playing_].bytes : 0) : wholeBytes_;
    return bytes / static_cast<std::uint32_t>(format_.bytesPerFrame());
}

const std::uint8_t* SampleVoice::runStart() const { return buffered_ ? buffers_[playing_].data : whole_; }

std::uint32_t SampleVoice::position() const { return frame_ * static_cast<std::uint32_t>(format_.bytesPerFrame()); }

const std::uint8_t* SampleVoice::currentRun(std::uint32_t* framesLeft) const {
    std::uint32_t length = runLength();
    if (status_ != kSamplePlaying || frame_ >= length) return nullptr;
    *framesLeft = length - frame_;
    return runStart() + frame_ * static_cast<std::uint32_t>(format_.bytesPerFrame());
}

const std::uint8_t* SampleVoice::followingRun() const {
    if (buffered_) return buffers_[1 - playing_].loaded ? buffers_[1 - playing_].data : nullptr;
    return loopCount_ == 0 || loopsLeft_ > 1 ? whole_ : nullptr;
}

void SampleVoice::advance(std::uint32_t frames, std::uint32_t fraction) {
    frame_ += frames;
    fraction_ = fraction;
    while (status_ == kSamplePlaying) {
        std::uint32_t length = runLength();
        if (length == 0 || frame_ < length) break;
        frame_ -= length;
        runEnded(length);
    }
}

// The cursor passed the end of the data that played: loop, take the other buffer, wait for data or finish.
void SampleVoice::runEnded(std::uint32_t length) {
    if (buffered_) {
        buffers_[playing_].loaded = false;
        if (buffers_[1 - playing_].loaded) {
            playing_ = 1 - playing_;
            return;
        }
        frame_ = fraction_ = 0;  // starved: silence until the next load
        if (dataEnded_) status_ = kSampleDone;
        return;
    }
    if (loopCount_ == 0 || --loopsLeft_ > 0) return;
    frame_ = length;
    fraction_ = 0;
    status_ = kSampleDone;
}
