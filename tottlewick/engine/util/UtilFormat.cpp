// The formatter: a state machine over the format with flags, width, precision, size letter and conversion.
//
//   % [flags -0+ #] [width digits|*] [.precision digits|*] [size k/K h/H l/L] conversion
//
// Every conversion consumes one 32-bit argument, cut to the size (1, 2 or 4 bytes; "c" defaults to 1).
// "#" drops the prefix of x, o, b and p ("0x", "0", "%", "@"), quotes a c, and makes s a counted string.
#include "UtilFormat.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr int kMaxLength = kFormatBufferSize - 1;
constexpr int kDigitArea = 64;

char formatBuffer[kFormatBufferSize];

struct Directive {
    bool left = false;
    bool zero = false;
    bool alternate = false;
    char sign = 0;
    int width = 0;
    int precision = -1;
    int size = 0;  // bytes; 0 = the conversion's default
    char conversion = 0;
    bool upper = false;
};

class Output {
public:
    explicit Output(char* buffer) : buffer_(buffer) {}
    void put(char c) {
        if (length_ < kMaxLength) buffer_[length_++] = c;
    }
    void put(const char* text, int count) {
        for (int i = 0; i < count; ++i) put(text[i]);
    }
    void pad(int count) {
        for (int i = 0; i < count; ++i) put(' ');
    }
    int finish() {
        buffer_[length_] = 0;
        return length_;
    }
    int length() const { return length_; }

private:
    char* buffer_;
    int length_ = 0;
};

class Arguments {
public:
    explicit Arguments(std::va_list args) { va_copy(list_, args); }
    Arguments(const Arguments&) = delete;
    Arguments& operator=(const Arguments&) = delete;
    ~Arguments() { va_end(list_); }
    std::uint32_t number() { return va_arg(list_, std::uint32_t); }
    const char* text() { return va_arg(list_, const char*); }
    void* pointer() { return va_arg(list_, void*); }

private:
    std::va_list list_;
};

int readCount(const char*& cursor, Arguments& args) {
    if (*cursor == '*') {
        ++cursor;
        return static_cast<std::uint16_t>(args.number());
    }
    int value = 0;
    while (std::isdigit(static_cast<unsigned char>(*cursor))) value = std::min(value * 10 + (*cursor++ - '0'), 9999);
    return value;
}

void readFlags(const char*& cursor, Directive& directive) {
    for (;; ++cursor) {
        switch (*cursor) {
            case '-': directive.left = true; break;
            case '0': directive.zero = true; break;
            case '+': directive.sign = '+'; break;
            case ' ': if (!directive.sign) directive.sign = ' '; break;
            case '#': directive.alternate = true; break;
            default: return;
        }
    }
}

int sizeOfLetter(char letter) {
    switch (letter) {
        case 'k': case 'K': return 1;
        case 'h': case 'H': return 2;
        case 'l': case 'L': return 4;
        default: return 0;
    }
}

Directive readDirective(const char*& cursor, Arguments& args) {
    Directive directive;
    readFlags(cursor, directive);
    directive.width = readCount(cursor, args);
    if (*cursor == '.') {
        ++cursor;
        directive.precision = readCount(cursor, args);
    }
    if (int size = sizeOfLetter(*cursor)) {
        directive.size = size;
        ++cursor;
    }
    char letter = *cursor ? *cursor++ : 0;
    directive.upper = std::isupper(static_cast<unsigned char>(letter)) != 0;
    directive.conversion = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    if (directive.conversion == 'i') directive.conversion = 'd';
    return directive;
}

// Writes `body` (of `length` characters) padded with blanks to the width, on the left unless "-".
void emitField(Output& out, const Directive& directive, const char* body, int length) {
    int padding = std::max(0, directive.width - length);
    if (!directive.left) out.pad(padding);
    out.put(body, length);
    if (directive.left) out.pad(padding);
}

struct Radix {
    unsigned base;
    const char* prefix;
};

Radix radixOf(char conversion) {
    switch (conversion) {
        case 'x': return {16, "0x"};
        case 'o': return {8, "0"};
        case 'b': return {2, "%"};
        case 'p': return {16, "@"};
        default: return {10, ""};
    }
}

