// Precompiled images: exact bytes, round trips in both byte orders, and a corpus of damaged images.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Files.h"
#include "ScriptFixture.h"
#include "TempFolder.h"
#include "YCompiledImage.h"
#include "YCompiler.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes image fields in either byte order, following the image layout.
struct Image {
    bool big = false;
    Bytes b;
    Image& u8(std::uint8_t v) { return b.push_back(v), *this; }
    Image& u16(std::uint16_t v) { return big ? u8(v >> 8).u8(v & 0xFF) : u8(v & 0xFF).u8(v >> 8); }
    Image& u32(std::uint32_t v) {
        return big ? u16(static_cast<std::uint16_t>(v >> 16)).u16(static_cast<std::uint16_t>(v))
                   : u16(static_cast<std::uint16_t>(v)).u16(static_cast<std::uint16_t>(v >> 16));
    }
    Image& item(const std::string& s) {
        u32(static_cast<std::uint32_t>(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    Image& cells(const std::vector<std::pair<std::uint8_t, std::int16_t>>& cells) {
        u32(static_cast<std::uint32_t>(cells.size()));
        for (const auto& c : cells) u8(c.first).u16(static_cast<std::uint16_t>(c.second));
        return *this;
    }
    Image& operands(const std::vector<std::int16_t>& list) {
        u32(static_cast<std::uint32_t>(list.size()));
        for (std::int16_t e : list) u16(static_cast<std::uint16_t>(e));
        return *this;
    }
    // A plain variable without value, and a number literal.
    Image& unset(const std::string& name) { return u32(0).u32(0).u32(0).u32(0).u32(0xFFFFFFFF).u32(0).item(name).u32(0xFFFFFFFF).u32(0xFFFFFFFF); }
    Image& integer(const std::string& name, std::uint32_t n) {
        return u32(1).u32(3).u32(n).u32(0).u32(0).u32(static_cast<std::uint32_t>(name.size())).u32(0).item(name).u32(0xFFFFFFFF).u32(0xFFFFFFFF);
    }
};

// "x=5": one assignment cell, the operand list x 5, the variables x and 5.
Image assignmentImage(bool big) {
    Image i;
    i.big = big;
    i.u8(big ? 1 : 2).cells({{18, 3}}).operands({0, 1, 2, 3, 4, -1}).u32(5).unset("x").integer("5", 5);
    return i;
}

class CompiledImageTest : public ScriptTest {
protected:
    bool load(const Bytes& image, std::string* error = nullptr) {
        std::string message;
        const bool loaded = loadCompiledScript(image.data(), image.size(), &script, &message);
        if (error) *error = message;
        return loaded;
    }
    void resetHeap() {
        scriptHeap().clear();
        scriptHeap().init();
    }
    YCompiledScript script;
    YCallStack stack;
    TempFolder folder;
};

TEST_F(CompiledImageTest, SavedImageHasTheExactLayout) {
    const std::string source = "x=5\r";
    ASSERT_TRUE(compileScript(source.data(), source.size(), nullptr, stack, &script));
    const std::string file = folder.path() + "\\x.mpc";
    ASSERT_TRUE(saveCompiledScript(script, file.c_str()));
    const std::string bytes = readWholeFile(file);
    EXPECT_EQ(assignmentImage(false).b, Bytes(bytes.begin(), bytes.end()));
    EXPECT_FALSE(saveCompiledScript(script, (folder.path() + "\\missing\\x.mpc").c_str()));
}

TEST_F(CompiledImageTest, BothByteOrdersLoadTheSameScript) {
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "format 1" : "format 2");
        resetHeap();
        std::string error;
        ASSERT_TRUE(load(assignmentImage(big).b, &error)) << error;
        ASSERT_EQ(2u, script.cells.size());
        EXPECT_EQ(18, script.cells[0].opcode);
        EXPECT_EQ(3, script.cells[0].operand);
        EXPECT_EQ(0, script.cells[1].opcode);
        EXPECT_EQ((std::vector<std::int16_t>{0, 1, 2, 3, 4, -1}), script.operands);
        ASSERT_EQ(5, scriptHeap().count);
        EXPECT_STREQ("x", scriptHeap().at(3)->name);
        EXPECT_TRUE(scriptHeap().at(3)->isUnset());
        EXPECT_EQ(kYLiteral, scriptHeap().at(4)->typeTag);
        EXPECT_EQ(5, scriptHeap().at(4)->value.integer);
        EXPECT_EQ("5", text(scriptHeap().at(4)));
    }
}

// Converts a little-endian image to the big-endian form by walking its layout.
Bytes toBigEndian(const Bytes& little) {
    Bytes b = little;
    std::size_t at = 1;
    auto swap = [&](std::size_t n) {
        std::reverse(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + n));
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint32_t>(little[at + i]) << (8 * i);
        at += n;
        return v;
    };
    b[0] = 1;
    const std::uint32_t cells = swap(4);
    for (std::uint32_t i = 0; i < cells; ++i) at += 1, swap(2);
    const std::uint32_t operands = swap(4);
    for (std::uint32_t i = 0; i < operands; ++i) swap(2);
    const std::uint32_t variables = swap(4);
    for (std::uint32_t v = 3; v < variables; ++v) {
        swap(4);
        const std::uint32_t kind = swap(4);
        if (kind == 3) swap(4);
        if (kind == 4) at += swap(2);
        for (int i = 0; i < 4; ++i) swap(4);
        for (int i = 0; i < 2; ++i) {
            const std::uint32_t n = swap(4);
            if (n != 0xFFFFFFFF) at += n;
        }
        const std::uint32_t k = swap(4);
        for (std::uint32_t i = 0; k != 0xFFFFFFFF && i < k; ++i) swap(2);
    }
    return b;
}

