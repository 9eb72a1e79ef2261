// Memory handles over real global memory: numbering, table growth, stale use, locks, sharing, labels,
// the low-memory retry and the resource manager's hooks.
#include <cstring>

#include "EngineTestSupport.h"
#include "MemUtil.h"

namespace {

constexpr std::uint32_t kHuge = 0x7FFFFFF0u;  // never granted by the platform

struct MemHandleTest : ::testing::Test {
    void SetUp() override { ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1); }
    void TearDown() override {
        MemSetResourceHooks(nullptr, nullptr);
        MemTerm();
    }
};

// The error word after a call that was refused, or -1 when it was not.
std::int16_t errorAfter(bool refused) { return refused ? MemGetError() : -1; }

std::vector<std::pair<std::uint32_t, std::int16_t>> callbackCalls;
std::int16_t retryTwice(std::uint32_t size, std::int16_t attempt) {
    callbackCalls.emplace_back(size, attempt);
    return attempt < 2 ? 0 : 1;
}

TEST_F(MemHandleTest, HandlesCarryOddSequenceAndIndexOverZeroFilledBlocksInGrowingTables) {
    EXPECT_EQ((Both{MemHandleAlloc(16), MemHandleAlloc(16)}), Both(0x10000, 0x30001));
    std::uint32_t count = 0, bytes = 0, largest = 0;
    MemGetStats(&count, &bytes, &largest);
    EXPECT_EQ((Results{count, bytes, largest}), (Results{2, 32, 16}));
    MemHandle handle = MemHandleAlloc(64);
    auto* data = static_cast<std::uint8_t*>(MemHandleLock(handle));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::vector<std::uint8_t>(data, data + 64), std::vector<std::uint8_t>(64, 0));
    EXPECT_EQ((Both{MemHandleGetPtr(handle) == data, MemHandleFromPtr(data)}), Both(1, handle));
    MemHandleUnlock(handle);
    EXPECT_EQ((Both{MemHandleGetPtr(handle) == nullptr, MemHandleLock(handle) == data}), Both(1, 1))
        << "unlocked: no address handed out; the block stays put while registered";
    // The 201st block opens a second table of 25.
    std::vector<MemHandle> handles;
    for (int i = 3; i < 226; ++i) handles.push_back(MemHandleAlloc(4));
    EXPECT_EQ(handles[197], 401u << 16 | 200u);
    EXPECT_EQ(handles.back() & 0xFFFF, 225u) << "the second table is full: a third one follows";
    EXPECT_EQ(MemHandleFree(&handles[207]), 1);
    EXPECT_EQ(MemHandleAlloc(4) & 0xFFFF, 210u) << "the free list of the second table is used first";
}

TEST_F(MemHandleTest, StaleAndForgedHandlesDoNothingAndLeaveTheErrorWordAt0NullOnesGiveErrors) {
    MemHandle old = MemHandleAlloc(8);
    MemHandle copy = old;
    ASSERT_EQ((Both{MemHandleFree(&copy), copy}), Both(1, 0));
    MemHandle fresh = MemHandleAlloc(8);
    EXPECT_EQ(fresh, old + 0x20000) << "the entry again, the sequence on by 2";
    for (MemHandle bad : {old, MemHandle{0xFFFFFFFFu}}) {
        SCOPED_TRACE(bad);
        MemHandle stale = bad;
        EXPECT_EQ((Results{errorAfter(MemHandleLock(bad) == nullptr), errorAfter(MemHandleGetSize(bad) == 0),
                           errorAfter(MemHandleSetLabel(bad, "X", 1) == 0), errorAfter(MemHandleIsLocked(bad) == 0),
                           errorAfter(MemHandleUnregister(&stale) == 0), errorAfter(MemHandleResize(&stale, 32) == 0),
                           errorAfter(MemHandleFree(&stale) == 0), stale == bad}),
                  (Results{0, 0, 0, 0, 0, 0, 6, 1}));
    }
    EXPECT_EQ(MemHandleGetSize(fresh), 8u) << "the live handle in the reused entry is untouched";
    // Null handles and addresses do give error words.
    MemHandle none = 0;
    int local = 0;
    void* foreign = &local;
    EXPECT_EQ((Results{errorAfter(MemHandleLock(0) == nullptr), errorAfter(MemHandleFree(nullptr) == 0),
                       errorAfter(MemHandleFree(&none) == 0), errorAfter(MemHandleUnregister(nullptr) == 0),
                       errorAfter(MemHandleRegister(nullptr, 4, 0) == 0), errorAfter(MemHandleFromPtr(nullptr) == 0),
                       errorAfter(MemHandleForEach(nullptr, nullptr, nullptr) == 0)}),
              (Results{2, 2, 2, 2, 2, 3, 3}));
    EXPECT_EQ((Both{MemPtrFree(&foreign), foreign == &local}), Both(0, 1)) << "a foreign address is left alone";
}

