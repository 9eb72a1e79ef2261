// An invisible rectangle that only takes clicks: releasing the mouse on it raises "hit".
#pragma once

#include <cstdint>

#include "OMSR.h"
#include "OMTrinket.h"

// It draws nothing, never moves and never re-stacks itself, so a press holds it in place and the release
// raises "hit". Scripts see only "top", "hit" and "dblClick".
class RHotSpot : public OMTrinket {
public:
    // The rectangle spanned by two opposite corners, given in either order. showsCursor is 1 when flag is 0.
    RHotSpot(POINT corner, POINT opposite, std::int32_t flag, OMTrinketWindow* owner);
    RHotSpot(const OMRect& rect, std::int32_t flag, OMTrinketWindow* owner);

    // A hot spot of the same bounds on the main trinket window, showing the trinket cursor, with copies of
    // this one's properties and bound handlers.
    OMScriptableObject* clone() override;
    void registerProperties() override;
    void showDownCursor() override {}
    // The trinket's cursor, or the window's default one when made with a non-zero flag.
    void showCursor() override;
    void restack() override {}
    void onMouseUp() override { signalEvent("hit"); }
    void offsetBy(std::int32_t&, std::int32_t&) override {}
    void draw() override {}

    std::int32_t showsCursor;

    // The class's registry record ("RHotSpot"); referring to it links the class into a program.
    static OMSR classRecord;

private:
    void topVerb() { bringToFront(); }
};
