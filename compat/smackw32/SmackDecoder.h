// A Smacker movie decoded by FFmpeg's own demuxer and decoders: frames in order, rewinding when asked for
// one behind, with the first sound track's samples of each frame handed out. The only file that includes
// FFmpeg. No Win32.
#pragma once

#include <cstdint>
#include <memory>

#include "MovieSource.h"

// The sound track's format; rate 0 when the movie has none (or it was not asked for).
struct SoundFormat {
    std::uint32_t rate = 0;
    int channels = 0;
    int bits = 0;
};

class SoundSink {
public:
    virtual void play(const std::uint8_t* bytes, std::size_t size) = 0;

protected:
    ~SoundSink() = default;
};

using DecoderClock = std::uint32_t (*)();

// Time the decoder spent, in the clock's milliseconds.
struct DecoderTimes {
    std::uint32_t read = 0;
    std::uint32_t decompress = 0;
};

class SmackDecoder {
public:
    // Null when the bytes are not a Smacker movie, its sizes are out of range or its trees are broken.
    static std::unique_ptr<SmackDecoder> open(std::unique_ptr<MovieSource> source, bool withSound, DecoderClock clock);
    ~SmackDecoder();
    SmackDecoder(const SmackDecoder&) = delete;
    SmackDecoder& operator=(const SmackDecoder&) = delete;

    std::uint32_t width() const { return width_; }
    std::uint32_t height() const { return height_; }
    std::uint32_t frames() const { return frames_; }
    // Hundredths of a millisecond per frame, from the header (0 when it gives none).
    std::uint32_t frameTime() const { return frameTime_; }
    const SoundFormat& sound() const { return sound_; }
    std::uint32_t averageFrameSize() const { return averageFrameSize_; }
    const DecoderTimes& times() const { return times_; }

    // Makes frame n the decoded one, from frame 0 again when n lies behind; frame n's sound goes to the
    // sink when one is given, earlier frames' sound nowhere. False when the movie is damaged at or before
    // n: the decoded frame is then whatever came before the damage.
    [[nodiscard]] bool decode(std::uint32_t n, SoundSink* sink);
    // The decoded frame: width x height indexes, stride bytes apart, and 256 colours 0xAARRGGBB.
    const std::uint8_t* pixels() const;
    std::ptrdiff_t stride() const;
    const std::uint32_t* palette() const;

private:
    struct Av;
    SmackDecoder();
    [[nodiscard]] bool readHeader(MovieSource& source);
    [[nodiscard]] bool openStreams(bool withSound);
    [[nodiscard]] bool rewind();
    [[nodiscard]] bool decodeNext(SoundSink* sink);
    void playSound(SoundSink& sink);

    std::unique_ptr<Av> av_;
    std::unique_ptr<MovieSource> source_;
    DecoderClock clock_ = nullptr;
    std::uint32_t width_ = 0, height_ = 0, frames_ = 0, frameTime_ = 0, averageFrameSize_ = 0;
    SoundFormat sound_;
    DecoderTimes times_;
    std::int64_t decoded_ = -1;     // the frame held, -1 before the first
    std::int64_t damagedAt_ = -1;   // the first frame that failed, -1 when none has
};
