// The data disc's volume label: kept once found, with the drive number (1 = A) where the disc is.
#pragma once

#include <cstdint>

std::int16_t DiscSetLabel(const char* label);
void DiscClearLabel();
void DiscCheck();
std::int16_t DiscIsSet();
std::int16_t DiscRequest(const char* label);
std::int16_t DiscRequestStored();
std::int16_t DiscFind(const char* label, char* driveOut);
std::int16_t DiscFindStored(char* driveOut);
// The drive number, searched for while not yet known; 0xFFFF when the disc is in no drive.
std::uint16_t DiscGetDrive();
