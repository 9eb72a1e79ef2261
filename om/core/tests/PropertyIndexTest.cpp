// The property hash table where it has edges of its own: names that share a home slot, a probe chain
// that wraps past the table's end, and removals from the middle of such a chain.
#include "CoreTestSupport.h"
#include "OMPropertyIndex.h"
#include "OMScriptableObjectProperty.h"

namespace {

constexpr std::size_t kSlots = 16;  // the table's size while it holds 5 to 8 names

std::size_t homeSlot(const std::string& name) { return omPropertyNameHash(name.c_str()) & (kSlots - 1); }

// The first `count` names "n0", "n1", ... whose home is `slot`.
std::vector<std::string> namesAt(std::size_t slot, std::size_t count) {
    std::vector<std::string> names;
    for (int i = 0; names.size() < count; ++i) {
        std::string name = "n" + std::to_string(i);
        if (homeSlot(name) == slot) names.push_back(name);
    }
    return names;
}

struct PropertyIndexTest : ::testing::Test {
    // Five names make the table grow to 16 slots and leave it empty at that size; then the names land
    // in order: A, C, D and F at home in slot 15, B in 0, E in 1, G in 2, giving
    //   slot 15: A   0: B   1: C   2: D   3: E   4: F   5: G
    // so the chain from slot 15 wraps, and B, E and G sit inside it, some at home and some not.
    void SetUp() override {
        std::vector<std::unique_ptr<OMSEventProperty>> fillers;
        for (const char* name : {"f1", "f2", "f3", "f4", "f5"}) {
            fillers.push_back(std::make_unique<OMSEventProperty>(name));
            index.insert(fillers.back().get());
        }
        for (const auto& filler : fillers) index.erase(filler.get());
        const std::vector<std::string> last = namesAt(kSlots - 1, 4);
        names = {last[0], namesAt(0, 1)[0], last[1], last[2], namesAt(1, 1)[0], last[3], namesAt(2, 1)[0]};
        for (const std::string& name : names) {
            records.push_back(std::make_unique<OMSEventProperty>(name.c_str()));
            index.insert(records.back().get());
        }
        ASSERT_EQ(index.slotCount(), kSlots);
    }
    std::vector<std::string> names;
    std::vector<std::unique_ptr<OMSEventProperty>> records;
    OMPropertyIndex index;
};

TEST_F(PropertyIndexTest, EveryCollidingNameIsFound) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(index.find(names[i].c_str()), records[i].get());
    }
    EXPECT_EQ(index.find(namesAt(kSlots - 1, 5)[4].c_str()), nullptr) << "a name of the same home, not added";
    EXPECT_EQ((std::vector<const void*>{index.find("N0"), index.find(""), index.find(nullptr)}),
              std::vector<const void*>(3, nullptr));
}

// After each removal, whatever its place in the chain, the others are all still found and the removed
// ones are not; a removed name can be added again.
TEST_F(PropertyIndexTest, RemovalsKeepTheChainWhole) {
    const std::vector<std::vector<std::size_t>> orders = {
        {1, 0, 6, 5, 2, 4, 3}, {0, 1, 2, 3, 4, 5, 6}, {6, 5, 4, 3, 2, 1, 0}, {3, 6, 0, 4, 1, 5, 2}};
    for (const auto& order : orders) {
        SCOPED_TRACE(testing::Message() << "removal order starting " << order[0] << order[1] << order[2]);
        std::vector<bool> present(names.size(), true);
        for (std::size_t removed : order) {
            index.erase(records[removed].get());
            present[removed] = false;
            for (std::size_t i = 0; i < names.size(); ++i) {
                EXPECT_EQ(index.find(names[i].c_str()), present[i] ? records[i].get() : nullptr)
                    << names[i] << " after removing " << names[removed];
            }
        }
        for (std::size_t i = 0; i < names.size(); ++i) index.insert(records[i].get());
    }
}

}  // namespace
