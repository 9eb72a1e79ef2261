// File-name checks: length limit, control characters, reserved characters and a leading dot.
#include "FileName.h"

#include <cstring>

#include "UtilString.h"

namespace {

constexpr std::size_t kLongLimit = 255;

std::size_t limitOf(std::uint16_t flags) {
    if (flags & kNameShort) return 8;
    if (flags & kNameMedium) return 32;
    return kLongLimit;
}

// The character a fault is mended to, or 0 when the character is allowed.
char mendFor(unsigned char c, std::uint16_t flags) {
    if (c < 32 || c >= 128) return '_';
    if (std::strchr(":/<|>%\\*?", c)) return '-';
    if ((flags & kNameShort) && (c == '.' || c == ' ')) return '-';
    return 0;
}

}  // namespace

std::int16_t FileNameCheck(char* name, std::uint16_t flags) {
    if (!name) return 0;
    bool mend = (flags & kNameMend) != 0;
    bool valid = true;
    if (std::strlen(name) > limitOf(flags)) {
        if (!mend) return 0;
        name[limitOf(flags)] = 0;
        valid = false;
    }
    for (char* p = name; *p; ++p) {
        char replacement = mendFor(static_cast<unsigned char>(*p), flags);
        if (!replacement) continue;
        if (!mend) return 0;
        *p = replacement;
        valid = false;
    }
    if (name[0] == '.') {
        if (!mend) return 0;
        name[0] = '_';
        valid = false;
    }
    return valid ? 1 : 0;
}

std::int16_t FileSetName(char* out, const char* text) {
    if (!out) return 0;
    UtilStrCopy(out, text, kLongLimit + 1);
    std::size_t blanks = std::strspn(out, " ");
    std::memmove(out, out + blanks, std::strlen(out + blanks) + 1);
    return FileNameCheck(out, kNameMend);
}
