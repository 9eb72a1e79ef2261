// The menu service of a main window with a menu bar: the bar and its pop-ups built from definition
// tables, Ctrl+letter accelerators, item checks, greying and texts by command id, and hiding the bar.
// Item operations work on the window's menu, or on the hidden bar while the window has none.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr std::uint16_t kMenuBarEntryOnly = 1000;  // a bar record that makes no pop-up
constexpr int kMenuPopups = 32;

// A bar record; menu id 0 ends the list.
struct MenuBarRecord {
    std::uint16_t menuId;
    const char* title;
};

enum MenuItemKind : std::uint16_t { kMenuEnd = 0, kMenuCommand = 2, kMenuSubmenu = 3, kMenuSeparator = 4 };

// An item record; kind kMenuEnd ends the list. id is the command id or, for a sub-menu, its menu id.
struct MenuItemRecord {
    std::uint16_t kind;
    std::uint16_t parent;
    std::uint32_t id;
    const char* title;
    char letter;  // Ctrl+letter accelerator; 0 for none
};

// A new bar on the main window with its pop-ups and items, drawn, with its accelerators; a hidden bar is
// shown again. 1.
std::int16_t MenuBuild(const MenuBarRecord* bar, const MenuItemRecord* items);
// Each returns 0 without a change when the parent was never recorded.
std::int16_t MenuAppendItem(std::uint16_t parent, std::uint32_t command, const char* title, char letter);
std::int16_t MenuAppendSubmenu(std::uint16_t parent, std::uint16_t menuId, const char* title);
std::int16_t MenuAppendSeparator(std::uint16_t parent);

void MenuCheckItem(std::uint32_t command);
void MenuUncheckItem(std::uint32_t command);
std::int16_t MenuIsItemChecked(std::uint32_t command);
void MenuDisableItem(std::uint32_t command);
void MenuEnableItem(std::uint32_t command);
std::int16_t MenuIsItemGrayed(std::uint32_t command);
void MenuDisablePopup(std::uint16_t menuId);
void MenuEnablePopup(std::uint16_t menuId);
void MenuDisableAllPopups();
void MenuEnableAllPopups();

void MenuHideBar();
void MenuShowBar();
void MenuToggleBar();
std::int16_t MenuIsBarHidden();

std::int16_t MenuGetItemText(std::uint32_t command, char* buffer, int size);
std::int16_t MenuSetItemText(std::uint32_t command, const char* text);

// Ctrl+letter for every item with a letter, in item order; no table when no item has one.
void MenuBuildAccelerators();
// 1 when the accelerator table took the message.
std::int16_t MenuTranslateAccelerator(MSG* message);
// Bitmaps 104 and 105 of the program file as items 65000 and 65003 after the pop-ups.
void MenuInsertBitmapItems();
// Greys Move, Size, Restore and Maximize in the window's system menu.
void MenuDisableSystemCommands();
// Titles from numbered messages: a bar record takes one number; command and sub-menu records two, the
// title and a text whose first character is the letter.
void MenuLocalizeBar(MenuBarRecord* bar, std::uint32_t firstMessage);
void MenuLocalizeItems(MenuItemRecord* items, std::uint32_t firstMessage);
std::int16_t MenuTerm();
