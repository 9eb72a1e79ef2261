// 'STR' source text: numbers, "+", quoted literals with escapes, comments and #if/#elif/#else/#endif.
#include "StrSource.h"

#include <cstring>

#include "ByteReader.h"
#include "ByteWriter.h"

namespace {

constexpr int kMaxDigits = 15;

struct Symbol {
    const char* name;
    bool value;
};

constexpr Symbol kSymbols[] = {
    {"MS_WINDOWS", true},  {"MACINTOSH", false}, {"PLATFORM_WIN31", false}, {"PLATFORM_WIN95", true},
    {"PLATFORM_68K", false}, {"PLATFORM_PPC", false}, {"TRUE", true}, {"FALSE", false},
    {"1", true}, {"0", false}, {"DEBUG", false}, {"_DEBUG", false}, {"NDEBUG", true},
};

bool isWordChar(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

int hexValue(std::uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

enum class Step { kGoOn, kStop, kFail };

class Parser {
public:
    Parser(const std::uint8_t* source, std::size_t size, std::vector<std::uint8_t>& table, std::uint32_t& last)
        : p_(source), end_(source + size), table_(table), last_(last) {}

    bool run();

private:
    bool atEnd() const { return p_ >= end_; }
    void skipWhite() {
        while (!atEnd() && *p_ <= 32) ++p_;
    }
    void skipLine() {
        while (!atEnd() && *p_ != '\r' && *p_ != '\n') ++p_;
    }
    // The next word from p_, moving past it; empty at the end.
    const std::uint8_t* nextWord(std::size_t* length);
    bool findBegin();
    Step entry();
    Step message(std::uint32_t number);
    void literal(std::vector<std::uint8_t>& text);
    std::uint8_t escape();
    Step directive();
    Step condition();
    Step skipSection();

    const std::uint8_t* p_;
    const std::uint8_t* end_;
    std::vector<std::uint8_t>& table_;
    ByteWriter out_{ByteOrder::little};
    std::uint32_t& last_;
    std::uint32_t count_ = 0;
};

const std::uint8_t* Parser::nextWord(std::size_t* length) {
    while (!atEnd() && !isWordChar(*p_)) ++p_;
    const std::uint8_t* word = p_;
    while (!atEnd() && isWordChar(*p_)) ++p_;
    *length = std::size_t(p_ - word);
    return word;
}

bool Parser::findBegin() {
    const std::uint8_t* start = p_;
    for (std::size_t length = 0;;) {
        const std::uint8_t* word = nextWord(&length);
        if (length == 0) return false;
        if (length == 5 && std::memcmp(word, "BEGIN", 5) == 0) return p_ - start >= 8;
    }
}

bool Parser::run() {
    out_.bytes.assign(kStrHeaderSize, 0);
    Step step = findBegin() ? Step::kGoOn : Step::kFail;
    while (step == Step::kGoOn) step = entry();
    out_.u32At(0, count_);
    table_ = std::move(out_.bytes);
    return step == Step::kStop;
}

Step Parser::entry() {
    skipWhite();
    if (atEnd()) return Step::kStop;
    if (*p_ >= '0' && *p_ <= '9') {
        // Read into the record's 32-bit field, so a longer number keeps its low 32 bits.
        std::uint32_t number = 0;
        for (int digits = 0; digits < kMaxDigits && !atEnd() && *p_ >= '0' && *p_ <= '9'; ++digits)
            number = number * 10 + std::uint32_t(*p_++ - '0');
        return number == 0 ? Step::kStop : message(number);
    }
    switch (*p_) {
    case '/':
    case ';':
        skipLine();
        return Step::kGoOn;
    case '#':
        return directive();
    case '+':
        ++p_;
        return message(last_ + 1);
    default:
        return Step::kStop;
    }
}

Step Parser::message(std::uint32_t number) {
    while (!atEnd() && (*p_ == ' ' || *p_ == '\t')) ++p_;
    if (!atEnd() && *p_ == ',') ++p_;
    while (!atEnd() && (*p_ == ' ' || *p_ == '\t')) ++p_;
    std::vector<std::uint8_t> text;
    if (atEnd() || *p_ != '"') return Step::kFail;
    literal(text);
    out_.u32(std::uint32_t(kStrRecordOverhead + text.size()));
    out_.u32(number);
    out_.span(text.data(), text.size());
    out_.bytes.resize(out_.size() + kStrRecordOverhead - 8, 0);  // the text's terminator and a pad byte
    ++count_;
    last_ = number;
    return Step::kGoOn;
}

// Reads one or more adjacent literals from the opening quote at p_; one that is not closed runs to the end
// of the data, where parsing then ends.
void Parser::literal(std::vector<std::uint8_t>& text) {
    while (!atEnd() && *p_ == '"') {
        ++p_;
        while (!atEnd() && *p_ != '"') {
            if (*p_ != '\\') {
                text.push_back(*p_++);
            } else if (++p_ < end_) {
                text.push_back(escape());
            }
        }
        if (atEnd()) return;
        ++p_;
        const std::uint8_t* after = p_;
        for (;;) {
            skipWhite();
            if (atEnd() || (*p_ != '/' && *p_ != ';')) break;
            skipLine();
        }
        if (atEnd() || *p_ != '"') p_ = after;
    }
}

std::uint8_t Parser::escape() {
    std::uint8_t c = *p_;
    if (c >= '0' && c <= '7') {
        unsigned value = 0;
        for (int i = 0; i < 3 && !atEnd() && *p_ >= '0' && *p_ <= '7'; ++i) value = value * 8 + unsigned(*p_++ - '0');
        return static_cast<std::uint8_t>(value);
    }
    ++p_;
    if (c == 'x') {
        unsigned value = 0;
        for (int i = 0; i < 3 && !atEnd() && hexValue(*p_) >= 0; ++i) value = value * 16 + unsigned(hexValue(*p_++));
        return static_cast<std::uint8_t>(value);
    }
    switch (c) {
    case 'a': return 0x07;
    case 'b': return 0x08;
    case 'f': return 0x0C;
    case 'n': return 0x0A;
    case 'r': return 0x0D;
    case 'v': return 0x0B;
    case ',': return 0x27;
    default: return c;
    }
}

// At "#": runs the directive met while compiling normally.
Step Parser::directive() {
    ++p_;
    std::size_t length = 0;
    const std::uint8_t* word = p_;
    while (!atEnd() && isWordChar(*p_)) ++p_;
    length = std::size_t(p_ - word);
    auto is = [&](const char* name) { return length == std::strlen(name) && std::memcmp(word, name, length) == 0; };
    if (is("if") || is("elif")) return condition();
    if (is("else") || is("endif")) {
        skipLine();
        return Step::kGoOn;
    }
    return Step::kStop;
}

// Evaluates the first listed symbol after the directive: true compiles on after its line, false skips.
Step Parser::condition() {
    for (std::size_t length = 0;;) {
        const std::uint8_t* word = nextWord(&length);
        if (length == 0) return Step::kStop;
        for (const Symbol& symbol : kSymbols) {
            if (std::strlen(symbol.name) != length || std::memcmp(word, symbol.name, length) != 0) continue;
            skipLine();
            return symbol.value ? Step::kGoOn : skipSection();
        }
    }
}

// Skips to the next "#" and runs that directive; the first one found ends the skip (no nesting).
Step Parser::skipSection() {
    while (!atEnd() && *p_ != '#') ++p_;
    if (atEnd()) return Step::kStop;
    return directive();
}

}  // namespace

bool compileStrSource(const std::uint8_t* source, std::size_t size, std::vector<std::uint8_t>& table,
                      std::uint32_t& lastNumber) {
    return Parser(source, size, table, lastNumber).run();
}

namespace {

// Walks the records of a table until visit(index, number, text) returns true; bounded by the table's size.
template <typename Visit>
const char* walkRecords(const std::uint8_t* table, std::size_t size, Visit visit) {
    const ByteReader r(table, table ? size : 0, ByteOrder::little);
    std::uint32_t count = 0;
    if (size < kStrHeaderSize || !r.u32At(0, count)) return nullptr;
    std::size_t at = kStrHeaderSize;
    for (std::uint32_t i = 0; i < count && size - at >= kStrRecordOverhead; ++i) {
        std::uint32_t length = 0, number = 0;
        if (!r.u32At(at, length) || !r.u32At(at + 4, number) || length < kStrRecordOverhead || length > size - at)
            return nullptr;
        const char* text = reinterpret_cast<const char*>(table + at + 8);
        if (visit(i, number, text)) return text;
        at += length;
    }
    return nullptr;
}

}  // namespace

const char* strRecordAt(const std::uint8_t* table, std::size_t size, std::uint32_t index, std::uint32_t* number) {
    return walkRecords(table, size, [&](std::uint32_t i, std::uint32_t n, const char*) {
        if (i != index) return false;
        if (number) *number = n;
        return true;
    });
}

std::size_t strTableLength(const std::uint8_t* table, std::size_t size) {
    std::size_t length = size < kStrHeaderSize ? 0 : kStrHeaderSize;
    walkRecords(table, size, [&](std::uint32_t, std::uint32_t, const char* text) {
        const std::uint8_t* record = reinterpret_cast<const std::uint8_t*>(text) - 8;
        length = std::size_t(record - table) + ByteReader(record, 4, ByteOrder::little).u32();
        return false;
    });
    return length;
}

const char* findStrRecord(const std::uint8_t* table, std::size_t size, std::uint32_t number) {
    return walkRecords(table, size, [&](std::uint32_t, std::uint32_t n, const char*) { return n == number; });
}