TEST_F(CompiledImageTest, CompiledScriptsRoundTripInBothFormats) {
    const std::string source =
        "x=[a 'b c' 7\rprocedure +p n\r[\r if n>2\r  say n|2|1 x.n\r else\r  call +p n+1\r]\r"
        "for i 1 10 2\r[\r if i=5\r  break\r continue\r]\rr=&$q\r";
    ASSERT_TRUE(compileScript(source.data(), source.size(), nullptr, stack, &script)) << alerts()[0];
    const YCompiledScript compiled = script;
    std::vector<std::string> names, texts;
    std::vector<std::int32_t> tags;
    for (std::int32_t i = 0; i < scriptHeap().count; ++i) {
        YVariable* v = scriptHeap().at(i);
        names.push_back(v->name);
        texts.push_back(v->valueText ? v->valueText : "-");
        tags.push_back(v->typeTag);
    }
    const std::string file = folder.path() + "\\round.mpc";
    ASSERT_TRUE(saveCompiledScript(script, file.c_str()));
    const std::string saved = readWholeFile(file);
    const Bytes little(saved.begin(), saved.end());
    for (const Bytes& image : {little, toBigEndian(little)}) {
        SCOPED_TRACE(image[0]);
        resetHeap();
        std::string error;
        ASSERT_TRUE(load(image, &error)) << error;
        ASSERT_EQ(compiled.cells.size(), script.cells.size());
        for (std::size_t i = 0; i < compiled.cells.size(); ++i) {
            EXPECT_EQ(compiled.cells[i].opcode, script.cells[i].opcode) << i;
            EXPECT_EQ(compiled.cells[i].operand, script.cells[i].operand) << i;
        }
        EXPECT_EQ(compiled.operands, script.operands);
        ASSERT_EQ(static_cast<std::int32_t>(names.size()), scriptHeap().count);
        for (std::int32_t i = kYPredefined; i < scriptHeap().count; ++i) {
            YVariable* v = scriptHeap().at(i);
            EXPECT_EQ(names[static_cast<std::size_t>(i)], v->name);
            EXPECT_EQ(texts[static_cast<std::size_t>(i)], v->valueText ? v->valueText : "-");
            EXPECT_EQ(tags[static_cast<std::size_t>(i)], v->typeTag);
        }
        EXPECT_EQ("+0", text("+p"));
        EXPECT_EQ("b c", text("x.2"));
    }
}

