// Drop-down menus: a Win32 pop-up menu beside a list of item nodes that carry the program's links, so
// that a chosen command runs a link instead of being decoded by number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "OMLink.h"
#include "OMList.h"
#include "OMMenuSupport.h"

class OMMenu;
class OMRes;
class OMResFile;

// One item, in the order of the native menu's positions.
struct OMMenuNode {
    std::int32_t kind = kMenuCommand;
    // Given by the current menu bar's numbering; 0 until numbered.
    std::int32_t id = 0;
    std::unique_ptr<OMLink> link;
    // Kind kMenuSubmenu only.
    std::unique_ptr<OMMenu> submenu;
};

// Positions are 0-based; an item operation needs 0 <= position < count, an insertion
// 0 <= position <= count, and outside those bounds does nothing and returns null, 0 or false.
class OMMenu {
public:
    // An empty menu titled with its mnemonic mark (see markMnemonic); keeps a clone of handler.
    OMMenu(const char* title, const char* mnemonic, const OMLink* handler);
    // The first drop-down of a "MENU" resource (null file: the program's own module), titled with its
    // text. A missing resource leaves the menu empty and without a handle.
    OMMenu(std::int32_t resourceId, OMResFile* file, const OMLink* handler);
    // Wraps an existing pop-up menu, one node per native item.
    OMMenu(HMENU menu, const char* title);
    OMMenu(const OMMenu&) = delete;
    OMMenu& operator=(const OMMenu&) = delete;
    // Leaves the menu bar it stands in, then deletes the items (submenus with them) and the native menu.
    virtual ~OMMenu();

    // Runs the handler link when set.
    virtual void opening();

    void appendItem(const char* text, const OMLink* link, const char* mnemonic);
    [[nodiscard]] bool appendSubmenu(OMMenu* menu);
    // kSeparatorText inserts a separator. Then the current menu bar is renumbered.
    void insertItem(std::int32_t position, const char* text, const OMLink* link, const char* mnemonic);
    // True: the menu is now owned by this one. False (a position out of range, a menu without a native
    // handle, or one the native menu refuses): it stays the caller's.
    [[nodiscard]] bool insertSubmenu(std::int32_t position, OMMenu* menu);
    void deleteItem(std::int32_t position);
    // The submenu of a submenu item, now the caller's; null for other items.
    OMMenu* removeItem(std::int32_t position);
    void checkItem(std::int32_t position, std::int32_t checked);
    void enableItem(std::int32_t position, std::int32_t enabled);
    bool isItemChecked(std::int32_t position) const;
    bool isItemEnabled(std::int32_t position) const;
    OMLink* itemLink(std::int32_t position) const;
    void setItemLink(std::int32_t position, const OMLink* link);
    OMMenu* submenuAt(std::int32_t position) const;
    // A command item's text without '&' marks, in a buffer that the next call replaces; kSeparatorText for
    // a separator; null for a submenu.
    const char* itemText(std::int32_t position) const;
    // Keeps the item's id, checked and greyed states.
    void setItemText(std::int32_t position, const char* text, const char* mnemonic);
    // The title without '&' marks, in the same shared buffer ("" when none).
    const char* plainTitle() const;
    // The title with its marks.
    const char* title() const { return title_.c_str(); }
    OMLink* handler() const { return handler_.get(); }
    void setHandler(const OMLink* link);

    // opening on this menu, then on every submenu in item order.
    void notifyOpening();
    // Runs the link of the command item numbered id (submenus searched in place); 1 at the first match.
    std::int32_t dispatchCommand(std::int32_t id);
    bool containsMenu(const OMMenu* menu) const;
    static bool isInCurrentMenubar(const OMMenu* menu);
    // Numbers the command items from counter on, submenus depth-first in place.
    void renumber(std::int32_t& counter);

    OMList<OMMenuNode> items;
    HMENU hmenu = nullptr;

private:
    void attach(HMENU menu, const char* menuTitle);
    OMMenuNode* nodeAt(std::int32_t position) const { return elementAt(items, position); }
    OMMenuNode* commandAt(std::int32_t position) const;
    // Takes the node into the list at position and renumbers the current menu bar.
    void addNode(std::int32_t position, OMMenuNode* node);

    std::unique_ptr<OMLink> handler_;
    std::string title_;
    // The resource the menu was loaded from, kept with it.
    std::unique_ptr<OMRes> resource;
};
