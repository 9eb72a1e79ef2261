// The background file cache on an injected clock: a "disc" folder searched by the resource manager and a
// fresh user folder.
#include <windows.h>

#include "Cache.h"
#include "EngineClock.h"
#include "EngineTestSupport.h"
#include "FileFolders.h"
#include "Stream.h"

namespace {

std::uint32_t now = 0;
std::int16_t busyDrive = 0;

std::int16_t driveBusy(std::int16_t drive) {
    return drive == busyDrive ? 1 : 0;
}

// Moves a file's last-write time by whole seconds.
void shiftWriteTime(const std::string& path, std::int64_t seconds) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME written;
    GetFileTime(file, nullptr, nullptr, &written);
    ULARGE_INTEGER ticks{{written.dwLowDateTime, written.dwHighDateTime}};
    ticks.QuadPart += seconds * 10000000;
    written = {ticks.LowPart, ticks.HighPart};
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 8192);
    return bytes;
}

struct CacheTest : EngineTest {
    void SetUp() override {
        EngineTest::SetUp();
        disc = folder.file("disc") + "\\";
        CreateDirectoryA(disc.c_str(), nullptr);
        CreateDirectoryA(folder.file("user").c_str(), nullptr);
        ASSERT_EQ(FileSetUserFolder(folder.file("user").c_str()), 0);
        searched = disc.c_str();
        ResSetSearchFolders(1, &searched);
        now = 1000;
        ClockSetSource([] { return now; });
        CacheSetDriveQuery(driveBusy);
        busyDrive = 0;
    }
    void TearDown() override {
        while (CacheCopyChunk() == 0) continue;
        while (CacheNext()) continue;
        CacheSetDriveQuery(nullptr);
        ClockSetSource(nullptr);
        ResSetSearchFolders(0, nullptr);
        EngineTest::TearDown();
    }
    std::int64_t copySize(const char* name) const {
        WIN32_FILE_ATTRIBUTE_DATA data;
        return GetFileAttributesExA(folder.file(std::string("user\\") + name).c_str(), GetFileExInfoStandard, &data)
                   ? std::int64_t{data.nFileSizeLow}
                   : -1;
    }
    // Serves idle passes a millisecond apart until the queue is empty; the times at which the copy grew.
    std::vector<std::uint32_t> serveAll(const char* name) {
        std::vector<std::uint32_t> grew;
        std::int64_t size = copySize(name);
        while (CacheServe() && grew.size() < 1000) {
            if (copySize(name) != size) grew.push_back(now);
            size = copySize(name);
            ++now;
        }
        return grew;
    }
    std::string disc;
    const char* searched = nullptr;
};

}  // namespace

TEST_F(CacheTest, CopiesPacedChunksThenTheCompanionAndFindsThemCurrent) {
    const std::string big = pattern(1048576);
    make("disc\\BIG.PRS", big);
    make("disc\\BIG.PRD", "companion");
    // Sources written long ago: a copy is current only when it takes their time.
    for (const char* name : {"BIG.PRS", "BIG.PRD"}) shiftWriteTime(disc + name, -86400 * 400);
    EXPECT_EQ(CacheAddResFile("BIG.PRS"), 0);
    const std::vector<std::uint32_t> grew = serveAll("BIG.PRS");
    ASSERT_EQ(grew.size(), 128u);
    for (std::size_t i = 0; i < grew.size(); ++i) EXPECT_GE(grew[i] - (i ? grew[i - 1] : 1000), 71u) << i;
    EXPECT_EQ(readWholeFile(folder.file("user\\BIG.PRS")), big);
    EXPECT_EQ(readWholeFile(folder.file("user\\BIG.PRD")), "companion");
    EXPECT_EQ(CacheIsEmpty(), 1);
    // Found current: nothing is copied.
    EXPECT_EQ(CacheRefresh("BIG.PRS"), 0);
    EXPECT_EQ(CacheRefresh("BIG.PRD"), 0);
    EXPECT_EQ(CacheServeCopy(), 0);
    // A copy one second off is copied again.
    shiftWriteTime(folder.file("user\\BIG.PRD"), 1);
    EXPECT_EQ(CacheRefresh("BIG.PRD"), 0);
    EXPECT_EQ(CacheCopyChunk(), 0);
    EXPECT_EQ(CacheCopyChunk(), 1);
    EXPECT_EQ(CacheIsCurrent((disc + "BIG.PRD").c_str(), folder.file("user\\BIG.PRD").c_str()), 1);
}

TEST_F(CacheTest, QueueLimitsMissingNamesAndBusyDisks) {
    make("disc\\A.PRS", pattern(20000));
    EXPECT_EQ(CacheAdd("NONE.PRS"), 1);
    EXPECT_EQ(CacheServe(), 0);
    EXPECT_EQ(CacheIsEmpty(), 1);
    // No chunk while a streamed sound reads the source's drive.
    busyDrive = static_cast<std::int16_t>(folder.file("x")[0] - 'A' + 1);
    EXPECT_EQ(CacheAdd("A.PRS"), 0);
    for (int pass = 0; pass < 300; ++pass, now += 10) EXPECT_EQ(CacheServe(), 1);
    EXPECT_EQ(copySize("A.PRS"), 0);
    busyDrive = 0;
    // Nor while the preload cache reads; the next chunk follows once it stops.
    ASSERT_TRUE(writeResources(folder.file("S.PRS"), {{"SND", 1, pattern(30000)}}));
    StreamInit();
    ResSource sounds = ResOpenSource(folder.file("S.PRS").c_str(), kResOpenDefault);
    ASSERT_EQ(SndCacheFile(sounds, 0), 1);
    for (int pass = 0; pass < 300; ++pass, now += 10) CacheServe();
    EXPECT_EQ(copySize("A.PRS"), 0);
    SndCacheStop();
    CacheServe();
    EXPECT_EQ(copySize("A.PRS"), 8192);
    ResCloseSource(sounds);
    StreamTerm();
    for (int i = 1; i < kCacheQueueSize; ++i) EXPECT_EQ(CacheAdd("A.PRS"), 0);
    EXPECT_EQ(CacheAdd("A.PRS"), 1);
}

TEST_F(CacheTest, SourceCutShortLeavesNoFile) {
    make("disc\\CUT.PRS", pattern(65536));
    EXPECT_EQ(CacheAdd("CUT.PRS"), 0);
    EXPECT_EQ(CacheCopyChunk(), 0);
    HANDLE source = CreateFileA((disc + "CUT.PRS").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(source, INVALID_HANDLE_VALUE);
    SetFilePointer(source, 32768, nullptr, FILE_BEGIN);
    SetEndOfFile(source);
    CloseHandle(source);
    int chunks = 0;
    while (CacheCopyChunk() == 0) ++chunks;
    EXPECT_EQ(chunks, 3);
    EXPECT_EQ(copySize("CUT.PRS"), -1);
}
