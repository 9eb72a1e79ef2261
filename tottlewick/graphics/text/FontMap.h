// The character maps of shape fonts: three 'MAP' resources held locked (slot A maps a character to a
// shape index, slots B and C translate characters), and the shape index of a character in a bank.
#pragma once

#include <cstdint>

constexpr std::uint16_t kFontMapA = 0;
constexpr std::uint16_t kFontMapB = 1;
constexpr std::uint16_t kFontMapC = 2;
constexpr std::uint16_t kFontNoChar = 95;  // the shape drawn for a character past the bank

// Loads 'MAP' 2 into slot A and 'MAP' 1 into slots C and B: 1 when A and C are loaded.
std::int16_t FontMapsInit();
void FontMapsTerm();
// Loads 'MAP' id into the slot (0: empties it); the id it held before.
std::uint16_t FontMapLoad(std::uint16_t slot, std::uint16_t id);
// Characters below 32, characters past the end of a map shorter than 224 bytes and every character of
// an empty slot stay; else map[character - 32] + 32.
std::uint8_t FontMapChar(std::uint16_t slot, std::uint8_t character);
// The character's shape by map A (or character - 32 without it): false when that lies outside the bank.
bool fontMapsToShape(std::uint16_t shapeCount, std::uint8_t character, std::uint16_t* index);
// The same, 95 for a character outside the bank.
std::uint16_t fontShapeIndexIn(std::uint16_t shapeCount, std::uint8_t character);
