// Message texts: the 'STR' source compiler's vectors, the compiled record layout, and the message tables
// loaded from resource files with their fallbacks and the table stack.
#include "EngineTestSupport.h"
#include "Str.h"
#include "StrSource.h"

namespace {

struct Compiled { bool ok = false; std::vector<std::uint8_t> table; std::uint32_t last = 0; };

Compiled compile(const std::string& source) {
    Compiled out;
    auto* bytes = reinterpret_cast<const std::uint8_t*>(source.data());
    out.ok = compileStrSource(bytes, source.size(), out.table, out.last);
    return out;
}

// number -> text pairs in record order, or kRefused when the source does not compile.
using Records = std::vector<std::pair<std::uint32_t, std::string>>;
const Records kRefused = {{0, "<refused>"}};
Records records(const std::string& source) {
    const Compiled c = compile(source);
    if (!c.ok) return kRefused;
    Records out;
    std::uint32_t number = 0;
    for (std::uint32_t i = 0; const char* text = strRecordAt(c.table.data(), c.table.size(), i, &number); ++i)
        out.emplace_back(number, text);
    return out;
}

const std::string kHead = "// texts\r\nBEGIN\r\n";

TEST(StrSourceTest, RecordLayoutByteForByteAndVectors) {
    Compiled layout = compile(kHead + "10 \"A\"\r\n+ \"B\"\r\n20, \"X\" \"Y\"\r\n");
    ASSERT_TRUE(layout.ok);
    const std::vector<std::uint8_t> expected = {
        3, 0, 0, 0, 0, 0, 0, 0,                                     // count 3, reserved
        11, 0, 0, 0, 10, 0, 0, 0, 'A', 0, 0,                         // 10 "A"
        11, 0, 0, 0, 11, 0, 0, 0, 'B', 0, 0,                         // 11 "B"
        12, 0, 0, 0, 20, 0, 0, 0, 'X', 'Y', 0, 0,                    // 20 "XY"
    };
    EXPECT_EQ(layout.table, expected);
    EXPECT_EQ(layout.last, 20u);
    struct Case { const char* name; std::string source; Records expected; };
    const std::vector<Case> cases = {
        {"hex, octal, unknown and ff escapes", kHead + "1 \"\\x41\\101\\q\\xff\"", {{1, "AAq\xFF"}}},
        {"three hex digits keep the low byte, octal stops at three", kHead + "1 \"\\x141\\1011\"", {{1, "AA1"}}},
        {"letter escapes", kHead + "1 \"\\a\\b\\f\\n\\r\\v\\,\\\"\\\\\"", {{1, "\a\b\f\n\r\v'\"\\"}}},
        {"comment lines between literals", kHead + "1 \"A\"\r\n; note\r\n/ more\r\n  \"B\"", {{1, "AB"}}},
        {"tab and comma before the literal", kHead + "7\t,\t\"t\"", {{7, "t"}}},
        {"number 0 ends the table", kHead + "1 \"a\"\r\n0 \"z\"\r\n2 \"b\"", {{1, "a"}}},
        {"an unknown character ends the table", kHead + "1 \"a\"\r\n? 2 \"b\"", {{1, "a"}}},
        {"empty literal", kHead + "4 \"\"", {{4, ""}}},
        {"first of two equal numbers is kept first", kHead + "3 \"one\"\r\n3 \"two\"", {{3, "one"}, {3, "two"}}},
        {"no BEGIN", "1 \"a\"", kRefused}, {"BEGIN in the first 8 bytes", "BEGIN 1 \"a\"", kRefused},
        {"BEGIN must be a whole word", "// BEGINNING\r\n1 \"a\"", kRefused},
        {"message without a quote", kHead + "1 a", kRefused},
        {"a literal never closed runs to the end", kHead + "1 \"a\"\r\n2 \"bc\r\n", {{1, "a"}, {2, "bc\r\n"}}},
        {"backslash at the end", kHead + "1 \"abc\\", {{1, "abc"}}},
        {"fifteen digits keep their low 32 bits", kHead + "999999999999999 \"b\"", {{2764472319u, "b"}}},
        {"2^32 reads as 0 and ends the table", kHead + "1 \"a\"\r\n4294967296 \"b\"", {{1, "a"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(records(c.source), c.expected) << c.name;
}

TEST(StrSourceTest, ConditionalSectionsAndDamagedTablesWalkedWithinBounds) {
    struct Case { const char* name; std::string body; Records expected; };
    const std::string section = "1 \"first\"\r\n#else\r\n1 \"second\"\r\n2 \"else only\"\r\n#endif\r\n3 \"after\"\r\n";
    const std::vector<Case> cases = {
        {"false condition compiles the #else section", "#if MACINTOSH\r\n" + section,
         {{1, "second"}, {2, "else only"}, {3, "after"}}},
        {"true condition compiles both sections, first wins", "#if MS_WINDOWS\r\n" + section,
         {{1, "first"}, {1, "second"}, {2, "else only"}, {3, "after"}}},
        {"false #if then true #elif", "#if DEBUG\r\n1 \"a\"\r\n#elif PLATFORM_WIN95\r\n2 \"b\"\r\n#endif\r\n",
         {{2, "b"}}},
        {"false #if skips to #endif", "#if FALSE\r\n1 \"a\"\r\n#endif\r\n2 \"b\"\r\n", {{2, "b"}}},
        {"condition is the first listed word", "#if defined NDEBUG\r\n1 \"a\"\r\n#endif\r\n", {{1, "a"}}},
        {"skipping does not nest", "#if 0\r\n#if 1\r\n1 \"a\"\r\n#endif\r\n2 \"b\"\r\n#endif\r\n",
         {{1, "a"}, {2, "b"}}},
        {"unknown directive ends the parse", "1 \"a\"\r\n#pragma x\r\n2 \"b\"\r\n", {{1, "a"}}},
        {"no listed symbol ends the parse", "1 \"a\"\r\n#if SOMETHING ELSE\r\n", {{1, "a"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(records(kHead + c.body), c.expected) << c.name;
    // A damaged table is walked within its bounds.
    Compiled damaged = compile(kHead + "5 \"five\"");
    std::vector<std::uint8_t> table = damaged.table;
    table[0] = 200;  // claims 200 records
    EXPECT_STREQ(findStrRecord(table.data(), table.size(), 5), "five");
    EXPECT_EQ(findStrRecord(table.data(), table.size(), 6), nullptr);
    table[8] = 0xFF;  // record length past the end
    EXPECT_EQ(findStrRecord(table.data(), table.size(), 5), nullptr);
    EXPECT_EQ(findStrRecord(table.data(), 4, 5), nullptr);
}

struct StrTest : ResourceFolderTest {
    void TearDown() override {
        while (StrPopTable()) {}
        StrTerm();
        ResourceFolderTest::TearDown();
    }
};

TEST_F(StrTest, GetMessageFallsBackFromTableTwoToOneToTheDefault) {
    ASSERT_TRUE(open({{"STR", 1, kHead + "100 \"one-100\"\r\n200 \"one-200\"\r\n"},
                      {"STR", 2, kHead + "100 \"two-100\"\r\n"}}));
    ASSERT_EQ(StrInit(), 1);
    EXPECT_EQ((Texts{StrGetMessage(100, "default"), StrGetMessage(200, "default"), StrGetMessage(300, "default"),
                     StrGetShared(300)}),
              (Texts{"two-100", "one-200", "default", ""}));
    EXPECT_EQ(StrFindShared(300), nullptr);
    EXPECT_EQ(MemHandleIsLocked(StrSharedHandle()) + MemHandleIsLocked(StrPrimaryHandle()), 2);
}

TEST_F(StrTest, MissingOrMalformedTablesLeaveTheDefaults) {
    ASSERT_TRUE(open({{"STR", 1, "no keyword here"}}));
    ASSERT_EQ(StrInit(), 1);
    EXPECT_EQ(StrSharedHandle() | StrPrimaryHandle(), 0u);
    EXPECT_STREQ(StrGetMessage(1, "Failed to initialize palette manager"), "Failed to initialize palette manager");
    EXPECT_EQ(ResIsLoaded(resType("STR"), 1), 0) << "a malformed resource is released";
}

TEST_F(StrTest, ATableOf500ShortMessagesOutgrowsItsSource) {
    std::string source = kHead;
    for (int i = 0; i < 500; ++i) source += "+\"" + std::string(1, char('a' + i % 26)) + "\"\r";
    ASSERT_TRUE(open({{"STR", 7, source}}));
    MemHandle table = StrCompile(7);
    ASSERT_NE(table, 0u);
    EXPECT_EQ(MemHandleGetSize(table), 8u + 500u * 11u) << "5 source bytes became an 11-byte record each";
    char text[4];
    for (std::uint32_t n = 1; n <= 500; ++n) {
        SCOPED_TRACE(n);
        ASSERT_EQ(StrTableFind(table, n, sizeof text, text), 1);
        EXPECT_EQ(text, std::string(1, char('a' + (n - 1) % 26)));
    }
    std::uint32_t number = 0;
    EXPECT_EQ((Both{StrTableGetAt(table, 499, &number, sizeof text, text), number}), Both(1, 500));
    EXPECT_EQ(StrTableGetAt(table, 500, &number, sizeof text, text), 0);
    // Loaded again it is not compiled again; kept loaded and registered again from the source's length, it
    // still reaches its last record; once unloaded, the next load compiles it afresh.
    MemHandle again = StrCompile(7);
    EXPECT_EQ(again, table);
    MemHandleFree(&again);
    ResSetKeep(table, 1);
    MemHandleFree(&table);
    table = StrCompile(7);
    EXPECT_EQ(MemHandleGetSize(table), 8u + 500u * 11u);
    EXPECT_EQ(StrTableFind(table, 500, sizeof text, text), 1);
    ResSetKeep(table, 0);
    MemHandleFree(&table);
    EXPECT_EQ(ResGetResidentById(resType("STR"), 7), 0);
    table = StrCompile(7);
    EXPECT_EQ(StrTableGetAt(table, 499, &number, sizeof text, text), 1);
    EXPECT_EQ(number, 1000u) << "\"+\" goes on from the table compiled before";
    MemHandleFree(&table);
}

TEST_F(StrTest, PushedTablesTheStackLimitAndResourceLookups) {
    ASSERT_TRUE(open({{"STR", 10, kHead + "1 \"ten-1\"\r\n2 \"ten-2 is long\"\r\n"},
                      {"STR", 11, kHead + "1 \"eleven-1\"\r\n"}}));
    EXPECT_STREQ(StrGetLocalOr(1, "d"), "") << "no table current";
    ASSERT_EQ(StrPushResource(10), 1);
    ASSERT_EQ(StrPushResource(11), 1);
    EXPECT_EQ((Texts{StrFindLocal(1), StrGetLocal(2), StrGetLocalOr(2, "d")}), (Texts{"eleven-1", "", "d"}));
    EXPECT_EQ(StrPopTable(), 1);
    EXPECT_STREQ(StrFindLocal(2), "ten-2 is long");
    EXPECT_EQ((Both{StrPopTable(), StrPopTable()}), Both(1, 0)) << "nothing left to pop";
    EXPECT_EQ(StrPushResource(12), 0);
    char out[6];
    EXPECT_EQ(std::to_string(StrGetFromResource(10, 2, sizeof out, out)) + out, "1ten-2") << "at most size - 1 characters";
    EXPECT_EQ(std::to_string(StrGetFromResource(10, 9, sizeof out, out)) + out, "1");
    EXPECT_EQ((Both{StrGetFromResource(12, 1, sizeof out, out), ResIsLoaded(resType("STR"), 10)}), Both(0, 0));
    int pushed = 0;
    while (pushed < 40 && StrPushResource(10)) ++pushed;
    EXPECT_EQ(pushed, kStrStackDepth) << "a push beyond 16 levels is ignored";
}

}  // namespace
