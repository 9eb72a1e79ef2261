// Mnemonic marks of menu texts.
#include "OMMenuText.h"

#include <cstring>

std::string markMnemonic(const char* text, const char* mnemonic) {
    std::string marked = text ? text : "";
    if (!mnemonic || std::strlen(mnemonic) < 2) return marked;
    const std::size_t at = marked.find(mnemonic[1]);
    if (at != std::string::npos) marked.insert(at, 1, '&');
    return marked;
}

void removeAmpersands(char* text) {
    char* kept = text;
    for (const char* c = text; *c; ++c) {
        if (*c != '&') *kept++ = *c;
    }
    *kept = '\0';
}
