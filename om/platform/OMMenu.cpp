// Drop-down menus: construction from scratch, a "MENU" resource or a native menu; items by position;
// opening notices, command dispatch and numbering.
#include "OMMenu.h"

#include <cstring>

#include "OMApp.h"
#include "OMMenuText.h"
#include "OMMenubar.h"
#include "OMRes.h"

namespace {

// The shared result of itemText and plainTitle.
char textBuffer[256];

const char* plainInBuffer(const char* text) {
    std::strncpy(textBuffer, text, sizeof textBuffer - 1);
    textBuffer[sizeof textBuffer - 1] = '\0';
    removeAmpersands(textBuffer);
    return textBuffer;
}

UINT checkedFlag(std::int32_t checked) { return checked ? MF_CHECKED : MF_UNCHECKED; }
UINT enabledFlag(std::int32_t enabled) { return enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED; }

void renumberCurrentMenubar() {
    if (theApp && theApp->menubar) theApp->menubar->renumber();
}

}  // namespace

OMMenu::OMMenu(const char* title, const char* mnemonic, const OMLink* handler)
    : hmenu(CreatePopupMenu()), title_(markMnemonic(title, mnemonic)) {
    setHandler(handler);
}

// The loaded bar is destroyed once its first drop-down is taken out of it.
OMMenu::OMMenu(std::int32_t resourceId, OMResFile* file, const OMLink* handler)
    : resource(std::make_unique<OMRes>(static_cast<std::uint16_t>(resourceId), "MENU", file)) {
    setHandler(handler);
    if (resource->status != kResLoaded) {
        resource.reset();
        return;
    }
    HMODULE module = file && file->module ? file->module : appInstance();
    HMENU loaded = LoadMenuA(module, MAKEINTRESOURCEA(resourceId & 0xFFFF));
    HMENU first = loaded ? GetSubMenu(loaded, 0) : nullptr;
    if (!first) {
        if (loaded) DestroyMenu(loaded);
        return;
    }
    const std::string firstTitle = nativeItemText(loaded, 0, 64);
    RemoveMenu(loaded, 0, MF_BYPOSITION);
    DestroyMenu(loaded);
    attach(first, firstTitle.c_str());
}

OMMenu::OMMenu(HMENU menu, const char* title) { attach(menu, title); }

// Submenus are taken out of the native menu first: each destroys its own handle with its wrapper.
OMMenu::~OMMenu() {
    OMMenubar* bar = nullptr;
    std::int32_t position = 0;
    if (OMMenubar::findMenu(this, &bar, &position)) bar->removeMenu(position);
    for (std::int32_t p = items.count - 1; p >= 0; --p) {
        if (nodeAt(p)->kind == kMenuSubmenu) RemoveMenu(hmenu, static_cast<UINT>(p), MF_BYPOSITION);
    }
    items.clear(true);
    if (hmenu) DestroyMenu(hmenu);
}

void OMMenu::attach(HMENU menu, const char* menuTitle) {
    hmenu = menu;
    if (menuTitle) title_ = menuTitle;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int p = 0; p < count; ++p) {
        auto* node = new OMMenuNode;
        node->kind = nativeItemKind(menu, p);
        if (node->kind == kMenuSubmenu) {
            node->submenu = std::make_unique<OMMenu>(GetSubMenu(menu, p), nativeItemText(menu, p, 64).c_str());
        }
        items.append(node);
    }
}

void OMMenu::opening() {
    if (handler_) handler_->invoke();
}

void OMMenu::setHandler(const OMLink* link) { handler_.reset(link ? link->clone() : nullptr); }

void OMMenu::appendItem(const char* text, const OMLink* link, const char* mnemonic) {
    insertItem(items.count, text, link, mnemonic);
}

bool OMMenu::appendSubmenu(OMMenu* menu) { return insertSubmenu(items.count, menu); }

