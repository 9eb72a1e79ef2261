// Menu texts: mnemonic marks and their removal. Plain text work, free of the Windows headers.
#pragma once

#include <string>

// The text with '&' before its first character equal to the mnemonic string's second character, when
// the mnemonic string has at least two characters; otherwise the text unchanged. Null text gives "".
std::string markMnemonic(const char* text, const char* mnemonic);

// Removes every '&' from a zero-terminated text, in place.
void removeAmpersands(char* text);
