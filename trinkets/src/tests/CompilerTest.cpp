// The compiler: exact cells and operands of small scripts, includes, lists, and refused scripts.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ScriptFixture.h"
#include "YCompiler.h"

namespace {

using Cells = std::vector<std::pair<std::int32_t, std::int16_t>>;
using Operands = std::vector<std::int16_t>;

std::map<std::string, std::string>& files() {
    static std::map<std::string, std::string> f;
    return f;
}

bool loadFile(const char* name, std::string* text) {
    const auto found = files().find(name);
    if (found == files().end()) return false;
    *text = found->second;
    return true;
}

class CompilerTest : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        files().clear();
    }
    bool compile(const std::string& text) {
        return compileScript(text.data(), text.size(), loadFile, stack, &script);
    }
    Cells cells() const {
        Cells c;
        for (const YCell& cell : script.cells) c.emplace_back(cell.opcode, cell.operand);
        return c;
    }
    std::int32_t index(const std::string& name) {
        return scriptHeap().find(name.data(), static_cast<std::int32_t>(name.size()));
    }
    std::vector<std::string> heapNames() {
        std::vector<std::string> names;
        for (std::int32_t i = kYPredefined; i < scriptHeap().count; ++i) names.push_back(scriptHeap().at(i)->name);
        return names;
    }

    YCallStack stack;
    YCompiledScript script;
};

TEST_F(CompilerTest, AssignmentAndCallOfAFunction) {
    ASSERT_TRUE(compile("x=5\r"));
    EXPECT_EQ((Cells{{18, 3}, {0, 0}}), cells());
    EXPECT_EQ((Operands{0, 1, 2, 3, 4, -1}), script.operands);
    EXPECT_EQ((std::vector<std::string>{"x", "5"}), heapNames());
    EXPECT_TRUE(var("x")->isUnset());

    // A blank before "=" makes the line a call of a function named x with the operands "=" and 5.
    scriptHeap().clear();
    scriptHeap().init();
    ASSERT_TRUE(compile("x = 5\r"));
    EXPECT_EQ((Cells{{21, 3}, {0, 0}}), cells());
    EXPECT_EQ((Operands{0, 1, 2, 3, 4, 5, -1}), script.operands);
    EXPECT_EQ((std::vector<std::string>{"x", "=", "5"}), heapNames());
    EXPECT_EQ(kYExpression, scriptHeap().at(4)->typeTag);
    EXPECT_STREQ("z", scriptHeap().at(4)->valueText);
}

TEST_F(CompilerTest, IfElsePatchesItsJumps) {
    ASSERT_TRUE(compile("if a\r b\relse\r c\r"));
    EXPECT_EQ((Cells{{12, 3}, {10, 4}, {21, 5}, {11, 6}, {13, 7}, {21, 8}, {0, 0}}), cells());
    EXPECT_EQ((Operands{0, 1, 2, 3, -1, 4, -1, -1, 5, -1}), script.operands);
    EXPECT_EQ(0, stack.depth());
}

TEST_F(CompilerTest, IfWithoutElseEndsWithANoOperation) {
    ASSERT_TRUE(compile("if a\r[\r b\r c\r]\rd\r"));
    EXPECT_EQ((Cells{{12, 3}, {10, 5}, {21, 5}, {21, 7}, {13, 0}, {21, 9}, {0, 0}}), cells());
}

TEST_F(CompilerTest, NestedForLoopsPatchBreakAndContinue) {
    ASSERT_TRUE(compile("for i 1 3\r[\r for j 1 2\r [\r  if j\r   break\r  continue\r ]\r break\r]\r"));
    EXPECT_EQ((Cells{{8, 3}, {9, 3}, {10, 14}, {8, 7}, {9, 7}, {10, 12}, {12, 11}, {10, 10}, {11, 12}, {13, 0},
                     {11, 4}, {11, 4}, {11, 14}, {11, 1}, {0, 0}}),
              cells());
    EXPECT_EQ((Operands{0, 1, 2, 3, 4, 5, -1, 6, 4, 7, -1, 6, -1, -1, -1, -1}), script.operands);
    EXPECT_EQ((std::vector<std::string>{"i", "1", "3", "j", "2"}), heapNames());
}

TEST_F(CompilerTest, ProceduresAreNamedByTheirCell) {
    ASSERT_TRUE(compile("procedure +p a\r[\r say a\r]\rcall +p 5\r"));
    EXPECT_EQ((Cells{{7, 3}, {14, 6}, {15, 0}, {6, 8}, {0, 0}}), cells());
    EXPECT_EQ((Operands{0, 1, 2, 3, 4, -1, 4, -1, 3, 5, -1}), script.operands);
    EXPECT_EQ("+0", text("+p"));
    EXPECT_EQ(kYPlain, var("+p")->typeTag);

    scriptHeap().clear();
    scriptHeap().init();
    ASSERT_TRUE(compile("x=1\rprocedure +q\r y\r"));
    EXPECT_EQ("+1", text("+q"));
    EXPECT_EQ(15, script.cells[3].opcode);
}

