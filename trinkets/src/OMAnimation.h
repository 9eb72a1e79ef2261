// The animation trinket: plays an ASEQ on the trinket window's millisecond clock, drawing its frames
// straight from their runs into the window's 8-bit off-screen canvas, and hit-tests its visible pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "AseqFormat.h"
#include "AseqPlayback.h"
#include "OMIStream.h"
#include "OMTrinket.h"

// The ASEQ data of an animation and of its copies: the stream that holds the bytes and their layout.
struct AnimationData {
    std::unique_ptr<OMIStream> stream;
    AseqLayout layout;
    AseqStatus status = AseqStatus::truncated;
};

class OMAnimation : public OMTrinket, private AseqPlaybackHost {
public:
    // A coordinate of 11111 asks for the ASEQ's own placement.
    static constexpr std::int32_t kAtPlacement = 11111;

    // Takes over the stream and reads it whole. The animation plays its first list at once (paused on its
    // first frame when the list opens with a hold); check status() before using a damaged one.
    OMAnimation(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y);
    // Shares the data; the same list and entry, playing on.
    OMAnimation(const OMAnimation& other);
    ~OMAnimation() override;

    AseqStatus status() const { return data_->status; }
    OMScriptableObject* clone() override;
    // "left top resourceId".
    void describe(char* buffer, std::size_t size) override;
    void registerProperties() override;
    // The frame rate while playing, else 1.
    std::int32_t queryOne() override;
    bool hitTest(POINT point) override;
    void tick() override;
    void draw() override;

    // Window coordinates: true on a fill or literal pixel of the frame shown.
    virtual bool hitPixel(std::int32_t x, std::int32_t y);
    virtual void play() { playback.play(); }
    virtual void pause() { playback.pause(); }
    virtual void rewind() { playback.rewind(); }
    virtual void setRepeatCount(std::int32_t n) { playback.repeatCount = n; }
    void selectSequence(std::int32_t index);
    const AseqFrame& frameShown() const { return currentFrame; }

    AseqPlayback playback{*this};
    std::int16_t resourceId = 0;
    bool usePlacement = true;

    // Class-wide default of usePlacement.
    static bool defaultUsePlacement;

private:
    void showEntry() override { showCurrentEntry(false); }
    bool endOfPlay() override;
    bool entryAdvanced() override { return true; }
    bool special() override;
    void hideAtEnd() override;
    bool cuesPlay() override { return false; }
    bool hasCue(std::int16_t) override { return false; }
    void playCue(std::int16_t, bool) override {}

    void showCurrentEntry(bool force);
    // Raises an event; false when a handler destroyed the animation.
    bool raise(const char* event);
    void foreverVerb();

    std::shared_ptr<AnimationData> data_;
    std::int32_t currentSequence = 0;
    std::int32_t shownEntry = 0;
    AseqFrame currentFrame;

    // The animation in its step: cleared by its destructor, so the step learns it is gone.
    static OMAnimation* stepping;
};
