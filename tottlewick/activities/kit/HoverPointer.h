// The pointer that plays a hover animation and sound while it rests on a hover-wait button, and fires
// that button when the animation has played to its end.
#pragma once

#include "PointerSprite.h"

class HoverPointer : public PointerSprite {
public:
    HoverPointer(std::uint32_t hoverAnimId, std::uint16_t xpkId, std::uint16_t shapeIndex, std::uint32_t animId);
    // Leaves the current-pointer slot empty when it held this pointer.
    ~HoverPointer() override;

    void Init(std::uint32_t hoverAnimId);
    void StartHover(std::uint32_t actorId);
    void StopHover();
    // A point outside the picture is not followed: the mouse goes back to the pointer (or the centre).
    void MoveTo(Point point) override;
    void Draw(const Rect* clip) override;
    void Tick() override;

    bool Hovering() const { return hovering_ != 0; }

private:
    AnimClip hover_;
    MemHandle hoverSample_ = 0;
    std::uint16_t hoverChannel_ = 0xFFFF;
    std::uint16_t hovering_ = 0;
    std::uint32_t hoveredActor_ = 0xFFFFFFFF;
    Rect screen_{};
    Point savedOffset_{};  // the offset before the running hover, restored when it stops
};