// The node list mirrors the native menu: an item the native menu refuses is not added.
void OMMenu::insertItem(std::int32_t position, const char* text, const OMLink* link, const char* mnemonic) {
    if (position < 0 || position > items.count) return;
    const UINT at = static_cast<UINT>(position);
    auto* node = new OMMenuNode;
    BOOL inserted = FALSE;
    if (text == kSeparatorText) {
        node->kind = kMenuSeparator;
        inserted = InsertMenuA(hmenu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    } else {
        inserted = InsertMenuA(hmenu, at, MF_BYPOSITION | MF_STRING, 0, markMnemonic(text, mnemonic).c_str());
    }
    if (!inserted) {
        delete node;
        return;
    }
    if (link) node->link.reset(link->clone());
    addNode(position, node);
}

bool OMMenu::insertSubmenu(std::int32_t position, OMMenu* menu) {
    if (position < 0 || position > items.count || !menu || !menu->hmenu) return false;
    if (!InsertMenuA(hmenu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(menu->hmenu), menu->title())) {
        return false;
    }
    auto* node = new OMMenuNode;
    node->kind = kMenuSubmenu;
    node->submenu.reset(menu);
    addNode(position, node);
    return true;
}

void OMMenu::addNode(std::int32_t position, OMMenuNode* node) {
    insertAt(items, position, node);
    renumberCurrentMenubar();
}

// A submenu is detached rather than deleted natively: its wrapper destroys its handle.
void OMMenu::deleteItem(std::int32_t position) {
    OMMenuNode* node = nodeAt(position);
    if (!node) return;
    const UINT at = static_cast<UINT>(position);
    if (node->kind == kMenuSubmenu) {
        RemoveMenu(hmenu, at, MF_BYPOSITION);
    } else {
        DeleteMenu(hmenu, at, MF_BYPOSITION);
    }
    delete items.remove(node);
}

OMMenu* OMMenu::removeItem(std::int32_t position) {
    OMMenuNode* node = nodeAt(position);
    if (!node) return nullptr;
    RemoveMenu(hmenu, static_cast<UINT>(position), MF_BYPOSITION);
    OMMenu* submenu = node->submenu.release();
    delete items.remove(node);
    return submenu;
}

OMMenuNode* OMMenu::commandAt(std::int32_t position) const {
    OMMenuNode* node = nodeAt(position);
    return node && node->kind == kMenuCommand ? node : nullptr;
}

void OMMenu::checkItem(std::int32_t position, std::int32_t checked) {
    if (commandAt(position)) CheckMenuItem(hmenu, static_cast<UINT>(position), MF_BYPOSITION | checkedFlag(checked));
}

void OMMenu::enableItem(std::int32_t position, std::int32_t enabled) {
    const OMMenuNode* node = nodeAt(position);
    if (!node || node->kind == kMenuSeparator) return;
    EnableMenuItem(hmenu, static_cast<UINT>(position), MF_BYPOSITION | enabledFlag(enabled));
}

bool OMMenu::isItemChecked(std::int32_t position) const {
    return commandAt(position) && (itemStateFlags(hmenu, position) & MF_CHECKED);
}

bool OMMenu::isItemEnabled(std::int32_t position) const {
    const OMMenuNode* node = nodeAt(position);
    if (!node || node->kind == kMenuSeparator) return false;
    const UINT state = GetMenuState(hmenu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

OMLink* OMMenu::itemLink(std::int32_t position) const {
    const OMMenuNode* node = commandAt(position);
    return node ? node->link.get() : nullptr;
}

void OMMenu::setItemLink(std::int32_t position, const OMLink* link) {
    if (OMMenuNode* node = commandAt(position)) node->link.reset(link ? link->clone() : nullptr);
}

OMMenu* OMMenu::submenuAt(std::int32_t position) const {
    const OMMenuNode* node = nodeAt(position);
    return node && node->kind == kMenuSubmenu ? node->submenu.get() : nullptr;
}

const char* OMMenu::itemText(std::int32_t position) const {
    const OMMenuNode* node = nodeAt(position);
    if (!node || node->kind == kMenuSubmenu) return nullptr;
    if (node->kind == kMenuSeparator) return kSeparatorText;
    return plainInBuffer(nativeItemText(hmenu, position, sizeof textBuffer - 1).c_str());
}

void OMMenu::setItemText(std::int32_t position, const char* text, const char* mnemonic) {
    if (!commandAt(position)) return;
    const UINT at = static_cast<UINT>(position);
    ModifyMenuA(hmenu, at, MF_BYPOSITION | MF_STRING | itemStateFlags(hmenu, position), GetMenuItemID(hmenu, position),
                markMnemonic(text, mnemonic).c_str());
}

const char* OMMenu::plainTitle() const { return plainInBuffer(title_.c_str()); }

void OMMenu::notifyOpening() {
    opening();
    for (OMListElement<OMMenuNode>* n = items.head; n; n = n->next) {
        if (n->element->submenu) n->element->submenu->notifyOpening();
    }
}

std::int32_t OMMenu::dispatchCommand(std::int32_t id) {
    for (OMListElement<OMMenuNode>* n = items.head; n; n = n->next) {
        OMMenuNode* node = n->element;
        if (node->kind == kMenuSubmenu) {
            if (node->submenu->dispatchCommand(id)) return 1;
        } else if (node->kind == kMenuCommand && node->id == id) {
            if (node->link) node->link->invoke();
            return 1;
        }
    }
    return 0;
}

bool OMMenu::containsMenu(const OMMenu* menu) const {
    if (menu == this) return true;
    for (OMListElement<OMMenuNode>* n = items.head; n; n = n->next) {
        if (n->element->submenu && n->element->submenu->containsMenu(menu)) return true;
    }
    return false;
}

bool OMMenu::isInCurrentMenubar(const OMMenu* menu) {
    if (!theApp || !theApp->menubar) return false;
    for (OMListElement<OMMenu>* n = theApp->menubar->menus.head; n; n = n->next) {
        if (n->element->containsMenu(menu)) return true;
    }
    return false;
}

// Only the native command id changes (its low 16 bits, sign-extended): text and states stay whole.
void OMMenu::renumber(std::int32_t& counter) {
    std::int32_t position = 0;
    for (OMListElement<OMMenuNode>* n = items.head; n; n = n->next, ++position) {
        OMMenuNode* node = n->element;
        if (node->kind == kMenuSubmenu) {
            node->submenu->renumber(counter);
            continue;
        }
        if (node->kind != kMenuCommand) continue;
        node->id = counter++;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID;
        info.wID = static_cast<UINT>(static_cast<std::int16_t>(node->id));
        SetMenuItemInfoA(hmenu, static_cast<UINT>(position), TRUE, &info);
    }
}
