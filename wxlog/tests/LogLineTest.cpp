// The line and dump-row formats, character by character.
#include <gtest/gtest.h>

#include "LogLine.h"

namespace {

const LogStamp kAfternoon{2026, 12, 6, 13, 5, 9, 999};

std::string padded(const std::string& text) { return text + std::string(80 - text.size(), ' '); }

TEST(LogLine, LaysOutEveryField) {
    std::string line = formatLogLine(kAfternoon, 83456, 3001, "Lesson started");
    EXPECT_EQ(line, "06 Dec 26  1:05:09.9 PM [0083.46] 3,3001 | " + padded("Lesson started"));
    EXPECT_EQ(line.size(), kLogLineLength);
}

TEST(LogLine, ClockFieldUsesTwelveHours) {
    struct Case {
        int hour;
        const char* field;
    } cases[] = {{0, "12:05:09.9 AM"}, {1, " 1:05:09.9 AM"}, {11, "11:05:09.9 AM"},
                 {12, "12:05:09.9 PM"}, {13, " 1:05:09.9 PM"}, {23, "11:05:09.9 PM"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hour);
        LogStamp stamp = kAfternoon;
        stamp.hour = c.hour;
        EXPECT_EQ(formatLogLine(stamp, 0, 1, "x").substr(10, 13), c.field);
    }
}

TEST(LogLine, DateFieldHasTwoDigitYear) {
    LogStamp stamp{1999, 1, 2, 8, 0, 0, 50};
    EXPECT_EQ(formatLogLine(stamp, 0, 0, "").substr(0, 24), "02 Jan 99  8:00:00.0 AM ");
    stamp.year = 2003;
    EXPECT_EQ(formatLogLine(stamp, 0, 0, "").substr(0, 9), "02 Jan 03");
}

TEST(LogLine, ElapsedSecondsHaveTwoDecimals) {
    struct Case {
        std::uint32_t ms;
        const char* field;
    } cases[] = {{0, "0000.00"}, {83456, "0083.46"}, {kMaxElapsedMs, "9999.99"}, {5, "0000.01"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ms);
        EXPECT_EQ(formatLogLine(kAfternoon, c.ms, 1, "x").substr(25, 7), c.field);
    }
}

TEST(LogLine, LevelAndIdPrecedeText) {
    EXPECT_EQ(formatLogLine(kAfternoon, 0, 42, "t").substr(33, 10), " 0,0042 | ");
    EXPECT_EQ(formatLogLine(kAfternoon, 0, 6999, "t").substr(33, 10), " 6,6999 | ");
}

TEST(LogLine, TextIsCutAtEightyCharacters) {
    std::string line = formatLogLine(kAfternoon, 0, 1, std::string(100, 'a'));
    EXPECT_EQ(line.size(), kLogLineLength);
    EXPECT_EQ(line.substr(43), std::string(80, 'a'));
}

TEST(HexRow, FullRowIsSixtyTwoCharacters) {
    const unsigned char bytes[16] = {'A', 'B', 0x00, 0x7F, 0x20, 0x7E, 0x1F, 0xFF,
                                     '0', '1', '2', '3', '4', '5', '6', '7'};
    std::string row = hexRowText(16, bytes, 16);
    EXPECT_EQ(row, "  000016: AB.. ~..01234567 4142007F 207E1FFF 30313233 34353637");
    EXPECT_EQ(row.size(), 62u);
}

TEST(HexRow, PartialRowPadsTheCharacterColumn) {
    const unsigned char bytes[5] = {'a', 'b', 'c', 'd', 'e'};
    EXPECT_EQ(hexRowText(0, bytes, 5), "  000000: abcde            61626364 65");
}

}  // namespace
