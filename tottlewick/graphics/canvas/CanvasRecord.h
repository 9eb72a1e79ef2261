// The record inside a canvas's memory handle, and the scoped lock through which every operation reads it.
#pragma once

#include <windows.h>

#include "Canvas.h"

struct CanvasRecord {
    std::uint16_t kindWord;
    Rect device;  // the device surface in logical coordinates: its top-left is the origin
    Rect bounds;  // the logical area that is drawn and copied
    HPALETTE palette;
    COLORREF textColor;
    std::uint16_t textColorWord;
    COLORREF backColor;
    std::uint16_t backColorWord;
    std::uint32_t userWord;
    std::uint16_t pixelLocks;
    // Kind data. Every kind: the device context. Kinds 1 and 2: the object selected before the canvas's
    // own bitmap. Kind 2: its form, the locked DIB header and its handle, the section's pixels and the
    // clip rectangle of the engine's own blitters. Kind 3: the window.
    HDC dc;
    HGDIOBJ previous;
    std::uint16_t form;
    MemHandle dibHandle;
    DibHeader* dib;
    void* bits;
    RECT clip;
    HWND window;
    // Kind 2: the clip region its device context is still to get. GDI drawing into a memory canvas is
    // rare while its clip changes for every redrawn rectangle, so the region is selected only when the
    // device context is handed out.
    RECT dcClip;
    bool dcClipPending;
    bool dcUnclipped;  // the context was left without a region for blits that the region cannot cut

    std::uint16_t kind() const { return kindWord & 0xFF; }
    std::int16_t originX() const { return device.left; }
    std::int16_t originY() const { return device.top; }
};

// Locks the canvas's handle for the lifetime of the object; false for a null or unlockable handle.
class CanvasAccess {
public:
    explicit CanvasAccess(Canvas canvas)
        : canvas_(canvas), record_(canvas ? static_cast<CanvasRecord*>(MemHandleLock(canvas)) : nullptr) {}
    ~CanvasAccess() {
        if (record_) MemHandleUnlock(canvas_);
    }
    CanvasAccess(const CanvasAccess&) = delete;
    CanvasAccess& operator=(const CanvasAccess&) = delete;

    explicit operator bool() const { return record_ != nullptr; }
    CanvasRecord* operator->() const { return record_; }
    CanvasRecord& operator*() const { return *record_; }

private:
    Canvas canvas_;
    CanvasRecord* record_;
};

// What placing a shape needs of a canvas, read under one lock: its bounds and clip (as CanvasGetBounds
// and CanvasGetClip give them) and its origin.
struct CanvasFrame {
    Rect bounds;
    Rect clip;
    Point origin;
};
// False, leaving `out` alone, for a null or unlockable canvas.
bool canvasGetFrame(Canvas canvas, CanvasFrame* out);

// The device context to draw into: the window canvas's fetched again when it was released, a memory
// canvas's with its pending clip region selected.
HDC canvasDC(CanvasRecord& record);
// The device context as the source of a blit, which its clip region does not limit.
HDC canvasSourceDC(CanvasRecord& record);
// Selects the clip region a memory canvas's device context is still to get.
void canvasSelectPendingClip(CanvasRecord& record);
// The device context as the target of one-to-one blits that the copy engine cuts to `area` (logical)
// itself: while the pending region of a memory canvas holds the whole area it cannot cut them, so the
// context is left without a region rather than given one.
HDC canvasBlitTargetDC(CanvasRecord& record, const Rect& area);
// Bits per pixel of a kind word's depth code (0 for an unknown code).
std::uint16_t canvasDepthOf(std::uint16_t kindWord);
