// The animation trinket: plays an ASEQ on the trinket window's millisecond clock, drawing its frames
// straight from their runs into the window's 8-bit off-screen canvas, and hit-tests its visible pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "AseqFormat.h"
#include "AseqPlayback.h"
#include "OMIStream.h"
#include "OMLink.h"
#include "OMMemCanvas.h"
#include "OMSR.h"
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
    // Finds resource data by id: a new stream, or null when there is none.
    using StreamHook = OMIStream* (*)(std::int16_t id);

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
    // Stamping: the frame shown is painted into the background picture and the animation stops and hides;
    // unstamping puts back the background's most recent stamp and shows the animation again, paused.
    void raiseUserFlag() override { stamp(); }
    void lowerUserFlag() override { unstamp(); }
    void stamp();
    void unstamp();
    void tick() override;
    void draw() override;

    // Window coordinates: true on a fill or literal pixel of the frame shown.
    virtual bool hitPixel(std::int32_t x, std::int32_t y);
    virtual void play() { playback.play(); }
    virtual void pause() { playback.pause(); }
    virtual void rewind() { playback.rewind(); }
    virtual void setRepeatCount(std::int32_t n) { playback.repeatCount = n; }
    virtual void suspend() { playback.pause(); }
    virtual void resume();
    // Playing from the current entry whatever the state, due at once.
    virtual void restart();
    // Shows the n-th frame entry (the last one when there are fewer) and pauses; n <= 0 does nothing.
    virtual void setFramePosition(std::int32_t n, bool force);
    // How many frame entries lie from entry 0 up to and including the current one.
    std::int32_t framePosition() const;
    // Frame entries of the current list.
    std::int32_t frameEntryCount() const;
    // Clamped to the lists there are; an unchanged index is taken again only when forced.
    void selectSequence(std::int32_t index, bool force = true);
    std::int32_t sequenceIndex() const { return currentSequence; }
    const AseqFrame& frameShown() const { return currentFrame; }
    // Draws the frame shown with its top-left corner at (x, y) into an 8-bit canvas, inside clip.
    void drawCurrentInto(std::int32_t x, std::int32_t y, OMMemCanvas& canvas, const OMRect& clip);
    // Every pixel of colour `from` becomes `to` in frame `frame` (-1 the current entry's, -2 all), in the
    // data shared with copies; only on an 8-bit window, where the indices reach the screen unchanged.
    void replacePaletteEntry(std::uint8_t from, std::uint8_t to, std::int32_t frame);
    // Called on every advance of the play list; null removes it.
    void setEntryLink(const OMLink* link);

    AseqPlayback playback{*this};
    std::int16_t resourceId = 0;
    bool usePlacement = true;
    bool soundOn = true;

    // Class-wide defaults of usePlacement and soundOn.
    static bool defaultUsePlacement;
    static bool defaultSoundOn;
    // The application's look-ups of ASEQ data (without it no script animation is made) and of WAVE data.
    static StreamHook animationHook;
    static StreamHook soundHook;
    // The class's registry record ("OMAnimation"); referring to it links the class into a program.
    static OMSR classRecord;

protected:
    // The step of tick: false when the animation was destroyed during it.
    bool step();

    // The animation in its step: cleared by its destructor, so the step learns it is gone.
    static OMAnimation* stepping;

private:
    void showEntry() override { showCurrentEntry(false); }
    bool endOfPlay() override;
    bool entryAdvanced() override;
    bool special() override;
    void hideAtEnd() override;
    bool cuesPlay() override { return false; }
    bool hasCue(std::int16_t) override { return false; }
    void playCue(std::int16_t, bool) override {}

    void showCurrentEntry(bool force);
    // Raises an event; false when a handler destroyed the animation.
    bool raise(const char* event);
    void foreverVerb();
    void getFrameText(OMArg buffer);
    void setFrameText(OMArg text);
    void getSequenceText(OMArg buffer);
    void setSequenceText(OMArg text);
    void getParamText(OMArg buffer);
    void setParamText(OMArg text);
    void getSoundOnText(OMArg buffer);
    void setSoundOnText(OMArg text);
    // The current entry inside the buffer, or null past the stored entries.
    std::uint8_t* currentEntryBytes() const;

    std::shared_ptr<AnimationData> data_;
    std::int32_t currentSequence = 0;
    std::int32_t shownEntry = 0;
    AseqFrame currentFrame;
    std::unique_ptr<OMLink> entryLink;
};
