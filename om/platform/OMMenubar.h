// Menu bars: a Win32 menu bar holding drop-down menus; the application shows one current bar on its
// main window and numbers that bar's command items.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OMList.h"

class OMMenu;

// Owns its menus. Deleting the application's current bar makes the application fall back to its
// default bar. Out-of-range positions are ignored.
class OMMenubar {
public:
    OMMenubar();
    OMMenubar(const OMMenubar&) = delete;
    OMMenubar& operator=(const OMMenubar&) = delete;
    ~OMMenubar();

    [[nodiscard]] bool appendMenu(OMMenu* menu);
    // True: the bar owns the menu, and redraws and renumbers when it is the current bar. False (a position
    // out of range, a menu without a native handle, or one the native bar refuses): it stays the caller's.
    [[nodiscard]] bool insertMenu(std::int32_t position, OMMenu* menu);
    void deleteMenu(std::int32_t position);
    // The menu, taken out of the bar and now the caller's; null when out of range.
    OMMenu* removeMenu(std::int32_t position);
    OMMenu* menuAt(std::int32_t position) const;
    void enableMenu(std::int32_t position, std::int32_t enabled);
    bool isMenuEnabled(std::int32_t position) const;
    // Every menu's notifyOpening in bar order (the main window's WM_INITMENU).
    void notifyOpening();
    // dispatchCommand of each menu in bar order until one handles id (the main window's WM_COMMAND).
    std::int32_t dispatchCommand(WPARAM id);
    // Numbers the command items of the current bar from 0 in bar order; nothing for another bar.
    void renumber();

    // The bar holding menu and its position there.
    static bool findMenu(const OMMenu* menu, OMMenubar** bar, std::int32_t* position);
    // Every bar in existence.
    static OMList<OMMenubar>& menubars();

    OMList<OMMenu> menus;
    HMENU hmenu;

private:
    bool isCurrent() const;
    void redrawWhenCurrent() const;
};
