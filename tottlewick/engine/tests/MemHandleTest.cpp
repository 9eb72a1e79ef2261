// Memory handles over real global memory: numbering, table growth, stale use, locks, sharing, labels,
// the low-memory retry and the resource manager's hooks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "MemHandle.h"
#include "MemUtil.h"

namespace {

constexpr std::uint32_t kHuge = 0x7FFFFFF0u;  // never granted by the platform

class MemHandleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(MemInit(kMemFirstTableEntries, kMemGrowEntries), 1); }
    void TearDown() override {
        MemSetResourceHooks(nullptr, nullptr);
        MemTerm();
    }
};

std::vector<std::pair<std::uint32_t, std::int16_t>> callbackCalls;
std::int16_t retryTwice(std::uint32_t size, std::int16_t attempt) {
    callbackCalls.emplace_back(size, attempt);
    return attempt < 2 ? 0 : 1;
}

TEST_F(MemHandleTest, HandlesCarryOddSequenceAndIndexOverZeroFilledBlocks) {
    MemHandle first = MemHandleAlloc(16);
    MemHandle second = MemHandleAlloc(16);
    EXPECT_EQ(first, 0x10000u);
    EXPECT_EQ(second, 0x30001u);
    std::uint32_t count = 0, bytes = 0, largest = 0;
    MemGetStats(&count, &bytes, &largest);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(bytes, 32u);
    EXPECT_EQ(largest, 16u);

    // Blocks are zero-filled and stay put while registered.
    MemHandle handle = MemHandleAlloc(64);
    auto* data = static_cast<std::uint8_t*>(MemHandleLock(handle));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::vector<std::uint8_t>(data, data + 64), std::vector<std::uint8_t>(64, 0));
    EXPECT_EQ(MemHandleGetPtr(handle), data);
    EXPECT_EQ(MemHandleFromPtr(data), handle);
    EXPECT_EQ(MemHandleGetSize(handle), 64u);
    MemHandleUnlock(handle);
    EXPECT_EQ(MemHandleGetPtr(handle), nullptr);  // unlocked: no address handed out
    EXPECT_EQ(MemHandleLock(handle), data);
    MemHandleUnlock(handle);
}

TEST_F(MemHandleTest, TheTwoHundredFirstBlockOpensASecondTable) {
    std::vector<MemHandle> handles;
    for (int i = 0; i < 201; ++i) handles.push_back(MemHandleAlloc(4));
    EXPECT_EQ(handles[199] & 0xFFFF, 199u);
    EXPECT_EQ(handles[200] & 0xFFFF, 200u);
    EXPECT_EQ(handles[200] >> 16, 401u);
    for (int i = 0; i < 25; ++i) handles.push_back(MemHandleAlloc(4));
    EXPECT_EQ(handles.back() & 0xFFFF, 225u);  // the second table is full: a third one follows
    for (MemHandle h : handles) ASSERT_NE(MemHandleLock(h), nullptr) << std::hex << h;
    for (MemHandle h : handles) MemHandleUnlock(h);
    MemHandle freed = handles[210];
    EXPECT_EQ(MemHandleFree(&freed), 1);
    EXPECT_EQ(MemHandleAlloc(4) & 0xFFFF, 210u);  // the free list of the second table is used first
}

