// Script values: classification, number rules, text forms, references, assignment and binary records.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ScriptFixture.h"
#include "ScriptObjects.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian (or big-endian) fields of a record, written from the record layout.
struct RecordBytes {
    bool big = false;
    Bytes b;
    RecordBytes& u16(std::uint16_t v) {
        const std::uint8_t lo = v & 0xFF, hi = v >> 8;
        b.insert(b.end(), big ? std::initializer_list<std::uint8_t>{hi, lo} : std::initializer_list<std::uint8_t>{lo, hi});
        return *this;
    }
    RecordBytes& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * (big ? 3 - i : i))));
        return *this;
    }
    RecordBytes& chars(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    RecordBytes& item(const std::string& s) { return u32(static_cast<std::uint32_t>(s.size())).chars(s); }
};

Bytes saved(YVariable* v) {
    std::FILE* f = std::tmpfile();
    EXPECT_TRUE(saveVariable(v, f));
    Bytes bytes(static_cast<std::size_t>(std::ftell(f)));
    std::rewind(f);
    EXPECT_EQ(bytes.size(), std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

class VariableTest : public ScriptTest {};

TEST_F(VariableTest, NamesAreClassifiedByTheirShape) {
    struct Case {
        const char* name;
        std::int32_t tag, kind, length;
    } cases[] = {
        {"abc", kYPlain, kYNone, -1},        {"5", kYLiteral, kYInteger, 1},     {"2.5", kYLiteral, kYDouble, 3},
        {"'hi'", kYLiteral, kYString, 4},    {"\"hi\"", kYLiteral, kYString, 4}, {"?", kYLiteral, kYString, 1},
        {"list.3", kYPlain, kYNone, -1},     {"a.i", kYMember, kYNone, 1},       {"a.i.j", kYMember, kYNone, 2},
        {"a.3.j", kYMember, kYNone, 2},      {"s|2", kYSubstring, kYNone, 1},    {"s|2|3", kYSubstring, kYNone, 2},
        {"s||3", kYSubstring, kYNone, 2},    {"+name", kYPlain, kYNone, -1},     {"+5", kYLiteral, kYInteger, 2},
        {"-x", kYLiteral, kYInteger, 2},     {"12345678901", kYLiteral, kYDouble, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        YVariable* v = var(c.name);
        EXPECT_EQ(c.tag, v->typeTag);
        EXPECT_EQ(c.kind, v->kind);
        EXPECT_EQ(c.length, v->lengthField);
    }
    YVariable* s = var("s||3");
    EXPECT_EQ(kYEmptyStart, static_cast<std::uint16_t>(s->indices[1]));
    EXPECT_EQ(scriptHeap().find("s", 1), s->indices[0]);
    EXPECT_EQ(scriptHeap().find("3", 1), s->indices[2]);
    YVariable* m = var("a.i.j");
    EXPECT_EQ(scriptHeap().find("i", 1), m->indices[0]);
    EXPECT_EQ(scriptHeap().find("j", 1), m->indices[1]);
}

TEST_F(VariableTest, TextsStartingLikeNumbersAreParsedAndNormalised) {
    struct Case {
        const char* text;
        std::int32_t kind;
        double number;
    } cases[] = {
        {"007", kYInteger, 7},         {"1e3", kYInteger, 1000},          {"12345678901", kYDouble, 12345678901.0},
        {"-x", kYInteger, 0},          {"2.5", kYDouble, 2.5},            {"abc", kYString, 0},
        {"2000000000", kYInteger, 2e9}, {"2000000001", kYDouble, 2000000001.0}, {"+12", kYInteger, 12},
        {".5", kYDouble, 0.5},         {"-2000000000", kYDouble, -2e9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        YVariable* v = var("v");
        v->setText(c.text, -1);
        EXPECT_EQ(c.kind, v->kind);
        EXPECT_EQ(c.text, text(v));
        EXPECT_EQ(static_cast<std::int32_t>(std::strlen(c.text)), v->length());
        double d = -1;
        v->getDouble(&d);
        EXPECT_EQ(c.number, d);
    }
}

TEST_F(VariableTest, NumbersHaveTheirTextForms) {
    YVariable* v = var("v");
    struct Case {
        double d;
        const char* text;
        std::int32_t kind;
    } cases[] = {{2.0, "2", kYInteger},           {0.1, "0.1", kYDouble},       {1.0 / 3, "0.333333333333333", kYDouble},
                 {3e9, "3000000000", kYDouble},   {1e20, "1e+20", kYDouble},    {-7.0, "-7", kYInteger}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        v->setDouble(c.d);
        EXPECT_EQ(c.text, text(v));
        EXPECT_EQ(c.kind, v->kind);
    }
    v->setInteger(-42);
    EXPECT_EQ("-42", text(v));
    EXPECT_EQ(3, v->length());
    // Regenerating keeps a string's own text; clearing drops it.
    v->setText("word", -1);
    v->setText(nullptr, -1);
    EXPECT_EQ("word", text(v));
    v->setText(nullptr, -2);
    EXPECT_TRUE(v->isUnset());
    EXPECT_EQ("v", text(v));
}

TEST_F(VariableTest, IntegersRoundHalvesDown) {
    struct Case {
        const char* text;
        std::int32_t expected;
    } cases[] = {{"2.5", 2}, {"3.5", 3}, {"2.6", 3}, {"2.4", 2}, {"-2.5", -3}, {"-2.4", -2}, {"-2.6", -3}, {"abc", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        YVariable* v = var("v");
        v->setText(c.text, -1);
        std::int32_t n = 99;
        v->getInteger(&n);
        EXPECT_EQ(c.expected, n);
    }
    EXPECT_EQ(INT32_MAX, yRoundHalfDown(1e300));
    EXPECT_EQ(INT32_MIN, yRoundHalfDown(-1e300));
}

TEST_F(VariableTest, LiteralsAndUnsetVariablesReadAsText) {
    EXPECT_EQ("plain", text("plain"));
    EXPECT_EQ("hi there", text("'hi there'"));
    EXPECT_EQ("it's", text("\"it's\""));
    EXPECT_EQ("0.50", text("0.50"));
    ySetRandomSource([] { return 47; });
    char buffer[kYTextBufferSize];
    EXPECT_EQ(-1, var("?")->getText(buffer, sizeof buffer));
    EXPECT_STREQ("7", buffer);
    ySetRandomSource(nullptr);
    // A literal is not assignable.
    var("'q'")->setText("x", -1);
    EXPECT_EQ("q", text("'q'"));
}

TEST_F(VariableTest, SubstringsFollowThePositionRules) {
    var("s")->setText("abcde", -1);
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {{"s|4", "de"},   {"s|0|2", "ab"}, {"s|1|2", "ab"}, {"s||2", "de"}, {"s|9", ""},
                 {"s|4|9", "de"}, {"s|2|3", "bcd"}, {"s|2|0", ""},   {"s||9", "abcde"}, {"s|-3|2", "ab"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, text(c.name));
    }
}

TEST_F(VariableTest, MemberReferencesReadTheResolvedVariable) {
    var("i")->setText("3", -1);
    var("a.3")->setText("three", -1);
    char buffer[kYTextBufferSize];
    EXPECT_EQ(scriptHeap().find("a.3", 3), var("a.i")->getText(buffer, sizeof buffer));
    EXPECT_STREQ("three", buffer);
    EXPECT_EQ(var("a.3"), var("a.i")->follow());
    // An empty member adds nothing; an unset member reads as its name.
    var("e")->setText("", 0);
    EXPECT_EQ("b", text("b.e"));
    EXPECT_EQ("c.k", text("c.k"));
}

TEST_F(VariableTest, ComputedTextsAreCutToTheirBuffers) {
    const std::string longText(300, 'x');
    var("big")->setText(longText.c_str(), -1);
    EXPECT_EQ(std::string(127, 'x'), text("big|1"));
    std::int32_t length = 0;
    var("big")->textPointer(&length);
    EXPECT_EQ(300, length);
    const std::string base(120, 'b');
    var("m")->setText(std::string(60, 'm').c_str(), -1);
    EXPECT_EQ(131u, text(base + ".m").size());
    char small[4];
    var("big")->getText(small, sizeof small);
    EXPECT_STREQ("xxx", small);
}

TEST_F(VariableTest, AssignmentCopiesTextsAndClonesOwnedObjects) {
    YVariable* d = var("d");
    var("n")->setText("12", -1);
    d->assign(var("n"));
    EXPECT_EQ(kYInteger, d->kind);
    EXPECT_EQ("12", text(d));
    var("n")->setDouble(1.0 / 3);
    d->assign(var("n"));
    EXPECT_EQ("0.333333333333333", text(d));

    RProbe::alive() = RProbe::clones() = 0;
    auto* object = new RProbe;
    var("o")->setObject(object);
    EXPECT_EQ("\xA5", text("o"));
    EXPECT_EQ(1, var("o")->length());
    d->assign(var("o"));
    EXPECT_EQ(1, RProbe::clones());
    EXPECT_NE(object, d->value.object);
    YVariable* borrower = var("b");
    borrower->mark = kYBorrows;
    borrower->assign(var("o"));
    EXPECT_EQ(object, borrower->value.object);
    EXPECT_EQ(kYBorrows, borrower->mark);
    YVariable* receiver = scriptHeap().at(kYReceiver);
    receiver->assign(var("o"));
    EXPECT_EQ(scriptHeap().find("o", 1), receiver->heapIndex);
    EXPECT_EQ("\xA5", text(receiver));
    borrower->setText(nullptr, -2);
    EXPECT_EQ(2, RProbe::alive());
    var("o")->setText(nullptr, -2);
    d->setText(nullptr, -2);
    EXPECT_EQ(0, RProbe::alive());
    EXPECT_TRUE(var("o")->isUnset());
}

// Expected bytes are written field by field from the record layout.
TEST_F(VariableTest, RecordsHaveTheirExactBytes) {
    var("n")->setText("42", -1);
    var("d")->setText("2.5", -1);
    var("s")->setText("hi", -1);
    auto* object = new RProbe;
    var("o")->setObject(object);
    var("s|2");
    const std::int16_t sIndex = static_cast<std::int16_t>(scriptHeap().find("s", 1));
    struct Case {
        const char* name;
        Bytes expected;
    } cases[] = {
        {"n", RecordBytes().u32(0).u32(3).u32(42).u32(0).u32(0).u32(2).u32(0).item("n").item("42").u32(0xFFFFFFFF).b},
        {"d", RecordBytes().u32(0).u32(4).u16(3).chars("2.5").u32(0).u32(0).u32(3).u32(0).item("d").item("2.5").u32(0xFFFFFFFF).b},
        {"s", RecordBytes().u32(0).u32(2).u32(0).u32(0).u32(2).u32(0).item("s").item("hi").u32(0xFFFFFFFF).b},
        {"u", RecordBytes().u32(0).u32(0).u32(0).u32(0).u32(0xFFFFFFFF).u32(0).item("u").u32(0xFFFFFFFF).u32(0xFFFFFFFF).b},
        {"o", RecordBytes().u32(0).u32(1).u32(0).u32(0).u32(1).u32(0).item("o").item("\xA5").u32(0xFFFFFFFF).b},
        {"s|2", RecordBytes().u32(3).u32(0).u32(0).u32(0).u32(1).u32(0).item("s|2").u32(0xFFFFFFFF)
                    .u32(3).u16(static_cast<std::uint16_t>(sIndex)).u16(static_cast<std::uint16_t>(scriptHeap().find("2", 1))).u16(0).b},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, saved(var(c.name)));
    }
    // An object is stored without itself and loads as no value.
    const Bytes objectRecord = saved(var("o"));
    YVariable loaded;
    const std::uint8_t* cursor = objectRecord.data();
    ASSERT_TRUE(loadVariableFromMemory(&loaded, &cursor, objectRecord.data() + objectRecord.size(), 0));
    EXPECT_EQ(objectRecord.data() + objectRecord.size(), cursor);
    EXPECT_EQ(kYNone, loaded.kind);
    EXPECT_STREQ("o", loaded.name);
}

TEST_F(VariableTest, SwappedRecordsLoadWithEveryNumberReversed) {
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        RecordBytes r;
        r.big = big;
        r.u32(0).u32(4).u16(4).chars("-1.5").u32(7).u32(0).u32(4).u32(1).item("w").item("-1.5").u32(0xFFFFFFFF);
        YVariable v;
        const std::uint8_t* cursor = r.b.data();
        ASSERT_TRUE(loadVariableFromMemory(&v, &cursor, r.b.data() + r.b.size(), big));
        EXPECT_EQ(kYDouble, v.kind);
        EXPECT_EQ(-1.5, v.value.number);
        EXPECT_EQ(7, v.highestMember);
        EXPECT_EQ(4, v.lengthField);
        EXPECT_EQ(kYBorrows, v.mark);
        EXPECT_STREQ("-1.5", v.valueText);
    }
    RecordBytes e;
    e.big = true;
    e.u32(4).u32(2).u32(0).u32(0).u32(2).u32(0).item("a-b").item("s-tt").u32(2).u16(3).u16(4);
    YVariable x;
    const std::uint8_t* cursor = e.b.data();
    ASSERT_TRUE(loadVariableFromMemory(&x, &cursor, e.b.data() + e.b.size(), 1));
    EXPECT_EQ(3, x.indices[0]);
    EXPECT_EQ(4, x.indices[1]);
}

TEST_F(VariableTest, DamagedRecordsAreRefused) {
    var("n")->setText("42", -1);
    const Bytes good = saved(var("n"));
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        SCOPED_TRACE(cut);
        YVariable v;
        const std::uint8_t* cursor = good.data();
        EXPECT_FALSE(loadVariableFromMemory(&v, &cursor, good.data() + cut, 0));
        EXPECT_EQ(good.data(), cursor);
    }
    const Bytes bad[] = {
        RecordBytes().u32(9).u32(0).u32(0).u32(0).u32(0xFFFFFFFF).u32(0).item("t").u32(0xFFFFFFFF).u32(0xFFFFFFFF).b,
        RecordBytes().u32(0).u32(7).u32(0).u32(0).u32(0xFFFFFFFF).u32(0).item("t").u32(0xFFFFFFFF).u32(0xFFFFFFFF).b,
        RecordBytes().u32(0).u32(4).u16(200).chars(std::string(200, '1')).u32(0).u32(0).u32(0xFFFFFFFF).u32(0).item("t").u32(0xFFFFFFFF).u32(0xFFFFFFFF).b,
        RecordBytes().u32(0).u32(2).u32(0).u32(0).u32(9).u32(0).item("t").item("hi").u32(0xFFFFFFFF).b,
        RecordBytes().u32(0).u32(2).u32(0).u32(0).u32(2).u32(0).u32(0x7FFFFFFF).b,
        RecordBytes().u32(0).u32(2).u32(0).u32(0).u32(2).u32(0).u32(0xFFFFFFFF).item("hi").u32(0xFFFFFFFF).b,
        RecordBytes().u32(4).u32(2).u32(0).u32(0).u32(2).u32(0).item("a-b").item("s-t").u32(2).u16(3).u16(4).b,
        RecordBytes().u32(2).u32(0).u32(0).u32(0).u32(1).u32(0).item("a.b").u32(0xFFFFFFFF).u32(0xFFFFFFFF).b,
        RecordBytes().u32(0).u32(2).u32(0).u32(0).u32(2).u32(5).item("t").item("hi").u32(0xFFFFFFFF).b,
    };
    for (const Bytes& b : bad) {
        SCOPED_TRACE(&b - bad);
        YVariable v;
        const std::uint8_t* cursor = b.data();
        EXPECT_FALSE(loadVariableFromMemory(&v, &cursor, b.data() + b.size(), 0));
    }
}

TEST_F(VariableTest, RecordsRoundTripThroughAFile) {
    var("n")->setText("42", -1);
    var("q")->setText("'quoted'", -1);
    std::FILE* f = std::tmpfile();
    ASSERT_TRUE(saveVariable(var("n"), f));
    ASSERT_TRUE(saveVariable(var("q"), f));
    std::rewind(f);
    YVariable first, second;
    ASSERT_TRUE(loadVariable(&first, f, 0));
    ASSERT_TRUE(loadVariable(&second, f, 0));
    EXPECT_FALSE(loadVariable(&second, f, 0));
    std::fclose(f);
    EXPECT_EQ(42, first.value.integer);
    EXPECT_STREQ("'quoted'", second.valueText);
    EXPECT_EQ(kYString, second.kind);
}

TEST(SwapBytesTest, ReversesInPlace) {
    std::uint8_t b[] = {1, 2, 3, 4, 5, 6, 7, 8};
    swapBytes16(b);
    EXPECT_EQ((std::vector<std::uint8_t>{2, 1, 3, 4, 5, 6, 7, 8}), std::vector<std::uint8_t>(b, b + 8));
    swapBytes16Array(b, 4);
    EXPECT_EQ((std::vector<std::uint8_t>{1, 2, 4, 3, 6, 5, 8, 7}), std::vector<std::uint8_t>(b, b + 8));
    swapBytes32Array(b, 2);
    EXPECT_EQ((std::vector<std::uint8_t>{3, 4, 2, 1, 7, 8, 5, 6}), std::vector<std::uint8_t>(b, b + 8));
}

}  // namespace
