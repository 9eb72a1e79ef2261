// The library's state of one open movie behind its handle: the decoder, the frame last shown and where
// it goes, the changed rectangle, the pacing, the sound and the summary's figures.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "FrameCopy.h"
#include "SmackDecoder.h"
#include "SmackSound.h"
#include "smackw32.h"

class SmackMovie {
public:
    // maySkip: late frames are passed over (SmackOpen without kSmackNoSkip).
    SmackMovie(std::unique_ptr<SmackDecoder> decoder, std::unique_ptr<SmackSound> sound, DecoderClock clock,
               bool maySkip, std::uint32_t openTime);
    SmackMovie(const SmackMovie&) = delete;
    SmackMovie& operator=(const SmackMovie&) = delete;

    Smack handle{};

    void toBuffer(const TargetBuffer& target);
    void doFrame();
    [[nodiscard]] bool takeRect();
    [[nodiscard]] bool wait();
    void nextFrame();
    void gotoFrame(std::uint32_t frame);
    [[nodiscard]] bool switchSound(bool on);
    void summary(SmackSum& sum);

private:
    // A frame's sound, held from its decoding until it is shown.
    struct HeldSound final : SoundSink {
        void play(const std::uint8_t* samples, std::size_t size) override { bytes.insert(bytes.end(), samples, samples + size); }
        std::vector<std::uint8_t> bytes;
    };

    // Decodes the current frame and takes its palette.
    void prepare();
    [[nodiscard]] bool takePalette();
    void countFrame(std::uint64_t startMs, std::uint32_t end);
    // The clock's milliseconds counted on past its 32-bit wrap (it is read far more often than every 49 days).
    std::uint64_t nowMs();
    std::uint64_t now100() { return nowMs() * 100; }

    std::unique_ptr<SmackDecoder> decoder_;
    std::unique_ptr<SmackSound> sound_;  // null without a sound track or when it was not asked for
    DecoderClock clock_;
    std::uint32_t lastClock_ = 0;
    std::uint64_t clockMs_ = 0;
    bool maySkip_;
    bool soundOn_ = true;
    HeldSound heldSound_;
    bool prepared_ = false;          // the decoder holds the current frame
    std::uint32_t prepareTime_ = 0;  // what decoding it took, counted with its showing
    TargetBuffer target_;
    bool targetMoved_ = true;
    std::vector<std::uint8_t> shown_;  // the frame last shown
    bool showWhole_ = true;            // the next rectangle is the whole frame (first frame, goto)
    bool paletteShown_ = false;
    std::uint32_t shownPalette_[256] = {};  // the decoder's words of the palette last shown
    PixelRect pending_;
    std::uint64_t due100_ = 0;  // when the next frame is due, hundredths of a millisecond
    bool started_ = false;
    std::uint32_t firstShownAt_ = 0;
    // Summary figures.
    std::uint32_t openTime_ = 0, framesShown_ = 0, blitTime_ = 0, skipped_ = 0;
    std::uint32_t slowest_[2] = {}, slowestFrame_[2] = {};
};