TEST_F(MemHandleTest, StaleAndForgedHandlesDoNothingAndLeaveTheErrorWordAt0) {
    MemHandle old = MemHandleAlloc(8);
    MemHandle copy = old;
    ASSERT_EQ(MemHandleFree(&copy), 1);
    EXPECT_EQ(copy, 0u);
    MemHandle fresh = MemHandleAlloc(8);
    EXPECT_EQ(fresh & 0xFFFF, old & 0xFFFF);
    EXPECT_NE(fresh, old);

    // The error word after a call that was refused, or -1 when it was not.
    auto errorAfter = [](bool refused) { return refused ? MemGetError() : -1; };
    for (MemHandle bad : {old, MemHandle{0xFFFFFFFFu}}) {
        SCOPED_TRACE(bad);
        MemHandle stale = bad;
        EXPECT_EQ(errorAfter(MemHandleLock(bad) == nullptr), 0);
        EXPECT_EQ(errorAfter(MemHandleGetPtr(bad) == nullptr), 0);
        EXPECT_EQ(errorAfter(MemHandleGetSize(bad) == 0), 0);
        EXPECT_EQ(errorAfter(MemHandleGetBlock(bad) == nullptr), 0);
        EXPECT_EQ(errorAfter(MemHandleSetLabel(bad, "X", 1) == 0), 0);
        EXPECT_EQ(errorAfter(MemHandleGetLabel(bad, nullptr, nullptr) == 0), 0);
        EXPECT_EQ(errorAfter(MemHandleIsLocked(bad) == 0), 0);
        EXPECT_EQ(errorAfter(MemHandleUnregister(&stale) == 0), 0);
        EXPECT_EQ(errorAfter(MemHandleResize(&stale, 32) == 0), 0);
        EXPECT_EQ(errorAfter(MemHandleFree(&stale) == 0), 6);
        EXPECT_EQ(stale, bad);
    }
    EXPECT_EQ(MemHandleGetSize(fresh), 8u) << "the live handle in the reused entry is untouched";
}

TEST_F(MemHandleTest, NullHandlesAndAddressesGiveErrorWords) {
    EXPECT_EQ(MemHandleLock(0), nullptr);
    EXPECT_EQ(MemGetError(), 2);
    EXPECT_EQ(MemHandleFree(nullptr), 0);
    EXPECT_EQ(MemGetError(), 2);
    MemHandle none = 0;
    EXPECT_EQ(MemHandleFree(&none), 0);
    EXPECT_EQ(MemGetError(), 2);
    EXPECT_EQ(MemHandleUnregister(nullptr), 0);
    EXPECT_EQ(MemGetError(), 2);
    EXPECT_EQ(MemHandleFromPtr(nullptr), 0u);
    EXPECT_EQ(MemGetError(), 3);
    EXPECT_EQ(MemHandleForEach(nullptr, nullptr, nullptr), 0u);
    EXPECT_EQ(MemGetError(), 3);
    EXPECT_EQ(MemHandleRegister(nullptr, 4, 0), 0u);
    EXPECT_EQ(MemGetError(), 2);
    EXPECT_EQ(MemPtrFree(nullptr), 0);
    int local = 0;
    void* foreign = &local;
    EXPECT_EQ(MemPtrFree(&foreign), 0);
    EXPECT_EQ(foreign, &local);
}

TEST_F(MemHandleTest, LockedBlockRefusesFreeUnregisterAndPurge) {
    MemHandle handle = MemHandleAlloc(8);
    ASSERT_NE(MemHandleLock(handle), nullptr);
    MemHandle copy = handle;
    EXPECT_EQ(MemHandleFree(&copy), 0);
    EXPECT_EQ(MemGetError(), 6);
    EXPECT_EQ(copy, handle);
    EXPECT_EQ(MemHandleUnregister(&copy), 0);
    EXPECT_EQ(MemGetError(), 6);
    EXPECT_EQ(copy, handle);  // a refused unregistration leaves the caller's handle alone
    EXPECT_EQ(MemHandlePurge(handle), 0);
    EXPECT_EQ(MemGetError(), 6);
    EXPECT_EQ(MemHandleIsLocked(handle), 1);
    MemHandleUnlock(handle);
    EXPECT_EQ(MemHandleFree(&copy), 1);
    EXPECT_EQ(copy, 0u);

    // An unlock below zero also counts as locked, until a lock brings the count back.
    MemHandle other = MemHandleAlloc(8);
    EXPECT_EQ(MemHandleUnlock(other), 0);
    EXPECT_EQ(MemHandleIsLocked(other), 1);
    EXPECT_EQ(MemHandleFree(&other), 0);
    EXPECT_EQ(MemGetError(), 6);
    ASSERT_NE(MemHandleLock(other), nullptr);
    EXPECT_EQ(MemHandleFree(&other), 1);
}

