// The framework's windows: children of the main window with a window canvas, native controls and fifteen
// handler links; the class-wide window lists, the active and modal window, stacking and mouse capture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "OMColorRecord.h"
#include "OMLink.h"
#include "OMList.h"
#include "OMRect.h"

class OMCursor;
class OMNControl;
class OMWndCanvas;

// Frame kinds: the style of each (always a clipped child) and whether it has a system menu.
inline constexpr std::int32_t kFrameNone = 0;
inline constexpr std::int32_t kFrameBorder = 1;
inline constexpr std::int32_t kFrameCaption = 2;
inline constexpr std::int32_t kFrameSizing = 3;
inline constexpr DWORD kFrameStyles[4] = {
    WS_CHILD | WS_CLIPSIBLINGS,
    WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER,
    WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
    WS_CHILD | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
};

inline constexpr char kWindowChildClass[] = "OMWindowChildClass";
// Window extra bytes: word 0 holds the OMWindow, word 4 this tag ("OM++" in memory order).
inline constexpr int kWindowObjectWord = 0;
inline constexpr int kWindowTagWord = 4;
inline constexpr LONG kWindowTag = 0x2B2B4D4F;

// What a minimised window shows: its background colour and icon.
struct OMWindowIcon {
    OMColorRecord background;
    HICON icon;
};

// Border widths and caption height of a frame kind.
struct OMFrameMetrics {
    std::int32_t borderX;
    std::int32_t borderY;
    std::int32_t caption;
};

// The colour word a brush is made of: PALETTERGB of the components for index -1, PALETTEINDEX for a
// palette entry, 0xFFFFFFFF for any other negative index.
COLORREF brushColorOf(const OMColorRecord& color);

class OMWindow {
public:
    // Handler slots 1-15, in order.
    enum Handler {
        kActivatedHandler,
        kCloseHandler,
        kDeactivatedHandler,
        kPaintHandler,
        kKeyHandler,
        kAfterKeyHandler,
        kMaximizedHandler,
        kMinimizedHandler,
        kDoubleClickHandler,
        kMouseDownHandler,
        kMouseMoveHandler,
        kMouseUpHandler,
        kMovedHandler,
        kRestoredHandler,
        kSizedHandler,
        kHandlerCount
    };

    // Created hidden. With adjustFrame 1 the frame is the wanted client area. In DirectDraw mode every
    // window is frameless and covers the main window's client area.
    OMWindow(const OMRect* frame, std::int32_t kind, std::int32_t adjustFrame);
    OMWindow(const OMWindow&) = delete;
    OMWindow& operator=(const OMWindow&) = delete;
    virtual ~OMWindow();

    // Each slot runs its handler link when one is set; derived windows override them.
    virtual void activated() { runHandler(kActivatedHandler); }
    virtual void closeRequested() { runHandler(kCloseHandler); }
    virtual void deactivated() { runHandler(kDeactivatedHandler); }
    virtual void paint() { runHandler(kPaintHandler); }
    virtual void key() { runHandler(kKeyHandler); }
    virtual void afterKey() { runHandler(kAfterKeyHandler); }
    virtual void maximized() { runHandler(kMaximizedHandler); }
    virtual void minimized() { runHandler(kMinimizedHandler); }
    virtual void doubleClick() { runHandler(kDoubleClickHandler); }
    virtual void mouseDown() { runHandler(kMouseDownHandler); }
    virtual void mouseMove() { runHandler(kMouseMoveHandler); }
    virtual void mouseUp() { runHandler(kMouseUpHandler); }
    virtual void moved() { runHandler(kMovedHandler); }
    virtual void restored() { runHandler(kRestoredHandler); }
    virtual void sized() { runHandler(kSizedHandler); }
    virtual void update() {}

    // Setters store a clone (null clears); getters return the held link.
    void setActivatedHandler(const OMLink* link) { setHandler(kActivatedHandler, link); }
    OMLink* activatedHandler() const { return handler(kActivatedHandler); }
    void setCloseHandler(const OMLink* link) { setHandler(kCloseHandler, link); }
    OMLink* closeHandler() const { return handler(kCloseHandler); }
    void setDeactivatedHandler(const OMLink* link) { setHandler(kDeactivatedHandler, link); }
    OMLink* deactivatedHandler() const { return handler(kDeactivatedHandler); }
    void setPaintHandler(const OMLink* link) { setHandler(kPaintHandler, link); }
    OMLink* paintHandler() const { return handler(kPaintHandler); }
    void setKeyHandler(const OMLink* link) { setHandler(kKeyHandler, link); }
    OMLink* keyHandler() const { return handler(kKeyHandler); }
    void setAfterKeyHandler(const OMLink* link) { setHandler(kAfterKeyHandler, link); }
    OMLink* afterKeyHandler() const { return handler(kAfterKeyHandler); }
    void setMaximizedHandler(const OMLink* link) { setHandler(kMaximizedHandler, link); }
    OMLink* maximizedHandler() const { return handler(kMaximizedHandler); }
    void setMinimizedHandler(const OMLink* link) { setHandler(kMinimizedHandler, link); }
    OMLink* minimizedHandler() const { return handler(kMinimizedHandler); }
    void setDoubleClickHandler(const OMLink* link) { setHandler(kDoubleClickHandler, link); }
    OMLink* doubleClickHandler() const { return handler(kDoubleClickHandler); }
    void setMouseDownHandler(const OMLink* link) { setHandler(kMouseDownHandler, link); }
    OMLink* mouseDownHandler() const { return handler(kMouseDownHandler); }
    void setMouseMoveHandler(const OMLink* link) { setHandler(kMouseMoveHandler, link); }
    OMLink* mouseMoveHandler() const { return handler(kMouseMoveHandler); }
    void setMouseUpHandler(const OMLink* link) { setHandler(kMouseUpHandler, link); }
    OMLink* mouseUpHandler() const { return handler(kMouseUpHandler); }
    void setMovedHandler(const OMLink* link) { setHandler(kMovedHandler, link); }
    OMLink* movedHandler() const { return handler(kMovedHandler); }
    void setRestoredHandler(const OMLink* link) { setHandler(kRestoredHandler, link); }
    OMLink* restoredHandler() const { return handler(kRestoredHandler); }
    void setSizedHandler(const OMLink* link) { setHandler(kSizedHandler, link); }
    OMLink* sizedHandler() const { return handler(kSizedHandler); }

