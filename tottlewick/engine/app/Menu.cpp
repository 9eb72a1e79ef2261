// The menu bar, its pop-ups and items, and their accelerators.
#include "Menu.h"

#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "AppGlobals.h"
#include "DisplayWindow.h"
#include "Str.h"

namespace {

struct Popup {
    std::uint16_t menuId;
    HMENU handle;
};

// An appended item as the accelerators need it.
struct Item {
    std::uint32_t command;
    char letter;
};

struct Menus {
    std::vector<Popup> popups;
    std::vector<Item> items;
    HACCEL accelerators = nullptr;
    HMENU hiddenBar = nullptr;
};

Menus menus;

HMENU currentMenu() {
    const HMENU shown = GetMenu(DisplayGetWindow());
    return shown ? shown : menus.hiddenBar;
}

HMENU popupOf(std::uint16_t menuId) {
    for (const Popup& popup : menus.popups) {
        if (popup.menuId == menuId) return popup.handle;
    }
    return nullptr;
}

void redrawBar() {
    UpdateWindow(DisplayGetWindow());
    DrawMenuBar(DisplayGetWindow());
}

// Greys or enables the bar entry that opens the pop-up.
void setPopupGrey(HMENU popup, bool grey) {
    const HMENU bar = currentMenu();
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        if (GetSubMenu(bar, i) == popup) EnableMenuItem(bar, i, MF_BYPOSITION | (grey ? MF_GRAYED : MF_ENABLED));
    }
    redrawBar();
}

bool hasState(std::uint32_t command, UINT flag) {
    const UINT state = GetMenuState(currentMenu(), command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & flag) != 0;
}

void appendRecord(const MenuItemRecord& item) {
    switch (item.kind) {
    case kMenuCommand: MenuAppendItem(item.parent, item.id, item.title, item.letter); break;
    case kMenuSubmenu: MenuAppendSubmenu(item.parent, static_cast<std::uint16_t>(item.id), item.title); break;
    case kMenuSeparator: MenuAppendSeparator(item.parent); break;
    default: break;
    }
}

}  // namespace

std::int16_t MenuBuild(const MenuBarRecord* bar, const MenuItemRecord* items) {
    menus.popups.clear();
    menus.items.clear();
    if (menus.hiddenBar) DestroyMenu(menus.hiddenBar);
    menus.hiddenBar = nullptr;
    const HMENU previous = GetMenu(DisplayGetWindow());
    const HMENU newBar = CreateMenu();
    SetMenu(DisplayGetWindow(), newBar);
    if (previous) DestroyMenu(previous);
    for (; bar && bar->menuId; ++bar) {
        if (bar->menuId == kMenuBarEntryOnly || static_cast<int>(menus.popups.size()) == kMenuPopups) continue;
        const HMENU popup = CreatePopupMenu();
        AppendMenuA(newBar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), bar->title);
        menus.popups.push_back({bar->menuId, popup});
    }
    for (; items && items->kind != kMenuEnd; ++items) appendRecord(*items);
    redrawBar();
    MenuBuildAccelerators();
    return 1;
}

std::int16_t MenuAppendItem(std::uint16_t parent, std::uint32_t command, const char* title, char letter) {
    const HMENU menu = popupOf(parent);
    if (!menu) return 0;
    char text[kAppTextSize];
    if (letter) std::snprintf(text, sizeof text, "%s\tCtrl+%c", title ? title : "", letter);
    const BOOL appended = AppendMenuA(menu, MF_STRING, command, letter ? text : title);
    menus.items.push_back({command, letter});
    return appended ? 1 : 0;
}

std::int16_t MenuAppendSubmenu(std::uint16_t parent, std::uint16_t menuId, const char* title) {
    const HMENU menu = popupOf(parent);
    if (!menu || static_cast<int>(menus.popups.size()) == kMenuPopups) return 0;
    const HMENU popup = CreatePopupMenu();
    if (!popup) return 0;
    menus.popups.push_back({menuId, popup});
    return AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title) ? 1 : 0;
}

std::int16_t MenuAppendSeparator(std::uint16_t parent) {
    const HMENU menu = popupOf(parent);
    if (!menu) return 0;
    const BOOL appended = AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    return appended ? 1 : 0;
}

void MenuCheckItem(std::uint32_t command) { CheckMenuItem(currentMenu(), command, MF_BYCOMMAND | MF_CHECKED); }

void MenuUncheckItem(std::uint32_t command) { CheckMenuItem(currentMenu(), command, MF_BYCOMMAND | MF_UNCHECKED); }