TEST_F(MemHandleTest, SharedBlockNeedsTwoFrees) {
    MemHandle handle = MemHandleAlloc(8);
    PlatBlock block = MemHandleGetBlock(handle);
    EXPECT_EQ(MemHandleRegister(block, 99, 0), handle);
    EXPECT_EQ(MemHandleGetSize(handle), 8u);  // the second registration changes nothing else
    MemHandle first = handle, second = handle;
    EXPECT_EQ(MemHandleFree(&first), 1);
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(MemHandleGetBlock(handle), block);
    EXPECT_EQ(PlatMemSize(block), 8u);
    EXPECT_EQ(MemHandleFree(&second), 1);
    EXPECT_EQ(MemHandleGetBlock(handle), nullptr);
    std::uint32_t count = 1;
    PlatMemGetStats(&count, nullptr);
    EXPECT_EQ(count, 1u);  // only the handle table is left
}

TEST_F(MemHandleTest, LabelsAreCutAtFifteenAndFoundInTableOrder) {
    MemHandle a = MemHandleAlloc(4), b = MemHandleAlloc(4), c = MemHandleAlloc(4);
    EXPECT_EQ(MemHandleSetLabel(a, "ABCDEFGHIJKLMNOPQRST", 7), 1);
    EXPECT_EQ(MemHandleSetLabel(b, "XPK", 12), 1);
    EXPECT_EQ(MemHandleSetLabel(c, "XPK", 13), 1);
    char name[16];
    std::uint32_t tag = 0;
    EXPECT_EQ(MemHandleGetLabel(a, name, &tag), 1);
    EXPECT_STREQ(name, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(tag, 7u);
    EXPECT_EQ(MemHandleSetLabel(a, nullptr, 9), 1);  // the tag alone
    EXPECT_EQ(MemHandleGetLabel(a, name, &tag), 1);
    EXPECT_STREQ(name, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(tag, 9u);

    EXPECT_EQ(MemHandleFind(0, nullptr, nullptr), a);
    EXPECT_EQ(MemHandleFind(a, nullptr, nullptr), b);
    EXPECT_EQ(MemHandleFind(0, "XPK", nullptr), b);
    EXPECT_EQ(MemHandleFind(b, "XPK", nullptr), c);
    EXPECT_EQ(MemHandleFind(c, "XPK", nullptr), 0u);
    std::uint32_t thirteen = 13;
    EXPECT_EQ(MemHandleFind(0, "XPK", &thirteen), c);
    EXPECT_EQ(MemHandleFind(0, "xpk", nullptr), 0u);  // case counts
}

std::vector<MemHandle> visited;
std::int16_t visitOne(MemHandle handle) {
    visited.push_back(handle);
    return 0;
}
std::int16_t freeEach(MemHandle handle) {
    visited.push_back(handle);
    return MemHandleFree(&handle);
}

TEST_F(MemHandleTest, ForEachStopsAtZeroAndSurvivesFreeing) {
    MemHandle a = MemHandleAlloc(4), b = MemHandleAlloc(4);
    MemHandleSetLabel(a, "CLUT", 0);
    MemHandleSetLabel(b, "CLUT", 0);
    visited.clear();
    EXPECT_EQ(MemHandleForEach(visitOne, "CLUT", nullptr), 1u);
    EXPECT_EQ(visited, std::vector<MemHandle>{a});
    visited.clear();
    EXPECT_EQ(MemHandleForEach(freeEach, "CLUT", nullptr), 2u);
    EXPECT_EQ(visited, (std::vector<MemHandle>{a, b}));
    EXPECT_EQ(MemHandleFind(0, "CLUT", nullptr), 0u);
}

TEST_F(MemHandleTest, FailedAllocationRetriesThroughTheCallbackThenGivesError4) {
    callbackCalls.clear();
    MemSetLowMemoryCallback(retryTwice);
    EXPECT_EQ(MemHandleAllocFlags(kHuge, kMemZeroFill), 0u);
    EXPECT_EQ(MemGetError(), 4);
    EXPECT_EQ(callbackCalls, (std::vector<std::pair<std::uint32_t, std::int16_t>>{{kHuge, 0}, {kHuge, 1}, {kHuge, 2}}));

    callbackCalls.clear();
    PlatMemSetLowMemoryCallback(retryTwice);
    EXPECT_EQ(MemHandleAllocFlags(kHuge, kMemNoRetry), 0u);  // neither layer's callback is asked
    EXPECT_TRUE(callbackCalls.empty());
    EXPECT_EQ(MemGetError(), 4);
    EXPECT_EQ(PlatMemGetError(), 4);
    PlatMemSetLowMemoryCallback(nullptr);
    MemSetLowMemoryCallback(nullptr);
    std::uint32_t count = 0;
    MemGetStats(&count, nullptr, nullptr);
    EXPECT_EQ(count, 0u);
}

TEST_F(MemHandleTest, ResizeKeepsTheHandleAndContents) {
    MemHandle handle = MemHandleAlloc(4);
    auto* bytes = static_cast<std::uint8_t*>(MemHandleLock(handle));
    std::memcpy(bytes, "abcd", 4);
    MemHandleUnlock(handle);
    MemHandle same = handle;
    ASSERT_EQ(MemHandleResize(&same, 4096), 1);
    EXPECT_EQ(same, handle);
    EXPECT_EQ(MemHandleGetSize(handle), 4096u);
    bytes = static_cast<std::uint8_t*>(MemHandleLock(handle));
    EXPECT_EQ(std::memcmp(bytes, "abcd", 4), 0);
    EXPECT_EQ(bytes[4095], 0);  // growth is zero-filled
    MemHandleUnlock(handle);
    EXPECT_EQ(MemHandleResize(&same, kHuge, kMemNoRetry), 0);
    EXPECT_EQ(MemGetError(), 5);
    EXPECT_EQ(MemHandleGetSize(handle), 4096u);
    bytes = static_cast<std::uint8_t*>(MemHandleLock(handle));  // still usable after the failure
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, "abcd", 4), 0);
    MemHandleUnlock(handle);
    std::uint32_t peakCount = 0, peakBytes = 0, largest = 0;
    MemGetPeakStats(&peakCount, &peakBytes, &largest);
    EXPECT_EQ(largest, 4096u);
}