TEST_F(CompiledImageTest, DamagedImagesAreRefused) {
    std::vector<std::pair<std::string, Bytes>> corpus;
    const Bytes good = assignmentImage(false).b;
    for (std::size_t cut = 0; cut < good.size(); cut += 3) corpus.emplace_back("truncated " + std::to_string(cut), Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
    auto image = [](std::uint8_t format) {
        Image i;
        i.u8(format);
        return i;
    };
    corpus.emplace_back("format 3", image(3).cells({{18, 3}}).operands({0, 1, 2, 3, -1}).u32(4).unset("x").b);
    corpus.emplace_back("cell count past the data", image(2).u32(1000).u8(18).u16(3).b);
    corpus.emplace_back("negative cell count", image(2).u32(0xFFFFFFFF).b);
    corpus.emplace_back("too many cells", image(2).u32(9000).b);
    corpus.emplace_back("operand count past the data", image(2).cells({{18, 3}}).u32(5000).u16(0).b);
    corpus.emplace_back("operand count below three", image(2).cells({}).operands({0, 1}).u32(3).b);
    corpus.emplace_back("operands not 0 1 2", image(2).cells({}).operands({0, 2, 1}).u32(3).b);
    corpus.emplace_back("unended list", image(2).cells({{18, 3}}).operands({0, 1, 2, 3}).u32(4).unset("x").b);
    corpus.emplace_back("operand past the heap", image(2).cells({{18, 3}}).operands({0, 1, 2, 9, -1}).u32(4).unset("x").b);
    corpus.emplace_back("negative operand", image(2).cells({{18, 3}}).operands({0, 1, 2, -5, -1}).u32(4).unset("x").b);
    corpus.emplace_back("list start past the operands", image(2).cells({{18, 30}}).operands({0, 1, 2, 3, -1}).u32(4).unset("x").b);
    corpus.emplace_back("jump past the end", image(2).cells({{11, 5}}).operands({0, 1, 2}).u32(3).b);
    corpus.emplace_back("negative jump", image(2).cells({{10, -1}}).operands({0, 1, 2}).u32(3).b);
    corpus.emplace_back("unknown opcode 16", image(2).cells({{16, 3}}).operands({0, 1, 2, -1}).u32(3).b);
    corpus.emplace_back("unknown opcode 200", image(2).cells({{200, 3}}).operands({0, 1, 2, -1}).u32(3).b);
    corpus.emplace_back("compiler-only opcode 1", image(2).cells({{1, 3}}).operands({0, 1, 2, -1}).u32(3).b);
    corpus.emplace_back("loop cells apart", image(2).cells({{8, 3}, {13, 0}}).operands({0, 1, 2, -1}).u32(3).b);
    corpus.emplace_back("variable count below three", image(2).cells({}).operands({0, 1, 2}).u32(2).b);
    corpus.emplace_back("variable count past the data", image(2).cells({}).operands({0, 1, 2}).u32(30000).unset("x").b);
    corpus.emplace_back("variable count too large", image(2).cells({}).operands({0, 1, 2}).u32(0x7FFFFFFF).b);
    corpus.emplace_back("trailing bytes", image(2).cells({}).operands({0, 1, 2}).u32(4).unset("x").u8(0).b);
    corpus.emplace_back("unknown type tag", image(2).cells({}).operands({0, 1, 2}).u32(4).u32(7).u32(0).u32(0).u32(0).u32(0xFFFFFFFF).u32(0).item("x").u32(0xFFFFFFFF).u32(0xFFFFFFFF).b);
    corpus.emplace_back("name longer than the data", image(2).cells({}).operands({0, 1, 2}).u32(4).u32(0).u32(0).u32(0).u32(0).u32(0xFFFFFFFF).u32(0).u32(0x10000).b);
    corpus.emplace_back("alias past the heap", image(2).cells({}).operands({0, 1, 2}).u32(4).u32(0).u32(0).u32(0).u32(40).u32(0xFFFFFFFF).u32(0xFFFFFFFF).item("x").u32(0xFFFFFFFF).u32(0xFFFFFFFF).b);
    corpus.emplace_back("member index past the heap", image(2).cells({}).operands({0, 1, 2}).u32(4).u32(2).u32(0).u32(0).u32(0).u32(1).u32(0).item("a.b").u32(0xFFFFFFFF).u32(1).u16(77).b);
    corpus.emplace_back("substring index past the heap", image(2).cells({}).operands({0, 1, 2}).u32(4).u32(3).u32(0).u32(0).u32(0).u32(1).u32(0).item("s|2").u32(0xFFFFFFFF).u32(3).u16(3).u16(500).u16(0).b);
    corpus.emplace_back("expression term past the heap", image(2).cells({}).operands({0, 1, 2}).u32(4).u32(4).u32(2).u32(0).u32(0).u32(1).u32(0).item("~a").item("s~t").u32(1).u16(9).b);
    corpus.emplace_back("expression code unknown", image(2).cells({}).operands({0, 1, 2}).u32(4).u32(4).u32(2).u32(0).u32(0).u32(1).u32(0).item("~a").item("s?t").u32(1).u16(3).b);
    ASSERT_GE(corpus.size(), 20u);
    for (const auto& [name, bytes] : corpus) {
        SCOPED_TRACE(name);
        std::string error;
        EXPECT_FALSE(load(bytes, &error));
        EXPECT_EQ(0u, error.find("Precompiled script refused: ")) << error;
        EXPECT_EQ(3, scriptHeap().count);
    }
    // The indices of an image are only valid in a table that holds just the three predefined entries.
    var("busy");
    std::string error;
    EXPECT_FALSE(load(good, &error));
    EXPECT_EQ("Precompiled script refused: the variable table is not empty", error);
}

}  // namespace
