// Sprites: placed packed shapes in one global list whose order is the stacking order (the head, the
// newest, is drawn last and picked first), with callers' ids, hiding, restacking, and dragging with the
// mouse inside limits. Every change of a visible sprite marks its old and new frames dirty for the next
// flush. Operations come on a handle, on the newest sprite with an id, and on the dragged sprite; they
// return 1 for done and 0 for no such sprite unless stated.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "Rect.h"
#include "ShapeMgr.h"

using SpriteHandle = MemHandle;

// What SpriteIterNext reports of one sprite.
struct SpriteInfo {
    SpriteHandle handle;
    ShapeBank bank;
    std::uint16_t index;
    Point position;
    Rect frame;
    std::int16_t id;
};

// Positions and mouse points are packed: x | y << 16.
// A new visible sprite on top: 0, or 1 when out of memory (nothing is linked).
std::int16_t SpriteCreate(std::uint32_t position, ShapeBank bank, std::uint16_t index, std::int16_t id);
std::int16_t SpriteCreateAnon(std::uint32_t position, ShapeBank bank, std::uint16_t index);
// The newest sprite with the id, 0 when none.
SpriteHandle SpriteFind(std::int16_t id);
SpriteHandle SpriteFindById(std::int16_t id);
// 0, or 1 when no sprite has the id.
std::int16_t SpriteDispose(std::int16_t id);
// 0 always.
std::int16_t SpriteDisposeHandle(SpriteHandle sprite);
std::int16_t SpriteDisposeDragged();
// Ends any drag and disposes of every sprite; 0.
std::int16_t SpriteDisposeAll();
// Takes the sprite out of the list (its frame dirty when visible); 0, or 1 for a 0 handle.
std::int16_t SpriteUnlink(SpriteHandle sprite);

// Into the current port: a visible sprite whose frame meets the clip (none: any).
std::int16_t SpriteDraw(std::int16_t id, const Rect* clip);
// Every visible sprite meeting the rect, oldest first, with the port's clip set to the rect meanwhile.
void SpriteDrawAll(const Rect* clip);
SpriteHandle SpriteGetTail();
std::uint16_t SpriteCount();

std::int16_t SpriteHide(std::int16_t id);
std::int16_t SpriteShow(std::int16_t id);
std::int16_t SpriteHideHandle(SpriteHandle sprite);
std::int16_t SpriteShowHandle(SpriteHandle sprite);
// End any drag, then hide or show every sprite; 0.
std::int16_t SpriteHideAll();
std::int16_t SpriteShowAll();
// The hidden flag; 0 for no sprite.
std::int16_t SpriteIsHidden(std::int16_t id);
std::int16_t SpriteIsHiddenHandle(SpriteHandle sprite);

std::int16_t SpriteBringToFront(std::int16_t id);
std::int16_t SpriteBringToFrontHandle(SpriteHandle sprite);
std::int16_t SpriteBringToFrontDragged();
// The only sprite: 1 at once; otherwise it goes below the oldest, and 0 when no other sprite remains.
std::int16_t SpriteSendToBack(std::int16_t id);
std::int16_t SpriteSendToBackHandle(SpriteHandle sprite);
std::int16_t SpriteSendToBackDragged();

std::int16_t SpriteSetPosition(std::int16_t id, std::uint32_t position);
std::int16_t SpriteSetPositionHandle(SpriteHandle sprite, std::uint32_t position);
std::int16_t SpriteSetPositionDragged(std::uint32_t position);
std::int16_t SpriteSetShapeIndex(std::int16_t id, std::uint16_t index);
std::int16_t SpriteSetShapeIndexHandle(SpriteHandle sprite, std::uint16_t index);
std::int16_t SpriteSetShapeIndexDragged(std::uint16_t index);
std::int16_t SpriteSetBank(std::int16_t id, ShapeBank bank);
std::int16_t SpriteSetBankHandle(SpriteHandle sprite, ShapeBank bank);

std::int16_t SpriteGetPosition(std::int16_t id, Point* out);
std::int16_t SpriteGetPositionHandle(SpriteHandle sprite, Point* out);
std::int16_t SpriteGetPositionDragged(Point* out);
std::int16_t SpriteGetRect(std::int16_t id, Rect* out);
std::int16_t SpriteGetRectHandle(SpriteHandle sprite, Rect* out);
std::int16_t SpriteGetRectDragged(Rect* out);
std::int16_t SpriteGetId(std::int16_t id, std::int16_t* out);
std::int16_t SpriteGetIdHandle(SpriteHandle sprite, std::int16_t* out);
std::int16_t SpriteGetIdDragged(std::int16_t* out);
std::int16_t SpriteGetBank(std::int16_t id, ShapeBank* out);
std::int16_t SpriteGetBankHandle(SpriteHandle sprite, ShapeBank* out);
std::int16_t SpriteGetBankDragged(ShapeBank* out);
std::int16_t SpriteGetShapeIndex(std::int16_t id, std::uint16_t* out);
std::int16_t SpriteGetShapeIndexHandle(SpriteHandle sprite, std::uint16_t* out);
std::int16_t SpriteGetShapeIndexDragged(std::uint16_t* out);

// Dragging. The limits hold the dragged sprite's frame (the right and bottom edges may touch them); the
// mode 0 picks up with one click and drops with the next, any other drops on release.
void SpriteSetDragLimits(const Rect* rect);
std::uint16_t SpriteSetDragMode(std::uint16_t mode);
std::uint16_t SpriteGetDragMode();
std::int16_t SpriteDragBegin(SpriteHandle sprite, std::uint32_t point);
std::int16_t SpriteDragBeginHead(std::uint32_t point);
std::int16_t SpriteDragBeginById(std::int16_t id, std::uint32_t point);
// A press: 1 when it picked a sprite up, 2 when it dropped the one carried in mode 0, else 0.
std::int16_t SpritePickAtPoint(std::uint32_t point);
std::int16_t SpritePickInRect(const Rect* rect);
std::int16_t SpritePickByShape(ShapeBank bank, std::uint16_t index, std::uint32_t position);
// The dragged sprite's id when it moved, else 0.
std::int16_t SpriteDragMove(std::uint32_t point);
std::int16_t SpriteDragDrop(std::uint32_t point);
std::int16_t SpriteDragDropHere();
std::int16_t SpriteDragEnd();

// Oldest to newest.
std::int16_t SpriteIterBegin();
std::int16_t SpriteIterNext(SpriteInfo* out);