    // Activation and stacking (the framework's own; Win32 focus stays with the main window).
    void activate();
    void showInactive();
    void hide();
    void makeModal();
    void activateNext();
    void becomeActive();
    void becomeInactive();
    // 1 while the activation handlers have run and the deactivation handlers have not.
    std::int32_t isActivated() const { return activatedFlag; }

    // Geometry, in the main window's client coordinates; nothing while minimised or maximised.
    void moveTo(std::int32_t x, std::int32_t y);
    void offsetBy(std::int32_t dx, std::int32_t dy);
    void setFrame(const OMRect* rect, std::int32_t adjustFrame);
    // Null keeps the window text and stores no title.
    void setTitle(const char* text);
    const char* title() const { return titleText.get(); }
    OMFrameMetrics frameMetrics() const;
    // The cursor position in client coordinates; buttons gets 1 right + 2 middle + 4 left.
    POINT screenToClient(unsigned* buttons) const;
    OMRect rectInMainWindow() const;

    // The default control's action when it has one, else the key slot.
    void dispatchKey();
    void captureMouse();

    // The OMWindow of a window handle that carries the tag, else null.
    static OMWindow* fromHandle(HWND window);
    static OMWindow* topVisibleWindow();
    // The icon title of a minimised window, null when none.
    static HWND iconTitleWindow(HWND window);
    // Stacks the modal band above the others, each band with its last activated window on top.
    static void restack(std::int32_t activeCaption);
    static void releaseMouse();
    static void cursorDestroyed(OMCursor* cursor);
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The first control whose native window is `control`.
    OMNControl* controlWithHandle(HWND control) const;

    OMList<OMNControl> controls;
    // Owned.
    OMWndCanvas* canvas = nullptr;
    // Not owned; null = white background and the default icon.
    OMWindowIcon* icon = nullptr;
    // Not owned; receives Enter.
    OMNControl* defaultControl = nullptr;
    std::int32_t kind;
    HWND hwnd = nullptr;
    // Owned, deleted first by the destructor.
    struct Attachment {
        virtual ~Attachment() = default;
    };
    Attachment* attachment = nullptr;
    std::int32_t hidden = 1;

    static OMList<OMWindow> windows;
    static OMList<OMWindow> modalWindows;
    static OMWindow* activeWindow;
    static OMWindow* modalWindow;
    static std::int32_t mouseCaptured;
    // Live only for one system command.
    static std::int32_t inSystemMoveSize;
    static std::int32_t restoringFromIcon;
    static std::int32_t maximizingFromIcon;
    // The icon of minimised windows without an icon record (the system's question mark).
    static HICON defaultIcon;

private:
    void setHandler(Handler slot, const OMLink* link) { replaceLink(handlers[slot], link); }
    OMLink* handler(Handler slot) const { return handlers[slot]; }
    void runHandler(Handler slot) {
        if (OMLink* link = handlers[slot]) link->invoke();
    }
    void rebuildSystemMenu();
    void leaveFramework();
    OMList<OMWindow>& ownList() { return modalWindows.contains(this) ? modalWindows : windows; }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleSystemCommand(WPARAM wParam, LPARAM lParam);
    LRESULT handleNonClientButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT handleControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void handlePaint();
    void eraseBackground(HDC dc);
    void setCursorShape();
    void dispatchMouse(void (OMWindow::*slot)(), UINT message, WPARAM wParam, LPARAM lParam);
    void notifyControlUnderPoint(WPARAM wParam, LPARAM lParam);
    // The control of a native window whose user-data word names one of this window's controls.
    OMNControl* controlOf(HWND control) const;

    OMLink* handlers[kHandlerCount] = {};
    std::unique_ptr<char[]> titleText;
    std::int32_t activatedFlag = 0;
};
