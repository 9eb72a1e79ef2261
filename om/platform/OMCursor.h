// Mouse cursors from "CURSOR" resources or the system's standard set, the framework's one current
// cursor, and its shown/hidden state imposed on the system's cursor display counter.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

class OMRes;
class OMResFile;
class OMWndCanvas;

// Resource numbers of the system cursors; any other negative number is the arrow.
inline constexpr std::int16_t kCrossCursor = -4;
inline constexpr std::int16_t kTextCursor = -3;
inline constexpr std::int16_t kWaitCursor = -2;
inline constexpr std::int16_t kArrowCursor = -1;

class OMCursor {
public:
    // The system arrow.
    OMCursor();
    // A negative number gives a system cursor; a resource that cannot be loaded gives the arrow with
    // resourceId -1. A null file means the program's own module.
    OMCursor(std::int16_t resourceNumber, OMResFile* file);
    OMCursor(const OMCursor&) = delete;
    OMCursor& operator=(const OMCursor&) = delete;
    // Window canvases showing this cursor drop it; the default cursor becomes current when this was.
    virtual ~OMCursor();

    // Shows this cursor over the canvas's window, unless it is suppressed there or another window is
    // the framework's active one.
    virtual void apply(OMWndCanvas* canvas);
    virtual void release() {}
    virtual void windowActivated() {}
    virtual void windowDeactivated() {}
    virtual void hide() { setShowState(0); }
    virtual void show() { setShowState(1); }

    // Null makes the default cursor current and shows it over the active window.
    static void setCurrent(OMCursor* cursor);
    // The current cursor, or null while the default one stands in.
    static OMCursor* current();
    static void setForCanvas(OMCursor* cursor, OMWndCanvas* canvas);
    static void hideCursor();
    static void showCursor();
    // Forces the system's display counter to exactly 0 (show) or -1 (hide).
    static void setShowState(std::int32_t show);

    std::int16_t resourceId = kArrowCursor;
    std::unique_ptr<OMRes> res;
    HCURSOR handle = nullptr;
};

// The current cursor: the default cursor while no other is set (null before start-up).
extern OMCursor* currentCursor;
// The arrow made at start-up and destroyed at shut-down.
extern OMCursor* defaultCursor;
// 1 while the framework hides the cursor.
extern std::int32_t cursorHidden;

// The start-up and shut-down of the default cursor (registered with the application's init/term list).
void createDefaultCursor();
void destroyDefaultCursor();
