// The variable heap: predefined entries, lookup, dotted families, objects held by name, bulk clears.
#include "ScriptFixture.h"

namespace {

std::int32_t add(const std::string& name) {
    return scriptHeap().findOrAdd(name.data(), static_cast<std::int32_t>(name.size()), nullptr);
}

using HeapTest = ScriptTest;

TEST_F(HeapTest, StartsWithSystemReceiverAndResult) {
    YHeap& heap = scriptHeap();
    ASSERT_EQ(3, heap.count);
    const YVariable *system = heap.at(0), *receiver = heap.at(1), *result = heap.at(2);
    YVariable* const none = nullptr;
    EXPECT_EQ(std::make_tuple(std::string("SYSTEM=WIN"), kYBorrows, std::string("RECEIVER"), kYAlias, 0, 1, std::string("RESULT"), 1),
              std::make_tuple(std::string(system->name) + "=" + text(heap.at(0)), system->mark, std::string(receiver->name),
                              receiver->mark, receiver->heapIndex, receiver->isUnset(), std::string(result->name), result->isUnset()));
    EXPECT_EQ(std::make_pair(none, none), std::make_pair(heap.at(3), heap.at(-1)));
    heap.clear();
    EXPECT_EQ(-1, heap.find("SYSTEM", 6));
    EXPECT_EQ(0, heap.findOrAdd("x", 1, nullptr));
}

TEST_F(HeapTest, NamesAreExactAndCaseSensitive) {
    const std::int32_t lower = add("abc");
    EXPECT_NE(lower, add("Abc"));
    EXPECT_EQ(lower, add("abc"));
    EXPECT_EQ(-1, scriptHeap().find("ab", 2));
    EXPECT_EQ(lower, scriptHeap().find("abcd", 3));
    // A counted name that holds a NUL names no variable (and is not read past the stored name).
    EXPECT_EQ(-1, scriptHeap().find("abc\0xyzzyxyzzy", 14));
    EXPECT_EQ(scriptHeap().findOrAddTyped("'q'", 3, kYLiteral), scriptHeap().findOrAddTyped("'q'", 3, kYLiteral));
}

TEST_F(HeapTest, FamiliesAreWalkedGrownAndCleared) {
    // A fresh base takes its first member's index when the member is made.
    const std::int32_t list = add("list");
    const std::int32_t member = scriptHeap().addMember(list);
    EXPECT_EQ(member, scriptHeap().at(list)->heapIndex);
    std::vector<std::string> walked;
    for (YVariable* v = scriptHeap().firstMember(list); v; v = scriptHeap().nextMember()) walked.push_back(v->name);
    EXPECT_EQ(std::vector<std::string>{"list.1"}, walked);
    EXPECT_EQ(nullptr, scriptHeap().firstMember(add("nomembers")));
    // Clearing a family clears its direct members only.
    for (const char* name : {"x.1", "x.2", "x.2.1", "xy.1"}) var(name)->setText("v", -1);
    scriptHeap().clearMembers(add("x"));
    std::string set;
    for (const char* name : {"x.1", "x.2", "x.2.1", "xy.1"}) set += var(name)->isSet() ? "1" : "0";
    EXPECT_EQ("0011", set);
}

TEST_F(HeapTest, ObjectsAreReachedAndReleasedByName) {
    YHeap& heap = scriptHeap();
    auto* object = new RProbe;
    const std::int32_t ball = heap.setObjectByName("ball", object);
    EXPECT_EQ(ball, heap.find("ball", 4));
    EXPECT_EQ(std::make_pair(static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(object)), 0),
              std::make_pair(heap.intValue("ball", 0), heap.intValue("nothing", 0)));
    std::int32_t found = -1;
    EXPECT_STREQ("ball", heap.findObjectVariable(object, &found));
    EXPECT_EQ(ball, found);
    EXPECT_STREQ("balls.1", heap.addObjectMember("balls", new RProbe));
    EXPECT_STREQ("balls.2", heap.addObjectMember("balls", new RProbe));
    // Borrowing through intValue hands the object over: clearing the variable leaves it alive.
    heap.intValue("ball", 1);
    var("ball")->setText(nullptr, -2);
    EXPECT_EQ(3, RProbe::alive);
    delete object;
    heap.releaseObjects(0);
    EXPECT_EQ(std::make_pair(2, 1), std::make_pair(RProbe::alive, var("balls.1")->isUnset()));
}

TEST_F(HeapTest, SharedObjectsAreDeletedOnce) {
    YHeap& heap = scriptHeap();
    auto* object = new RProbe;
    var("owner")->setObject(object);
    YVariable* borrower = var("borrower");
    borrower->mark = kYBorrows;
    borrower->setObject(object);
    EXPECT_EQ(1, heap.clearObjectHolders(object, 1));
    EXPECT_EQ(std::make_tuple(0, 1, 1), std::make_tuple(RProbe::alive, var("owner")->isUnset(), borrower->isUnset()));
    var("kept")->setObject(new RProbe);
    heap.releaseObjects(1);
    EXPECT_EQ(0, RProbe::alive);
    // The receiver never owns what it holds; held ahead of the owner, it neither keeps the object alive when
    // the holders are cleared nor changes what the clear returns (the first holder is an alias).
    auto* event = new RProbe;
    heap.at(kYReceiver)->setObject(event);
    heap.at(kYReceiver)->setText(nullptr, -2);
    EXPECT_EQ(1, RProbe::alive);
    var("owner")->setObject(event);
    heap.at(kYReceiver)->setObject(event);
    EXPECT_EQ(0, heap.clearObjectHolders(event, 1));
    EXPECT_EQ(std::make_tuple(0, 1, 1), std::make_tuple(RProbe::alive, var("owner")->isUnset(), heap.at(kYReceiver)->isUnset()));
}

