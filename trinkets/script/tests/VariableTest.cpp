// Script values: classification, numbers, text forms and cuts, references, assignment and binary records.
#include "ThreadFixture.h"
#include "YValue.h"

namespace {

Bytes saved(YVariable* v) {
    std::FILE* f = std::tmpfile();
    EXPECT_TRUE(saveVariable(v, f));
    Bytes bytes(static_cast<std::size_t>(std::ftell(f)));
    std::rewind(f);
    EXPECT_EQ(bytes.size(), std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

bool loadAll(YVariable* v, const Bytes& b, int swapped = 0) {
    const std::uint8_t* cursor = b.data();
    const bool loaded = loadVariableFromMemory(v, &cursor, b.data() + b.size(), swapped);
    EXPECT_EQ(loaded ? b.data() + b.size() : b.data(), cursor);
    return loaded;
}

using VariableTest = ScriptTest;

TEST_F(VariableTest, NamesAreClassifiedByTheirShape) {
    const std::tuple<const char*, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {"abc", kYPlain, kYNone, -1},        {"5", kYLiteral, kYInteger, 1},     {"2.5", kYLiteral, kYDouble, 3},
        {"'hi'", kYLiteral, kYString, 4},    {"\"hi\"", kYLiteral, kYString, 4}, {"?", kYLiteral, kYString, 1},
        {"list.3", kYPlain, kYNone, -1},     {"a.i", kYMember, kYNone, 1},       {"a.i.j", kYMember, kYNone, 2},
        {"a.3.j", kYMember, kYNone, 2},      {"s|2", kYSubstring, kYNone, 1},    {"s|2|3", kYSubstring, kYNone, 2},
        {"s||3", kYSubstring, kYNone, 2},    {"+name", kYPlain, kYNone, -1},     {"+5", kYLiteral, kYInteger, 2},
        {"-x", kYLiteral, kYInteger, 2},     {"12345678901", kYLiteral, kYDouble, 11},
    };
    for (const auto& [name, tag, kind, length] : cases) {
        SCOPED_TRACE(name);
        const YVariable* v = var(name);
        EXPECT_EQ(std::make_tuple(tag, kind, length), std::make_tuple(v->typeTag, v->kind, v->lengthField));
    }
    const std::int16_t* s = var("s||3")->indices;
    const std::int16_t* m = var("a.i.j")->indices;
    EXPECT_EQ((std::vector<std::int32_t>{index("s"), kYEmptyStart, index("3"), index("i"), index("j")}),
              (std::vector<std::int32_t>{s[0], static_cast<std::uint16_t>(s[1]), s[2], m[0], m[1]}));
}

// Integers round halves down.
TEST_F(VariableTest, TextsStartingLikeNumbersAreParsedNormalisedAndRounded) {
    const std::tuple<const char*, std::int32_t, double, std::int32_t> cases[] = {
        {"007", kYInteger, 7, 7},       {"1e3", kYInteger, 1000, 1000}, {"12345678901", kYDouble, 12345678901.0, INT32_MAX},
        {"-x", kYInteger, 0, 0},        {"abc", kYString, 0, 0},        {"2000000000", kYInteger, 2e9, 2000000000},
        {"+12", kYInteger, 12, 12},     {".5", kYDouble, 0.5, 0},       {"2000000001", kYDouble, 2000000001.0, 2000000001},
        {"2.5", kYDouble, 2.5, 2},      {"3.5", kYDouble, 3.5, 3},      {"2.6", kYDouble, 2.6, 3},
        {"-2.5", kYDouble, -2.5, -3},   {"-2.6", kYDouble, -2.6, -3},   {"-2000000000", kYDouble, -2e9, -2000000000},
    };
    for (const auto& [written, kind, number, integer] : cases) {
        SCOPED_TRACE(written);
        YVariable* v = var("v");
        v->setText(written, -1);
        double d = -1;
        std::int32_t n = 99;
        v->getDouble(&d);
        v->getInteger(&n);
        EXPECT_EQ(std::make_tuple(std::string(written), static_cast<std::int32_t>(std::strlen(written)), kind, number, integer),
                  std::make_tuple(text(v), v->length(), v->kind, d, n));
    }
}

TEST_F(VariableTest, LiteralsUnsetVariablesSubstringsAndMembersReadAsText) {
    for (const auto& [name, value] : {std::pair{"s", "abcde"}, {"i", "3"}, {"a.3", "three"}, {"e", ""}, {"'q'", "x"}})
        var(name)->setText(value, -1);  // a literal is not assignable
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain"}, {"'hi there'", "hi there"}, {"\"it's\"", "it's"}, {"0.50", "0.50"}, {"'q'", "q"},
        {"s|4", "de"},      {"s|0|2", "ab"}, {"s|1|2", "ab"}, {"s||2", "de"},  {"s|9", ""},     {"s|4|9", "de"},
        {"s|2|3", "bcd"},   {"s|2|0", ""},   {"s||9", "abcde"}, {"s|-3|2", "ab"}, {"a.i", "three"},
        {"b.e", "b"},  // an empty member adds nothing
        {"c.k", "c.k"}};
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(expected, text(name));
        EXPECT_STREQ(expected, scriptHeap().textOf(name));  // a C-string caller ends at the text's length
    }
    char buffer[kYTextBufferSize];
    EXPECT_EQ(index("a.3"), var("a.i")->getText(buffer, sizeof buffer));
    ySetRandomSource([] { return 47; });
    EXPECT_EQ(-1, var("?")->getText(buffer, sizeof buffer));
    EXPECT_STREQ("7", buffer);
    ySetRandomSource(nullptr);
}

