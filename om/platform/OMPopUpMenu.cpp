// Pop-up menus: items with ids from the class-wide counter, tracking, command dispatch and deletion
// from a time-slice task.
#include "OMPopUpMenu.h"

#include "OMTask.h"
#include "OMWindow.h"

OMPopUpMenu* OMPopUpMenu::currentPopUp = nullptr;
std::int32_t OMPopUpMenu::nextPopUpId = 1;
std::int32_t OMPopUpMenu::deletionSlices = 0;

OMPUPMenuNode::~OMPUPMenuNode() { --OMPopUpMenu::nextPopUpId; }

OMPopUpMenu::OMPopUpMenu(const char* menuTitle) { attach(CreatePopupMenu(), menuTitle); }

OMPopUpMenu::OMPopUpMenu(HMENU menu, const char* menuTitle) { attach(menu, menuTitle); }

// Submenus are taken out of the native menu first: each destroys its own handle with its wrapper.
OMPopUpMenu::~OMPopUpMenu() {
    if (currentPopUp == this) currentPopUp = nullptr;
    delete task;
    std::int32_t position = items.count - 1;
    for (OMListElement<OMPUPMenuNode>* n = items.tail; n; n = n->previous, --position) {
        if (n->element->kind == kMenuSubmenu) RemoveMenu(hmenu, static_cast<UINT>(position), MF_BYPOSITION);
    }
    items.clear(true);
    if (hmenu) DestroyMenu(hmenu);
}

void OMPopUpMenu::attach(HMENU menu, const char* menuTitle) {
    hmenu = menu;
    if (menuTitle) title = menuTitle;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int p = 0; p < count; ++p) {
        auto* node = new OMPUPMenuNode;
        node->kind = nativeItemKind(menu, p);
        if (node->kind == kMenuSubmenu) {
            node->submenu = std::make_unique<OMPopUpMenu>(GetSubMenu(menu, p), nativeItemText(menu, p, 64).c_str());
        }
        items.append(node);
    }
}

// The node list mirrors the native menu: an item the native menu refuses is not added.
void OMPopUpMenu::insertItem(std::int32_t position, const char* text, const OMLink* link) {
    if (position < 0 || position > items.count) return;
    const UINT at = static_cast<UINT>(position);
    const bool separator = text == kSeparatorText;
    if (!(separator ? InsertMenuA(hmenu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr)
                    : InsertMenuA(hmenu, at, MF_BYPOSITION | MF_STRING, static_cast<UINT_PTR>(nextPopUpId), text))) {
        return;
    }
    auto* node = new OMPUPMenuNode;
    node->kind = separator ? kMenuSeparator : kMenuCommand;
    if (link) node->link.reset(link->clone());
    addNode(position, node);
}

bool OMPopUpMenu::insertSubmenu(std::int32_t position, OMPopUpMenu* popUp) {
    if (position < 0 || position > items.count || !popUp || !popUp->hmenu) return false;
    if (!InsertMenuA(hmenu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                     reinterpret_cast<UINT_PTR>(popUp->hmenu), popUp->title.c_str())) {
        return false;
    }
    auto* node = new OMPUPMenuNode;
    node->kind = kMenuSubmenu;
    node->submenu.reset(popUp);
    addNode(position, node);
    return true;
}

void OMPopUpMenu::addNode(std::int32_t position, OMPUPMenuNode* node) {
    node->id = nextPopUpId++;
    insertAt(items, position, node);
}

void OMPopUpMenu::track(OMWindow* window, POINT point, std::int32_t rightButton) {
    currentPopUp = this;
    ClientToScreen(window->hwnd, &point);
    TrackPopupMenu(hmenu, rightButton ? TPM_RIGHTBUTTON : 0, point.x, point.y, 0, window->hwnd, nullptr);
    if (!task) {
        const OMLinkToObj<OMPopUpMenu> later(this, &OMPopUpMenu::deleteLater);
        task = new OMTask(&later, 0);
    }
    appendTask(task);
}

// Deleting the menu deletes the running task too; nothing of either is touched after the delete.
void OMPopUpMenu::deleteLater() {
    if (++deletionSlices <= 1) return;
    deletionSlices = 0;
    delete this;
}

std::int32_t OMPopUpMenu::dispatchCommand(WPARAM id) {
    return currentPopUp ? currentPopUp->dispatchIn(static_cast<std::int32_t>(id)) : 0;
}

std::int32_t OMPopUpMenu::dispatchIn(std::int32_t id) {
    for (OMListElement<OMPUPMenuNode>* n = items.head; n; n = n->next) {
        OMPUPMenuNode* node = n->element;
        if (node->kind == kMenuSubmenu) {
            if (node->submenu->dispatchIn(id)) return 1;
        } else if (node->kind == kMenuCommand && node->id == id) {
            if (node->link) node->link->invoke();
            return 1;
        }
    }
    return 0;
}