TEST_F(MemHandleTest, LockedBlockRefusesFreeUnregisterAndPurgeAndASharedBlockNeedsTwoFrees) {
    MemHandle handle = MemHandleAlloc(8);
    ASSERT_NE(MemHandleLock(handle), nullptr);
    MemHandle copy = handle;
    EXPECT_EQ((Both{errorAfter(MemHandleFree(&copy) == 0), errorAfter(MemHandleUnregister(&copy) == 0)}), Both(6, 6));
    EXPECT_EQ(errorAfter(MemHandlePurge(handle) == 0), 6);
    EXPECT_EQ(copy, handle) << "a refusal leaves the caller's handle alone";
    MemHandleUnlock(handle);
    EXPECT_EQ(MemHandleFree(&copy), 1);
    // An unlock below zero also counts as locked, until a lock brings the count back.
    MemHandle other = MemHandleAlloc(8);
    EXPECT_EQ((Both{MemHandleUnlock(other), MemHandleIsLocked(other)}), Both(0, 1));
    EXPECT_EQ(errorAfter(MemHandleFree(&other) == 0), 6);
    ASSERT_NE(MemHandleLock(other), nullptr);
    EXPECT_EQ(MemHandleFree(&other), 1);
    handle = MemHandleAlloc(8);
    PlatBlock block = MemHandleGetBlock(handle);
    EXPECT_EQ((Both{MemHandleRegister(block, 99, 0), MemHandleGetSize(handle)}), Both(handle, 8))
        << "the second registration changes nothing else";
    MemHandle first = handle, second = handle;
    EXPECT_EQ((Both{MemHandleFree(&first), PlatMemSize(MemHandleGetBlock(handle))}), Both(1, 8));
    EXPECT_EQ(MemHandleFree(&second), 1);
    std::uint32_t count = 1;
    PlatMemGetStats(&count, nullptr);
    EXPECT_EQ(count, 1u) << "only the handle table is left";
}

std::vector<MemHandle> visited;

TEST_F(MemHandleTest, LabelsAreCutAtFifteenFoundInTableOrderAndVisited) {
    MemHandle a = MemHandleAlloc(4), b = MemHandleAlloc(4), c = MemHandleAlloc(4);
    MemHandleSetLabel(a, "ABCDEFGHIJKLMNOPQRST", 7);
    MemHandleSetLabel(b, "XPK", 12);
    MemHandleSetLabel(c, "XPK", 13);
    EXPECT_EQ(MemHandleSetLabel(a, nullptr, 9), 1) << "the tag alone";
    char name[16];
    std::uint32_t tag = 0, thirteen = 13;
    EXPECT_EQ(MemHandleGetLabel(a, name, &tag), 1);
    EXPECT_EQ(name + std::to_string(tag), "ABCDEFGHIJKLMNO9");
    EXPECT_EQ((Results{MemHandleFind(a, nullptr, nullptr), MemHandleFind(b, "XPK", nullptr),
                       MemHandleFind(c, "XPK", nullptr), MemHandleFind(0, "XPK", &thirteen),
                       MemHandleFind(0, "xpk", nullptr)}),
              (Results{b, c, 0, c, 0})) << "in table order, by name and tag; case counts";
    // ForEach stops at a 0 answer and survives a visitor that frees what it is given.
    auto visitOne = [](MemHandle h) -> std::int16_t { return visited.push_back(h), 0; };
    auto freeEach = [](MemHandle h) -> std::int16_t { return visited.push_back(h), MemHandleFree(&h); };
    EXPECT_EQ((Both{MemHandleForEach(visitOne, "XPK", nullptr), MemHandleForEach(freeEach, "XPK", nullptr)}),
              Both(1, 2));
    EXPECT_EQ(visited, (std::vector<MemHandle>{b, b, c}));
    EXPECT_EQ(MemHandleFind(0, "XPK", nullptr), 0u);
}

