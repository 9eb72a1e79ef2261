// The file-name checker and mender.
#pragma once

#include <cstdint>

// Flags of FileNameCheck.
constexpr std::uint16_t kNameShort = 1;    // at most 8 characters; "." and blank forbidden
constexpr std::uint16_t kNameMedium = 4;   // at most 32 characters
constexpr std::uint16_t kNameMend = 8;     // mend in place instead of stopping at the first fault

// 1 when the name was valid unchanged; 0 at the first fault, or (mending) when anything was mended.
std::int16_t FileNameCheck(char* name, std::uint16_t flags);
// Copies at most 255 characters of text without its leading blanks and mends them; the check's result.
std::int16_t FileSetName(char* out, const char* text);
