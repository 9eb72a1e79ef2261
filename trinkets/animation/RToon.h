// The cel animation: an ASEQ used as a list of pictures that the script steps through by entry number, on
// the 1/60-second clock at its own rate, forward or backward, a number of times, optionally stamping each
// frame into the window's background. It never moves. Script class "RToon".
#pragma once

#include <cstdint>

#include "OMAnimation.h"

class RToon : public OMAnimation {
public:
    enum Status : std::int32_t { kIdle = 0, kOneFrame = 1, kForward = 2, kBackward = 3 };

    // The toon at (x, y) on the window showing entry `frame`, or null when the ASEQ id has no usable data.
    static RToon* make(OMTrinketWindow* owner, std::int32_t x, std::int32_t y, std::int16_t aseqId,
                       std::int32_t visible, std::int32_t frame, std::int32_t stampEachFrame);
    // The toon of an ASEQ resource, which it takes over (resourceId 0); check status() before using it.
    RToon(OMTrinketWindow* owner, OMRes* aseq, std::int32_t x, std::int32_t y, std::int32_t visible,
          std::int32_t frame, std::int32_t stampEachFrame);

    OMScriptableObject* clone() override { return nullptr; }
    void registerProperties() override;
    // The trinket's cursor only when hot.
    void showCursor() override;
    void onMouseUp() override;
    void onDrag() override {}
    // The window raises "dblClick" itself, and only over the picture's pixels.
    void onDblClick() override {}
    void offsetBy(std::int32_t&, std::int32_t&) override {}
    void tick() override;

    // Shows entry n of the list (see showEntryAt).
    void showFrame(std::int32_t n) { showEntryAt(n); }
    // A run from first to last, repeated (0 counts as 1, -1 for ever), its first step `delay` sixtieths
    // from now (0: one frame period).
    void startToon(std::int32_t first, std::int32_t last, std::int32_t repeat, std::int32_t delay);
    // Frames per second; 0 keeps the frame period as it was.
    void setRate(std::int32_t framesPerSecond);

    std::int32_t hot = 0;
    std::int32_t originX = 0;
    std::int32_t originY = 0;
    std::int32_t firstFrame = 0;
    std::int32_t lastFrame = 0;
    std::int32_t currentFrame = 0;
    std::int32_t shownFrame = 0;
    std::int32_t repeatCount = 0;
    std::int32_t stampEachFrame = 0;
    std::int32_t status = kIdle;
    std::int32_t dueTime = 0;
    std::int32_t ticksPerFrame = 4;
    std::int32_t frames = 0;
    std::int32_t rate = 0;

    // The class's registry record ("RToon"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    RToon(OMTrinketWindow* owner, OMIStream* stream, std::int32_t x, std::int32_t y, std::int16_t aseqId,
          std::int32_t visible, std::int32_t frame, std::int32_t stampEachFrame);
    // What both constructors do after the OMAnimation part: the toon idle on its frame, its own clock set.
    void setUp(std::int32_t x, std::int32_t y, std::int32_t visible, std::int32_t frame, std::int32_t stamp);
    // The entries before the end entry, holds and loops left out.
    std::int32_t countFrames() const;
    // One step of a forward (+1) or backward (-1) run.
    void stepRun(std::int32_t direction);
    static std::int32_t now();

    void startVerb();
    void stopVerb();
    void stampVerb();
    void getVisibleText(OMArg buffer);
    void setVisibleText(OMArg text);
    void getRateText(OMArg buffer);
    void setRateText(OMArg text);
    void getFrameText(OMArg buffer);
    void setFrameText(OMArg text);
    void getStatusText(OMArg buffer);
    void setMovableText(OMArg text);
    void setOffsetText(OMArg text);
    void getFramesText(OMArg buffer);
    void getWidthText(OMArg buffer);
    void getHeightText(OMArg buffer);
    void setHotText(OMArg text);
    void setTouchyText(OMArg text);
    void ignore(OMArg) {}
};