int zeroFillDigits(const Directive& directive, int size, bool signWritten) {
    switch (directive.conversion) {
        case 'd': return directive.width - (signWritten ? 1 : 0);
        case 'u': return directive.width;
        case 'x': case 'p': return 2 * size;
        case 'o': return (8 * size + 2) / 3;
        case 'b': return 8 * size;
        default: return 1;
    }
}

void emitNumber(Output& out, const Directive& directive, std::uint32_t argument) {
    int size = directive.size ? directive.size : 4;
    std::uint32_t value = size == 4 ? argument : argument & ((1u << (8 * size)) - 1);
    char sign = 0;
    if (directive.conversion == 'd') {
        std::int32_t signedValue = size == 1 ? static_cast<std::int8_t>(value)
                                 : size == 2 ? static_cast<std::int16_t>(value)
                                             : static_cast<std::int32_t>(value);
        sign = signedValue < 0 ? '-' : directive.sign;
        value = signedValue < 0 ? 0u - static_cast<std::uint32_t>(signedValue) : value;
    }
    Radix radix = radixOf(directive.conversion);
    int least = directive.zero ? zeroFillDigits(directive, size, sign != 0) : std::max(directive.precision, 1);
    least = std::clamp(least, 1, kDigitArea);

    char digits[kDigitArea];
    int count = 0;
    const char* set = directive.upper ? "0123456789ABCDEF" : "0123456789abcdef";
    for (; value != 0 && count < kDigitArea; value /= radix.base) digits[count++] = set[value % radix.base];
    while (count < least) digits[count++] = '0';

    char body[2 + kDigitArea + 1];
    int length = 0;
    if (sign) body[length++] = sign;
    if (!directive.alternate)
        for (const char* p = radix.prefix; *p; ++p) body[length++] = *p;
    while (count > 0) body[length++] = digits[--count];
    emitField(out, directive, body, length);
}

void emitCharacter(Output& out, const Directive& directive, std::uint32_t argument) {
    char character = static_cast<char>(argument & 0xFF);
    if (directive.alternate) {
        const char quoted[3] = {'\'', character, '\''};
        emitField(out, directive, quoted, 3);
    } else {
        emitField(out, directive, &character, 1);
    }
}

void emitText(Output& out, const Directive& directive, const char* text) {
    int length = 0;
    if (text && text != formatBuffer) {
        if (directive.alternate) {
            length = static_cast<unsigned char>(*text++);
        } else {
            length = static_cast<int>(std::strlen(text));
        }
    } else {
        text = "";
    }
    if (directive.precision >= 0) length = std::min(length, directive.precision);
    emitField(out, directive, text, length);
}

void storeCount(const Directive& directive, void* target, int written) {
    if (!target) return;
    switch (directive.size) {
        case 1: *static_cast<std::uint8_t*>(target) = static_cast<std::uint8_t>(written); break;
        case 2: *static_cast<std::uint16_t*>(target) = static_cast<std::uint16_t>(written); break;
        default: *static_cast<std::uint32_t*>(target) = static_cast<std::uint32_t>(written); break;
    }
}

void emitConversion(Output& out, const Directive& directive, Arguments& args) {
    switch (directive.conversion) {
        case 'd': case 'u': case 'x': case 'o': case 'b': case 'p':
            emitNumber(out, directive, args.number());
            break;
        case 'c': emitCharacter(out, directive, args.number()); break;
        case 's': emitText(out, directive, args.text()); break;
        case 'n': storeCount(directive, args.pointer(), out.length()); break;
        default: emitField(out, directive, "", 0); break;
    }
}

}  // namespace

int UtilFormatV(const char* format, std::va_list list) {
    Output out(formatBuffer);
    if (!format) return out.finish();
    Arguments args(list);
    for (const char* cursor = format; *cursor;) {
        if (*cursor != '%') {
            out.put(*cursor++);
        } else if (cursor[1] == '%') {
            out.put('%');
            cursor += 2;
        } else {
            ++cursor;
            emitConversion(out, readDirective(cursor, args), args);
        }
    }
    return out.finish();
}

int UtilFormat(char* dst, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    int length = UtilFormatV(format, args);
    va_end(args);
    if (dst && dst != formatBuffer) std::memcpy(dst, formatBuffer, static_cast<std::size_t>(length) + 1);
    return length;
}

char* UtilFormatStatic(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    UtilFormatV(format, args);
    va_end(args);
    return formatBuffer;
}

char* UtilFormatBuffer() { return formatBuffer; }
