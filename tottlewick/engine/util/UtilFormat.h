// The engine's own formatted print into one static 256-character buffer (255 characters and a zero).
#pragma once

#include <cstdarg>
#include <cstdint>

constexpr int kFormatBufferSize = 256;

// Formats and copies the text to dst (which holds kFormatBufferSize characters); returns the length.
int UtilFormat(char* dst, const char* format, ...);
// Formats and returns the static buffer itself, valid until the next format.
char* UtilFormatStatic(const char* format, ...);
// The formatter: writes into the static buffer and returns the length.
int UtilFormatV(const char* format, std::va_list args);
// The static buffer, which also serves the string operations.
char* UtilFormatBuffer();
