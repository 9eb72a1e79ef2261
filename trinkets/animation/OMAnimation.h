// The animation trinket: plays an ASEQ on the trinket window's millisecond clock, drawing its frames
// straight from their runs into the window's 8-bit off-screen canvas, and hit-tests its visible pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "AOPaletteRecord.h"
#include "AOSoundRecord.h"
#include "AseqFormat.h"
#include "AseqPlayback.h"
#include "AseqSequenceTable.h"
#include "OMIStream.h"
#include "OMLink.h"
#include "OMMemCanvas.h"
#include "OMRes.h"
#include "OMSR.h"
#include "OMTrinket.h"

// The ASEQ data of an animation and of its copies: the stream or locked resource that holds the bytes, and
// their layout.
struct AnimationData {
    AnimationData() = default;
    AnimationData(const AnimationData&) = delete;
    AnimationData& operator=(const AnimationData&) = delete;
    // Unlocks the resource, and deletes it when no lock remains.
    ~AnimationData();

    std::unique_ptr<OMIStream> stream;
    // Built from a resource: the resource, locked while the data live, and a copy of its bytes, which are
    // converted and edited in place where module data may not be written.
    OMRes* resource = nullptr;
    std::vector<std::uint8_t> resourceBytes;
    AseqLayout layout;
    AseqStatus status = AseqStatus::truncated;
    // The sounds of the cues, deleted with the data by the last user.
    AOSoundRecords sounds;
    // Deep windows: frame i pre-rendered onto black, made on first show.
    std::vector<std::unique_ptr<OMMemCanvas>> frameCanvases;
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
    // Takes over the resource and locks it for the life of the data; placed and played as from a stream.
    OMAnimation(OMTrinketWindow* owner, OMRes* resource, std::int32_t x, std::int32_t y);
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
    // Pausing stops the sounds of the cues; suspending pauses them and resuming resumes them.
    virtual void pause();
    virtual void rewind() { playback.rewind(); }
    virtual void setRepeatCount(std::int32_t n) { playback.repeatCount = n; }
    virtual void suspend();
    virtual void resume();
    // Playing from the current entry whatever the state, due at once.
    virtual void restart();
    // Shows the n-th frame entry (the last one when there are fewer) and pauses; n <= 0 does nothing.
    virtual void setFramePosition(std::int32_t n, bool force);
    // Makes entry i of the current list current and shows it (a command entry only repaints); nothing when
    // i is the current entry or lies at or past the end entry.
    void showEntryAt(std::int32_t i);
    // How many frame entries lie from entry 0 up to and including the current one.
    std::int32_t framePosition() const;
    // Frame entries of the current list.
    std::int32_t frameEntryCount() const;
    // Clamped to the lists there are; an unchanged index is taken again only when forced.
    void selectSequence(std::int32_t index, bool force = true);
    std::int32_t sequenceIndex() const { return currentSequence; }
    const AseqFrame& frameShown() const { return currentFrame; }
    // The size of frame i; 0 outside the frames.
    std::int32_t frameWidth(std::int32_t i) const;
    std::int32_t frameHeight(std::int32_t i) const;
    // Draws the frame shown with its top-left corner at (x, y) into an 8-bit canvas, inside clip.
    void drawCurrentInto(std::int32_t x, std::int32_t y, OMMemCanvas& canvas, const OMRect& clip);
    // Draws the n-th frame entry (as setFramePosition picks it) the same way, leaving the frame shown, the
    // bounds and the playing state alone: a hidden picture can stamp several frames a pass without moving.
    void drawPositionInto(std::int32_t n, std::int32_t x, std::int32_t y, OMMemCanvas& canvas, const OMRect& clip);
    // Draws frame i (an index into the frames, not an entry) the same way, over the whole canvas or inside
    // clip; nothing for an index outside the frames.
    void drawFrame(std::int32_t i, std::int32_t x, std::int32_t y, OMMemCanvas& canvas);
    void drawFrameClippedTo(std::int32_t i, std::int32_t x, std::int32_t y, OMMemCanvas& canvas, const OMRect& clip);
    // Every pixel of colour from[k] becomes to[k], for the first k that matches, in one pass over frame
    // `frame` (-1 the current entry's, -2 all), in the data shared with copies; only on an 8-bit window,
    // where the indices reach the screen unchanged.
    void remap(std::int32_t count, const std::uint8_t* from, const std::uint8_t* to, std::int32_t frame);
    void replacePaletteEntry(std::uint8_t from, std::uint8_t to, std::int32_t frame);
    // Colours a and b change places.
    void swapPaletteEntries(std::uint8_t a, std::uint8_t b, std::int32_t frame);
    // Called on every advance of the play list; null removes it.
    void setEntryLink(const OMLink* link);