std::vector<MemHandle> reloads;
std::int16_t reloadWithPattern(MemHandle handle) {
    reloads.push_back(handle);
    PlatBlock block = MemHandleGetBlock(handle);
    if (!PlatMemResize(&block, 16)) return 0;
    auto* bytes = static_cast<std::uint8_t*>(PlatMemLock(block));
    std::memset(bytes, 0x5A, 16);
    PlatMemUnlock(block);
    return 1;
}
std::vector<MemHandle> releases;
std::int16_t releaseToResources(MemHandle* handle) {
    releases.push_back(*handle);
    return MemHandleUnregister(handle);
}

TEST_F(MemHandleTest, ResourceBlocksGoThroughTheHooksAndFailWithout) {
    MemSetResourceHooks(releaseToResources, reloadWithPattern);
    PlatBlock block = PlatMemAlloc(16, kMemZeroFill);
    MemHandle handle = MemHandleRegister(block, 16, kMemResource);
    ASSERT_NE(handle, 0u);
    PlatMemUnlock(block);  // the resource manager lets a purgeable block go
    ASSERT_EQ(MemHandlePurge(handle), 1);
    EXPECT_EQ(MemHandleIsPurged(handle), 1);
    EXPECT_EQ(MemHandleGetSize(handle), 0u);
    reloads.clear();
    auto* bytes = static_cast<std::uint8_t*>(MemHandleLock(handle));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(reloads, std::vector<MemHandle>{handle});
    EXPECT_EQ(bytes[15], 0x5A);
    MemHandleUnlock(handle);
    releases.clear();
    MemHandle copy = handle;
    EXPECT_EQ(MemHandleFree(&copy), 1);
    EXPECT_EQ(releases, std::vector<MemHandle>{handle});
    EXPECT_EQ(MemHandleGetBlock(handle), nullptr);
    PlatMemFree(&block);

    // Without hooks a purged block cannot come back, and a free is an ordinary one.
    MemSetResourceHooks(nullptr, nullptr);
    block = PlatMemAlloc(16, kMemZeroFill);
    handle = MemHandleRegister(block, 16, kMemResource);
    PlatMemUnlock(block);
    ASSERT_EQ(MemHandlePurge(handle), 1);
    EXPECT_EQ(MemHandleLock(handle), nullptr);
    EXPECT_EQ(MemHandleIsLocked(handle), 0);
    EXPECT_EQ(MemHandleFree(&handle), 1);

    // Unmapped blocks hand out no address either.
    handle = MemHandleAllocFlags(8, kMemUnmapped);
    EXPECT_EQ(MemHandleLock(handle), nullptr);
    MemHandleUnlock(handle);
    EXPECT_EQ(MemHandleIsLocked(handle), 0);
    EXPECT_EQ(PlatMemLockCount(MemHandleGetBlock(handle)), 0);
    EXPECT_EQ(MemHandleFree(&handle), 1);
}

