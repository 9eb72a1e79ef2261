// The CD-ROM drive that holds the data disc: found by its volume label, asked for until it is in.
#pragma once

#include <cstdint>

constexpr std::uint16_t kCdNoDrive = 0xFFFF;

// Drive index (0 = A) of the first CD-ROM drive whose label matches, ignoring case, or -1; the drive
// buffer gets the "X:" of the last CD-ROM drive examined.
std::int16_t CdScanDrives(const char* label, char* driveBuffer);
std::int16_t CdIsPresent(const char* label, std::uint32_t ignored);
// 1 and the matching drive's index counted from the first CD-ROM drive; 0 and kCdNoDrive when absent.
std::int16_t CdGetDriveNumber(const char* label, std::uint32_t ignored, std::uint16_t* number);
std::int16_t CdGetFirstDrive();
// 1 once the disc is in; 0 when the user cancels the insert prompt.
std::int16_t CdPrompt(const char* label, std::uint32_t ignored);