    // RRGB data into a 256-entry table, the source deleted; data of fewer than 256 entries leave the table
    // as it was. On displays deeper than 8 bits the table also becomes a shared palette of id 0, current
    // from then on and never released.
    static void loadPalette(OMIStream* source, OMColorRecord* table);
    static void loadPalette(OMRes* source, OMColorRecord* table);
    // Draws the single frame of a one-image ASEQ at (0, 0) over the canvas, on deeper canvases through the
    // current shared palette, then deletes the source; the mode byte is not used. Damaged data draw nothing.
    static void drawStreamImage(OMMemCanvas* canvas, OMIStream* source, std::uint8_t mode);
    static void drawResourceImage(OMMemCanvas* canvas, OMRes* source, std::uint8_t mode);

    AseqPlayback playback{*this};
    std::int16_t resourceId = 0;
    bool usePlacement = true;
    bool soundOn = true;
    // The end of play waits until the sounds of the cues have finished.
    bool waitSoundsAtEnd = false;
    bool waitingForSounds = false;
    // Sounds started by this animation and not finished.
    std::int32_t soundsPlaying = 0;

    // Class-wide defaults of usePlacement, soundOn, and of the playback's soundSync and noDrift.
    static bool defaultUsePlacement;
    static bool defaultSoundOn;
    static bool defaultSoundSync;
    static bool defaultNoDrift;
    // Every animation alive, in order of construction.
    static OMList<OMAnimation>& liveAnimations();
    // The application's look-ups of ASEQ data (without it no script animation is made) and of WAVE data.
    static StreamHook animationHook;
    static StreamHook soundHook;
    // RRGB data by id for the script factory's palette step on deep displays; the application sets none.
    static StreamHook paletteHook;
    // The class's registry record ("OMAnimation"); referring to it links the class into a program.
    static OMSR classRecord;

protected:
    // The step of tick: false when the animation was destroyed during it.
    bool step();

    // The animation in its step: cleared by its destructor, so the step learns it is gone.
    static OMAnimation* stepping;

public:
    // Queries for the character and the actions.
    // Entry i of the current list (-1: the current entry); none outside the list's entries.
    std::optional<AseqEntry> entryAt(std::int32_t i) const;
    std::int32_t sequenceCount() const { return sequences.size(); }
    // Paused (or waiting) with no sound of a cue playing; the flags receive the two halves.
    bool isPausedAndQuiet(bool* paused = nullptr, bool* quiet = nullptr) const;
    // Playing, or some sound of a cue playing; the flags receive the two halves.
    bool isBusy(bool* playing = nullptr, bool* sounding = nullptr) const;
    // Walk the sound cues of the current list from its start: the cue's sound (made on first use; null
    // when there is no data), its id and the 1-based position of the frame entry it precedes. Past the
    // last cue: null, id 0, position 0.
    OMWaveSound* firstSoundCue(std::int16_t& soundId, std::int32_t& position);
    OMWaveSound* nextSoundCue(std::int16_t& soundId, std::int32_t& position);

    // Links called at the end of play and when the last playing sound finished (null removes them).
    void setEndLink(const OMLink* link);
    void setSoundsDoneLink(const OMLink* link);
    void setSoundOn(bool on);
    // Sound records of the cues of list `sequence` (-1 the current), or of every list. Unloading and
    // releasing delete records only for the last user of the data.
    virtual void loadSounds(std::int32_t sequence);
    virtual void unloadSounds(std::int32_t sequence);
    virtual void loadAllSounds();
    virtual void releaseSounds();

