// Lists and cursors: insertion rules, walks that survive mutation, nesting limits, clearing, assignment.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "OMList.h"

namespace {

struct Item {
    explicit Item(int k = 0, int i = 0) : key(k), id(i) {}
    Item(const Item&) = default;
    Item& operator=(const Item&) = default;
    virtual ~Item() { ++destroyed; }
    int key;
    int id;
    static int destroyed;
    std::int32_t isEven() { return key % 2 == 0; }
    std::int32_t hasKey(OMArg k) { return key == static_cast<int>(k); }
};
int Item::destroyed = 0;

std::int32_t keyAtMost(Item* e, Item* x) { return e->key <= x->key; }
std::int32_t keyBelow(Item* e, Item* x) { return e->key < x->key; }
std::int32_t never(Item*, Item*) { return 0; }

std::string ids(const OMList<Item>& list) {
    std::string out;
    for (OMListElement<Item>* n = list.head; n; n = n->next) out += std::to_string(n->element->id) + " ";
    return out;
}

// Runs a forEach whose callback is a std::function, so each test writes its mutation inline.
using Visit = std::function<void(Item*)>;
std::int32_t callVisit(Item* e, OMArg visit) {
    (*reinterpret_cast<Visit*>(visit))(e);
    return 0;
}
bool walk(OMList<Item>& list, Visit visit) {
    OMListCallbackBlock<Item> block;
    block.functionWithArgument = callVisit;
    return list.forEach(3, block, reinterpret_cast<OMArg>(&visit));
}

class ListTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 8; ++i) items[i] = Item(i, i);
    }
    void fill(OMList<Item>& list, std::vector<int> which) {
        for (int i : which) list.append(&items[i]);
    }
    // A walk that records each visited id and applies `mutate` to it.
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

TEST_F(ListTest, AppendPrependRemoveAndNull) {
    OMList<Item> list;
    list.append(nullptr);
    list.prepend(nullptr);
    EXPECT_EQ(list.head, nullptr);
    fill(list, {1, 2, 1});
    list.prepend(&items[0]);
    EXPECT_EQ(ids(list), "0 1 2 1 ");
    EXPECT_EQ(list.remove(&items[1]), &items[1]);  // the first copy only
    EXPECT_EQ(ids(list), "0 2 1 ");
    EXPECT_EQ(list.remove(&items[1]), &items[1]);
    EXPECT_EQ(list.remove(&items[1]), nullptr);
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.contains(&items[1]), 0);
    EXPECT_EQ(list.tail->next, nullptr);
}

TEST_F(ListTest, SortedInsertionPlacesEqualsByThePredicate) {
    struct Case {
        const char* name;
        OMList<Item>::Compare compare;
        bool prepend;
        const char* order;
    };
    // keys: id 0..5 have keys 2, 1, 2, 0, 1, 2 (ids 0,2,5 and 1,4 are equals)
    const Case cases[] = {
        {"append, at most: first in first out", keyAtMost, false, "3 1 4 0 2 5 "},
        {"prepend, at most", keyAtMost, true, "3 1 4 0 2 5 "},
        {"append, strict: last in first", keyBelow, false, "3 4 1 5 2 0 "},
        {"prepend, strict", keyBelow, true, "3 4 1 5 2 0 "},
        {"append, always zero: each new one is the head", never, false, "5 4 3 2 1 0 "},
        {"prepend, always zero: each new one is the head", never, true, "5 4 3 2 1 0 "},
    };
    const int keys[] = {2, 1, 2, 0, 1, 2};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OMList<Item> list(c.compare);
        for (int i = 0; i < 6; ++i) {
            items[i].key = keys[i];
            c.prepend ? list.prepend(&items[i]) : list.append(&items[i]);
        }
        EXPECT_EQ(ids(list), c.order);
        EXPECT_EQ(list.count, 6);
    }
}