// A resolved name that is itself a reference reads as that reference reads: a.i with i holding x names
// a.x, which with x holding 3 reads a.3; the index, and so the object, is that of a.3. Members that name
// each other, or a reference that names itself, end where a reference comes back: it reads as its name.
TEST_F(VariableTest, AMemberThatResolvesToAnotherReferenceReadsThroughIt) {
    for (const auto& [name, value] : {std::pair{"i", "x"}, {"x", "3"}, {"j", "k"}, {"k", "j"}, {"n", "n"}})
        var(name)->setText(value, -1);
    auto* object = new RProbe;
    var("a.3")->setObject(object);
    char buffer[kYTextBufferSize];
    EXPECT_EQ(index("a.3"), var("a.i")->getText(buffer, sizeof buffer));
    EXPECT_STREQ("\xA5", buffer);
    OMScriptableObject* read = nullptr;
    var("a.i")->getObject(&read);
    EXPECT_EQ(std::make_pair(static_cast<OMScriptableObject*>(object), var("a.3")),
              std::make_pair(read, var("a.i")->follow()));
    var("a.3")->setText("three", -1);
    EXPECT_EQ("three", text("a.i"));
    EXPECT_EQ("n.n", text("n.n"));
    EXPECT_EQ("b.j", text("b.j"));
}

