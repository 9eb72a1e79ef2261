// The compiler: exact cells and operands of small scripts, includes, lists, and refused scripts.
#include <map>

#include "ScriptFixture.h"

namespace {

std::map<std::string, std::string> files;

bool loadFile(const char* name, std::string* text) {
    const auto found = files.find(name);
    return found != files.end() && (*text = found->second, true);
}

struct CompilerTest : CompileTest {
    void SetUp() override {
        ScriptTest::SetUp();
        files.clear();
    }
    bool compile(const std::string& text) { return compileScript(text.data(), text.size(), loadFile, stack, &script); }
    std::vector<std::string> heapNames() {
        std::vector<std::string> names;
        for (std::int32_t i = kYPredefined; i < scriptHeap().count; ++i) names.push_back(scriptHeap().at(i)->name);
        return names;
    }
};

// Each case on a fresh heap; empty operand or name lists are not checked.
TEST_F(CompilerTest, SmallScriptsCompileToTheirExactCells) {
    const std::tuple<const char*, Cells, Operands, std::vector<std::string>> cases[] = {
        {"x=5\r", {{18, 3}, {0, 0}}, {0, 1, 2, 3, 4, -1}, {"x", "5"}},
        // A blank before "=" makes the line a call of a function named x with the operands "=" and 5.
        {"x = 5\r", {{21, 3}, {0, 0}}, {0, 1, 2, 3, 4, 5, -1}, {"x", "=", "5"}},
        {"if a\r b\relse\r c\r", {{12, 3}, {10, 4}, {21, 5}, {11, 6}, {13, 7}, {21, 8}, {0, 0}},
         {0, 1, 2, 3, -1, 4, -1, -1, 5, -1}, {}},
        // An if without else ends with a no-operation.
        {"if a\r[\r b\r c\r]\rd\r", {{12, 3}, {10, 5}, {21, 5}, {21, 7}, {13, 0}, {21, 9}, {0, 0}}, {}, {}},
        {"for i 1 3\r[\r for j 1 2\r [\r  if j\r   break\r  continue\r ]\r break\r]\r",
         {{8, 3}, {9, 3}, {10, 14}, {8, 7}, {9, 7}, {10, 12}, {12, 11}, {10, 10}, {11, 12}, {13, 0}, {11, 4}, {11, 4},
          {11, 14}, {11, 1}, {0, 0}},
         {0, 1, 2, 3, 4, 5, -1, 6, 4, 7, -1, 6, -1, -1, -1, -1}, {"i", "1", "3", "j", "2"}},
        {"procedure +p a\r[\r say a\r]\rcall +p 5\r", {{7, 3}, {14, 6}, {15, 0}, {6, 8}, {0, 0}},
         {0, 1, 2, 3, 4, -1, 4, -1, 3, 5, -1}, {}},
        // The text's end closes an open block and ends a missing body; a "]" as body is that empty body;
        // a "]" outside any block ends the script there.
        {"if x\r[\r y\r", {{12, 3}, {10, 4}, {21, 5}, {13, 0}, {0, 0}}, {}, {}},
        {"if x\r", {{12, 3}, {10, 3}, {13, 0}, {0, 0}}, {}, {}},
        {"if a\r]\rb\r", {{12, 3}, {10, 3}, {13, 0}, {21, 5}, {0, 0}}, {}, {}},
        {"x=1\r]\rx=2\r", {{18, 3}, {0, 0}}, {}, {"x", "1"}},
        {"t=&Trinket 1 2\r", {{18, 3}, {0, 0}}, {0, 1, 2, 3, 4, 5, 6, -1}, {}},
    };
    for (const auto& [source, expectedCells, operands, names] : cases) {
        SCOPED_TRACE(source);
        resetHeap();
        ASSERT_TRUE(compile(source));
        EXPECT_EQ(expectedCells, cells());
        EXPECT_TRUE(operands.empty() || operands == script.operands) << ::testing::PrintToString(script.operands);
        EXPECT_TRUE(names.empty() || names == heapNames()) << ::testing::PrintToString(heapNames());
        EXPECT_EQ(0, stack.depth());
        EXPECT_TRUE(alerts().empty());
    }
    EXPECT_EQ(kYBorrows, var("t")->mark);
    resetHeap();
    ASSERT_TRUE(compile("x = 5\r"));
    EXPECT_EQ(" x=-/0 ==z/4 5=-/1", heapText());
    EXPECT_TRUE(var("x")->isUnset());
}

TEST_F(CompilerTest, ProceduresAreNamedByTheirCellAndListsBecomeMembersAtCompileTime) {
    ASSERT_TRUE(compile("x=1\rprocedure +q\r y\r"));
    EXPECT_EQ(std::make_pair(std::string("+1"), kYPlain), std::make_pair(text("+q"), var("+q")->typeTag));
    resetHeap();
    var("a")->setText("first", -1);
    ASSERT_TRUE(compile("x=[a 'b c' 7]\rx=[d\r"));
    EXPECT_EQ((Cells{{0, 0}}), cells());
    EXPECT_EQ((Operands{0, 1, 2}), script.operands);
    EXPECT_EQ("first|b c|7]|d", text("x.1") + "|" + text("x.2") + "|" + text("x.3") + "|" + text("x.4"));
    EXPECT_EQ(std::make_pair(index("x.1"), 4), std::make_pair(var("x")->heapIndex, var("x")->highestMember));
}

TEST_F(CompilerTest, KeywordsEmitTheirCodes) {
    const char* keywords[] = {"yield", "play", "set", "get", "suspend", "resume", "drop", "schedule", "idle",
                              "wait", "pause", "relay", "say", "exit", "debug", "quit", "call"};
    const std::int32_t codes[] = {37, 40, 35, 36, 26, 27, 19, 24, 23, 22, 28, 45, 14, 25, 29, 46, 6};
    for (std::size_t i = 0; i < sizeof codes / sizeof codes[0]; ++i) {
        SCOPED_TRACE(keywords[i]);
        ASSERT_TRUE(compile(std::string(keywords[i]) + " v\r"));
        EXPECT_EQ((Cells{{codes[i], 3}, {0, 0}}), cells());
        // A keyword must be the whole first word.
        ASSERT_TRUE(compile(std::string(keywords[i]) + "x v\r"));
        EXPECT_EQ(21, script.cells[0].opcode);
    }
    ASSERT_TRUE(compile("drop [ list\r"));
    EXPECT_EQ(scriptHeap().find("[", 1), script.operands[3]);
    // A word that begins with a bracket is one operand.
    ASSERT_TRUE(compile("f [x ]y\r"));
    EXPECT_EQ((Operands{0, 1, 2, static_cast<std::int16_t>(index("f")), static_cast<std::int16_t>(index("[x")),
                        static_cast<std::int16_t>(index("]y")), -1}),
              script.operands);
}

TEST_F(CompilerTest, IncludedTextIsCompiledInPlace) {
    files["inc.mps"] = "c=3\r";
    ASSERT_TRUE(compile("a=1\rinclude inc.mps\rb=2\r"));
    EXPECT_EQ((Cells{{18, 3}, {18, 6}, {18, 9}, {0, 0}}), cells());
    EXPECT_EQ((std::vector<std::string>{"a", "1", "c", "3", "b", "2"}), heapNames());
    files["deep.mps"] = "include inc.mps\rd=4";
    ASSERT_TRUE(compile("include deep.mps\re=5\r"));
    EXPECT_EQ(3u, script.cells.size() - 1);
}

TEST_F(CompilerTest, CommentsAndTheLastLine) {
    ASSERT_TRUE(compile("; a comment\rx=1 ; behind a statement\r; last line without CR"));
    EXPECT_EQ((Cells{{18, 3}, {0, 0}}), cells());
    ASSERT_TRUE(compile("say done ;") && compile("x=1") && compile(""));
    EXPECT_EQ((Cells{{0, 0}}), cells());
    // A text near the 65535-byte size limit: source positions run past 32767.
    EXPECT_TRUE(compile(repeat("x=1\r\n; padding padding padding\r\n", 2040)));
}

// Every refusal names the count of line ends before the last token read, and the source text there.
TEST_F(CompilerTest, RefusedScriptsNameTheLine) {
    files["self.mps"] = "include self.mps\r";
    const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
        {"open quote", "x=1\rsay \"abc\ry=2\r", {"Unquote  \"abc\ry=2\r\r...", "1: \"abc\ry=2\r\r"}},
        {"expression", "x=(a\r", {"0: (a\r\r"}},
        {"two operators", "\r\rx=a+-b c\r", {"2: a+-b c\r\r"}},
        {"word of 128", "say " + std::string(128, 'w'), {"0: " + std::string(50, 'w')}},
        {"break outside for", "x=1\rbreak\r", {"1: break\r\r"}},
        {"continue outside for", "continue\r", {"0: continue\r\r"}},
        {"else without if", "x=1\relse\r y\r", {"1: else\r y\r\r"}},
        {"missing include", "include none.mps\r", {"0: none.mps\r\r"}},
        {"include cycle", "include self.mps\r", {"0: self.mps\r\r"}},
        {"empty assignment", "=5\r", {"0: =5\r\r"}},
    };
    for (const auto& [name, source, expectedAlerts] : cases) {
        SCOPED_TRACE(name);
        alerts().clear();
        EXPECT_FALSE(compile(source));
        EXPECT_EQ(expectedAlerts, alerts());
        EXPECT_EQ(std::make_tuple(true, true, true, 0),
                  std::make_tuple(yErrorCode() != 0, script.cells.empty(), script.operands.empty(), stack.depth()));
    }
}

TEST_F(CompilerTest, LimitsAreCompileErrors) {
    const std::pair<std::string, bool> cases[] = {
        {repeat("f\r", 8001), false}, {repeat("f\r", 8000), true}, {repeat("f a a a a a a a a a\r", 2000), false},
        {std::string(3000, '[') + "\r", false}, {repeat("if a\r", 2100) + "b\r", false}, {repeat("if a\r", 2000) + "b\r", true},
        {"f " + std::string(127, 'w') + "\r", true}};
    for (const auto& [source, compiles] : cases)
        EXPECT_EQ(compiles, compile(source)) << source.size() << " bytes: " << source.substr(0, 12);
}

}  // namespace
