// The formatter's conversions, flags and sizes, its 255-character cap, and the string operations.
#include <cstring>

#include "EngineTestSupport.h"
#include "UtilFormat.h"
#include "UtilString.h"

namespace {

TEST(UtilFormatTest, Vectors) {
    struct Case { const char* format; std::uint32_t argument; const char* expected; } cases[] = {
        {"%5d", static_cast<std::uint32_t>(-42), "  -42"}, {"%-5d|", static_cast<std::uint32_t>(-42), "-42  |"},
        {"%x", 255, "0xff"}, {"%#x", 255, "ff"}, {"%X", 255, "0xFF"}, {"%04hx", 255, "0x00ff"}, {"%b", 5, "%101"},
        {"%#kb", 5, "101"}, {"%p", 4096, "@1000"}, {"%#P", 0xBEEF, "BEEF"}, {"%#c", 'A', "'A'"}, {"%c", 0x141, "A"},
        {"%kd", 200, "-56"}, {"%hd", 0x18000, "-32768"}, {"%d", 0x80000000u, "-2147483648"},
        {"%u", 0xFFFFFFFFu, "4294967295"}, {"%hu", 0x12345, "9029"}, {"%i", 7, "7"}, {"%+d", 7, "+7"},
        {"% d", 7, " 7"}, {"%05d", static_cast<std::uint32_t>(-42), "-0042"}, {"%05u", 42, "00042"}, {"%o", 8, "010"},
        {"%0ko", 8, "0010"}, {"%#0ho", 8, "000010"}, {"%0kb", 5, "%00000101"}, {"%#.3x", 10, "00a"},
        {"%#8x|", 10, "       a|"}, {"%6x|", 255, "  0xff|"}, {"%-6x|", 255, "0xff  |"}, {"%0x", 1, "0x00000001"},
        {"%3q|", 0, "   |"}, {"100%%", 0, "100%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        char out[kFormatBufferSize];
        int length = UtilFormat(out, c.format, c.argument);
        EXPECT_STREQ(out, c.expected);
        EXPECT_EQ(length, static_cast<int>(std::strlen(c.expected)));
    }
}

template <class... Arguments>
std::string formatted(const char* format, Arguments... arguments) {
    char out[kFormatBufferSize];
    UtilFormat(out, format, arguments...);
    return out;
}

TEST(UtilFormatTest, StringsWidthsCountedStringsCountsAndThe255CharacterCap) {
    EXPECT_EQ(formatted("[%s|%6s|%-6s|%.2s]", "ab", "cd", "ef", "ghij"), "[ab|    cd|ef    |gh]");
    EXPECT_EQ(formatted("%#s", "\x03xyzw"), "xyz");
    EXPECT_EQ(formatted("<%*d><%.*d>", 4, 7, 3, 7), "<   7><007>");
    EXPECT_EQ(formatted("[%s]", static_cast<const char*>(nullptr)), "[]");
    EXPECT_EQ(formatted("[%s]", UtilFormatBuffer()), "[]") << "the buffer being written prints as empty";
    char out[kFormatBufferSize];
    // The count conversion stores by size.
    std::uint32_t whole = 0xFFFFFFFFu;
    std::uint16_t half = 0xFFFF;
    std::uint8_t bytes[2] = {0xEE, 0xEE};
    UtilFormat(out, "abc%nde%hnf%kn", &whole, &half, &bytes[0]);
    EXPECT_STREQ(out, "abcdef");
    EXPECT_EQ((Results{whole, half, bytes[0], bytes[1]}), (Results{3, 5, 6, 0xEE}));
    // The output stops growing at 255 characters.
    std::string longText(300, 'y');
    char capped[kFormatBufferSize + 16];
    std::memset(capped, '#', sizeof capped);
    EXPECT_EQ(UtilFormat(capped, "ab%s%d", longText.c_str(), 12345), 255);
    EXPECT_EQ(std::string(capped), "ab" + std::string(253, 'y'));
    EXPECT_EQ(capped[256], '#');
    EXPECT_EQ(UtilFormat(capped, "%300d", 1), 255);
    EXPECT_EQ(std::string(capped), std::string(255, ' '));
    EXPECT_STREQ(UtilFormatStatic("%s-%d", "x", 2), "x-2");
    EXPECT_EQ((Both{UtilFormatStatic(nullptr) == UtilFormatBuffer(), *UtilFormatBuffer()}), Both(1, 0));
    EXPECT_EQ(UtilFormat(capped, "%.100d", 5), 64);  // digits are cut at the 64-character work area
}

TEST(UtilStringTest, CountedStringsCopiesAndParseUIntUsingEveryDigit) {
    char buffer[300] = "hello";
    EXPECT_EQ((Both{UtilToCounted(buffer, buffer) - buffer, std::string(buffer, 6) == "\x05hello"}), Both(6, 1))
        << "in place";
    EXPECT_EQ(std::to_string(UtilFromCounted(buffer, buffer) - buffer) + buffer, "5hello");
    std::string longText(280, 'q');
    UtilToCounted(buffer, longText.c_str());
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 255);
    char small[4];
    EXPECT_EQ((Both{UtilStrCopy(small, "abcdef", sizeof small) - small, UtilStrCopy(small, "x", 0) == nullptr}),
              Both(3, 1));
    EXPECT_STREQ(small, "abc");
    char joined[300];
    EXPECT_EQ(UtilStrConcat(joined, "ab", "cd"), joined + 4);
    UtilStrConcat(joined, longText.c_str(), "tail");
    EXPECT_EQ(std::strlen(joined), 255u);
    struct Case { const char* text; int used; std::uint32_t value; } cases[] = {
        {"123abc", 3, 123}, {"", 0, 0}, {"-5", 0, 0}, {" 5", 0, 0}, {"4294967295", 10, 4294967295u},
        {"4294967296", 10, 0}, {"99999999999x", 11, 1215752191u}, {"0007", 4, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::uint32_t value = 99;
        EXPECT_EQ(UtilParseUInt(c.text, &value), c.used);
        EXPECT_EQ(value, c.value);
    }
    EXPECT_EQ(UtilParseUInt(nullptr, nullptr), 0);
}

}  // namespace
