// Menu bars: their menus by position, opening notices, command dispatch, numbering, and the
// application's fall-back to its default bar.
#include "OMMenubar.h"

#include "OMApp.h"
#include "OMMenu.h"

OMList<OMMenubar>& OMMenubar::menubars() {
    static OMList<OMMenubar> all;
    return all;
}

OMMenubar::OMMenubar() : hmenu(CreateMenu()) { menubars().append(this); }

// Each menu is detached natively before it is deleted, so the bar's handle never refers to a destroyed
// menu. A default bar deleted while another bar is current is forgotten, so the application never deletes
// it twice; a new one is made when the application next falls back to it.
OMMenubar::~OMMenubar() {
    while (OMMenu* menu = menuAt(0)) {
        RemoveMenu(hmenu, 0, MF_BYPOSITION);
        menus.remove(menu);
        delete menu;
    }
    menubars().remove(this);
    if (isCurrent()) {
        theApp->rebuildMenubar();
    } else if (defaultMenubar() == this) {
        defaultMenubar() = nullptr;
    }
    DestroyMenu(hmenu);
}

bool OMMenubar::isCurrent() const { return theApp && theApp->menubar == this; }

void OMMenubar::redrawWhenCurrent() const {
    if (isCurrent()) DrawMenuBar(theApp->window);
}

bool OMMenubar::appendMenu(OMMenu* menu) { return insertMenu(menus.count, menu); }

bool OMMenubar::insertMenu(std::int32_t position, OMMenu* menu) {
    if (position < 0 || position > menus.count || !menu || !menu->hmenu) return false;
    if (!InsertMenuA(hmenu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(menu->hmenu), menu->title())) {
        return false;
    }
    insertAt(menus, position, menu);
    if (isCurrent()) {
        DrawMenuBar(theApp->window);
        renumber();
    }
    return true;
}

void OMMenubar::deleteMenu(std::int32_t position) { delete menuAt(position); }

OMMenu* OMMenubar::removeMenu(std::int32_t position) {
    OMMenu* menu = menuAt(position);
    if (!menu) return nullptr;
    RemoveMenu(hmenu, static_cast<UINT>(position), MF_BYPOSITION);
    menus.remove(menu);
    redrawWhenCurrent();
    return menu;
}

OMMenu* OMMenubar::menuAt(std::int32_t position) const { return elementAt(menus, position); }

void OMMenubar::enableMenu(std::int32_t position, std::int32_t enabled) {
    if (!menuAt(position)) return;
    EnableMenuItem(hmenu, static_cast<UINT>(position), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
    redrawWhenCurrent();
}

bool OMMenubar::isMenuEnabled(std::int32_t position) const {
    if (!menuAt(position)) return false;
    const UINT state = GetMenuState(hmenu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void OMMenubar::notifyOpening() {
    for (OMListElement<OMMenu>* n = menus.head; n; n = n->next) n->element->notifyOpening();
}

std::int32_t OMMenubar::dispatchCommand(WPARAM id) {
    for (OMListElement<OMMenu>* n = menus.head; n; n = n->next) {
        if (n->element->dispatchCommand(static_cast<std::int32_t>(id))) return 1;
    }
    return 0;
}

void OMMenubar::renumber() {
    if (!isCurrent()) return;
    std::int32_t counter = 0;
    for (OMListElement<OMMenu>* n = menus.head; n; n = n->next) n->element->renumber(counter);
}

bool OMMenubar::findMenu(const OMMenu* menu, OMMenubar** bar, std::int32_t* position) {
    for (OMListElement<OMMenubar>* b = menubars().head; b; b = b->next) {
        std::int32_t p = 0;
        for (OMListElement<OMMenu>* n = b->element->menus.head; n; n = n->next, ++p) {
            if (n->element != menu) continue;
            *bar = b->element;
            *position = p;
            return true;
        }
    }
    return false;
}
