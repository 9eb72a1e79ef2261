// Cursors: the current cursor's activation hooks and the framework's hidden state.
#pragma once

#include <cstdint>

// A cursor. The hooks run on the current cursor when the application or a window gains or loses
// activation; the base does nothing in them.
class OMCursor {
public:
    OMCursor() = default;
    OMCursor(const OMCursor&) = delete;
    OMCursor& operator=(const OMCursor&) = delete;
    virtual ~OMCursor();

    virtual void release() {}
    virtual void windowActivated() {}
    virtual void windowDeactivated() {}
};

// The current cursor (null while none is set).
extern OMCursor* currentCursor;
// 1 while the framework hides the cursor.
extern std::int32_t cursorHidden;
