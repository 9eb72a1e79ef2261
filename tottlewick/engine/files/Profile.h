// Private profile (INI) file wrappers.
#pragma once

#include <cstdint>

// Names the profile file the wrappers use; until a name is set they read defaults and write nothing.
void ProfileSetFileName(const char* name);
// Reads a value into buffer (size characters); returns its length.
std::uint32_t ProfileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                               std::uint32_t size);
// Writes a value; 1 on success.
std::int16_t ProfileSetString(const char* section, const char* key, const char* value);
