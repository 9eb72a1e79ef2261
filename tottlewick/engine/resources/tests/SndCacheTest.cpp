// The preload cache over a resource file: reads in data order, one chunk per step at its pace, the hand-off
// when a resource under preload is loaded, a read error that ends the read instead of looping, and a
// short read after it, from a resource file or a folder, that leaves the resource unloaded.
#include <algorithm>

#include "EngineClock.h"
#include "EngineTestSupport.h"
#include "SndCache.h"
#include "Stream.h"

namespace {

std::uint32_t now = 0;
std::uint32_t testClock() { return now; }

std::string pattern(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i % 97);
    return bytes;
}

struct SndCacheTest : ResourceFolderTest {
    void SetUp() override {
        ResourceFolderTest::SetUp();
        StreamInit();
        ClockSetSource(testClock);
        now = 1000;
        previousChunk = SndSetCacheChunk(1000);
    }
    void TearDown() override {
        SndCacheStop();
        SndSetCacheChunk(previousChunk);
        ClockSetSource(nullptr);
        StreamTerm();
        ResourceFolderTest::TearDown();
    }
    // Services the cache until it has no read left; returns the steps taken.
    int serviceUntilIdle() {
        int steps = 0;
        while (SndCacheService() && steps < 100) ++steps;
        return steps;
    }
    std::uint32_t previousChunk = 0;
};

TEST_F(SndCacheTest, AFileIsReadInDataOrderAChunkAStep) {
    std::string big = pattern(2500, 'a'), small = pattern(10, 'b'), middle = pattern(1000, 'c');
    ResSource file = open({{"XPK", 1, big}, {"AIF", 9, small}, {"SND", 4, middle}});
    ASSERT_NE(file, 0u);
    EXPECT_EQ((Both{SndCacheFile(file, 0), SndCacheIsBusy()}), Both(1, 1));
    // The start read 1000 bytes of the first block in the file: 'XPK' 1, though 'AIF' sorts first.
    EXPECT_EQ((Results{SndCacheService(), SndCacheService(), ResIsLoaded(resType("AIF"), 9)}), (Results{1, 1, 0}));
    EXPECT_EQ((Both{SndCacheService(), ResIsLoaded(resType("XPK"), 1)}), Both(1, 1))
        << "2500 bytes read: closed, 'AIF' 9 started";
    EXPECT_EQ((Both{serviceUntilIdle(), SndCacheIsBusy()}), Both(1, 0));
    EXPECT_EQ((Texts{loadText("XPK", 1), loadText("AIF", 9), loadText("SND", 4)}), (Texts{big, small, middle}));
}

TEST_F(SndCacheTest, StepsArePacedAt115000BytesASecond) {
    SndSetCacheChunk(8192);
    std::string data = pattern(40000, 'p');
    ASSERT_TRUE(open({{"AIF", 1, data}}));
    SndCacheItem item{resType("AIF"), 1};
    ASSERT_EQ(SndCacheStart(1, &item, 0), 1);
    EXPECT_EQ(SndCacheStart(1, &item, 0), 0) << "a list is active";
    // Five chunks: one at the start, then a step every 8192 x 1000 / 115000 = 71 ms however often the idle
    // loop asks, and the close a step after the last chunk. The first step is due at once.
    now = 50000;
    EXPECT_EQ(SndCacheIdle(), 1);
    for (now = 50001; now < 50284; ++now) ASSERT_EQ(SndCacheIdle(), 1) << now;
    EXPECT_EQ((Results{SndCacheIdle(), SndCacheIsBusy(), SndGetCacheChunk()}), (Results{0, 0, 8192}));
    EXPECT_EQ(loadText("AIF", 1), data);
}

TEST_F(SndCacheTest, LoadingAResourceUnderPreloadFinishesItsRead) {
    std::string data = pattern(5000, 'h');
    ASSERT_TRUE(open({{"SND", 2, data}, {"SND", 3, "next"}}));
    SndCacheItem items[] = {{resType("SND"), 2}, {resType("SND"), 3}};
    ASSERT_EQ(SndCacheStart(2, items, 1), 1);
    EXPECT_EQ(ResGetKeepById(resType("SND"), 2), 1) << "marked kept";
    SndCacheService();  // 2000 of 5000 bytes read
    EXPECT_EQ(loadText("SND", 2), data);
    EXPECT_EQ((Both{SndCacheIsBusy(), ResIsLoaded(resType("SND"), 3)}), Both(0, 0)) << "the load stopped the preload";
}

