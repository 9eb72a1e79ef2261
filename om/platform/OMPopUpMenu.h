// Context menus: tracked once at a point of a framework window; the chosen command comes back to the
// window's procedure and runs the item's link, and the menu deletes itself two time slices later.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "OMLink.h"
#include "OMList.h"
#include "OMMenuSupport.h"

class OMPopUpMenu;
class OMTask;
class OMWindow;

// One item. Inserted nodes take their id from the pop-up id counter; every node gives one back when
// it goes.
struct OMPUPMenuNode {
    OMPUPMenuNode() = default;
    OMPUPMenuNode(const OMPUPMenuNode&) = delete;
    OMPUPMenuNode& operator=(const OMPUPMenuNode&) = delete;
    ~OMPUPMenuNode();

    std::int32_t kind = kMenuCommand;
    std::int32_t id = 0;
    std::unique_ptr<OMLink> link;
    std::unique_ptr<OMPopUpMenu> submenu;
};

class OMPopUpMenu {
public:
    explicit OMPopUpMenu(const char* menuTitle);
    // Over an existing menu: its command items get id 0, so no command reaches them.
    OMPopUpMenu(HMENU menu, const char* menuTitle);
    OMPopUpMenu(const OMPopUpMenu&) = delete;
    OMPopUpMenu& operator=(const OMPopUpMenu&) = delete;
    // Deletes the deletion task (which leaves the task list), the items and the native menu.
    ~OMPopUpMenu();

    // kSeparatorText inserts a separator; 0 <= position <= count.
    void insertItem(std::int32_t position, const char* text, const OMLink* link);
    // True: the pop-up is now owned by this one. False (a position out of range, a pop-up without a
    // native handle, or one the native menu refuses): it stays the caller's.
    [[nodiscard]] bool insertSubmenu(std::int32_t position, OMPopUpMenu* popUp);
    // Tracks the menu at a point of the window's client area (the system posts the chosen command to
    // the window), then starts the task that deletes the menu.
    void track(OMWindow* window, POINT point, std::int32_t rightButton);

    // The window procedure's dispatch of a menu command: searches the menu tracked last; 1 when an item
    // carries id.
    static std::int32_t dispatchCommand(WPARAM id);

    // The menu tracked last, null once it is deleted.
    static OMPopUpMenu* currentPopUp;
    // The id the next inserted node takes.
    static std::int32_t nextPopUpId;

    OMTask* task = nullptr;
    OMList<OMPUPMenuNode> items;
    HMENU hmenu = nullptr;
    std::string title;

private:
    void attach(HMENU menu, const char* menuTitle);
    void addNode(std::int32_t position, OMPUPMenuNode* node);
    std::int32_t dispatchIn(std::int32_t id);
    // The deletion task's slice: the second slice after tracking deletes the menu, so the posted command
    // is dispatched first.
    void deleteLater();

    static std::int32_t deletionSlices;
};
