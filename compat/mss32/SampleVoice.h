// One sample handle of the sound library: its format, level and loop settings, the data it plays (a whole
// buffer or two alternating buffers), its play cursor and the ramp of its level. Plain data and arithmetic,
// no Win32.
#pragma once

#include <cstdint>

// Status words the library reports.
enum SampleStatus : std::uint32_t { kSampleDone = 2, kSamplePlaying = 4, kSampleStopped = 8 };

// Sample types: bit 0 = 16-bit, bit 1 = stereo.
enum SampleType : std::int32_t { kTypeMono8 = 0, kTypeMono16 = 1, kTypeStereo8 = 2, kTypeStereo16 = 3 };
constexpr std::uint32_t kTypeFlagSigned = 1;

constexpr int kMaxVolume = 127;
constexpr int kCentrePan = 64;
constexpr int kUnityGain = 32768;  // Q15

struct SampleFormat {
    int channels = 1;
    int bytesPerChannel = 1;
    bool isSigned = false;
    int bytesPerFrame() const { return channels * bytesPerChannel; }
};

SampleFormat sampleFormatOf(std::int32_t type, std::uint32_t flags);

// Q15 gains of the left and right output channels for a volume 0-127 and a pan 0-127 (64 = centre):
// volume scales both by volume/127; pan above the centre fades the left side linearly to silence at 127,
// pan below it fades the right side linearly to silence at 0. A mono output takes volume only.
struct Gains {
    int left = kUnityGain;
    int right = kUnityGain;
    int mono = kUnityGain;
};
Gains gainsFor(int volume, int pan);

// A level change on a sounding voice ramps there over this part of a second (4 ms), so that a fade made of
// steps has no zipper; frame k of the ramp (1 to its length) has gain g0 + (g1 - g0) x k / length.
constexpr std::uint32_t kRampsPerSecond = 250;

class SampleVoice {
public:
    void init(std::uint32_t outputRate);

    void setType(std::int32_t type, std::uint32_t flags) { format_ = sampleFormatOf(type, flags); }
    void setRate(std::int32_t rate) { rate_ = rate > 0 ? static_cast<std::uint32_t>(rate) : 0; }
    void setVolume(std::int32_t volume);
    void setPan(std::int32_t pan);
    void setLoopCount(std::int32_t count) { loopCount_ = count < 0 ? 1 : count; }
    void setAddress(const void* data, std::uint32_t bytes);

    void start();
    void stop();
    void resume();
    void end();

    // Double buffering: which buffer may take data (0 or 1, -1 for none); a load of 0 bytes ends the data.
    std::int32_t bufferReady() const;
    void loadBuffer(std::uint32_t index, const void* data, std::uint32_t bytes);

    std::uint32_t status() const { return status_; }
    // Byte offset of the play cursor in the data that plays now.
    std::uint32_t position() const;

    const SampleFormat& format() const { return format_; }
    std::uint32_t rate() const { return rate_; }
    // The gains of the next output frame, and whether they still ramp (and so change every frame).
    Gains levelNow() const;
    bool ramping() const { return rampLeft_ > 0; }
    // Output frames of the voice were mixed: the ramp moves on.
    void mixed(std::uint32_t outputFrames);

    // The run of frames the cursor stands in now and how many of them remain; null when nothing plays.
    const std::uint8_t* currentRun(std::uint32_t* framesLeft) const;
    // The frame that plays after the run's last (the loop's first, the other buffer's first); null when none
    // is known yet.
    const std::uint8_t* followingRun() const;
    // Moves the cursor on by whole frames and a 16-bit fraction; crossing the end of the run loops, moves to
    // the other buffer or ends the sample.
    void advance(std::uint32_t frames, std::uint32_t fraction);
    std::uint32_t fraction() const { return fraction_; }

private:
    struct Buffer {
        const std::uint8_t* data = nullptr;
        std::uint32_t bytes = 0;
        bool loaded = false;
    };

    std::uint32_t runLength() const;
    const std::uint8_t* runStart() const;
    void runEnded(std::uint32_t length);
    void levelChanged();
    // A fresh start: until output is mixed, level changes take effect at once.
    void nothingHeard();
    Gains rampGains(std::uint32_t frame) const;

    SampleFormat format_;
    std::uint32_t rate_ = 0;
    std::int32_t volume_ = kMaxVolume;
    std::int32_t pan_ = kCentrePan;
    Gains gains_;           // where the level is or ramps to
    Gains rampFrom_;        // where the ramp started
    std::uint32_t rampFrames_ = 0;
    std::uint32_t rampLeft_ = 0;
    bool sounding_ = false;  // output was mixed since the start: a level change now would be heard as a step
    std::int32_t loopCount_ = 1;
    std::int32_t loopsLeft_ = 1;
    std::uint32_t status_ = kSampleDone;

    const std::uint8_t* whole_ = nullptr;
    std::uint32_t wholeBytes_ = 0;

    bool buffered_ = false;
    Buffer buffers_[2];
    int playing_ = 0;     // buffer that plays (buffered mode)
    int nextLoad_ = 0;    // buffer that the next load is expected in when both are free
    bool dataEnded_ = false;

    std::uint32_t frame_ = 0;     // cursor: whole frames into the run
    std::uint32_t fraction_ = 0;  // and 1/65536 parts of a frame
};
