// The record inside a sprite's memory handle, the sprite list's global state, and the steps that the
// list, drag and pick code share.
#pragma once

#include "Sprite.h"

struct SpriteRecord {
    ShapeBank bank;
    std::uint16_t index;
    Rect frame;  // the shape's frame at the position, mirror mode 0
    std::uint16_t hidden;
    Point position;
    std::int16_t id;
    SpriteHandle next;      // the next older sprite
    SpriteHandle previous;  // the next newer sprite
};

struct SpriteState {
    SpriteHandle head;  // newest, topmost
    std::uint16_t count;
    SpriteHandle dragged;
    std::uint32_t dragPoint;  // the last mouse point used, packed
    Rect limits;
    Rect range;  // where the mouse may take the dragged sprite
    std::uint16_t dragMode;
    SpriteHandle cursor;
};

SpriteState& spriteState();

// Locks a sprite's handle for the lifetime of the object; false for a 0 or stale handle.
class SpriteAccess {
public:
    explicit SpriteAccess(SpriteHandle sprite)
        : sprite_(sprite), record_(sprite ? static_cast<SpriteRecord*>(MemHandleLock(sprite)) : nullptr) {}
    ~SpriteAccess() {
        if (record_) MemHandleUnlock(sprite_);
    }
    SpriteAccess(const SpriteAccess&) = delete;
    SpriteAccess& operator=(const SpriteAccess&) = delete;
    explicit operator bool() const { return record_ != nullptr; }
    SpriteRecord* operator->() const { return record_; }
    SpriteRecord& operator*() const { return *record_; }

private:
    SpriteHandle sprite_;
    SpriteRecord* record_;
};

// Marks the frame dirty for the next flush.
void spriteMarkDirty(const SpriteRecord& sprite);
// Places the frame at the sprite's position.
void spritePlaceFrame(SpriteRecord& sprite);
// The next older sprite, 0 at the tail or for a 0 handle.
SpriteHandle spriteNext(SpriteHandle sprite);
