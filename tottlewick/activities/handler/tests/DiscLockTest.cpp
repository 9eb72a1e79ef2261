// The door lock on an injected platform: the register record of the Windows 95 service, the repeated
// unlock, a failed call, and the NT control with its drive path.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "AppGlobals.h"
#include "DiscLock.h"
#include "UtilString.h"

namespace {

// Per call: the device path, the code and the input (7 registers then the 2-byte block, or the NT byte).
std::vector<std::vector<DWORD>> calls;
std::deque<int> replies;  // per call: -1 fails, else the lock count the drive reports
DWORD platformId = 0;
std::string path;
int closes = 0;

BOOL fakeControl(HANDLE, DWORD code, void* in, DWORD inSize, void* out, DWORD) {
    const int reply = replies.empty() ? 0 : replies.front();
    if (!replies.empty()) replies.pop_front();
    std::vector<DWORD> call{code};
    if (inSize == 1) {
        calls.push_back({code, *static_cast<std::uint8_t*>(in)});
        return reply >= 0;
    }
    auto* registers = static_cast<DWORD*>(in);
    auto* block = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(registers[1]));
    call.insert(call.end(), registers, registers + 7);
    call.insert(call.end(), {block[0], block[1]});
    calls.push_back(call);
    if (reply >= 0) block[1] = static_cast<std::uint8_t>(reply);
    static_cast<DWORD*>(out)[6] = reply < 0 ? 1 : 0;  // the carry flag
    return TRUE;
}

const DiscLockPlatform fake{
    [] { return platformId; },
    [](const char* name, DWORD, DWORD, DWORD, DWORD) { return path = name, reinterpret_cast<HANDLE>(0x1234); },
    fakeControl, [](HANDLE) { return ++closes, TRUE; }};

TEST(DiscLockTest, Windows95AndNtPlatforms) {
    DiscLockSetPlatform(&fake);
    UtilStrCopy(AppGetDiscResourceFolder(), "E:\\Resource", 260);
    platformId = VER_PLATFORM_WIN32_WINDOWS;
    replies = {-1, 0, 2, 1, 0};
    DiscLockDoor(1);  // fails: the state stays unlocked, so the next lock tries again
    DiscLockDoor(1);
    DiscLockDoor(1);  // already locked: no call
    DiscLockDoor(0);  // repeated while the drive reports locks
    EXPECT_EQ(path, "\\\\.\\vwin32");
    //                 code  EBX  EDX  ECX     EAX     EDI ESI flags block
    const std::vector<DWORD> lock{1, 5, 0, 0x0848, 0x440D, 0, 0, 1, 0, 0};
    const std::vector<DWORD> unlock{1, 5, 0, 0x0848, 0x440D, 0, 0, 1, 1, 0};
    ASSERT_EQ(calls.size(), 5u);
    for (std::size_t i = 0; i < calls.size(); ++i) {
        calls[i][2] = 0;  // the block's address
        EXPECT_EQ(calls[i], i < 2 ? lock : unlock) << i;
    }
    EXPECT_EQ(closes, 3);
    calls.clear();
    platformId = VER_PLATFORM_WIN32_NT;
    DiscLockDoor(1);
    DiscLockDoor(0);
    EXPECT_EQ(path, "\\\\.\\E:");
    EXPECT_EQ(calls, (std::vector<std::vector<DWORD>>{{0x00074804, 1}, {0x00074804, 0}}));
    DiscLockSetPlatform(nullptr);
}

// The lock count is a byte, so an unlock stops after 255 calls that all report locks; the door then stays
// locked. The fake fails the 1000th call, so that an unbounded loop ends too.
TEST(DiscLockTest, AnUnlockThatNeverReachesZeroStopsAfter255Calls) {
    DiscLockSetPlatform(&fake);
    UtilStrCopy(AppGetDiscResourceFolder(), "E:\\Resource", 260);
    platformId = VER_PLATFORM_WIN32_WINDOWS;
    replies = {0};
    DiscLockDoor(1);
    calls.clear();
    replies.assign(999, 1);
    replies.push_back(-1);
    DiscLockDoor(0);
    EXPECT_EQ(calls.size(), 255u);
    replies = {0};
    DiscLockDoor(0);  // still locked: a later unlock tries again
    EXPECT_EQ(calls.size(), 256u);
    replies.clear();
    DiscLockSetPlatform(nullptr);
}

}  // namespace