// Inside its own read a reference reads as its name: a.i naming "a.i|2" reads a.i's name from 2; a.i naming
// "a.i|a.i|a.i" reads each part as "a.i" (no start, no count) instead of reading itself three times over
// at every level; its index is that of the substring.
TEST_F(VariableTest, AReferenceReadInsideItsOwnReadReadsAsItsName) {
    var("i")->setText("i|2", -1);
    EXPECT_EQ(".i", text("a.i"));
    var("i")->setText("i|a.i|a.i", -1);
    char buffer[kYTextBufferSize];
    EXPECT_EQ(index("a.i|a.i|a.i"), var("a.i")->getText(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
}

// 23 members that each name a substring whose three parts are the next member: a read of the first, which
// would read the last member 3^23 times, stops after a bounded number of reads, and so does the next read.
TEST_F(VariableTest, AReadThatBranchesAtEveryLevelEnds) {
    for (int level = 1; level < 24; ++level) {
        const std::string next = "v" + std::to_string(level + 1);
        var("v" + std::to_string(level))->setText((next + "|a." + next + "|a." + next).c_str(), -1);
    }
    var("v24")->setText("3", -1);
    EXPECT_EQ("", text("a.v1"));
    EXPECT_EQ("", text("a.v1"));
    EXPECT_EQ(var("a.v2|a.v2|a.v2"), var("a.v1")->follow());
}

// A computed text is cut to 127 characters, a member name to 131; the reader of a "$" value cuts it to
// 131 characters, the assignment to 127.
TEST_F(VariableTest, TextsAreCutToTheirBuffers) {
    var("big")->setText(std::string(300, 'x').c_str(), -1);
    EXPECT_EQ(std::string(127, 'x'), text("big|1"));
    std::int32_t length = 0;
    var("big")->textPointer(&length);
    EXPECT_EQ(300, length);
    var("m")->setText(std::string(60, 'm').c_str(), -1);
    EXPECT_EQ(131u, text(std::string(120, 'b') + ".m").size());
    var("p")->setText("big", -1);
    YVariable* e = scriptHeap().at(compileExpression("$p", 2));
    EXPECT_EQ(std::string(131, 'x'), text(e));
    e->giveExpressionValue(var("r"));
    EXPECT_EQ(std::string(127, 'x'), text("r"));
}

// References that lead back to themselves (as a damaged image or a script's run-time names can make them)
// end where they come back; two aliases of each other stand for nothing and read as themselves.
TEST_F(VariableTest, CyclicReferencesReadWithoutRecursingForEver) {
    for (const char* name : {"s|1", "a.b"}) {
        YVariable* v = var(name);
        v->indices[0] = static_cast<std::int16_t>(index(name));
    }
    const std::int32_t sum = compileExpression("e+1", 3);
    scriptHeap().at(sum)->indices[0] = static_cast<std::int16_t>(sum);
    var("x")->mark = var("y")->mark = kYAlias;
    var("x")->heapIndex = index("y");
    var("y")->heapIndex = index("x");
    var("x")->setText("5", -1);
    EXPECT_EQ(std::make_tuple(std::string("s|1"), std::string("x"), false, false),
              std::make_tuple(text("s|1"), text("x"), text("a.b").empty(), text(scriptHeap().at(sum)).empty()));
}

TEST_F(VariableTest, AssignmentCopiesTextsAndClonesOwnedObjects) {
    YVariable* d = var("d");
    var("n")->setText("12", -1);
    d->assign(var("n"));
    EXPECT_EQ(std::make_pair(std::string("12"), kYInteger), std::make_pair(text(d), d->kind));
    auto* object = new RProbe;
    var("o")->setObject(object);
    EXPECT_EQ("\xA5", text("o"));
    EXPECT_EQ(1, var("o")->length());
    d->assign(var("o"));
    EXPECT_EQ(std::make_pair(1, true), std::make_pair(RProbe::clones, object != d->value.object));
    YVariable* borrower = var("b");
    borrower->mark = kYBorrows;
    borrower->assign(var("o"));
    EXPECT_EQ(std::make_pair(static_cast<OMScriptableObject*>(object), kYBorrows), std::make_pair(borrower->value.object, borrower->mark));
    YVariable* receiver = scriptHeap().at(kYReceiver);
    receiver->assign(var("o"));
    EXPECT_EQ(std::make_pair(index("o"), std::string("\xA5")), std::make_pair(receiver->heapIndex, text(receiver)));
    borrower->setText(nullptr, -2);
    EXPECT_EQ(2, RProbe::alive);
    var("o")->setText(nullptr, -2);
    d->setText(nullptr, -2);
    EXPECT_EQ(std::make_pair(0, 1), std::make_pair(RProbe::alive, var("o")->isUnset()));
}

// Expected bytes are written field by field from the record layout.
TEST_F(VariableTest, RecordsHaveTheirExactBytes) {
    for (const auto& [name, value] : {std::pair{"n", "42"}, {"d", "2.5"}, {"s", "hi"}}) var(name)->setText(value, -1);
    var("o")->setObject(new RProbe);
    var("s|2");
    const std::pair<const char*, Bytes> cases[] = {
        {"n", Fields().u32(0).u32(3).u32(42).u32(0).u32(0).u32(2).u32(0).item("n").item("42").none().b},
        {"d", Fields().u32(0).u32(4).u16(3).chars("2.5").u32(0).u32(0).u32(3).u32(0).item("d").item("2.5").none().b},
        {"s", Fields().u32(0).u32(2).u32(0).u32(0).u32(2).u32(0).item("s").item("hi").none().b},
        {"u", Fields().u32(0).u32(0).u32(0).u32(0).none().u32(0).item("u").none().none().b},
        {"o", Fields().u32(0).u32(1).u32(0).u32(0).u32(1).u32(0).item("o").item("\xA5").none().b},
        {"s|2", Fields().u32(3).u32(0).u32(0).u32(0).u32(1).u32(0).item("s|2").none().u32(3)
                    .u16(static_cast<std::uint16_t>(index("s"))).u16(static_cast<std::uint16_t>(index("2"))).u16(0).b},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(expected, saved(var(name)));
    }
    // Back through a file: an object is stored without itself and loads as no value.
    std::FILE* f = std::tmpfile();
    ASSERT_TRUE(saveVariable(var("n"), f) && saveVariable(var("o"), f));
    std::rewind(f);
    YVariable number, object;
    EXPECT_TRUE(loadVariable(&number, f, 0) && loadVariable(&object, f, 0));
    EXPECT_FALSE(loadVariable(&object, f, 0));
    std::fclose(f);
    EXPECT_EQ(std::make_tuple(42, kYNone, std::string("o")), std::make_tuple(number.value.integer, object.kind, std::string(object.name)));
}

TEST_F(VariableTest, SwappedRecordsLoadWithEveryNumberReversed) {
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        Fields r{big, {}};
        r.u32(0).u32(4).u16(4).chars("-1.5").u32(7).u32(0).u32(4).u32(1).item("w").item("-1.5").none();
        YVariable v;
        ASSERT_TRUE(loadAll(&v, r.b, big));
        EXPECT_EQ(std::make_tuple(kYDouble, -1.5, 7, 4, kYBorrows, std::string("-1.5")),
                  std::make_tuple(v.kind, v.value.number, v.highestMember, v.lengthField, v.mark, std::string(v.valueText)));
    }
    Fields e{true, {}};
    e.u32(4).u32(2).u32(0).u32(0).u32(2).u32(0).item("a-b").item("s-tt").u32(2).u16(3).u16(4);
    YVariable x;
    ASSERT_TRUE(loadAll(&x, e.b, 1));
    EXPECT_EQ(std::make_pair(3, 4), std::make_pair(static_cast<int>(x.indices[0]), static_cast<int>(x.indices[1])));
}

TEST_F(VariableTest, DamagedRecordsAreRefused) {
    var("n")->setText("42", -1);
    const Bytes good = saved(var("n"));
    std::vector<Bytes> bad = {
        Fields().u32(9).u32(0).u32(0).u32(0).none().u32(0).item("t").none().none().b,
        Fields().u32(0).u32(7).u32(0).u32(0).none().u32(0).item("t").none().none().b,
        Fields().u32(0).u32(4).u16(200).chars(std::string(200, '1')).u32(0).u32(0).none().u32(0).item("t").none().none().b,
        Fields().u32(0).u32(2).u32(0).u32(0).u32(9).u32(0).item("t").item("hi").none().b,
        Fields().u32(0).u32(2).u32(0).u32(0).u32(2).u32(0).u32(0x7FFFFFFF).b,
        Fields().u32(0).u32(2).u32(0).u32(0).u32(2).u32(0).none().item("hi").none().b,
        Fields().u32(4).u32(2).u32(0).u32(0).u32(2).u32(0).item("a-b").item("s-t").u32(2).u16(3).u16(4).b,
        Fields().u32(2).u32(0).u32(0).u32(0).u32(1).u32(0).item("a.b").none().none().b,
        Fields().u32(0).u32(2).u32(0).u32(0).u32(2).u32(5).item("t").item("hi").none().b,
    };
    for (auto end = good.begin(); end != good.end(); ++end) bad.emplace_back(good.begin(), end);  // truncated
    for (const Bytes& b : bad) {
        SCOPED_TRACE(&b - bad.data());
        YVariable v;
        EXPECT_FALSE(loadAll(&v, b));
    }
}

// The kind and text that setText of the number's text form gives: "%ld" or "%.15g", an integer only when
// that text has at most 10 characters and reads as an integral number within two thousand million.
TEST_F(VariableTest, NumbersHandedOverAsTextsKeepTheTextFormsKinds) {
    const std::tuple<std::int32_t, const char*, std::int32_t> integers[] = {
        {0, "0", kYInteger}, {-999999999, "-999999999", kYInteger}, {-1000000000, "-1000000000", kYDouble},
        {2000000000, "2000000000", kYInteger}, {2000000001, "2000000001", kYDouble},
        {INT32_MIN, "-2147483648", kYDouble}, {INT32_MAX, "2147483647", kYDouble}};
    for (const auto& [n, form, kind] : integers) {
        SCOPED_TRACE(form);
        YVariable* v = var("v");
        v->setIntegerText(n);
        EXPECT_EQ(std::make_tuple(kind, std::string(form), static_cast<std::int32_t>(std::strlen(form))),
                  std::make_tuple(v->kind, text(v), v->length()));
    }
    // Sixteen digits change when read back; the 15-digit text of 2.9999999999999996 reads as the integer 3.
    const std::tuple<double, const char*, std::int32_t> doubles[] = {
        {999999999999999.0, "999999999999999", kYDouble}, {1e15, "1e+15", kYDouble},
        {1234567890123456.0, "1.23456789012346e+15", kYDouble}, {-2.5, "-2.5", kYDouble}, {3.0, "3", kYInteger},
        {2.9999999999999996, "3", kYInteger}, {-3e9, "-3000000000", kYDouble}};
    for (const auto& [d, form, kind] : doubles) {
        SCOPED_TRACE(form);
        YVariable* v = var("v");
        v->setDoubleText(d);
        double back = 0;
        v->getDouble(&back);
        EXPECT_EQ(std::make_tuple(kind, std::string(form), std::stod(form)), std::make_tuple(v->kind, text(v), back));
    }
}

// Texts under 24 characters live inside the variable, longer ones outside; handing a variable its own
// text through an alias, in either place, keeps it.
TEST_F(VariableTest, TextsMoveBetweenInsideAndOutsideAndSurviveTheirOwnCopy) {
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
        EXPECT_EQ(std::make_pair(written, static_cast<std::int32_t>(length)), std::make_pair(text(a), a->length()));
    }
}

// A record may carry a number that its text does not read as: an operand is read through its text.
TEST_F(VariableTest, AnOperandIsItsTextAsANumber) {
    Fields r;
    r.u32(kYPlain).u32(kYInteger).u32(5).u32(0).u32(0).u32(1).u32(0).item("r").item("7").none();
    auto* loaded = new YVariable;
    const std::uint8_t* cursor = r.b.data();
    ASSERT_TRUE(loadVariableFromMemory(loaded, &cursor, r.b.data() + r.b.size(), 0));
    ASSERT_GE(scriptHeap().append(loaded), 0);
    std::int32_t n = 0;
    loaded->getInteger(&n);
    EXPECT_EQ(std::make_pair(5, std::string("8")), std::make_pair(n, text(scriptHeap().at(compileExpression("r+1", 3)))));
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
    EXPECT_EQ(std::make_pair(kYDouble, kYInteger), std::make_pair(var("m")->kind, var("e")->kind));
    // Each statement reads "?" once.
    EXPECT_EQ(Lines{"4 5"}, run({"yield run", "x=?", "y=?+1", "if ?", "[", " say x y", "]"}));
    EXPECT_EQ(3, draws);
    ySetRandomSource(nullptr);
}

}  // namespace
