// The private character codes 0xE800-0xE81A of keys without a character of their own, as windows see
// them in their key handlers.
#pragma once

#include <windows.h>

#include <cstdint>

struct OMPrivateKey {
    std::uint32_t code;
    int virtualKey;
    // The character that the key sends as WM_CHAR (Backspace, Tab, Enter, Escape); 0 for the keys that
    // arrive only as WM_KEYDOWN.
    std::uint32_t character;
};

// The last entry (code 0) ends the table.
inline constexpr OMPrivateKey kPrivateKeys[] = {
    {0xE800, VK_BACK, 8},    {0xE801, VK_TAB, 9},     {0xE802, VK_RETURN, 13}, {0xE803, VK_PAUSE, 0},
    {0xE804, VK_ESCAPE, 27}, {0xE805, VK_PRIOR, 0},   {0xE806, VK_NEXT, 0},    {0xE807, VK_END, 0},
    {0xE808, VK_HOME, 0},    {0xE809, VK_LEFT, 0},    {0xE80A, VK_UP, 0},      {0xE80B, VK_RIGHT, 0},
    {0xE80C, VK_DOWN, 0},    {0xE80D, VK_INSERT, 0},  {0xE80E, VK_DELETE, 0},  {0xE80F, VK_F1, 0},
    {0xE810, VK_F2, 0},      {0xE811, VK_F3, 0},      {0xE812, VK_F4, 0},      {0xE813, VK_F5, 0},
    {0xE814, VK_F6, 0},      {0xE815, VK_F7, 0},      {0xE816, VK_F8, 0},      {0xE817, VK_F9, 0},
    {0xE818, VK_F10, 0},     {0xE819, VK_F11, 0},     {0xE81A, VK_F12, 0},     {0, 0, 0},
};
