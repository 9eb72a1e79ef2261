// Script values where numbers are kept as numbers: the edges of the integer fast path, doubles read back
// through their text, the 127-character cut, texts kept inside the variable, and an expression read once
// per statement.
#include <cstring>
#include <string>
#include <tuple>

#include "ThreadFixture.h"
#include "YCompiler.h"
#include "YValue.h"

namespace {

using ValueTest = ScriptTest;

// The kind and text that setText of the number's text form gives: "%ld" or "%.15g", an integer only when
// that text has at most 10 characters and reads as an integral number within two thousand million.
TEST_F(ValueTest, NumbersHandedOverAsTextsKeepTheTextFormsKinds) {
    const std::tuple<std::int32_t, const char*, std::int32_t> integers[] = {
        {0, "0", kYInteger},
        {-999999999, "-999999999", kYInteger},
        {-1000000000, "-1000000000", kYDouble},
        {2000000000, "2000000000", kYInteger},
        {2000000001, "2000000001", kYDouble},
        {INT32_MIN, "-2147483648", kYDouble},
        {INT32_MAX, "2147483647", kYDouble},
    };
    for (const auto& [n, form, kind] : integers) {
        SCOPED_TRACE(form);
        YVariable* v = var("v");
        v->setIntegerText(n);
        EXPECT_EQ(kind, v->kind);
        EXPECT_EQ(form, text(v));
        EXPECT_EQ(static_cast<std::int32_t>(std::strlen(form)), v->length());
    }
    const std::tuple<double, const char*, std::int32_t> doubles[] = {
        {999999999999999.0, "999999999999999", kYDouble},
        {1e15, "1e+15", kYDouble},
        {1234567890123456.0, "1.23456789012346e+15", kYDouble},  // sixteen digits: read back, it changes
        {-2.5, "-2.5", kYDouble},
        {3.0, "3", kYInteger},
        {2.9999999999999996, "3", kYInteger},  // its 15-digit text reads as the integer 3
        {-3e9, "-3000000000", kYDouble},
    };
    for (const auto& [d, form, kind] : doubles) {
        SCOPED_TRACE(form);
        YVariable* v = var("v");
        v->setDoubleText(d);
        EXPECT_EQ(kind, v->kind);
        EXPECT_EQ(form, text(v));
        double back = 0;
        v->getDouble(&back);
        EXPECT_EQ(std::stod(form), back);
    }
}

// Texts under 24 characters live inside the variable, longer ones outside; handing a variable its own
// text through an alias, in either place, keeps it.
TEST_F(ValueTest, TextsMoveBetweenInsideAndOutsideAndSurviveTheirOwnCopy) {
    YVariable* a = var("a");
    YVariable* b = var("b");
    b->mark = kYAlias;
    b->heapIndex = index("a");
    for (std::size_t length : {23u, 24u, 5u, 40u, 0u, 23u}) {
        SCOPED_TRACE(length);
        const std::string written(length, static_cast<char>('a' + length % 26));
        a->setText(written.c_str(), static_cast<std::int32_t>(length));
        YValue own;
        own.readFollowed(a);
        b->setValue(own);
        EXPECT_EQ(written, text(a));
        EXPECT_EQ(static_cast<std::int32_t>(length), a->length());
    }
}

// A record may carry a number that its text does not read as: an operand is read through its text.
TEST_F(ValueTest, AnOperandIsItsTextAsANumber) {
    Fields r;
    r.u32(kYPlain).u32(kYInteger).u32(5).u32(0).u32(0).u32(1).u32(0).item("r").item("7").none();
    auto* loaded = new YVariable;
    const std::uint8_t* cursor = r.b.data();
    ASSERT_TRUE(loadVariableFromMemory(loaded, &cursor, r.b.data() + r.b.size(), 0));
    ASSERT_GE(scriptHeap().append(loaded), 0);
    std::int32_t n = 0;
    loaded->getInteger(&n);
    EXPECT_EQ(5, n);
    EXPECT_EQ("8", text(scriptHeap().at(compileExpression("r+1", 3))));
    // A double set as a number reads as its 15-digit text.
    var("d")->setDouble(1.0 / 3);
    EXPECT_EQ("0.999999999999999", text(scriptHeap().at(compileExpression("d*3", 3))));
}

// The reader of a value cuts it to 131 characters, the assignment to 127.
TEST_F(ValueTest, DollarTextsAreCutWhereTheyAreRead) {
    var("p")->setText("q", -1);
    var("q")->setText(std::string(200, 'x').c_str(), -1);
    YVariable* e = scriptHeap().at(compileExpression("$p", 2));
    EXPECT_EQ(std::string(131, 'x'), text(e));
    e->giveExpressionValue(var("r"));
    EXPECT_EQ(std::string(127, 'x'), text("r"));
}

using ValueScriptTest = ThreadTest;

int draws = 0;
int countedDraw() { return ++draws, 4; }

TEST_F(ValueScriptTest, AssignmentsKeepTextsAndNumbersAndReadTheirSourceOnce) {
    const std::string a60 = std::string(60, 'a'), b67 = std::string(67, 'b');
    const Lines script = {
        "yield run", "c=007", "d=c", "e=c+0", "t=1/3", "u=t*3", "x='" + a60 + "'", "y='" + b67 + "'", "z=x+y",
        "w=z+'c'", "m=0-1000000000", "say c d e u", "say z", "say w m"};
    draws = 0;
    ySetRandomSource(countedDraw);
    Lines lines = run(script);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("007 007 7 0.999999999999999", lines[0]) << "t holds the 15-digit text of 1/3";
    EXPECT_EQ(a60 + b67, lines[1]);
    EXPECT_EQ("z+'c' -1000000000", lines[2]) << "128 characters are an error: the expression reads as itself";
    EXPECT_EQ(kYDouble, var("m")->kind);
    EXPECT_EQ(kYInteger, var("e")->kind);
    // Each statement reads "?" once.
    lines = run({"yield run", "x=?", "y=?+1", "if ?", "[", " say x y", "]"});
    EXPECT_EQ(Lines{"4 5"}, lines);
    EXPECT_EQ(3, draws);
    ySetRandomSource(nullptr);
}

}  // namespace
