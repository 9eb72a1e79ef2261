// C-string and counted-string operations and decimal parsing.
#pragma once

#include <cstdint>

// A counted string: a count byte (0-255) followed by that many characters, no terminator.
constexpr int kCountedMax = 255;

char* UtilStrAppendChar(char* string, char character);
// Copies at most 255 characters of src into a counted string; dst may equal src. Returns the end.
char* UtilToCounted(char* dst, const char* src);
// Copies a counted string into a C string; returns the address of the terminator.
char* UtilFromCounted(char* dst, const char* src);
// Copies at most size - 1 characters and terminates; returns the terminator's address (null when size is 0).
char* UtilStrCopy(char* dst, const char* src, std::uint32_t size);
// a then b, at most 255 characters in all; returns the terminator's address in dst.
char* UtilStrConcat(char* dst, const char* a, const char* b);
void UtilStrCase(char* string, std::int16_t upper);
std::int16_t UtilIsDigit(char character);
// Reads every decimal digit from the start (no sign, no blanks, no overflow test); returns the digits used.
std::int16_t UtilParseUInt(const char* text, std::uint32_t* result);