TEST_F(MemHandleTest, PointerFormsModeWordAndFlags) {
    void* address = MemPtrAlloc(12);
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(MemPtrGetSize(address), 12u);
    EXPECT_EQ(MemSetModeFlag(5), 0);  // restored after MemPtrAlloc's bracket
    EXPECT_EQ(MemSetModeFlag(0), 5);
    EXPECT_EQ(MemPtrFree(&address), 1);
    EXPECT_EQ(address, nullptr);
    EXPECT_EQ(MemSetDefaultFlags(0), kMemZeroFill);
    MemSetDefaultFlags(kMemZeroFill);
    std::uint32_t a = 0, b = 0;
    MemGetFreeSpace(&a, &b, nullptr, nullptr);
    EXPECT_EQ(a, 1048576u);
    EXPECT_EQ(b, 1048576u);
    MemHandle handle = MemHandleAlloc(8);  // setting a flag answers the old word
    EXPECT_EQ(MemHandleSetFlags(handle, 0x0100, 1), kMemZeroFill | kMemFreshBlock);
    EXPECT_EQ(MemHandleSetFlags(handle, 0x0100, 0), kMemZeroFill | kMemFreshBlock | 0x0100);
}

TEST_F(MemHandleTest, BlockKindModeAndGuardedCopies) {
    MemHandle handle = MemHandleAlloc(8);
    auto* words = static_cast<std::uint32_t*>(MemHandleLock(handle));
    words[1] = 1;
    MemHandleUnlock(handle);
    EXPECT_EQ(ModeForBlockKind(handle, 7), 6);
    EXPECT_EQ(ModeForBlockKind(handle, 5), 5);
    EXPECT_EQ(MemHandleIsLocked(handle), 0);
    EXPECT_EQ(ModeForBlockKind(0, 7), 7);

    char target[4] = {'a', 'b', 'c', 'd'};
    MemCopy(target, "xyz", 0);
    MemCopy(nullptr, "xyz", 3);
    MemCopy(target, nullptr, 3);
    EXPECT_EQ(std::string(target, 4), "abcd");
    MemCopy(target, "xy", 2);
    MemFill(target + 2, 2, '!');
    MemFill(nullptr, 2, '!');
    EXPECT_EQ(std::string(target, 4), "xy!!");
}

TEST(MemLifecycleTest, TermReleasesTheTablesAndStopsTheLayer) {
    ASSERT_EQ(MemInit(2, 0), 1);
    MemHandle a = MemHandleAlloc(4), b = MemHandleAlloc(4);
    EXPECT_NE(b, 0u);
    EXPECT_EQ(MemHandleAlloc(4), 0u);  // no growth: the table is full
    EXPECT_EQ(MemGetError(), 4);
    EXPECT_EQ(MemHandleFree(&a), 1);
    EXPECT_EQ(MemTerm(), 1);
    EXPECT_EQ(MemIsStarted(), 0);
    EXPECT_EQ(MemHandleLock(b), nullptr);
}

}  // namespace
