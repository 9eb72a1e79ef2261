// The line and dump-row formats, character by character.
#include "LogFixture.h"
#include "LogLine.h"

namespace {

const LogStamp kAfternoon{2026, 12, 6, 13, 5, 9, 999};

TEST(LogLine, LaysOutEveryField) {
    EXPECT_EQ(formatLogLine(kAfternoon, 83456, 3001, "Lesson started"),
              "06 Dec 26  1:05:09.9 PM [0083.46] 3,3001 | Lesson started" + std::string(66, ' '));
}

TEST(LogLine, EachFieldOnItsOwn) {
    const struct {
        LogStamp stamp; std::uint32_t ms; std::uint16_t id; std::size_t at, length; const char* field;
    } cases[] = {
        {{2026, 12, 6, 0, 5, 9, 999}, 0, 1, 10, 13, "12:05:09.9 AM"},
        {{2026, 12, 6, 12, 5, 9, 999}, 0, 1, 10, 13, "12:05:09.9 PM"},
        {{2026, 12, 6, 23, 5, 9, 999}, 0, 1, 10, 13, "11:05:09.9 PM"},
        {{1999, 1, 2, 8, 0, 0, 50}, 0, 0, 0, 24, "02 Jan 99  8:00:00.0 AM "},
        {{2003, 1, 2, 8, 0, 0, 50}, 0, 0, 0, 9, "02 Jan 03"},
        {kAfternoon, 0, 1, 25, 7, "0000.00"},
        {kAfternoon, 5, 1, 25, 7, "0000.01"},
        {kAfternoon, kMaxElapsedMs, 1, 25, 7, "9999.99"},
        {kAfternoon, 0, 42, 33, 10, " 0,0042 | "},
        {kAfternoon, 0, 6999, 33, 10, " 6,6999 | "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(formatLogLine(c.stamp, c.ms, c.id, "x").substr(c.at, c.length), c.field);
    }
}

// One formatter keeps its prefix between lines: every change of what the prefix shows (the day alone,
// the day at midnight, the tenth, the elapsed time, the id) must reach the line, and a short text after a long
// one is blank-padded with nothing left over.
TEST(LogLine, FormatterFollowsEveryShownChange) {
    const std::string blanks79(79, ' ');
    const struct { LogStamp stamp; std::uint32_t ms; std::uint16_t id; std::string piece, line; } steps[] = {
        {{2026, 12, 6, 23, 59, 59, 950}, kMaxElapsedMs, 1, std::string(90, 'a'),
         "06 Dec 26 11:59:59.9 PM [9999.99] 0,0001 | " + std::string(80, 'a')},
        {{2026, 12, 7, 23, 59, 59, 950}, kMaxElapsedMs, 1, "b",
         "07 Dec 26 11:59:59.9 PM [9999.99] 0,0001 | b" + blanks79},
        {{2026, 12, 8, 0, 0, 0, 0}, 0, 1, "c", "08 Dec 26 12:00:00.0 AM [0000.00] 0,0001 | c" + blanks79},
        {{2026, 12, 8, 0, 0, 0, 99}, 0, 1, "d", "08 Dec 26 12:00:00.0 AM [0000.00] 0,0001 | d" + blanks79},
        {{2026, 12, 8, 0, 0, 0, 100}, 0, 1, "e", "08 Dec 26 12:00:00.1 AM [0000.00] 0,0001 | e" + blanks79},
        {{2026, 12, 8, 0, 0, 0, 100}, 5, 1, "f", "08 Dec 26 12:00:00.1 AM [0000.01] 0,0001 | f" + blanks79},
        {{2026, 12, 8, 0, 0, 0, 100}, 5, 2001, "g", "08 Dec 26 12:00:00.1 AM [0000.01] 2,2001 | g" + blanks79},
        {{2027, 1, 8, 0, 0, 0, 100}, 5, 2001, std::string("h\0ij", 4),
         "08 Jan 27 12:00:00.1 AM [0000.01] 2,2001 | h" + blanks79},
    };
    LogLineFormatter formatter;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        EXPECT_EQ(formatter.format(step.stamp, step.ms, step.id, step.piece), step.line);
    }
}

TEST(HexRow, FullRowIsSixtyTwoCharacters) {
    const unsigned char bytes[16] = {'A', 'B', 0x00, 0x7F, 0x20, 0x7E, 0x1F, 0xFF,
                                     '0', '1', '2', '3', '4', '5', '6', '7'};
    EXPECT_EQ(hexRowText(16, bytes, 16), "  000016: AB.. ~..01234567 4142007F 207E1FFF 30313233 34353637");
}

}  // namespace