TEST_F(SndCacheTest, AReadErrorEndsTheReadWithTheResourceUnread) {
    std::string data = pattern(6000, 'e');
    ASSERT_TRUE(open({{"AIF", 1, "first"}, {"AIF", 5, data}}));
    SndCacheItem item{resType("AIF"), 5};
    ASSERT_EQ(SndCacheStart(1, &item, 0), 1);
    ASSERT_EQ(FileSetSize(folder.file("Global.PRS").c_str(), 3000), 0);
    EXPECT_EQ(serviceUntilIdle(), 2) << "1000 more bytes, then a short read; the step after closes the read";
    EXPECT_EQ((Both{SndCacheIsBusy(), ResIsLoaded(resType("AIF"), 5)}), Both(0, 0)) << "half-read data is not kept";
    SndCacheItem again{resType("AIF"), 5};
    writeResources(folder.file("Global.PRS"), {{"AIF", 1, "first"}, {"AIF", 5, data}});
    ASSERT_EQ(SndCacheStart(1, &again, 0), 1);
    ASSERT_EQ(FileSetSize(folder.file("Global.PRS").c_str(), 3000), 0);
    SndCacheStop();  // reads the rest at once: it fails, and the stop returns
    EXPECT_EQ(ResIsLoaded(resType("AIF"), 5), 0);
}

// A load after a failed preload reads the file again into the discarded block; when that read is short
// too, the block is not kept as loaded, so a later load reads the mended file instead of the damaged bytes.
TEST_F(SndCacheTest, AShortReadAfterAFailedPreloadLeavesTheResourceUnloaded) {
    std::string data = pattern(6000, 'r');
    const std::vector<PrsResource> resources = {{"AIF", 1, "first"}, {"AIF", 5, data}};
    ASSERT_TRUE(open(resources));
    SndCacheItem item{resType("AIF"), 5};
    ASSERT_EQ(SndCacheStart(1, &item, 0), 1);
    ASSERT_EQ(FileSetSize(folder.file("Global.PRS").c_str(), 3000), 0);
    SndCacheStop();
    ASSERT_EQ(ResIsLoaded(resType("AIF"), 5), 0);
    EXPECT_EQ((Both{ResLoad(resType("AIF"), 5), ResIsLoaded(resType("AIF"), 5)}), Both(0, 0))
        << "the second read is short as well";
    writeResources(folder.file("Global.PRS"), resources);
    const std::string loaded = loadText("AIF", 5);
    EXPECT_TRUE(loaded == data) << "read again: " << loaded.size() << " bytes, "
                                << std::count(loaded.begin(), loaded.end(), '\0') << " of them zero";
}

// The same for a folder file: a failed preload leaves a discarded block, which the next preload reads the
// whole file into (a good load) before its own read fails and discards it again. A short read into it
// then must not leave it loaded, or a later load would hand out its zero bytes as the mended file.
TEST_F(SndCacheTest, AShortReadOfAFolderFileAfterAFailedPreloadLeavesTheResourceUnloaded) {
    std::string data = pattern(6000, 'o');
    const std::vector<PrsResource> resources = {{"AIF", 1, "first"}, {"AIF", 5, data}};
    write("Override", resources);
    ASSERT_NE(ResOpenFile("Override"), 0u);
    const std::string file = folder.file("Override\\5.AIF");
    SndCacheItem item{resType("AIF"), 5};
    for (int preload = 0; preload < 2; ++preload) {
        writeResources(folder.file("Override"), resources);
        ASSERT_EQ(SndCacheStart(1, &item, 0), 1);
        ASSERT_EQ(FileSetSize(file.c_str(), 3000), 0);
        SndCacheStop();
        ASSERT_EQ(ResIsLoaded(resType("AIF"), 5), 0) << "preload " << preload;
    }
    EXPECT_EQ((Both{ResLoad(resType("AIF"), 5), ResIsLoaded(resType("AIF"), 5)}), Both(0, 0))
        << "the read after them is short as well";
    writeResources(folder.file("Override"), resources);
    const std::string loaded = loadText("AIF", 5);
    EXPECT_TRUE(loaded == data) << "read again: " << loaded.size() << " bytes, "
                                << std::count(loaded.begin(), loaded.end(), '\0') << " of them zero";
}

}  // namespace
