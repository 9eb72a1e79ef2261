// Message-file parsing and placeholder expansion.
#include "LogFixture.h"
#include "MessageFile.h"
#include "Placeholders.h"

namespace {

using namespace std::string_literals;

TEST(MessageFile, ReadsEveryKindOfLine) {
    // Comments, indented and non-digit lines are ignored; a NUL byte ends a text early.
    const std::string text = "0042 Ready\r\n; comment\n\n  0007 indented\nx0008 no\n"
                             "0001 cr\r0002 lf\n0003 crlf\r\n0005 first\n0005 second\n"
                             "12345 five digits\n70000xyz wraps\n12\n0013\n0014 \n"
                             "0015 ab\0cd\n\xff\xfe\x00\x01\n0004 last"s;
    const MessageTable expected{{1, "cr"},  {2, "lf"},  {3, "crlf"}, {4, "last"},    {5, "second"},
                                {12, ""},   {13, ""},   {14, ""},    {15, "ab"},     {42, "Ready"},
                                {12345, " five digits"}, {static_cast<std::uint16_t>(70000), "xyz wraps"}};
    EXPECT_EQ(parseMessageFile(text), expected);
}

TEST(Placeholders, ExpandLocalThenGlobalThenLocalOne) {
    const ParameterTable disk{{"1", "disk"}};
    const ParameterTable ann{{"user", "Ann"}};
    const struct { const char* text; ParameterTable local, global; const char* expanded; } cases[] = {
        {"&1 for &user (&other)", disk, ann, "disk for Ann (disk)"},
        {"hi &user!", {{"user", "Bob"}}, ann, "hi Bob!"},
        {"for &user_2.", {}, {}, "for &user_2."},
        {"R&&D", disk, {}, "R&&D"},
        {"A & B", disk, {}, "A & B"},
        {"end&", disk, {}, "end&"},
        {"&_x", disk, {}, "&_x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(expandPlaceholders(c.text, c.local, c.global), c.expanded);
    }
    EXPECT_EQ(parameterNumberText(0xFFFFFFFFu), "-1") << "numbers are written as long";
}

}  // namespace
