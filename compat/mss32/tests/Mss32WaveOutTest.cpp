// mss32.dll on the system's wave output (Wine's null sound device in the test world): a sample plays to its
// end as the device takes the output, a stopped sample's memory is not read again, and a device that cannot
// open fails cleanly. Behind a fake device: refused writes neither stop the mixing nor hold samples.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "Driver.h"
#include "WaveOutDevice.h"
#include "mss32.h"

namespace {

// Polls until `done` holds; false after 10 s, which only a hang reaches.
bool waitFor(const std::function<bool()>& done) {
    for (DWORD started = GetTickCount(); !done(); Sleep(1))
        if (GetTickCount() - started > 10000) return false;
    return true;
}

struct Mss32WaveOutTest : ::testing::Test {
    void SetUp() override {
        if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
        AIL_startup();
    }
    void TearDown() override { AIL_shutdown(); }
    // 44100 Hz, 16-bit stereo: 4 bytes a frame.
    WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
};

TEST_F(Mss32WaveOutTest, ASamplePlaysToItsEndAsTheDeviceTakesIt) {
    MssDriver driver = nullptr;
    HWAVEOUT waveOut = nullptr;
    ASSERT_EQ(AIL_waveOutOpen(&driver, &waveOut, 0, &format), 0);
    EXPECT_NE(waveOut, nullptr);
    MssSample sample = AIL_allocate_sample_handle(driver);
    ASSERT_NE(sample, nullptr);
    std::vector<std::uint8_t> data(22050, 0x90);  // 1 s at 22050 Hz
    AIL_set_sample_playback_rate(sample, 22050);
    AIL_set_sample_address(sample, data.data(), static_cast<std::uint32_t>(data.size()));
    DWORD started = GetTickCount();
    AIL_start_sample(sample);
    EXPECT_EQ(AIL_sample_status(sample), kMssPlaying);
    while (AIL_sample_status(sample) == kMssPlaying && GetTickCount() - started < 5000) {
        AIL_serve();
        Sleep(5);
    }
    const DWORD elapsed = GetTickCount() - started;
    EXPECT_EQ(AIL_sample_status(sample), kMssDone);
    // Wine's null device takes output about three times faster than it would sound, but not at once.
    EXPECT_GE(elapsed, 150u);
    EXPECT_LT(elapsed, 3000u);
    AIL_waveOutClose(driver);
}

// Once AIL_stop_sample or AIL_end_sample returns, the caller may free the data: the mixing thread, still
// mixing another sample, must not read it again (a read of the inaccessible pages faults the test).
// A fault on the mixing thread ends the test program at once instead of waiting for a debugger.
LONG WINAPI exitOnFault(EXCEPTION_POINTERS* fault) {
    std::fprintf(stderr, "fault %08lx\n", fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

TEST_F(Mss32WaveOutTest, StoppedSamplesAreNotReadOnceTheCallReturns) {
    SetUnhandledExceptionFilter(exitOnFault);
    MssDriver driver = nullptr;
    ASSERT_EQ(AIL_waveOutOpen(&driver, nullptr, 0, &format), 0);
    MssSample looping = AIL_allocate_sample_handle(driver), clock = AIL_allocate_sample_handle(driver);
    const std::uint32_t queueBytes = 4096 / 2;  // the device's queue of 44100 Hz frames, in 22050 Hz bytes
    std::vector<std::uint8_t> clockData(40 * queueBytes, 0x80);
    auto clockMovesOn = [&](std::uint32_t bytes) {
        std::uint32_t from = AIL_sample_position(clock);
        return waitFor([&] { return AIL_sample_position(clock) >= from + bytes; });
    };
    for (auto stopCall : {AIL_stop_sample, AIL_end_sample}) {
        SCOPED_TRACE(stopCall == AIL_stop_sample ? "stop" : "end");
        void* pages = VirtualAlloc(nullptr, 65536, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        std::memset(pages, 0x90, 65536);
        for (MssSample s : {looping, clock}) {
            AIL_init_sample(s);
            AIL_set_sample_playback_rate(s, 22050);
        }
        AIL_set_sample_loop_count(looping, 0);
        AIL_set_sample_address(looping, pages, 65536);
        AIL_set_sample_address(clock, clockData.data(), static_cast<std::uint32_t>(clockData.size()));
        AIL_start_sample(looping);
        AIL_start_sample(clock);
        ASSERT_TRUE(clockMovesOn(queueBytes));
        stopCall(looping);
        DWORD old = 0;
        ASSERT_TRUE(VirtualProtect(pages, 65536, PAGE_NOACCESS, &old));
        EXPECT_TRUE(clockMovesOn(2 * queueBytes));
        EXPECT_NE(AIL_sample_status(looping), kMssPlaying);
        AIL_end_sample(clock);
        VirtualFree(pages, 0, MEM_RELEASE);
    }
    AIL_waveOutClose(driver);
}

TEST_F(Mss32WaveOutTest, AMissingDeviceFailsCleanly) {
    MssDriver driver = nullptr;
    HWAVEOUT waveOut = nullptr;
    EXPECT_NE(AIL_waveOutOpen(&driver, &waveOut, 57, &format), 0);
    EXPECT_EQ(std::make_pair(driver, waveOut), std::make_pair(MssDriver{}, HWAVEOUT{}));
}

// A wave-out device that plays each buffer the moment it is written, after refusing the first writes.
namespace fake {
HANDLE event = nullptr;
std::atomic<int> refusals{0};
MMRESULT WINAPI open(LPHWAVEOUT out, UINT, LPCWAVEFORMATEX, DWORD_PTR callback, DWORD_PTR, DWORD) {
    *out = reinterpret_cast<HWAVEOUT>(1);
    event = reinterpret_cast<HANDLE>(callback);
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI prepare(HWAVEOUT, LPWAVEHDR header, UINT) {
    header->dwFlags |= WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI write(HWAVEOUT, LPWAVEHDR header, UINT) {
    if (refusals > 0) {
        --refusals;
        return MMSYSERR_NODRIVER;
    }
    header->dwFlags |= WHDR_DONE;
    SetEvent(event);
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI unprepare(HWAVEOUT, LPWAVEHDR, UINT) { return MMSYSERR_NOERROR; }
MMRESULT WINAPI handleOnly(HWAVEOUT) { return MMSYSERR_NOERROR; }
}  // namespace fake

TEST(Mss32FakeDeviceTest, RefusedWritesNeitherStopMixingNorHoldSamples) {
    const WaveOutCalls calls{fake::open, fake::prepare, fake::write, fake::handleOnly, fake::unprepare,
                             fake::handleOnly};
    std::vector<std::uint8_t> data(3 * kDeviceBuffers * kDeviceBufferFrames, 0x90);  // three queues at 44100 Hz
    struct Case { const char* name; int refusals; } cases[] = {{"device back", kDeviceBuffers + 2},
                                                               {"device lost", 1 << 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::refusals = c.refusals;
        AilDriver driver({44100, 2, 16}, std::make_unique<WaveOutDevice>(calls));
        ASSERT_TRUE(driver.device->open(driver.mixer.format(), 0, driver));
        SampleVoice* voice = nullptr;
        {
            DriverLock held(driver.lock);
            voice = &driver.voiceOf(*driver.allocate());
            voice->setAddress(data.data(), static_cast<std::uint32_t>(data.size()));
            voice->start();
        }
        EXPECT_TRUE(waitFor([&] {
            DriverLock held(driver.lock);
            return voice->status() == kSampleDone;
        }));
    }
}

}  // namespace
