// String operations of the engine; UtilStrConcat builds its result in the format buffer.
#include "UtilString.h"

#include <algorithm>
#include <cstring>

#include "UtilFormat.h"

char* UtilStrAppendChar(char* string, char character) {
    if (!string) return nullptr;
    char* end = string + std::strlen(string);
    end[0] = character;
    end[1] = 0;
    return string;
}

char* UtilToCounted(char* dst, const char* src) {
    if (!dst || !src) return dst;
    std::size_t length = std::min<std::size_t>(std::strlen(src), kCountedMax);
    std::memmove(dst + 1, src, length);
    dst[0] = static_cast<char>(length);
    return dst + 1 + length;
}

char* UtilFromCounted(char* dst, const char* src) {
    if (!dst || !src) return dst;
    std::size_t length = static_cast<unsigned char>(src[0]);
    std::memmove(dst, src + 1, length);
    dst[length] = 0;
    return dst + length;
}

char* UtilStrCopy(char* dst, const char* src, std::uint32_t size) {
    if (!dst || size == 0) return nullptr;
    std::size_t length = src ? std::min<std::size_t>(std::strlen(src), size - 1) : 0;
    std::memmove(dst, src ? src : "", length);
    dst[length] = 0;
    return dst + length;
}

char* UtilStrConcat(char* dst, const char* a, const char* b) {
    if (!dst) return nullptr;
    char* buffer = UtilFormatBuffer();
    char* end = UtilStrCopy(buffer, a, kFormatBufferSize);
    end = UtilStrCopy(end, b, static_cast<std::uint32_t>(kFormatBufferSize - (end - buffer)));
    std::size_t length = static_cast<std::size_t>(end - buffer);
    std::memmove(dst, buffer, length + 1);
    return dst + length;
}

void UtilStrCase(char* string, std::int16_t upper) {
    for (char* p = string; p && *p; ++p) {
        if (upper && *p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
        if (!upper && *p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
    }
}

std::int16_t UtilIsDigit(char character) { return character >= '0' && character <= '9' ? 1 : 0; }

std::int16_t UtilParseUInt(const char* text, std::uint32_t* result) {
    if (!text || !result) return 0;
    // No overflow test: every digit is used, and a longer number keeps its low 32 bits.
    std::uint32_t value = 0;
    std::size_t used = 0;
    for (; UtilIsDigit(text[used]); ++used) value = value * 10 + static_cast<std::uint32_t>(text[used] - '0');
    *result = value;
    return static_cast<std::int16_t>(used);
}