TEST_F(MemHandleTest, FailedAllocationRetriesThroughTheCallbackThenGivesError4) {
    MemSetLowMemoryCallback(retryTwice);
    EXPECT_EQ(errorAfter(MemHandleAllocFlags(kHuge, kMemZeroFill) == 0), 4);
    EXPECT_EQ(callbackCalls, (std::vector<std::pair<std::uint32_t, std::int16_t>>{{kHuge, 0}, {kHuge, 1}, {kHuge, 2}}));
    callbackCalls.clear();
    PlatMemSetLowMemoryCallback(retryTwice);
    EXPECT_EQ(errorAfter(MemHandleAllocFlags(kHuge, kMemNoRetry) == 0), 4);
    EXPECT_TRUE(callbackCalls.empty()) << "neither layer's callback is asked";
    PlatMemSetLowMemoryCallback(nullptr);
    MemSetLowMemoryCallback(nullptr);
}

std::vector<MemHandle> hookCalls;
std::int16_t reloadWithPattern(MemHandle handle) {
    hookCalls.push_back(handle);
    PlatBlock block = MemHandleGetBlock(handle);
    if (!PlatMemResize(&block, 16)) return 0;
    std::memset(PlatMemLock(block), 0x5A, 16);
    PlatMemUnlock(block);
    return 1;
}
std::int16_t releaseToResources(MemHandle* handle) {
    hookCalls.push_back(*handle);
    return MemHandleUnregister(handle);
}

TEST_F(MemHandleTest, ResourceBlocksGoThroughTheHooksAndFailWithout) {
    for (bool hooks : {true, false}) {
        SCOPED_TRACE(hooks);
        MemSetResourceHooks(hooks ? releaseToResources : nullptr, hooks ? reloadWithPattern : nullptr);
        hookCalls.clear();
        PlatBlock block = PlatMemAlloc(16, kMemZeroFill);
        MemHandle handle = MemHandleRegister(block, 16, kMemResource);
        ASSERT_NE(handle, 0u);
        PlatMemUnlock(block);  // the resource manager lets a purgeable block go
        ASSERT_EQ(MemHandlePurge(handle), 1);
        EXPECT_EQ(Both(MemHandleIsPurged(handle), MemHandleGetSize(handle)), Both(1, 0));
        auto* bytes = static_cast<std::uint8_t*>(MemHandleLock(handle));
        EXPECT_EQ(bytes ? bytes[15] : -1, hooks ? 0x5A : -1) << "read back only through the hook";
        if (bytes) MemHandleUnlock(handle);
        EXPECT_EQ((Both{MemHandleFree(&handle), hookCalls.size()}), Both(1, hooks ? 2 : 0)) << "read back, given back";
        if (hooks) PlatMemFree(&block);
    }
    // Unmapped blocks hand out no address either.
    MemHandle handle = MemHandleAllocFlags(8, kMemUnmapped);
    EXPECT_EQ(MemHandleLock(handle), nullptr);
    MemHandleUnlock(handle);
    EXPECT_EQ(Both(MemHandleIsLocked(handle), PlatMemLockCount(MemHandleGetBlock(handle))), Both(0, 0));
}

TEST_F(MemHandleTest, PointerFormsModeWordFlagsGuardedCopiesAndTerm) {
    void* address = MemPtrAlloc(12);
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(MemPtrGetSize(address), 12u);
    EXPECT_EQ((Both{MemSetModeFlag(5), MemSetModeFlag(0)}), Both(0, 5)) << "restored after MemPtrAlloc's bracket";
    EXPECT_EQ((Both{MemPtrFree(&address), address == nullptr}), Both(1, 1));
    MemHandle handle = MemHandleAlloc(8);  // setting a flag answers the old word
    EXPECT_EQ(MemHandleSetFlags(handle, 0x0100, 1), kMemZeroFill | kMemFreshBlock);
    char target[4] = {'a', 'b', 'c', 'd'};  // null ends and empty copies are refused
    MemCopy(target, "xyz", 0), MemCopy(nullptr, "xyz", 3), MemCopy(target, nullptr, 3), MemFill(nullptr, 2, '!');
    MemFill(target + 2, 2, '!');
    EXPECT_EQ(std::string(target, 4), "ab!!");
    // MemTerm releases the tables and stops the layer.
    MemTerm();
    ASSERT_EQ(MemInit(2, 0), 1);
    MemHandle a = MemHandleAlloc(4), b = MemHandleAlloc(4);
    EXPECT_EQ(errorAfter(MemHandleAlloc(4) == 0), 4) << "no growth: the table is full";
    EXPECT_EQ((Results{MemHandleFree(&a), MemTerm(), MemIsStarted()}), (Results{1, 1, 0}));
    EXPECT_EQ(MemHandleLock(b), nullptr);
}

}  // namespace
