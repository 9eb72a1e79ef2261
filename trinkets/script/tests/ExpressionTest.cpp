// Expressions: operator classes to prefix code, the operator table, error codes and "%.15g" results.
#include <algorithm>

#include "ScriptFixture.h"
#include "YEvaluator.h"

namespace {

struct ExpressionTest : ScriptTest {
    // The value of an operand word as a statement would read it, and the error code it left.
    std::string value(const std::string& word, std::int32_t* error = nullptr) {
        yErrorCode() = 0;
        const std::int32_t entry = compileExpression(word.data(), static_cast<std::int32_t>(word.size()));
        EXPECT_GE(entry, 0) << word;
        if (entry < 0) return "<compile error>";
        const std::string result = text(scriptHeap().at(entry));
        if (error) *error = yErrorCode();
        return result;
    }
};

TEST_F(ExpressionTest, OperatorsCompileToPrefixCode) {
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"a-b*c", "s-s*ttt", {"a", "b", "c"}}, {"a-b-c", "s-ts-tt", {"a", "b", "c"}}, {"-5", "s-tz", {"5"}},
        {"~a", "s~t", {"a"}}, {"+y", "s+tz", {"y"}}, {"a+*b", "s+s*tzt", {"a", "b"}},      {"(a+b)*c", "s*ts+tt", {"a", "b", "c"}},
        {"$e", "s$t", {"e"}},                  {"'x-y'+z", "s+tt", {"'x-y'", "z"}},  {"a@'b c'", "s@tt", {"a", "'b c'"}},
    };
    for (const auto& [source, code, terms] : cases) {
        SCOPED_TRACE(source);
        const std::int32_t entry = compileExpression(source, static_cast<std::int32_t>(std::strlen(source)));
        ASSERT_GE(entry, 0);
        YVariable* v = scriptHeap().at(entry);
        std::vector<std::int32_t> expected, got(v->indices, v->indices + std::max(0, v->lengthField));
        for (const std::string& term : terms) expected.push_back(index(term));
        EXPECT_EQ(std::make_tuple(kYExpression, std::string(code), std::string(source), expected),
                  std::make_tuple(v->typeTag, std::string(v->valueText), std::string(v->name), got));
    }
}

TEST_F(ExpressionTest, SingleTermsMakeNoExpressionEntryAndMalformedTextsSetCompileErrors) {
    for (const char* word : {"a", "(a)", "a+", "((a))"}) {
        SCOPED_TRACE(word);
        const std::int32_t n = scriptHeap().count;
        EXPECT_EQ(kYPlain, scriptHeap().at(compileExpression(word, static_cast<std::int32_t>(std::strlen(word))))->typeTag);
        EXPECT_LE(scriptHeap().count, n + 1);
    }
    EXPECT_EQ(compileExpression("a*b", 3), compileExpression("a*b", 3));
    const std::string tooManyCodes = "a" + repeat("+a", 43);
    const std::pair<std::string, std::int32_t> cases[] = {
        {"(a", 1}, {"a)", 1}, {"'a", 1}, {"(a)b", 1}, {"a+-b", 3}, {"a**b", 3}, {"", 2},
        {std::string(128, 'a'), 2}, {tooManyCodes, 2}, {"()", 2}};
    for (const auto& [source, error] : cases) {
        SCOPED_TRACE(source);
        yErrorCode() = 0;
        const std::int32_t entry = compileExpression(source.data(), static_cast<std::int32_t>(source.size()));
        EXPECT_EQ(std::make_tuple(-1, error, std::string()), std::make_tuple(entry, yErrorCode(), std::string(expressionCode())));
    }
    const std::string fits = "a" + repeat("+a", 31);
    EXPECT_GE(compileExpression(fits.data(), static_cast<std::int32_t>(fits.size())), 0);
}

