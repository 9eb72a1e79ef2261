// The heap's name index where it has edges of its own: a name carried by more than one entry, and the
// dotted families a new base learns about from the members already there.
#include <string>

#include "ScriptFixture.h"

namespace {

using HeapIndexTest = ScriptTest;

// A later entry of the same name (a precompiled record, or another type tag) never takes the place of
// the first, whichever look-up asks.
TEST_F(HeapIndexTest, TheFirstEntryOfANameKeepsItsPlace) {
    YHeap& heap = scriptHeap();
    const std::int32_t first = heap.findOrAdd("k", 1, "1");
    auto* twin = new YVariable("k", 1, "2");
    const std::int32_t second = heap.append(twin);
    const std::int32_t expression = heap.findOrAddTyped("k", 1, kYExpression);
    ASSERT_LT(first, second);
    ASSERT_LT(second, expression);
    EXPECT_EQ(first, heap.find("k", 1));
    EXPECT_EQ(first, heap.findOrAdd("k", 1, nullptr));
    EXPECT_EQ(first, heap.findOrAddTyped("k", 1, kYPlain));
    EXPECT_EQ(first, heap.indexOfVariable(twin));
    EXPECT_EQ(expression, heap.findOrAddTyped("k", 1, kYExpression));
    EXPECT_EQ(expression, heap.indexOfVariable(heap.at(expression)));
}

TEST_F(HeapIndexTest, ANewBaseCountsOnlyItsOwnPlainMembers) {
    const struct {
        std::vector<std::string> before;
        std::string base;
        const char* firstMember;  // null: the base starts without members
        std::int32_t highest;
    } cases[] = {
        {{"m.-3", "m.2"}, "m", "m.-3", 2},
        {{"n.-3"}, "n", "n.-3", 0},
        {{"p.1.5", "p.q", "pp.9", "p2.4"}, "p", nullptr, 0},
        {{"r.1.5", "r.1.2"}, "r.1", "r.1.5", 5},
        {{"s.04", "s.1x", "s.3"}, "s", "s.04", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.base);
        for (const std::string& name : c.before) var(name);
        YVariable* base = var(c.base);
        EXPECT_EQ(c.firstMember ? index(c.firstMember) : 0, base->heapIndex);
        EXPECT_EQ(c.highest, base->highestMember);
    }
}

}  // namespace
