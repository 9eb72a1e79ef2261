// A clickable animation: posts its command id (10010) on a click over it and a notification (10012)
// when its animation ends, with an optional full-screen highlight shown while the mouse is over it.
#pragma once

#include "AnimClip.h"
#include "ShapeMgr.h"

class AnimSpot : public AnimClip {
public:
    AnimSpot();
    // Frees its table slot and its banks.
    ~AnimSpot();

    // Opens the animation held and takes the first free of the 20 slots (a 21st spot never fires); with
    // a hit bank, the 'XPK' of the same id placed at the first frame's origin decides the hits.
    void Load(std::uint32_t animId, std::uint32_t commandId, std::uint16_t clickable, std::uint16_t withHitBank);
    void Play(std::uint32_t animId);
    void Replay();
    void Hold() { OpenHeld(); }
    // Where Play and Replay put the animation; it moves there at once.
    void SetPosition(std::int16_t x, std::int16_t y);
    void SetVisible(std::uint16_t on);
    void SetHighlightBank(std::uint16_t xpkId, std::uint16_t mode);
    // Returns the previous hit bank; the caller frees it.
    ShapeBank SetHitBank(std::uint16_t xpkId);
    void SetRect(const Rect& rect);
    void SetRectFromBounds() { SetRect(Bounds()); }
    Rect GetBounds() const { return Bounds(); }
    void SetHighlight(std::uint16_t on);

    static AnimSpot* AnimSpotFind(std::int32_t commandId);
    static void AnimSpotsTrackMouse(Point point);
    static void AnimSpotsMouseDown();
    static void AnimSpotsMouseUp(Point point);
    static void AnimSpotsTickAll();
    static void AnimSpotsDrawAll(const Rect* clip);

private:
    bool hits(Point point);
    void moveToPosition();

    static constexpr std::int16_t kOwnPosition = -1;
    std::int16_t x_ = kOwnPosition, y_ = kOwnPosition;
    std::uint32_t commandId_ = 0xFFFFFFFF;
    std::uint16_t visible_ = 1;
    std::uint16_t clickable_ = 0;
    ShapeBank highlightBank_ = 0;
    ShapeBank hitBank_ = 0;
    std::int16_t hitX_ = 0, hitY_ = 0;
    std::uint16_t hasRect_ = 0;
    Rect hitRect_{};
    std::uint16_t highlightShown_ = 0;
    std::uint16_t highlightMode_ = 1;  // 1: whenever shown; else only while the animation is paused
};
