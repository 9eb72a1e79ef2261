// Menu bars: the Win32 menu bar that the application attaches to its main window.
#pragma once

#include <windows.h>

// A menu bar owning its Win32 menu handle. Deleting the application's current bar makes the
// application fall back to its default bar.
class OMMenubar {
public:
    OMMenubar();
    OMMenubar(const OMMenubar&) = delete;
    OMMenubar& operator=(const OMMenubar&) = delete;
    ~OMMenubar();

    // Gives the items of the current bar their command ids; the bar holds no menus yet.
    void renumber();

    HMENU hmenu;
};
