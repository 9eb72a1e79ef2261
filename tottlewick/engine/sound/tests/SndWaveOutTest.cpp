// End to end on Wine's null wave-out and the real clock: a streamed ima4 sound and two overlapping samples
// play through the sound library to their ends and tell their completion procedures once each.
#include <algorithm>

#include "EngineTestSupport.h"
#include "SndManager.h"
#include "SndPlay.h"
#include "SndPlayControl.h"
#include "SoundWriter.h"
#include "Stream.h"

namespace {

struct Done { std::int16_t channel; std::uint32_t id; DWORD at; };
// The library mixes ahead of the speaker and Wine's null device takes output faster than it would play,
// so times here only order events.
std::vector<Done> done;
void recordDone(std::int16_t channel, std::uint32_t id, MemHandle, std::uint32_t) {
    done.push_back({channel, id, GetTickCount()});
}

std::string aiff(std::size_t frames, bool ima4) {
    std::vector<std::int16_t> values(frames);
    for (std::size_t i = 0; i < frames; ++i) values[i] = static_cast<std::int16_t>((i * 97) % 8000 - 4000);
    return writeAiff(ima4 ? compressedSound("ima4", std::uint32_t(frames / 64), encodeIma4(values, 1))
                          : pcmSound(values));
}

struct SndWaveOutTest : ResourceFolderTest {
    void SetUp() override {
        if (waveOutGetNumDevs() == 0) GTEST_SKIP() << "no wave-out device";
        ResourceFolderTest::SetUp();
        StreamInit();
        done.clear();
    }
    void TearDown() override {
        if (IsSkipped()) return;
        SndStopAll();
        SndSetDoneProc(nullptr);
        SndShutdown();
        StreamTerm();
        ResourceFolderTest::TearDown();
    }
};

TEST_F(SndWaveOutTest, AStreamAndTwoOverlappingSamplesPlayToTheirEnds) {
    ASSERT_TRUE(open({{"AIF", 1, aiff(64 * 517, true)}}, "Streams"));  // 1.5 s
    ASSERT_TRUE(open({{"AIF", 2, aiff(13230, false)}, {"AIF", 3, aiff(13230, false)}}, "Samples"));
    ASSERT_EQ(SndInit(nullptr, 8, 2, 16, 44100), 0);
    SndSetDoneProc(recordDone);
    DWORD started = GetTickCount();
    EXPECT_EQ((Both{SndPlayIdStreamed(1, 0, 1024, 0), SndIsStreamed(7)}), Both(7, 1));
    EXPECT_EQ((Both{SndPlayId(2, 0, 1024, -300), SndPlayId(3, 0, 1024, 300)}), Both(6, 5));
    EXPECT_EQ(SndIsPlaying(7) + SndIsPlaying(6) + SndIsPlaying(5), 3) << "all three sound at once";
    while (done.size() < 3 && GetTickCount() - started < 10000) {
        SndService();
        Sleep(5);
    }
    ASSERT_EQ(done.size(), 3u);
    std::sort(done.begin(), done.end(), [](const Done& a, const Done& b) { return a.channel < b.channel; });
    EXPECT_EQ((Results{done[0].id, done[1].id, done[2].id}), (Results{3, 2, 1}));
    EXPECT_GE(done[2].at, std::max(done[0].at, done[1].at)) << "the stream, three times as long, ends last";
    for (int i = 0; i < 20; ++i) {
        SndService();
        Sleep(5);
    }
    EXPECT_EQ((Results{done.size(), SndAnyPlaying(), MemHandleFind(0, kStreamLabel, nullptr)}), (Results{3, 0, 0}))
        << "once each, and the stream was closed";
}

}  // namespace
