// Lists and cursors: insertion rules, walks that survive mutation, nesting, clearing, assignment, locators.
#include "CoreTestSupport.h"
#include "OMList.h"

namespace {

struct Item {
    virtual ~Item() { ++destroyed; }
    int key = 0;
    int id = 0;
    static inline int destroyed = 0;
    std::int32_t isEven() { return key % 2 == 0; }
    std::int32_t hasKey(OMArg k) { return key == static_cast<int>(k); }
};

std::int32_t keyAtMost(Item* e, Item* x) { return e->key <= x->key; }
std::int32_t keyBelow(Item* e, Item* x) { return e->key < x->key; }
std::int32_t never(Item*, Item*) { return 0; }

std::string ids(const OMList<Item>& list) {
    std::string out;
    for (OMListElement<Item>* n = list.head; n; n = n->next) out += std::to_string(n->element->id) + " ";
    return out;
}

// A forEach whose callback is a std::function, so each test writes its mutation inline.
using Visit = std::function<void(Item*)>;
bool walk(OMList<Item>& list, Visit visit) {
    OMListCallbackBlock<Item> block;
    block.functionWithArgument = [](Item* e, OMArg v) -> std::int32_t {
        (*reinterpret_cast<Visit*>(v))(e);
        return 0;
    };
    return list.forEach(3, block, reinterpret_cast<OMArg>(&visit));
}

struct ListTest : ::testing::Test {
    void SetUp() override { for (int i = 0; i < 8; ++i) items[i].key = items[i].id = i; }
    void fill(OMList<Item>& list, std::initializer_list<int> which) { for (int i : which) list.append(&items[i]); }
    // The ids a walk visits while `mutate` changes the list.
    std::string walkNoting(OMList<Item>& list, const Visit& mutate) {
        std::string seen;
        walk(list, [&](Item* e) {
            seen += std::to_string(e->id);
            mutate(e);
        });
        return seen;
    }
    Item items[8];
};

TEST_F(ListTest, AppendPrependRemoveFindLocateAndNull) {
    OMList<Item> list;
    list.append(nullptr);
    list.prepend(nullptr);
    EXPECT_EQ(list.findFirst(0, {}, 0), nullptr);
    fill(list, {1, 2, 1, 3, 4, 5});
    list.prepend(&items[0]);
    EXPECT_EQ(list.remove(&items[1]), &items[1]);
    EXPECT_EQ(ids(list), "0 2 1 3 4 5 ") << "the first copy only";
    EXPECT_EQ((std::vector<Item*>{list.remove(&items[1]), list.remove(&items[1])}),
              (std::vector<Item*>{&items[1], nullptr}));
    EXPECT_EQ(list.count, 5);
    OMListCallbackBlock<Item> block;
    block.member = &Item::isEven;
    block.memberWithArgument = &Item::hasKey;
    block.functionWithArgument = [](Item* e, OMArg k) -> std::int32_t { return e->key > static_cast<int>(k); };
    EXPECT_EQ((std::vector<Item*>{list.findFirst(0, block, 0), list.findLast(0, block, 0), list.findFirst(1, block, 3),
                                  list.findLast(2, block, 2)}),
              (std::vector<Item*>{&items[0], &items[4], &items[3], &items[5]}));
    OMListLocator<Item> at(list);  // on 0 2 3 4 5
    at.insertBefore(&items[6]);
    EXPECT_EQ(at.current(), &items[6]) << "the new head";
    at.toTail();
    EXPECT_EQ((at++).current(), &items[5]);
    at++;
    EXPECT_EQ(at.current(), nullptr) << "stays past the end";
    at.find(&items[2]);
    at--;
    EXPECT_EQ((std::vector<Item*>{at.removeCurrent(), at.current()}), (std::vector<Item*>{&items[0], &items[2]}));
    at.toTail();
    at.insertAfter(&items[7]);
    at.advance(1);
    EXPECT_EQ(at.removeCurrent(), nullptr);
    EXPECT_EQ(ids(list), "6 2 3 4 5 7 ");
}

TEST_F(ListTest, SortedInsertionPlacesEqualsByThePredicateAndCopiesKeepIt) {
    struct Case { OMList<Item>::Compare compare; bool prepend; const char* order; };
    const int keys[] = {2, 1, 2, 0, 1, 2};  // ids 0, 2, 5 and 1, 4 are equals
    for (const Case& c : {Case{keyAtMost, false, "3 1 4 0 2 5 "}, Case{keyAtMost, true, "3 1 4 0 2 5 "},
                          Case{keyBelow, false, "3 4 1 5 2 0 "}, Case{keyBelow, true, "3 4 1 5 2 0 "},
                          Case{never, false, "5 4 3 2 1 0 "}, Case{never, true, "5 4 3 2 1 0 "}}) {
        SCOPED_TRACE(c.order);
        OMList<Item> list(c.compare);
        for (int i = 0; i < 6; ++i) {
            items[i].key = keys[i];
            c.prepend ? list.prepend(&items[i]) : list.append(&items[i]);
        }
        OMList<Item> copy;
        copy = list;
        EXPECT_EQ(std::make_pair(ids(copy), copy.compare), std::make_pair(std::string(c.order), c.compare));
    }
}

TEST_F(ListTest, WalksSurviveRemovalsAndSeeTailAppendsOnly) {
    OMList<Item> list;
    fill(list, {0, 1, 2, 3, 4});
    EXPECT_EQ(walkNoting(list, [&](Item* e) {
        if (e->id == 1) list.remove(&items[2]);  // the next one
        if (e->id == 3) list.remove(&items[3]);  // the current one
        if (e->id == 4) list.append(&items[7]);  // on the last element: visited
        if (e->id == 0) {
            list.prepend(&items[5]);  // a new head: never visited
            OMListLocator<Item> at(list);
            at.find(&items[0]);
            at.insertAfter(&items[6]);  // right before the walk's next node: visited first
        }
    }), "061347");
    EXPECT_EQ(ids(list), "5 0 6 1 4 7 ");
}

TEST_F(ListTest, ClearingEndsWalksAndDeletesEachElementOnceFromAnEmptyList) {
    OMList<Item> list;
    fill(list, {0, 1, 2});
    EXPECT_EQ(walkNoting(list, [&](Item* e) {
        if (e->id != 0) return;
        list.clear(false);
        fill(list, {5, 6});
    }), "0");
    EXPECT_EQ(walkNoting(list, [](Item*) {}), "56");
    static OMList<Item>* seenBy;
    static int countSeen;
    struct Watcher : Item {
        ~Watcher() override { countSeen = seenBy->count; }
    };
    OMList<Item> owned;
    seenBy = &owned;
    Item::destroyed = 0;
    owned.append(new Watcher());
    owned.append(new Item());
    owned.clear(true);
    EXPECT_EQ(std::make_pair(Item::destroyed, countSeen), std::make_pair(2, 0));
}

TEST_F(ListTest, ThreeNestedWalksAndARefusedFourth) {
    OMList<Item> list;
    fill(list, {0, 1, 2, 3});
    std::string seen;
    bool fourth = true;
    walk(list, [&](Item* a) {
        seen += "a" + std::to_string(a->id);
        if (a->id == 0) walk(list, [&](Item* b) {
            seen += "b" + std::to_string(b->id);
            if (b->id == 0) walk(list, [&](Item* c) {
                seen += "c" + std::to_string(c->id);
                if (c->id != 0) return;
                list.remove(&items[1]);  // the next node of all three walks
                fourth = walk(list, [&](Item*) { seen += "!"; });
            });
        });
    });
    EXPECT_FALSE(fourth);
    EXPECT_EQ(seen, "a0b0c0c2c3b2b3a2a3");
    EXPECT_TRUE(walk(list, [](Item*) {}));
}

}  // namespace
