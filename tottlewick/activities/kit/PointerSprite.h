// The on-screen pointer that replaces the system cursor: a shape, or an animation, drawn at the mouse
// point plus an offset.
#pragma once

#include <cstdint>

#include "AnimClip.h"
#include "ShapeMgr.h"

class PointerSprite {
public:
    PointerSprite(std::uint16_t xpkId, std::uint16_t shapeIndex, std::uint32_t animId);
    virtual ~PointerSprite();
    PointerSprite(const PointerSprite&) = delete;
    PointerSprite& operator=(const PointerSprite&) = delete;

    virtual void MoveTo(Point point);
    virtual void Draw(const Rect* clip);
    virtual void Tick();

    // On also puts the pointer at the mouse point plus the offset.
    void SetVisible(std::uint16_t on);
    void SetAnim(std::uint32_t animId);
    // 0 turns the animation on and plays it; any other value shows the shape and pauses the animation.
    void SetAnimMode(std::uint16_t value);
    // Each returns the old value; the caller frees an old bank.
    ShapeBank SetShape(ShapeBank bank, std::uint16_t index);
    Point SetOffset(Point offset);
    void Invalidate();

    Point Position() const { return position_; }
    Point Offset() const { return offset_; }

protected:
    ShapeBank bank_ = 0;
    std::uint16_t index_ = 0;
    AnimClip anim_;
    Point position_{};
    Point offset_{-15, 0};
    std::uint16_t animMode_ = 0;
    std::uint16_t visible_ = 1;
};
