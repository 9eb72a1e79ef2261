// The trinket window's background: what lies under every trinket, and where input outside every trinket
// goes.
#pragma once

#include <cstdint>
#include <vector>

#include "OMColorRecord.h"
#include "OMLink.h"
#include "OMRect.h"
#include "OMRegion.h"

class OMCanvas;

// inputMask bits of the background: a set bit switches that input off.
inline constexpr std::uint32_t kBackgroundNoMouseDown = 0x1;
inline constexpr std::uint32_t kBackgroundNoMouseUp = 0x2;
inline constexpr std::uint32_t kBackgroundNoMouseMove = 0x4;
inline constexpr std::uint32_t kBackgroundNoDblClick = 0x8;

// The pixels of the background picture that a stamp covered, to be put back when it is undone.
struct StampCanvas {
    OMRect area;
    std::vector<std::uint8_t> pixels;
};

class OMTBackground {
public:
    OMTBackground() = default;
    OMTBackground(const OMTBackground&) = delete;
    OMTBackground& operator=(const OMTBackground&) = delete;
    // Deletes the four links.
    virtual ~OMTBackground();

    // A background held as one picture returns it, so the window can copy it whole; the base has none.
    virtual OMCanvas* canvas() { return nullptr; }
    // Redraws `area` of target. Returns non-zero when pixels outside `area` changed too, and then sets
    // `changed` to them. The base fills the area with white.
    virtual std::int32_t draw(OMCanvas* target, const OMRegion* area, OMRect* changed);
    virtual void setColorTable(const OMColorRecord*) {}

    // Owned links, invoked with the address of the client point (a POINT) when the mouse acts on the
    // window outside every trinket.
    OMLink* mouseDownLink = nullptr;
    OMLink* mouseUpLink = nullptr;
    OMLink* mouseMoveLink = nullptr;
    OMLink* dblClickLink = nullptr;
    std::uint32_t inputMask = 0;

    // Keeps the pixels of the 8-bit picture under `area` (cut to the picture) as the most recent stamp;
    // false without such a picture.
    bool saveStamp(const OMRect& area);
    // Copies the most recent stamp back and forgets it: stamps are undone last first, whoever asks.
    void restoreStamp();
    // Most recent last.
    std::vector<StampCanvas> stamps;
};

// Fills `area` of a canvas with one colour, leaving the canvas's own fill and frame settings as they were.
void fillArea(OMCanvas& canvas, const OMRegion& area, const OMColorRecord& color);