TEST_F(ExpressionTest, EveryOperatorFollowsTheTable) {
    for (const auto& [name, value] : {std::pair{"x", std::string("abc")}, {"p", std::string(64, 'p')},
                                      {"q", std::string(64, 'q')}, {"r", std::string(63, 'r')}})
        var(name)->setText(value.c_str(), -1);
    const std::tuple<const char*, std::string, std::int32_t> cases[] = {
        {"7+2", "9", 0},        {"7-2", "5", 0},           {"7*2", "14", 0},          {"7/2", "3.5", 0},
        {"7\\2", "3", 0},       {"-7\\2", "-3", 0},        {"7.9\\2.9", "3", 0},      {"7%2", "1", 0},
        {"2^10", "1024", 0},    {"(-8)^2", "64", 0},       {"7=7", "1", 0},           {"7=2", "0", 0},
        {"7#2", "1", 0},        {"7>2", "1", 0},           {"7<2", "0", 0},           {"'ab'+'cd'", "abcd", 0},
        {"x+1", "abc1", 0},     {"'abc'='abc'", "1", 0},   {"'abc'#'abd'", "1", 0},   {"'abd'>'abc'", "1", 0},
        {"'ab'<'abc'", "1", 0}, {"'b'>'abc'", "1", 0},     {"'b'@'abc'", "2", 0},     {"'z'@'abc'", "0", 0},
        {"''@'abc'", "1", 0},   {"7@17", "2", 0},          {"~'abcd'", "4", 0},       {"~12345", "5", 0},
        {"3!4", "0", 0},        {"-5", "-5", 0},           {"2-3*4", "-10", 0},       {"(2+3)*4", "20", 0},
        {"10-4-3", "3", 0},     {"1/3", "0.333333333333333", 0}, {"0.1+0.2", "0.3", 0}, {"2.5*2", "5", 0},
        {"3000000000+1", "3000000001", 0}, {"7/0", "7/0", 5}, {"7/0.00001", "7/0.00001", 5}, {"7/0.001", "7000", 0},
        {"7\\0", "7\\0", 4},    {"7%0.5", "7%0.5", 4},     {"'a'-1", "'a'-1", 7},     {"x/2", "x/2", 7},
        {"(-8)^0.5", "(-8)^0.5", 5}, {"1/0+2", "1/0+2", 5},
        {"p+q", "p+q", 2},  // concatenation stops at 128 characters
        {"p+r", std::string(64, 'p') + std::string(63, 'r'), 0},
    };
    for (const auto& [source, expected, expectedError] : cases) {
        SCOPED_TRACE(source);
        std::int32_t error = -1;
        const std::string got = value(source, &error);
        EXPECT_EQ(std::make_pair(expected, expectedError), std::make_pair(got, error));
    }
}

// "$" reads an operand as an expression; objects compare as zero and are not copied.
TEST_F(ExpressionTest, DollarReferencesAndObjectsInsideExpressions) {
    // h names itself again: reading it ends instead of recursing for ever.
    for (const auto& [name, value] : {std::pair{"e", "2+3"}, {"a", "7"}, {"f", "a"}, {"g", "1/0"}, {"h", "$h"},
                                      {"s", "hello"}, {"i", "2"}, {"n.2", "40"}})
        var(name)->setText(value, -1);
    var("o1")->setObject(new RProbe);
    var("o2")->setObject(new RProbe);
    ySetRandomSource([] { return 3; });
    const std::pair<const char*, const char*> cases[] = {{"$e", "5"},     {"$f", "7"},           {"$e+1", "6"},
                                                         {"$g", "1/0"},   {"$h", "$h"},          {"n.i+2", "42"},
                                                         {"?+1", "4"},    {"s|2|3+'!'", "ell!"},
                                                         {"o1=o2", "0"},  {"o1+o2", "0"},        {"o1#o1", "0"}};
    for (const auto& [source, expected] : cases) {
        SCOPED_TRACE(source);
        std::int32_t error = -1;
        const std::string got = value(source, &error);
        EXPECT_EQ(std::make_pair(std::string(expected), 0), std::make_pair(got, error));
    }
    ySetRandomSource(nullptr);
    EXPECT_EQ(std::make_pair(0, 2), std::make_pair(RProbe::clones, RProbe::alive));
}

}  // namespace
