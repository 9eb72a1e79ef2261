// Precompiled images: exact bytes in both byte orders, round trips of compiled scripts, damaged images.
#include "Files.h"
#include "ScriptFixture.h"
#include "TempFolder.h"
#include "YCompiledImage.h"

namespace {

Fields image(std::uint8_t format) { return Fields{format == 1, {format}}; }

// "x=5": one assignment cell, the operand list x 5, the variables x and the number literal 5.
Bytes assignmentImage(std::uint8_t format) {
    return image(format).cells({{18, 3}}).operands({0, 1, 2, 3, 4, -1}).u32(5).unset("x")
        .u32(1).u32(3).u32(5).u32(0).u32(0).u32(1).u32(0).item("5").none().none().b;
}

struct CompiledImageTest : CompileTest {
    bool load(const Bytes& bytes) { return loadCompiledScript(bytes.data(), bytes.size(), &script); }
    Bytes compileAndSave(const std::string& source) {
        EXPECT_TRUE(compileScript(source.data(), source.size(), nullptr, stack, &script)) << alerts().at(0);
        const std::string file = folder.path() + "\\image.mpc";
        EXPECT_TRUE(saveCompiledScript(script, file.c_str()));
        const std::string bytes = readWholeFile(file);
        return Bytes(bytes.begin(), bytes.end());
    }
    TempFolder folder;
};

TEST_F(CompiledImageTest, SavedImageHasTheExactLayoutAndBothByteOrdersLoadIt) {
    EXPECT_EQ(assignmentImage(2), compileAndSave("x=5\r"));
    EXPECT_FALSE(saveCompiledScript(script, (folder.path() + "\\missing\\x.mpc").c_str()));
    for (std::uint8_t format : {2, 1}) {
        SCOPED_TRACE(format);
        resetHeap();
        // Bytes behind the last record are not read.
        Bytes bytes = assignmentImage(format);
        bytes.insert(bytes.end(), {0xEE, 0, 1});
        ASSERT_TRUE(load(bytes)) << ::testing::PrintToString(alerts());
        EXPECT_EQ(std::make_tuple(Cells{{18, 3}, {0, 0}}, Operands{0, 1, 2, 3, 4, -1}, std::string(" x=-/0 5=-/1"), 1, 5),
                  std::make_tuple(cells(), script.operands, heapText(), scriptHeap().at(3)->isUnset(), scriptHeap().at(4)->value.integer));
    }
}

// Cells, operands and every variable come back as saved, and the operand of the closing say reads the
// same. A prefix operator behind a term applies to what follows it and the term before it is never read;
// a prefix operator without operand is a compile error (2 when nothing is left, 3 before another
// operator). A list whose first member already exists leaves the family's member index past the table.
TEST_F(CompiledImageTest, EveryScriptThatCompilesReloadsAndReadsTheSame) {
    const std::tuple<const char*, const char*, std::int32_t> cases[] = {
        {"x=[a 'b c' 7\rprocedure +p n\r[\r if n>2\r  say n|2|1 x.n\r else\r  call +p n+1\r]\r"
         "for i 1 10 2\r[\r if i=5\r  break\r continue\r]\rr=&$q\rsay x.2", "b c", 0},
        {"say ~'abcd'", "4", 0}, {"say a~b", "1", 0}, {"say 5*2~'xyz'", "6", 0}, {"say 2~'xyz'*5", "15", 0},
        {"say 1e400", "1e400", 0}, {"x=[x.1\rsay x.1", "x.1", 0},
        {"say ~", "", 2}, {"say $", "", 2}, {"say $@b", "", 3}, {"say a+~", "", 3}, {"say ~-a", "", 3},
    };
    for (const auto& [source, expected, error] : cases) {
        SCOPED_TRACE(source);
        resetHeap();
        if (error) {
            EXPECT_FALSE(compileScript(source, std::strlen(source), nullptr, stack, &script));
            EXPECT_EQ(error, yErrorCode());
            continue;
        }
        const Bytes bytes = compileAndSave(source);
        const std::int32_t entry = script.operands.at(static_cast<std::size_t>(script.cells.at(script.cells.size() - 2).operand));
        const auto compiled = std::make_tuple(cells(), script.operands, heapText());
        EXPECT_EQ(expected, text(scriptHeap().at(entry)));
        resetHeap();
        ASSERT_TRUE(load(bytes)) << ::testing::PrintToString(alerts());
        EXPECT_EQ(compiled, std::make_tuple(cells(), script.operands, heapText()));
        EXPECT_EQ(expected, text(scriptHeap().at(entry)));
    }
}

TEST_F(CompiledImageTest, DamagedImagesAreRefused) {
    std::vector<std::pair<std::string, Bytes>> corpus;
    const Bytes good = assignmentImage(2);
    for (std::size_t cut = 0; cut < good.size(); cut += 3)
        corpus.emplace_back("truncated " + std::to_string(cut), Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
    const auto noCode = [] { return image(2).cells({}).operands({0, 1, 2}); };
    const auto oneVariable = [&] { return noCode().u32(4); };
    corpus.insert(corpus.end(), {
        {"format 3", image(3).cells({{18, 3}}).operands({0, 1, 2, 3, -1}).u32(4).unset("x").b},
        {"cell count past the data", image(2).u32(1000).u8(18).u16(3).b},
        {"operand count past the data", image(2).cells({{18, 3}}).u32(5000).u16(0).b},
        {"operand count below three", image(2).cells({}).operands({0, 1}).u32(3).b},
        {"operands not 0 1 2", image(2).cells({}).operands({0, 2, 1}).u32(3).b},
        {"unended list", image(2).cells({{18, 3}}).operands({0, 1, 2, 3}).u32(4).unset("x").b},
        {"operand past the heap", image(2).cells({{18, 3}}).operands({0, 1, 2, 9, -1}).u32(4).unset("x").b},
        {"list start past the operands", image(2).cells({{18, 30}}).operands({0, 1, 2, 3, -1}).u32(4).unset("x").b},
        {"jump past the end", image(2).cells({{11, 5}}).operands({0, 1, 2}).u32(3).b},
        {"unknown opcode 16", image(2).cells({{16, 3}}).operands({0, 1, 2, -1}).u32(3).b},
        {"compiler-only opcode 1", image(2).cells({{1, 3}}).operands({0, 1, 2, -1}).u32(3).b},
        {"loop cells apart", image(2).cells({{8, 3}, {13, 0}}).operands({0, 1, 2, -1}).u32(3).b},
        {"variable count below three", noCode().u32(2).b},
        {"variable count past the data", noCode().u32(30000).unset("x").b},
        {"variable count too large", noCode().u32(0x7FFFFFFF).b},
        {"unknown type tag", oneVariable().u32(7).u32(0).u32(0).u32(0).none().u32(0).item("x").none().none().b},
        {"name longer than the data", oneVariable().u32(0).u32(0).u32(0).u32(0).none().u32(0).u32(0x10000).b},
        {"alias past the heap", oneVariable().u32(0).u32(0).u32(0).u32(40).none().none().item("x").none().none().b},
        {"member index past the heap", oneVariable().u32(2).u32(0).u32(0).u32(0).u32(1).u32(0).item("a.b").none().u32(1).u16(77).b},
        {"substring index past the heap",
         oneVariable().u32(3).u32(0).u32(0).u32(0).u32(1).u32(0).item("s|2").none().u32(3).u16(3).u16(500).u16(0).b},
        {"expression term past the heap",
         oneVariable().u32(4).u32(2).u32(0).u32(0).u32(1).u32(0).item("~a").item("s~t").u32(1).u16(9).b},
        {"substring reading itself", oneVariable().u32(3).u32(0).u32(0).u32(0).u32(1).u32(0).item("s|2").none().u32(3).u16(3).u16(0).u16(0).b},
        {"expression reading itself", oneVariable().u32(4).u32(2).u32(0).u32(0).u32(1).u32(0).item("~a").item("s~t").u32(1).u16(3).b},
        {"aliases of each other", noCode().u32(5).u32(0).u32(0).u32(0).u32(4).none().none().item("a").none().none()
                                      .u32(0).u32(0).u32(0).u32(3).none().none().item("b").none().none().b},
        {"expression and substring reading each other",
         noCode().u32(5).u32(4).u32(2).u32(0).u32(0).u32(1).u32(0).item("~x").item("s~t").u32(1).u16(4)
             .u32(3).u32(0).u32(0).u32(0).u32(1).u32(0).item("x|2").none().u32(3).u16(3).u16(0).u16(0).b},
        {"expression code unknown", oneVariable().u32(4).u32(2).u32(0).u32(0).u32(1).u32(0).item("~a").item("s?t").u32(1).u16(3).b},
    });
    for (const auto& [name, bytes] : corpus) {
        SCOPED_TRACE(name);
        resetHeap();
        alerts().clear();
        EXPECT_FALSE(load(bytes));
        ASSERT_EQ(1u, alerts().size());
        EXPECT_EQ(std::make_pair(0u, 3), std::make_pair(alerts()[0].find("Precompiled script refused: "), scriptHeap().count))
            << alerts()[0];
    }
    // The indices of an image are only valid in a table that holds just the three predefined entries.
    var("busy");
    alerts().clear();
    EXPECT_FALSE(load(good));
    EXPECT_EQ(std::vector<std::string>{"Precompiled script refused: the variable table is not empty"}, alerts());
}

}  // namespace
