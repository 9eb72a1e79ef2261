// The descriptor file's text rules, list orders and look-ups, over texts in memory.
#include <gtest/gtest.h>

#include <string>

#include "DescriptorFile.h"
#include "DescriptorWriter.h"

namespace {

DescriptorFile parsed(const std::string& text) {
    return DescriptorFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

struct ParamCase {
    const char* what;
    std::string text;
    const char* command;
    int n;
    std::string expected;
};

TEST(DescriptorFileTest, WordsCommentsEndLineAndLaterDefinitions) {
    const std::string longWord(40, 'w');
    const ParamCase cases[] = {
        {"a later command wins", "WaveDLL a.dll\r\nWaveDLL b.dll\r\n.\r\n", "WaveDLL", 1, "b.dll"},
        {"quoted words keep blanks and \\\" quotes", "Say \"two words\" \"a \\\"q\\\" b\"\n", "Say", 2, "a \"q\" b"},
        {"other backslashes stay", "Path \"c:\\dir\\x\"\r", "Path", 1, "c:\\dir\\x"},
        {"blanks and tabs separate", " \t Pos\t10 \t 20\r\n", "Pos", 2, "20"},
        {"n of 0 reads parameter 1", "Pos 10 20\n", "Pos", 0, "10"},
        {"n below 0 reads parameter 1", "Pos 10 20\n", "Pos", -4, "10"},
        {"'.' ends the file", "A 1\n.\nA 2\n", "A", 1, "1"},
        {"a word starting with '.' ends it too", "A 1\n.end\nA 2\n", "A", 1, "1"},
        {"'#' comment lines are skipped", "A 1\n  # A 2\n", "A", 1, "1"},
        {"'/' comment lines are skipped", "A 1\n/A 2\n", "A", 1, "1"},
        {"';' comment lines are skipped", "A 1\r;A 2\r", "A", 1, "1"},
        {"a text without the end line", "A 1", "A", 1, "1"},
        {"words are cut at 31 characters", "Long " + longWord + "\n", "Long", 1, std::string(31, 'w')},
        {"names are exact", "wavedll a\n", "WaveDLL", 1, ""},
        {"absent command", "A 1\n", "B", 1, ""},
        {"absent parameter", "A 1\n", "A", 2, ""},
        {"a NUL ends a quoted word's text", std::string("A \"x\0y\" z\n", 10), "A", 2, "z"},
        {"a quoted name with a NUL is found by its text", std::string("\"Na\0me\" 5\n", 11), "Na", 1, "5"},
    };
    for (const ParamCase& c : cases) {
        SCOPED_TRACE(c.what);
        const DescriptorFile d = parsed(c.text);
        EXPECT_EQ(c.expected, d.stringParam(c.command, c.n));
    }
}

TEST(DescriptorFileTest, IntegerParametersReadLeadingDigits) {
    const DescriptorFile d = parsed("N 42 -7 +3 12ab x \"  9\"\n.\n");
    const int expected[] = {42, -7, 3, 12, 0, 9};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(expected[i], d.intParam("N", i + 1));
        EXPECT_EQ(expected[i], d.intParamAlias("N", i + 1));
    }
    EXPECT_EQ(0, d.intParam("Missing", 1));
}

TEST(DescriptorFileTest, WrittenCommandsReadBack) {
    const std::string text = writeDescriptor({{"WaveDLL", {"sounds.dll"}}, {"Title", {"say \"hi\" now", "2"}}});
    EXPECT_EQ("WaveDLL sounds.dll\r\nTitle \"say \\\"hi\\\" now\" 2\r\n.\r\n", text);
    const DescriptorFile d = parsed(text);
    EXPECT_STREQ("say \"hi\" now", d.stringParam("Title", 1));
    EXPECT_EQ(2, d.intParam("Title", 2));
    ASSERT_EQ(2u, d.commands.size());
    EXPECT_EQ("Title", d.commands.front().name);
}

TEST(DescriptorFileTest, QuizletLinesFillTheirElevenFields) {
    const DescriptorFile d = parsed("DS 3 7 2 Q 15 -2 300 301 302 303 304 999\nDS 3 8 2\n.\n");
    DescriptorFile& file = const_cast<DescriptorFile&>(d);
    QuizletSet* set = file.findQuizletSet(3);
    ASSERT_NE(nullptr, set);
    ASSERT_EQ(2u, set->quizlets.size());
    EXPECT_EQ(8, set->quizlets.front().quizletNumber);  // added at the head
    const Quizlet* q = set->quizletByNumber(7);
    ASSERT_NE(nullptr, q);
    EXPECT_EQ(2, q->skillArea);
    EXPECT_EQ('Q', q->code);
    EXPECT_EQ(15, q->time);
    EXPECT_EQ(-2, q->problemSound);
    EXPECT_EQ(300, q->problemPicture);
    EXPECT_EQ((std::vector<int>{301, 302, 303, 304}),
              (std::vector<int>{q->answerPictures[0], q->answerPictures[1], q->answerPictures[2], q->answerPictures[3]}));
    const Quizlet* shortLine = set->quizletByNumber(8);
    ASSERT_NE(nullptr, shortLine);
    EXPECT_EQ('\0', shortLine->code);
    EXPECT_EQ(0, shortLine->answerPictures[3]);
    EXPECT_TRUE(d.commands.empty());
}

TEST(DescriptorFileTest, SetsAreKeptPerSkillAreaNewestFirst) {
    DescriptorFile d = parsed("DS 5 1 1\nDS 6 1 1\nDS 5 2 2\n");
    ASSERT_EQ(2u, d.skillAreas.size());
    EXPECT_EQ(2, d.skillAreas.front().skillArea);
    SkillAreaSet* first = d.findSkillAreaSet(1);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(6, first->setAt(0)->setNumber);
    EXPECT_EQ(5, first->setAt(1)->setNumber);
    EXPECT_EQ(nullptr, first->setAt(2));
    EXPECT_EQ(nullptr, d.findSkillAreaSet(3));
    // Set 5 under skill areas 1 and 2: the area that first appeared later is nearer the head.
    EXPECT_EQ(2, d.findQuizletSet(5)->quizlets.front().quizletNumber);
    EXPECT_EQ(nullptr, d.findQuizletSet(9));
}

TEST(DescriptorFileTest, TheLastMadeIsCurrentUntilDeleted) {
    {
        const DescriptorFile d = parsed("A 1\n");
        EXPECT_EQ(&d, currentDescriptorFile());
    }
    EXPECT_EQ(nullptr, currentDescriptorFile());
}

TEST(DescriptorFileTest, DamagedTextsParseWithinTheirBytes) {
    const std::string texts[] = {std::string("A \"unended", 10), std::string("\0\0A 1\n", 6), std::string("#", 1),
                                 std::string("DS", 2), std::string("A \"x\\", 5), std::string("\r\r\r", 3)};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const DescriptorFile d = parsed(text);
        EXPECT_LE(d.commands.size(), 1u);
    }
    EXPECT_STREQ("unended", parsed("A \"unended").stringParam("A", 1));
}

}  // namespace
