// Loaded 'XMV' animations: loading with the byte-order conversion and the shape bank the events draw
// from, freeing (with the sound channels started for the animation), the header's getters and bounds,
// and the event scan that finds, bounds, marks dirty, draws or hit-tests the frame at a time.
#pragma once

#include <cstdint>

#include "MemHandle.h"
#include "Rect.h"
#include "XmvFormat.h"

// A loaded animation: a detached block in native order.
using AnimRes = MemHandle;

// AnimResLoadRaw, then the bank named in the header (ShapeBankLoad) into the run-time field; 0 with
// everything released when either is missing.
AnimRes AnimResLoad(std::uint16_t id);
// 'XMV' id converted and checked (0 when it is missing, its marker is not valid or its events pass its
// block), detached from its file and with its run-time fields cleared.
AnimRes AnimResLoadRaw(std::uint16_t id);
// Stops the channels of the two run-time sound masks, frees the bank and the block, and clears the handle.
void AnimResFree(AnimRes* anim);
// The byte-order conversion given to ByteOrderLoad.
void AnimResSwap(void* data);

std::uint32_t AnimResGetDuration(AnimRes anim);
std::uint16_t AnimResGetRate(AnimRes anim);
std::int16_t AnimResFlagIsZero(AnimRes anim);  // 1 when the event-scan mode is 0
MemHandle AnimResGetBank(AnimRes anim);
// The event-scan mode; the reserved u32 at 24 goes to value when given.
std::uint16_t AnimResGetScanMode(AnimRes anim, std::uint32_t* value);
void AnimResGetBounds(Rect* out, AnimRes anim);
void AnimResGetBoundsAt(Rect* out, AnimRes anim, std::int16_t x, std::int16_t y);

// The scan of XmvFormat over a loaded animation; 0 for a 0 handle.
std::int16_t AnimResForEachEvent(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, XmvEventProc proc,
                                 void* context);
std::uint32_t AnimResSeekEvent(AnimRes anim, std::uint32_t start, std::uint32_t previousTime, std::uint32_t time);
std::uint32_t AnimResLastEvent(AnimRes anim, std::uint32_t time);

// Over the drawing events a scan visits, with the animation at (x, y) and the shapes in mode 0: the union
// of their image rectangles; each marked dirty; each drawn into the current port when it meets the clip
// (null: always); 1 when the point lies on an opaque pixel of one of them (the scan stops there).
void AnimResGetFrameBounds(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y,
                           Rect* out);
void AnimResInvalidateFrame(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y);
void AnimResDrawFrame(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y,
                      const Rect* clip);
std::int16_t AnimResHitTest(AnimRes anim, const XmvScan& scan, std::uint32_t* cursor, std::int16_t x, std::int16_t y,
                            std::int16_t pointX, std::int16_t pointY);