    // Editing the lists (index -1: the current list or entry). Writing an entry changes it where it lies,
    // for the copies sharing it too; inserting works on a private copy of the list.
    virtual void setEntry(const AseqEntry& entry, std::int32_t i);
    virtual void setEntry(std::int16_t frame, std::int16_t x, std::int16_t y, std::int16_t param, std::int32_t i);
    virtual void insertEntry(const AseqEntry& entry, std::int32_t i);
    virtual void insertEntry(std::int16_t frame, std::int16_t x, std::int16_t y, std::int16_t param, std::int32_t i);
    virtual void removeEntry(std::int32_t i);
    // Appends a private list of the entries through their end entry (none given: an end entry alone).
    virtual void addSequence(const std::vector<AseqEntry>& entries);
    virtual void removeSequence(std::int32_t i);
    // Inserts a cue for the sound before the position-th frame entry (-1: the current one).
    virtual void addSoundCue(std::int16_t soundId, std::int32_t position);
    // Playback pauses once on reaching entry i (-1: none).
    virtual void setStopEntry(std::int32_t i) { playback.stopEntry = i; }
    virtual bool isModified() const { return modified; }

private:
    // Attaches the data and places the animation: the common part of the stream and resource constructors.
    OMAnimation(OMTrinketWindow* owner, std::int32_t clip, std::shared_ptr<AnimationData> data, std::int32_t x,
                std::int32_t y);
    void showEntry() override { showCurrentEntry(false); }
    bool endOfPlay() override;
    bool entryAdvanced() override;
    bool special() override;
    void hideAtEnd() override;
    bool cuesPlay() override;
    bool hasCue(std::int16_t soundId) override;
    void playCue(std::int16_t soundId, bool sync) override;
    bool pauseAtStop() override;
    void cueStarted(OMArg soundId);
    void cueSyncStarted(OMArg soundId);
    void cueFinished(OMArg soundId);
    // The last playing sound finished: the deferred end of play, then the sounds-done link; false when the
    // animation was destroyed meanwhile.
    bool soundsFinished();
    // Applies the action to the sound of every record; false when a hook destroyed the animation.
    bool eachCueSound(void (*action)(OMWaveSound&));
    OMWaveSound* soundCueFrom(std::int32_t from, std::int16_t& soundId, std::int32_t& position);
    // The list's entries may have moved: playback follows them at its entry.
    void rebindSequence();
    // Stops the sounds whose hooks call this animation, so that none calls it after it is gone.
    void detachSounds();

    void showCurrentEntry(bool force);
    // The entry index of the n-th frame entry, or of the last frame entry when there are fewer.
    std::int32_t entryAtPosition(std::int32_t n) const;
    void drawImageInto(const AseqFrame& image, std::int32_t x, std::int32_t y, OMMemCanvas& canvas,
                       const OMRect& clip) const;
    // Deep windows: takes the current shared palette and pre-renders the first frame.
    void attachDeep();
    // Copies the shown frame's canvas to the window, its black pixels left out by the colour key.
    void drawDeep();
    // Frame i pre-rendered onto a canvas of the window's depth erased to black, the colour key; made on
    // first use, null outside the frames.
    OMMemCanvas* frameCanvas(std::int32_t i);
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
    AseqSequenceTable sequences;
    std::int32_t currentSequence = 0;
    std::int32_t shownEntry = 0;
    AseqFrame currentFrame;
    std::unique_ptr<OMLink> entryLink;
    std::unique_ptr<OMLink> endLink;
    std::unique_ptr<OMLink> soundsDoneLink;
    // The shared palette deep windows draw with (one reference); null on 8-bit windows.
    AOPaletteRecord* palette = nullptr;
    bool modified = false;
    // Where nextSoundCue goes on.
    std::int32_t cueCursor = 0;
};
