// Message-file parsing and placeholder expansion.
#include <gtest/gtest.h>

#include "MessageFile.h"
#include "Placeholders.h"

namespace {

TEST(MessageFile, ReadsIdAndTextFromTheSixthCharacter) {
    MessageTable table = parseMessageFile("0042 Ready\r\n1234 Lesson &1 started\r\n");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[42], "Ready");
    EXPECT_EQ(table[1234], "Lesson &1 started");
}

TEST(MessageFile, IgnoresLinesNotStartingWithADigit) {
    MessageTable table = parseMessageFile("; comment\n\n  0007 indented\nx0008 no\n0009 yes");
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[9], "yes");
}

TEST(MessageFile, AcceptsEveryLineEnding) {
    MessageTable table = parseMessageFile("0001 cr\r0002 lf\n0003 crlf\r\n0004 last");
    EXPECT_EQ(table[1], "cr");
    EXPECT_EQ(table[2], "lf");
    EXPECT_EQ(table[3], "crlf");
    EXPECT_EQ(table[4], "last");
}

TEST(MessageFile, LaterDuplicateWins) {
    MessageTable table = parseMessageFile("0005 first\n0005 second\n");
    EXPECT_EQ(table[5], "second");
}

TEST(MessageFile, TakesTheIdFromAllLeadingDigits) {
    MessageTable table = parseMessageFile("12345 five digits\n70000xyz wraps\n");
    EXPECT_EQ(table[12345], " five digits");
    EXPECT_EQ(table[static_cast<std::uint16_t>(70000)], "xyz wraps");
}

TEST(MessageFile, ShortLinesHaveEmptyTexts) {
    MessageTable table = parseMessageFile("12\n0013\n0014 \n0015 x\n");
    EXPECT_EQ(table.at(12), "");
    EXPECT_EQ(table.at(13), "");
    EXPECT_EQ(table.at(14), "");
    EXPECT_EQ(table.at(15), "x");
}

TEST(MessageFile, BinaryBytesDoNotDerailTheWalk) {
    std::string bytes("0001 ab\0cd\n\xff\xfe\x00\x01\n0002 ok\n9", 25);
    MessageTable table = parseMessageFile(bytes);
    EXPECT_EQ(table[1], "ab");
    EXPECT_EQ(table[2], "ok");
    EXPECT_EQ(table[9], "");
}

TEST(Placeholders, ExpandsLocalThenGlobalThenLocalOne) {
    ParameterTable local{{"1", "disk"}};
    ParameterTable global{{"user", "Ann"}};
    EXPECT_EQ(expandPlaceholders("&1 for &user (&other)", local, global), "disk for Ann (disk)");
}

TEST(Placeholders, LocalWinsOverGlobal) {
    ParameterTable local{{"user", "Bob"}};
    ParameterTable global{{"user", "Ann"}};
    EXPECT_EQ(expandPlaceholders("hi &user!", local, global), "hi Bob!");
}

TEST(Placeholders, UnknownNameStaysAsWritten) {
    EXPECT_EQ(expandPlaceholders("for &user_2.", {}, {}), "for &user_2.");
}

TEST(Placeholders, AmpersandsWithoutNamesStay) {
    ParameterTable local{{"1", "x"}};
    EXPECT_EQ(expandPlaceholders("R&&D", local, {}), "R&&D");
    EXPECT_EQ(expandPlaceholders("A & B", local, {}), "A & B");
    EXPECT_EQ(expandPlaceholders("end&", local, {}), "end&");
    EXPECT_EQ(expandPlaceholders("&_x", local, {}), "&_x");
}

TEST(Placeholders, NumbersAreWrittenAsLong) {
    EXPECT_EQ(parameterNumberText(0), "0");
    EXPECT_EQ(parameterNumberText(1234), "1234");
    EXPECT_EQ(parameterNumberText(0xFFFFFFFFu), "-1");
}

}  // namespace
