// The door lock on an injected platform: the register record of the Windows 95 service, the repeated
// unlock, a failed call, and the NT control with its drive path.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "AppGlobals.h"
#include "DiscLock.h"
#include "UtilString.h"

namespace {

struct Call {
    std::string path;
    DWORD code;
    std::vector<DWORD> registers;  // EBX, EDX, ECX, EAX, EDI, ESI, flags, or the NT input byte
    std::vector<std::uint8_t> block;
};

DWORD platformId = VER_PLATFORM_WIN32_WINDOWS;
std::string openedPath;
std::vector<Call> calls;
std::deque<int> replies;  // per call: -1 fails, else the lock count the drive reports
int closes = 0;

HANDLE fakeOpen(const char* path, DWORD, DWORD, DWORD, DWORD) {
    openedPath = path;
    return reinterpret_cast<HANDLE>(0x1234);
}

BOOL fakeControl(HANDLE, DWORD code, void* in, DWORD inSize, void* out, DWORD) {
    const int reply = replies.empty() ? 0 : replies.front();
    if (!replies.empty()) replies.pop_front();
    Call call{openedPath, code, {}, {}};
    if (inSize == 1) {
        call.registers.push_back(*static_cast<std::uint8_t*>(in));
        calls.push_back(call);
        return reply >= 0;
    }
    auto* registers = static_cast<DWORD*>(in);
    call.registers.assign(registers, registers + 7);
    auto* block = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(registers[1]));
    call.block.assign(block, block + 2);
    calls.push_back(call);
    if (reply >= 0) block[1] = static_cast<std::uint8_t>(reply);
    static_cast<DWORD*>(out)[6] = reply < 0 ? 1 : 0;
    return TRUE;
}

const DiscLockPlatform fake{[] { return platformId; }, fakeOpen, fakeControl, [](HANDLE) {
                                ++closes;
                                return TRUE;
                            }};

class DiscLockTest : public testing::Test {
protected:
    void SetUp() override {
        DiscLockSetPlatform(&fake);
        UtilStrCopy(AppGetDiscResourceFolder(), "E:\\Resource", 260);
        calls.clear();
        replies.clear();
        closes = 0;
    }
    void TearDown() override { DiscLockSetPlatform(nullptr); }
};

TEST_F(DiscLockTest, Windows95LocksAndRepeatsTheUnlockUntilNoLockIsLeft) {
    platformId = VER_PLATFORM_WIN32_WINDOWS;
    replies = {-1, 0};
    DiscLockDoor(1);  // fails: the state stays unlocked, so the next lock tries again
    DiscLockDoor(1);
    DiscLockDoor(1);  // already locked: no call
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].path, "\\\\.\\vwin32");
    EXPECT_EQ(calls[1].code, 1u);
    EXPECT_EQ(calls[1].registers[0], 5u);       // EBX: drive E
    EXPECT_EQ(calls[1].registers[2], 0x0848u);  // ECX
    EXPECT_EQ(calls[1].registers[3], 0x440Du);  // EAX
    EXPECT_EQ(calls[1].registers[6], 1u);       // flags: carry set
    EXPECT_EQ(calls[1].block, (std::vector<std::uint8_t>{0, 0}));
    calls.clear();
    replies = {2, 1, 0};
    DiscLockDoor(0);
    DiscLockDoor(0);
    ASSERT_EQ(calls.size(), 3u);
    for (const Call& call : calls) EXPECT_EQ(call.block, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(closes, 3);  // one device per DiscLockDoor that called
}

TEST_F(DiscLockTest, WindowsNtPreventsRemovalOfTheDiscDrive) {
    platformId = VER_PLATFORM_WIN32_NT;
    DiscLockDoor(1);
    DiscLockDoor(0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].path, "\\\\.\\E:");
    EXPECT_EQ(calls[0].code, 0x00074804u);
    EXPECT_EQ(calls[0].registers, std::vector<DWORD>{1});
    EXPECT_EQ(calls[1].registers, std::vector<DWORD>{0});
}

}  // namespace
