// The descriptor file's text rules, list orders and look-ups, over texts in memory.
#include <gtest/gtest.h>

#include <string>

#include "DescriptorFile.h"
#include "DescriptorWriter.h"

namespace {

using namespace std::string_literals;

DescriptorFile parsed(const std::string& text) {
    return DescriptorFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

TEST(DescriptorFileTest, WordsCommentsEndLineAndLaterDefinitions) {
    struct Case {
        const char* what;
        std::string text;
        const char* command;
        int n;
        std::string expected;
    } const cases[] = {
        {"a later command wins", "WaveDLL a.dll\r\nWaveDLL b.dll\r\n.\r\n", "WaveDLL", 1, "b.dll"},
        {"quoted words keep blanks and \\\" quotes", "Say \"two words\" \"a \\\"q\\\" b\"\n", "Say", 2, "a \"q\" b"},
        {"written quoted words", writeDescriptor({{"T", {"say \"hi\" now"}}}), "T", 1, "say \"hi\" now"},
        {"other backslashes stay", "Path \"c:\\dir\\x\"\r", "Path", 1, "c:\\dir\\x"},
        {"blanks and tabs separate; n <= 0 reads 1", " \t Pos\t10 \t 20\r\n", "Pos", -4, "10"},
        {"'.' ends the file", "A 1\n.\nA 2\n", "A", 1, "1"},
        {"a word starting with '.' ends it too", "A 1\n.end\nA 2\n", "A", 1, "1"},
        {"comment lines are skipped", "A 1\n  # A 2\n/A 3\r;A 4\r", "A", 1, "1"},
        {"words are cut at 31 characters", "Long " + std::string(40, 'w'), "Long", 1, std::string(31, 'w')},
        {"names are exact", "wavedll a\n", "WaveDLL", 1, ""},
        {"absent parameter", "A 1\n", "A", 2, ""},
        {"a NUL ends a quoted word's text", std::string("\"Na\0me\" 5\n", 11), "Na", 1, "5"},
        {"a NUL ends a plain word's text, not the word", "A x\0y 5\n"s, "A", 2, "5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, parsed(c.text).stringParam(c.command, c.n));
    }
    const DescriptorFile d = parsed("N 42 -7 +3 12ab x \"  9\"\n.\n");
    for (int i : {1, 2, 3, 4, 5, 6}) EXPECT_EQ((std::vector<int>{42, -7, 3, 12, 0, 9}[i - 1]), d.intParam("N", i)) << i;
    EXPECT_EQ(0, d.intParamAlias("Missing", 1));
}

TEST(DescriptorFileTest, QuizletLinesFillTheirFieldsIntoSetsPerSkillAreaNewestFirst) {
    // A NUL inside a word ends only the word's text.
    DescriptorFile d = parsed("DS 3 7\0x 2 Q 15 -2 300 301 302 303 304 999\nDS 3 8 2\nDS 5 1 1\nDS 6 1 1\nDS 3 1 1\n"s);
    EXPECT_TRUE(d.commands.empty());
    QuizletSet* set = d.findSkillAreaSet(2)->setByNumber(3);
    ASSERT_EQ(2u, set->quizlets.size());
    EXPECT_EQ(8, set->quizlets.front().quizletNumber);
    const Quizlet& q = *set->quizletByNumber(7);
    EXPECT_EQ((std::vector<int>{2, 'Q', 15, -2, 300, 301, 302, 303, 304}),
              (std::vector<int>{q.skillArea, q.code, q.time, q.problemSound, q.problemPicture, q.answerPictures[0],
                                q.answerPictures[1], q.answerPictures[2], q.answerPictures[3]}));
    EXPECT_EQ('\0', set->quizletByNumber(8)->code);
    // Skill area 1 first appeared later, so it is nearer the head: its set 3 is found.
    EXPECT_EQ(1, d.findQuizletSet(3)->quizlets.front().quizletNumber);
    EXPECT_EQ((std::vector<int>{3, 6, 5}), (std::vector<int>{d.findSkillAreaSet(1)->setAt(0)->setNumber,
                                                             d.findSkillAreaSet(1)->setAt(1)->setNumber,
                                                             d.findSkillAreaSet(1)->setAt(2)->setNumber}));
    EXPECT_EQ(nullptr, d.findSkillAreaSet(1)->setAt(3));
    EXPECT_EQ(nullptr, d.findQuizletSet(9));
}

}  // namespace
