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

// The window canvas's device context, fetched again when it was released.
HDC canvasDC(CanvasRecord& record);
// Bits per pixel of a kind word's depth code (0 for an unknown code).
std::uint16_t canvasDepthOf(std::uint16_t kindWord);
