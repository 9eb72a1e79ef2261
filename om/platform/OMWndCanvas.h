// The drawing surface of a framework window: the window's device context with the palette realised, or
// in DirectDraw mode the primary surface, and the cursor shown over the window.
#pragma once

#include <cstdint>

#include "OMCanvas.h"
#include "OMList.h"

class OMCursor;
class OMMemCanvas;
class OMWindow;

class OMWndCanvas : public OMCanvas {
public:
    // At the depth of the application's display; in DirectDraw mode with the primary surface.
    explicit OMWndCanvas(OMWindow* owner);
    ~OMWndCanvas() override;

    const char* typeName() const override { return kWndCanvasType; }
    // The client rectangle's bottom and right.
    std::int32_t height() override;
    std::int32_t width() override;
    // Has the window repaint its whole client area.
    void erase(const OMColorRecord& color) override;
    // While the window is minimised the clip is empty, so drawing changes nothing.
    bool getDC() override;
    void releaseDC() override;
    bool getDCClipped(HRGN region, bool selectPalette) override;
    void clearClip() override;
    // Sets the DirectDraw palette's entries and realises the palette on the window (not in full-screen
    // mode 4).
    void applyPalette(const PALETTEENTRY* entries) override;
    void unrealizePalette() override;

    // Back buffers of a flipping chain exist only in full-screen DirectDraw mode (window mode 4): in any
    // other mode a memory canvas is never attached and these do nothing. True when the memory canvas's
    // surface became a back buffer of the primary surface.
    bool attachMemCanvas(OMMemCanvas* memCanvas);
    void detachMemCanvas(OMMemCanvas* memCanvas);
    // Restores a lost primary surface and flips the chain, showing the first back buffer.
    void restoreSurfaces();
    // Null resets the shared current cursor; the cursor already set does nothing.
    void setCursor(OMCursor* shown);

    OMWindow* window;
    OMCursor* cursor = nullptr;
    // While non-zero the window shows no cursor.
    std::int32_t cursorSuppressed = 0;
    // The memory canvases serving as back buffers, not owned.
    OMList<OMMemCanvas> attached;

private:
    // The clip of `context`: empty while the window is minimised, else `region`.
    void selectClip(HDC context, HRGN region) const;
    // A device context of the window, or of the primary surface in DirectDraw mode; null when none.
    HDC takeDC();
    void giveBackDC(HDC context);
    // Full-screen DirectDraw mode with usable primary and memory canvas surfaces.
    bool chainUsable(OMMemCanvas* memCanvas);
    // Makes the primary surface again: flipping with `backBuffers` back buffers, plain without.
    void remakePrimary(DWORD backBuffers);
    // Gives the n-th canvas of `attached` the n-th back buffer of the chain.
    void handOutBackBuffers();
    void releaseBackBuffers();
};