TEST_F(CompilerTest, ListsBecomeMembersAtCompileTime) {
    var("a")->setText("first", -1);
    ASSERT_TRUE(compile("x=[a 'b c' 7]\rx=[d\r"));
    EXPECT_EQ((Cells{{0, 0}}), cells());
    EXPECT_EQ((Operands{0, 1, 2}), script.operands);
    EXPECT_EQ("first", text("x.1"));
    EXPECT_EQ("b c", text("x.2"));
    EXPECT_EQ("7]", text("x.3"));
    EXPECT_EQ("d", text("x.4"));
    EXPECT_EQ(index("x.1"), var("x")->heapIndex);
    EXPECT_EQ(4, var("x")->highestMember);
}

TEST_F(CompilerTest, BorrowingAssignmentMarksTheVariable) {
    ASSERT_TRUE(compile("t=&Trinket 1 2\r"));
    EXPECT_EQ((Cells{{18, 3}, {0, 0}}), cells());
    EXPECT_EQ(kYBorrows, var("t")->mark);
    EXPECT_EQ((Operands{0, 1, 2, 3, 4, 5, 6, -1}), script.operands);
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
    files()["inc.mps"] = "c=3\r";
    ASSERT_TRUE(compile("a=1\rinclude inc.mps\rb=2\r"));
    EXPECT_EQ((Cells{{18, 3}, {18, 6}, {18, 9}, {0, 0}}), cells());
    EXPECT_EQ((std::vector<std::string>{"a", "1", "c", "3", "b", "2"}), heapNames());
    files()["deep.mps"] = "include inc.mps\rd=4";
    ASSERT_TRUE(compile("include deep.mps\re=5\r"));
    EXPECT_EQ(3u, script.cells.size() - 1);
}

TEST_F(CompilerTest, CommentsAndTheLastLine) {
    ASSERT_TRUE(compile("; a comment\rx=1 ; behind a statement\r; last line without CR"));
    EXPECT_EQ((Cells{{18, 3}, {0, 0}}), cells());
    ASSERT_TRUE(compile("say done ;"));
    ASSERT_TRUE(compile("x=1"));
    ASSERT_TRUE(compile(""));
    EXPECT_EQ((Cells{{0, 0}}), cells());
    std::string big;
    const std::string unit = "x=1\r\n; padding padding padding\r\n";
    while (big.size() + unit.size() <= 65535) big += unit;
    big.append(65535 - big.size(), ' ');
    ASSERT_EQ(65535u, big.size());
    ASSERT_TRUE(compile(big));
    EXPECT_TRUE(alerts().empty());
}

// Every refusal names its line and the source text at the last token read.
TEST_F(CompilerTest, RefusedScriptsNameTheLine) {
    files()["self.mps"] = "include self.mps\r";
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> alerts;
    } cases[] = {
        {"open quote", "x=1\rsay \"abc\ry=2\r", {"Unquote  \"abc\ry=2\r\r...", "2: \"abc\ry=2\r\r"}},
        {"expression", "x=(a\r", {"1: (a\r\r"}},
        {"two operators", "\r\rx=a+-b c\r", {"3: a+-b c\r\r"}},
        {"break outside for", "x=1\rbreak\r", {"2: break\r\r"}},
        {"continue outside for", "continue\r", {"1: continue\r\r"}},
        {"else without if", "x=1\relse\r y\r", {"2: else\r y\r\r"}},
        {"bracket outside block", "x=1\r]\rx=2\r", {"2: ]\rx=2\r\r"}},
        {"unclosed block", "if x\r[\r y\r", {"3: y\r\r"}},
        {"missing body", "if x\r", {"1: x\r\r"}},
        {"missing include", "include none.mps\r", {"1: none.mps\r\r"}},
        {"include cycle", "include self.mps\r", {"1: self.mps\r\r"}},
        {"empty assignment", "=5\r", {"1: =5\r\r"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        alerts().clear();
        EXPECT_FALSE(compile(c.text));
        EXPECT_EQ(c.alerts, alerts());
        EXPECT_NE(0, yErrorCode());
        EXPECT_TRUE(script.cells.empty());
        EXPECT_TRUE(script.operands.empty());
        EXPECT_EQ(0, stack.depth());
    }
}

TEST_F(CompilerTest, LimitsAreCompileErrors) {
    std::string manyCells;
    for (int i = 0; i < 8001; ++i) manyCells += "f\r";
    EXPECT_FALSE(compile(manyCells));
    std::string fits;
    for (int i = 0; i < 8000; ++i) fits += "f\r";
    EXPECT_TRUE(compile(fits));

    std::string manyOperands;
    for (int i = 0; i < 2000; ++i) manyOperands += "f a a a a a a a a a\r";
    EXPECT_FALSE(compile(manyOperands));

    std::string deepBlocks(3000, '[');
    EXPECT_FALSE(compile(deepBlocks + "\r"));
    std::string deepIfs;
    for (int i = 0; i < 2100; ++i) deepIfs += "if a\r";
    EXPECT_FALSE(compile(deepIfs + "b\r"));
    std::string okIfs;
    for (int i = 0; i < 2000; ++i) okIfs += "if a\r";
    EXPECT_TRUE(compile(okIfs + "b\r"));

    std::string longExpression = "x=a";
    for (int i = 0; i < 43; ++i) longExpression += "+a";
    EXPECT_FALSE(compile(longExpression + "\r"));
    EXPECT_EQ(2, yErrorCode());
    EXPECT_TRUE(compile("x=" + std::string(300, 'w') + "\r"));
}

}  // namespace