// An object that notes, while it is deleted, what its owner reads as and whether RECEIVER and a borrower
// still hold something.
struct RWitness : RProbe {
    static inline std::string seen;
    ~RWitness() override {
        YHeap& heap = scriptHeap();
        char owner[kYTextBufferSize];
        heap.at(heap.find("owner", 5))->getText(owner, sizeof owner);
        seen = std::string(owner) + " " + std::to_string(heap.at(heap.find("owner", 5))->isSet()) +
               std::to_string(heap.at(kYReceiver)->isSet()) + std::to_string(heap.at(heap.find("borrower", 8))->isSet());
    }
};

// However its owner lets go of an object, the owner, RECEIVER and a borrower are empty while the object
// is deleted (so what runs inside the deletion finds nothing) and afterwards, and the object is deleted once.
TEST_F(HeapTest, AnOwnedObjectIsDeletedWithEveryHolderEmptiedFirst) {
    const std::pair<const char*, void (*)(YVariable*)> ways[] = {
        {"drop trinkets", [](YVariable*) { scriptHeap().releaseObjects(1); }},
        {"cleared", [](YVariable* owner) { owner->setText(nullptr, -2); }},
        {"a text", [](YVariable* owner) { owner->setText("5", -1); }},
        {"a number", [](YVariable* owner) { owner->setInteger(5); }},
        {"an object", [](YVariable* owner) { owner->setObject(new RProbe); }},
    };
    for (const auto& [name, letGo] : ways) {
        SCOPED_TRACE(name);
        resetHeap();
        RProbe::alive = 0;
        RWitness::seen.clear();
        auto* object = new RWitness;
        YVariable* owner = var("owner");
        owner->setObject(object);
        scriptHeap().at(kYReceiver)->setObject(object);
        var("borrower")->assign(scriptHeap().at(kYReceiver));
        EXPECT_EQ(kYBorrows, var("borrower")->mark);
        letGo(owner);
        EXPECT_EQ("owner 000", RWitness::seen);
        EXPECT_EQ(std::make_tuple(0, 0), std::make_tuple(scriptHeap().at(kYReceiver)->isSet(), var("borrower")->isSet()));
        scriptHeap().releaseObjects(1);
        EXPECT_EQ(0, RProbe::alive);
    }
}

// A full heap refuses new entries and frees them, also the parts a member name added on the way; growing
// up to it keeps the variables.
TEST_F(HeapTest, AFullHeapRefusesAndFreesNewEntries) {
    YHeap& heap = scriptHeap();
    YVariable* early = var("early");
    for (int i = 0; heap.count < kYHeapLimit; ++i) add("f" + std::to_string(i));
    EXPECT_EQ(early, heap.at(3)) << "growing the table keeps the variables";
    EXPECT_EQ(-1, add("x.y"));  // its part "x" takes the last slot
    EXPECT_TRUE(heap.full());
    auto* late = new YVariable("late", 4, nullptr);
    late->setObject(new RProbe);
    EXPECT_EQ(-1, heap.append(late));
    EXPECT_EQ(0, RProbe::alive);
}

TEST_F(HeapTest, ProceduresAndObjectsAreIterated) {
    YHeap& heap = scriptHeap();
    var("+a")->setText("+4", -1);
    var("n")->setText("5", -1);
    var("+b")->setText("+9", -1);
    var("o")->setObject(new RProbe);
    std::string names;
    for (const char* n = heap.firstProcedure(); n; n = heap.nextProcedure()) names += n;
    for (const char* n = heap.firstObject(kYObject); n; n = heap.nextObject())
        names += n + std::string(heap.currentObject() == var("o")->value.object ? "" : "(not current)");
    for (const char* n = heap.firstObject(kYInteger); n; n = heap.nextObject()) names += n;
    EXPECT_EQ("+a+bon", names);
}

// A later entry of the same name (a precompiled record, or another type tag) never takes the place of
// the first, whichever look-up asks.
TEST_F(HeapTest, TheFirstEntryOfANameKeepsItsPlace) {
    YHeap& heap = scriptHeap();
    const std::int32_t first = heap.findOrAdd("k", 1, "1");
    auto* twin = new YVariable("k", 1, "2");
    const std::int32_t second = heap.append(twin);
    const std::int32_t expression = heap.findOrAddTyped("k", 1, kYExpression);
    ASSERT_TRUE(first < second && second < expression);
    EXPECT_EQ(std::vector<std::int32_t>(4, first), (std::vector<std::int32_t>{heap.find("k", 1), heap.findOrAdd("k", 1, nullptr),
                                                                        heap.findOrAddTyped("k", 1, kYPlain), heap.indexOfVariable(twin)}));
    EXPECT_EQ(std::make_pair(expression, expression),
              std::make_pair(heap.findOrAddTyped("k", 1, kYExpression), heap.indexOfVariable(heap.at(expression))));
}

TEST_F(HeapTest, ANewBaseCountsOnlyItsOwnPlainMembers) {
    // firstMember null: the base starts without members.
    const struct { std::vector<std::string> before; std::string base; const char* firstMember; std::int32_t highest; } cases[] = {
        {{"a.1", "a.7", "a.b.9"}, "a", "a.1", 7},
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
        EXPECT_EQ(std::make_pair(c.firstMember ? index(c.firstMember) : 0, c.highest),
                  std::make_pair(base->heapIndex, base->highestMember));
    }
    EXPECT_STREQ("a.8", scriptHeap().at(scriptHeap().addMember(index("a")))->name);
}

}  // namespace
