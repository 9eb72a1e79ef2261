// The drawing surface of a framework window: the window's device context with the palette realised,
// and the cursor shown over the window.
#pragma once

#include <cstdint>

#include "OMCanvas.h"
#include "OMList.h"

class OMCursor;
class OMMemCanvas;
class OMWindow;

class OMWndCanvas : public OMCanvas {
public:
    // At the depth of the application's display.
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
    // Realises the palette on the window (not in full-screen mode 4).
    void applyPalette(const PALETTEENTRY* entries) override;
    void unrealizePalette() override;

    // Back buffers of a flipping chain exist only in full-screen DirectDraw mode: through GDI a memory
    // canvas is never attached and these do nothing.
    bool attachMemCanvas(OMMemCanvas* memCanvas);
    void detachMemCanvas(OMMemCanvas* memCanvas);
    void restoreSurfaces() {}
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
};
