// The preference words the options screen sets and the activities read, and the "PREFS.DAT" file of
// the application folder that keeps them between runs:
//
//   offset 0  u16 LE  click-only
//          2  u16 LE  level
//          4  u16 LE  a third word, kept and stored
#pragma once

#include <cstdint>

// 1: the activities' hover-wait buttons fire only on a click.
extern std::uint16_t gPrefClickOnly;
// 1, 2 or 4; read by the HatShop.
extern std::uint16_t gPrefLevel;
extern std::uint16_t gPrefThird;

// Reads the file when it exists ("Bad File" when it cannot be opened); a short file sets only the words
// it holds whole.
void PrefsLoad();
// Writes the three words ("File Error" when fewer than 6 bytes were written).
void PrefsSave();