TEST_F(ListTest, SortedAppendInAscendingOrderComparesOncePerElement) {
    static int calls;
    calls = 0;
    OMList<Item> list([](Item* e, Item* x) -> std::int32_t {
        ++calls;
        return e->key <= x->key;
    });
    fill(list, {0, 1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(calls, 7);
}

TEST_F(ListTest, WalkSurvivesRemovalOfCurrentAndNext) {
    OMList<Item> list;
    fill(list, {0, 1, 2, 3, 4});
    EXPECT_EQ(walkNoting(list, [&](Item* e) {
        if (e->id == 1) list.remove(&items[2]);  // the next one
        if (e->id == 3) list.remove(&items[3]);  // the current one
    }), "0134");
    EXPECT_EQ(ids(list), "0 1 4 ");
}

TEST_F(ListTest, WalkVisitsTailAppendsAndInsertionsBeforeItsNextButNotNewHeads) {
    OMList<Item> list;
    fill(list, {0, 1, 2});
    EXPECT_EQ(walkNoting(list, [&](Item* e) {
        if (e->id == 0) {
            list.prepend(&items[5]);  // new head: never visited
            OMListLocator<Item> at(list);
            at.find(&items[0]);
            at.insertAfter(&items[6]);  // right before the walk's next node: visited first
        }
        if (e->id == 2) list.append(&items[7]);  // on the last element: visited
        if (e->id == 7) list.append(&items[4]);
    }), "061274");
    EXPECT_EQ(ids(list), "5 0 6 1 2 7 4 ");
}

TEST_F(ListTest, WalkOfAnEmptiedListIgnoresNewElements) {
    for (const bool useClear : {false, true}) {
        SCOPED_TRACE(useClear ? "cleared" : "emptied by removals");
        OMList<Item> list;
        fill(list, {0, 1, 2});
        EXPECT_EQ(walkNoting(list, [&](Item* e) {
            if (e->id != 0) return;
            if (useClear) {
                list.clear(false);
            } else {
                for (int i : {0, 1, 2}) list.remove(&items[i]);
            }
            list.append(&items[5]);
            if (useClear) list.append(&items[6]);
        }), "0");
        EXPECT_EQ(list.innermostWalk, -1);
        // the list stays usable: a fresh walk sees what was added
        EXPECT_EQ(walkNoting(list, [](Item*) {}), useClear ? "56" : "5");
    }
}

TEST_F(ListTest, ThreeNestedWalksAndARefusedFourth) {
    OMList<Item> list;
    fill(list, {0, 1, 2, 3});
    std::string seen;
    bool fourth = true;
    int fourthVisits = 0;
    walk(list, [&](Item* a) {
        seen += "a" + std::to_string(a->id);
        if (a->id != 0) return;
        walk(list, [&](Item* b) {
            seen += "b" + std::to_string(b->id);
            if (b->id != 0) return;
            walk(list, [&](Item* c) {
                seen += "c" + std::to_string(c->id);
                if (c->id == 0) {
                    list.remove(&items[1]);  // next node of all three walks
                    fourth = walk(list, [&](Item*) { ++fourthVisits; });
                }
            });
        });
    });
    EXPECT_FALSE(fourth);
    EXPECT_EQ(fourthVisits, 0);
    EXPECT_EQ(seen, "a0b0c0c2c3b2b3a2a3");
    EXPECT_EQ(list.innermostWalk, -1);
    EXPECT_EQ(ids(list), "0 2 3 ");
    EXPECT_TRUE(walk(list, [](Item*) {}));
}

TEST_F(ListTest, FindsFromEitherEnd) {
    OMList<Item> list;
    EXPECT_EQ(list.findFirst(0, {}, 0), nullptr);
    fill(list, {0, 1, 2, 3, 4, 5});
    OMListCallbackBlock<Item> block;
    block.member = &Item::isEven;
    block.memberWithArgument = &Item::hasKey;
    block.functionWithArgument = [](Item* e, OMArg k) -> std::int32_t { return e->key > static_cast<int>(k); };
    EXPECT_EQ(list.findFirst(0, block, 0), &items[0]);
    EXPECT_EQ(list.findLast(0, block, 0), &items[4]);
    EXPECT_EQ(list.findFirst(1, block, 3), &items[3]);
    EXPECT_EQ(list.findFirst(2, block, 2), &items[3]);
    EXPECT_EQ(list.findLast(2, block, 2), &items[5]);
    EXPECT_EQ(list.findFirst(3, block, 2), nullptr);
}

TEST_F(ListTest, ClearWithDeletionFindsTheListAlreadyEmpty) {
    static OMList<Item>* seenBy;
    static int countSeen;
    struct Watcher : Item {
        ~Watcher() override { countSeen = seenBy->count; }
    };
    OMList<Item> list;
    seenBy = &list;
    countSeen = -1;
    Item::destroyed = 0;
    list.append(new Watcher());
    list.append(new Item(2, 2));
    list.clear(true);
    EXPECT_EQ(Item::destroyed, 2);
    EXPECT_EQ(countSeen, 0);
    {
        OMList<Item> dropped;
        dropped.append(&items[0]);
    }
    EXPECT_EQ(Item::destroyed, 2);  // the destructor frees nodes only
}

TEST_F(ListTest, AssignmentCopiesOrderAndCompare) {
    OMList<Item> sorted(keyAtMost);
    for (int i : {3, 1, 2}) sorted.append(&items[i]);
    OMList<Item> copy;
    fill(copy, {7});
    copy = sorted;
    EXPECT_EQ(ids(copy), "1 2 3 ");
    EXPECT_EQ(copy.compare, &keyAtMost);
    copy.append(&items[0]);
    EXPECT_EQ(ids(copy), "0 1 2 3 ");
}

TEST_F(ListTest, LocatorMovesInsertsAndRemoves) {
    OMList<Item> list;
    OMListLocator<Item> onEmpty(list);
    onEmpty.insertAfter(&items[0]);
    EXPECT_EQ(list.count, 0);

    fill(list, {0, 1, 2});
    OMListLocator<Item> at(list);
    at.insertBefore(&items[5]);
    EXPECT_EQ(at.current(), &items[5]);
    at.toTail();
    OMListLocator<Item> before = at++;
    EXPECT_EQ(before.current(), &items[2]);
    EXPECT_EQ(at.current(), nullptr);
    at++;
    EXPECT_EQ(at.current(), nullptr);
    at.find(&items[0]);
    at.insertBefore(&items[6]);
    EXPECT_EQ(at.current(), &items[6]);
    at.advance(2);
    at--;
    EXPECT_EQ(at.removeCurrent(), &items[0]);
    EXPECT_EQ(at.current(), &items[1]);
    at.toTail();
    at.insertAfter(&items[7]);
    EXPECT_EQ(list.tail->element, &items[7]);
    at.advance(1);
    EXPECT_EQ(at.removeCurrent(), nullptr);
    EXPECT_EQ(ids(list), "5 6 1 2 7 ");
    EXPECT_EQ(list.count, 5);
}

}  // namespace
