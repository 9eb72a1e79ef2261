// What the menu wrappers share: item kinds, positions in their node lists, and reading native items.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "OMList.h"

// Item kinds of menu nodes.
inline constexpr std::int32_t kMenuCommand = 0;
inline constexpr std::int32_t kMenuSeparator = -1;
inline constexpr std::int32_t kMenuSubmenu = -2;

// The text value -1: inserts a separator, and is what a separator's item text reads.
inline char* const kSeparatorText = reinterpret_cast<char*>(static_cast<std::intptr_t>(-1));

// The element at a 0-based position, null when out of range.
template <class T>
T* elementAt(const OMList<T>& list, std::int32_t position) {
    if (position < 0) return nullptr;
    OMListElement<T>* n = list.head;
    for (; n && position > 0; --position) n = n->next;
    return n ? n->element : nullptr;
}

// Inserts x before the element at position (0 <= position <= count).
template <class T>
void insertAt(OMList<T>& list, std::int32_t position, T* x) {
    if (position >= list.count) return list.append(x);
    OMListLocator<T> at(list);
    at.advance(position);
    at.insertBefore(x);
}

// The checked and greyed bits of an item, to apply again when it is modified.
inline UINT itemStateFlags(HMENU menu, std::int32_t position) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state == static_cast<UINT>(-1) ? 0 : state & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
}

// A native item's text, at most maxChars characters.
inline std::string nativeItemText(HMENU menu, std::int32_t position, int maxChars) {
    std::string text(static_cast<std::size_t>(maxChars) + 1, '\0');
    const int length = GetMenuStringA(menu, static_cast<UINT>(position), &text[0], maxChars + 1, MF_BYPOSITION);
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

// How a wrapper sees a native item: a submenu, a separator (command id 0) or a command.
inline std::int32_t nativeItemKind(HMENU menu, std::int32_t position) {
    if (GetSubMenu(menu, position)) return kMenuSubmenu;
    return GetMenuItemID(menu, position) == 0 ? kMenuSeparator : kMenuCommand;
}