std::int16_t MenuIsItemChecked(std::uint32_t command) { return hasState(command, MF_CHECKED) ? 1 : 0; }

void MenuDisableItem(std::uint32_t command) { EnableMenuItem(currentMenu(), command, MF_BYCOMMAND | MF_GRAYED); }

void MenuEnableItem(std::uint32_t command) { EnableMenuItem(currentMenu(), command, MF_BYCOMMAND | MF_ENABLED); }

std::int16_t MenuIsItemGrayed(std::uint32_t command) { return hasState(command, MF_GRAYED) ? 1 : 0; }

void MenuDisablePopup(std::uint16_t menuId) { setPopupGrey(popupOf(menuId), true); }

void MenuEnablePopup(std::uint16_t menuId) { setPopupGrey(popupOf(menuId), false); }

void MenuDisableAllPopups() {
    for (const Popup& popup : menus.popups) setPopupGrey(popup.handle, true);
}

void MenuEnableAllPopups() {
    for (const Popup& popup : menus.popups) setPopupGrey(popup.handle, false);
}

void MenuHideBar() {
    const HMENU bar = GetMenu(DisplayGetWindow());
    if (!bar) return;
    menus.hiddenBar = bar;
    SetMenu(DisplayGetWindow(), nullptr);
    redrawBar();
}

void MenuShowBar() {
    if (!menus.hiddenBar) return;
    SetMenu(DisplayGetWindow(), menus.hiddenBar);
    menus.hiddenBar = nullptr;
    redrawBar();
}

void MenuToggleBar() {
    if (menus.hiddenBar) MenuShowBar();
    else MenuHideBar();
}

std::int16_t MenuIsBarHidden() { return menus.hiddenBar ? 1 : 0; }

std::int16_t MenuGetItemText(std::uint32_t command, char* buffer, int size) {
    return static_cast<std::int16_t>(GetMenuStringA(currentMenu(), command, buffer, size, MF_BYCOMMAND));
}

std::int16_t MenuSetItemText(std::uint32_t command, const char* text) {
    return ModifyMenuA(currentMenu(), command, MF_BYCOMMAND | MF_STRING, command, text) ? 1 : 0;
}

void MenuBuildAccelerators() {
    if (menus.accelerators) DestroyAcceleratorTable(menus.accelerators);
    menus.accelerators = nullptr;
    std::vector<ACCEL> entries;
    for (const Item& item : menus.items) {
        if (!item.letter) continue;
        const auto key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(item.letter)));
        entries.push_back({FVIRTKEY | FCONTROL, key, static_cast<WORD>(item.command)});
    }
    if (entries.empty()) return;
    menus.accelerators = CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
}

std::int16_t MenuTranslateAccelerator(MSG* message) {
    if (!menus.accelerators) return 0;
    return TranslateAcceleratorA(DisplayGetWindow(), menus.accelerators, message) ? 1 : 0;
}

void MenuInsertBitmapItems() {
    const HMENU bar = currentMenu();
    const struct {
        std::uint16_t bitmap;
        UINT command;
    } items[] = {{104, 65000}, {105, 65003}};
    for (const auto& item : items) {
        const HBITMAP bitmap = LoadBitmapA(AppGetInstance(), MAKEINTRESOURCEA(item.bitmap));
        AppendMenuA(bar, MF_BITMAP, item.command, reinterpret_cast<LPCSTR>(bitmap));
    }
    redrawBar();
}

void MenuDisableSystemCommands() {
    const HMENU system = GetSystemMenu(DisplayGetWindow(), FALSE);
    for (UINT command : {SC_MOVE, SC_SIZE, SC_RESTORE, SC_MAXIMIZE})
        EnableMenuItem(system, command, MF_BYCOMMAND | MF_GRAYED);
}

void MenuLocalizeBar(MenuBarRecord* bar, std::uint32_t firstMessage) {
    for (std::uint32_t number = firstMessage; bar && bar->menuId; ++bar, ++number)
        bar->title = StrGetMessage(number, bar->title);
}

void MenuLocalizeItems(MenuItemRecord* items, std::uint32_t firstMessage) {
    std::uint32_t number = firstMessage;
    for (; items && items->kind != kMenuEnd; ++items) {
        if (items->kind != kMenuCommand && items->kind != kMenuSubmenu) continue;
        items->title = StrGetMessage(number, items->title);
        if (const char* letter = StrFindShared(number + 1); letter && letter[0]) items->letter = letter[0];
        number += 2;
    }
}

std::int16_t MenuTerm() { return 1; }
