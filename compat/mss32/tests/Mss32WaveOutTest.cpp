// mss32.dll on the system's wave output (Wine's null sound device in the test world): a sample plays to its
// end as the device takes the output while a stopped one's memory is not read again, and a device that
// cannot open fails cleanly. Behind a fake device: refused writes neither stop the mixing nor hold samples.
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

// A fault on the mixing thread ends the test program at once instead of waiting for a debugger.
LONG WINAPI exitOnFault(EXCEPTION_POINTERS* fault) {
    std::fprintf(stderr, "fault %08lx\n", fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

// A sample plays to its end as the device takes the output. Once AIL_stop_sample or AIL_end_sample returns,
// the caller may free the data: the mixing thread, mixing the other sample to its end, must not read it
// again (a read of the inaccessible pages faults).
TEST_F(Mss32WaveOutTest, SamplesPlayToTheirEndAndStoppedOnesAreNotReadAgain) {
    SetUnhandledExceptionFilter(exitOnFault);
    MssDriver driver = nullptr;
    HWAVEOUT waveOut = nullptr;
    ASSERT_EQ(AIL_waveOutOpen(&driver, &waveOut, 0, &format), 0);
    EXPECT_NE(waveOut, nullptr);
    MssSample looping = AIL_allocate_sample_handle(driver), other = AIL_allocate_sample_handle(driver);
    const std::uint32_t queueBytes = 4096 / 2;  // the device's queue of 44100 Hz frames, in 22050 Hz bytes
    std::vector<std::uint8_t> otherData(8 * queueBytes, 0x80);
    for (auto stopCall : {AIL_stop_sample, AIL_end_sample}) {
        SCOPED_TRACE(stopCall == AIL_stop_sample ? "stop" : "end");
        void* pages = VirtualAlloc(nullptr, 65536, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        std::memset(pages, 0x90, 65536);
        for (MssSample s : {looping, other}) {
            AIL_init_sample(s);
            AIL_set_sample_playback_rate(s, 22050);
        }
        AIL_set_sample_loop_count(looping, 0);
        AIL_set_sample_address(looping, pages, 65536);
        AIL_set_sample_address(other, otherData.data(), static_cast<std::uint32_t>(otherData.size()));
        AIL_start_sample(looping);
        AIL_start_sample(other);
        ASSERT_TRUE(waitFor([&] { return AIL_sample_position(other) >= queueBytes; }));
        stopCall(looping);
        DWORD old = 0;
        ASSERT_TRUE(VirtualProtect(pages, 65536, PAGE_NOACCESS, &old));
        EXPECT_TRUE(waitFor([&] { return AIL_sample_status(other) == kMssDone; }));
        EXPECT_NE(AIL_sample_status(looping), kMssPlaying);
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

// The device is lost for two queues' playing time, then comes back: the sample, three queues long, still
// plays to its end and the refused buffers are written again.
TEST(Mss32FakeDeviceTest, RefusedWritesNeitherStopMixingNorHoldSamples) {
    fake::refusals = 2 * kDeviceBuffers + 1;
    AilDriver driver({44100, 2, 16}, std::make_unique<WaveOutDevice>(WaveOutCalls{
        fake::open, fake::prepare, fake::write, fake::handleOnly, fake::unprepare, fake::handleOnly}));
    ASSERT_TRUE(driver.device->open(driver.mixer.format(), 0, driver));
    std::vector<std::uint8_t> data(3 * kDeviceBuffers * kDeviceBufferFrames, 0x90);
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
    EXPECT_EQ(fake::refusals, 0);
}

}  // namespace
