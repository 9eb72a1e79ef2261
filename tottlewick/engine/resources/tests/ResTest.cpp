// The resource manager over files written by the builder: search order, Override, shared loads, keep,
// byte-order markers, raw access, flags and read-only sources.
#include <algorithm>
#include <cstring>

#include "ByteOrder.h"
#include "EngineTestSupport.h"

namespace {

int swaps = 0;
void countSwap(void*) { ++swaps; }

struct ResTest : ResourceFolderTest {
    void SetUp() override {
        ResourceFolderTest::SetUp();
        ResSetStartupFolders(folder.path().c_str(), folder.path().c_str(), folder.path().c_str());
    }
    void TearDown() override {
        ResCloseOverride();
        ResSetDeferredMode(0);
        ResourceFolderTest::TearDown();
    }
};

TEST_F(ResTest, OpenFileTriesPrxThenPrsThenFolderAndOverrideStaysOnTop) {
    write("Global.PRS", {{"XMV", 4, "prs"}});
    write("Global.PRX", {{"XMV", 4, "prx"}});
    write("Module.PRS", {{"XMV", 4, "module"}});
    write("Pics", {{"DIB", 9, "folder"}});
    ResSource global = ResOpenFile("Global");
    ASSERT_NE(global, 0u);
    EXPECT_EQ(loadText("XMV", 4), "prx");
    ResSource module = ResOpenFile("Module");
    EXPECT_EQ(loadText("XMV", 4), "module") << "the newest source is searched first";
    EXPECT_EQ(ResMoveToTop(global), module);
    EXPECT_EQ(loadText("XMV", 4), "prx");
    ASSERT_NE(ResOpenFile("Pics"), 0u);
    EXPECT_EQ(loadText("DIB", 9), "folder");
    EXPECT_EQ(ResOpenFile("Override"), 0u);
    EXPECT_EQ(ResOpenFile("Module.PRD"), 0u) << "an extension other than PRS or PRX is no source";
    EXPECT_EQ(Both(ResGetSize(resType("XMV"), 4), ResGetSize(resType("XMV"), 5)), Both(3, 0));
    // After ResOpenOverride, a later open keeps the Override source on top.
    write("Override", {{"XMV", 4, "override"}});
    ASSERT_EQ(ResOpenOverride(), 1);
    ResSource later = ResOpenFile("Module");
    EXPECT_EQ((Texts{loadText("XMV", 4), loadText("DIB", 9)}), (Texts{"override", "folder"}));
    EXPECT_EQ(ResMoveSourceToTop(later), 1);
    EXPECT_EQ(loadText("XMV", 4), "override");
    EXPECT_EQ(ResCloseOverride(), 1);
    EXPECT_EQ(loadText("XMV", 4), "module");
}

TEST_F(ResTest, SourceReferencesAndTheLimitOf32) {
    write("a", {{"SND", 1, "a"}});
    std::string path = folder.file("a");
    std::vector<ResSource> opened;
    for (int i = 0; i <= kResMaxSources; ++i) opened.push_back(ResOpenSource(path.c_str(), kResOpenDefault));
    ASSERT_EQ(std::count(opened.begin(), opened.end(), 0u), 1);
    EXPECT_EQ((Both{opened.back(), ResGetTopSource() == opened[kResMaxSources - 1]}), Both(0, 1)) << "the 33rd fails";
    ResSource closed = opened[3];
    EXPECT_EQ((Both{ResCloseSource(closed), ResCloseSource(closed)}), Both(1, 0));
    ResSource reopened = ResOpenSource(path.c_str(), kResOpenDefault);
    EXPECT_EQ(reopened & 0xFFFF, closed & 0xFFFF) << "the freed slot is reused";
    EXPECT_NE(reopened, closed) << "under a new sequence number";
}

TEST_F(ResTest, DoubleLoadSharesOneHandleAndTheKeepBitKeepsTheData) {
    write("Global.PRS", {{"XPK", 3, "shape"}, {"SND", 1, "kept"}});
    write("Pics", {{"DIB", 2, "kept too"}});
    ASSERT_NE(ResOpenFile("Global"), 0u);
    MemHandle first = ResLoad(resType("xpk"), 3), second = ResLoad(resType("XPK"), 3);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(first, second);
    std::uint32_t tag = 3;
    EXPECT_EQ(MemHandleFind(0, "XPK", &tag), first) << "labelled with the type and the id";
    EXPECT_EQ((Both{ResGetHandleSize(first), ResSetResident(first, 1)}), Both(5, 0));
    EXPECT_EQ(MemHandleFree(&first), 0) << "another holder remains";
    EXPECT_EQ(Both(ResIsLoaded(resType("XPK"), 3), ResIsInUse(resType("XPK"), 3)), Both(1, 1));
    EXPECT_EQ(MemHandleFree(&second), 1);
    EXPECT_EQ(Both(ResIsLoaded(resType("XPK"), 3), ResIsInUse(resType("XPK"), 3)), Both(0, 0));
    EXPECT_EQ(ResGetResidentById(resType("XPK"), 3), 0) << "unloading clears the resident bit";
    // The keep bit keeps the data for the next load, in files and folders alike.
    ASSERT_NE(ResOpenFile("Pics"), 0u);
    for (const char* type : {"SND", "DIB"}) {
        SCOPED_TRACE(type);
        std::uint16_t id = type[0] == 'S' ? 1 : 2;
        MemHandle handle = ResLoad(resType(type), id);
        ASSERT_NE(handle, 0u);
        PlatBlock block = MemHandleGetBlock(handle);
        EXPECT_EQ((Both{ResSetKeep(handle, 1), ResGetKeepById(resType(type), id)}), Both(0, 1));
        EXPECT_EQ((Both{MemHandleFree(&handle), ResIsLoaded(resType(type), id)}), Both(1, 1));
        MemHandle again = ResLoad(resType(type), id);
        EXPECT_EQ(MemHandleGetBlock(again), block);
        EXPECT_EQ(ResSetKeepById(resType(type), id, 0), 1);
        EXPECT_EQ((Both{MemHandleFree(&again), ResIsLoaded(resType(type), id)}), Both(1, 0));
    }
}

TEST_F(ResTest, ByteOrderMarkers) {
    struct Case { const char* name; std::string marker; bool handedOut; int swapsExpected; };
    const std::vector<Case> cases = {
        {"XOR 0xD0 is rejected", std::string("\x00\x7E\x2A\x84", 4), false, 0},
        {"native order: ~ in the third byte", std::string("\x00\x00\x7E\xD4", 4), true, 0},
        {"big-endian writer: ~ in the second byte", std::string("\x00\x7E\x00\xD4", 4), true, 1},
        {"~ in both middle bytes means foreign", std::string("\x00\x7E\x7E\xAA", 4), true, 1},
        {"shorter than a marker", std::string("\xAA", 1), false, 0},
    };
    std::vector<PrsResource> resources;
    for (std::size_t i = 0; i < cases.size(); ++i)
        resources.push_back({"XPK", std::uint16_t(i + 1), cases[i].marker + "body"});
    resources.back().data = cases.back().marker;
    write("Global.PRS", resources);
    ASSERT_NE(ResOpenFile("Global"), 0u);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        swaps = 0;
        MemHandle handle = ByteOrderLoad(resType("XPK"), std::uint16_t(i + 1), countSwap);
        EXPECT_EQ((Results{handle != 0, ResIsLoaded(resType("XPK"), std::uint16_t(i + 1)), swaps}),
                  (Results{cases[i].handedOut, cases[i].handedOut, cases[i].swapsExpected}));
        if (handle) MemHandleFree(&handle);
    }
    std::uint32_t made = ByteOrderMakeMarker(0x12, 0x34);
    EXPECT_EQ(Both(made, ByteOrderMarkerShift(made)), Both(0xF27E1234u, 0xF27E12u));
    EXPECT_EQ(Both(ByteOrderMarkerValid(made), ByteOrderNeedsSwap(made)), Both(1, 0)) << "valid and native";
    std::uint32_t foreign = ByteOrderReadMarker("\x00\x7E\x00\xD4");
    EXPECT_EQ((Both{ByteOrderFix16(foreign, 0x1234), ByteOrderFix32(foreign, 0x12345678u)}), Both(0x3412, 0x78563412));
    EXPECT_EQ(ByteOrderFix32(made, 0x12345678u), 0x12345678u);
}

TEST_F(ResTest, ReadOnlySourcesOpenAndServe) {
    write("Disc.PRS", {{"SMF", 8, "stream"}});
    std::string path = folder.file("Disc.PRS");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    for (std::uint16_t mode : {kResOpenDefault, kResOpenClosed}) {
        ResSource source = ResOpenSource(path.c_str(), mode);
        EXPECT_EQ(loadText("SMF", 8), "stream") << mode;
        ResCloseSource(source);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ResTest, RawAccessOnePerSource) {
    write("Global.PRS", {{"SMF", 1, "first stream"}, {"SMF", 2, "second"}});
    write("Streams", {{"SMF", 3, "folder stream"}});
    ASSERT_NE(ResOpenFile("Global"), 0u);
    ASSERT_NE(ResOpenFile("Streams"), 0u);
    FileRef file = 0;
    std::uint32_t offset = 0, size = 0;
    ResRawRef raw = ResOpenRaw(resType("SMF"), 1, &file, &offset, &size);
    ASSERT_NE(raw, 0u);
    char bytes[12];
    EXPECT_EQ((Results{offset, size, FileRead(file, bytes, 12)}), (Results{48 + 28, 12, 12}));
    EXPECT_EQ(std::string(bytes, 12), "first stream");
    EXPECT_EQ(ResOpenRaw(resType("SMF"), 2, &file, &offset, &size), 0u) << "one raw access per source";
    ResRawRef folderRaw = ResOpenRaw(resType("SMF"), 3, &file, &offset, &size);
    EXPECT_EQ(Both(offset, size), Both(0, 13));
    EXPECT_EQ(ResCloseRaw(folderRaw) + ResCloseRaw(raw), 2);
    EXPECT_NE(ResOpenRaw(resType("SMF"), 2, &file, &offset, &size), 0u);
}

TEST_F(ResTest, InfoDetachAndDeferredLoads) {
    write("Global.PRS", {{"AIF", 5, "sound"}, {"MAP", 1, "m"}});
    ResSource global = ResOpenFile("Global");
    ASSERT_EQ(ResGetCount(global), 2u);
    ResType type = 0;
    std::uint16_t id = 0, flags = 0;
    std::uint32_t size = 0, offset = 0;
    char name[32] = "x";
    ASSERT_EQ(ResGetInfo(global, 0, &type, &id, name, &size, &flags, &offset), 1);
    EXPECT_EQ(Both(type, flags), Both(resType("AIF"), 0));
    EXPECT_EQ(std::to_string(id) + "/" + name + "/" + std::to_string(size) + "/" + std::to_string(offset), "5//5/76");
    EXPECT_EQ(ResGetInfo(global, 2, &type, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    MemHandle handle = ResLoad(resType("MAP"), 1);
    EXPECT_EQ((Both{ResDetach(handle), ResIsLoaded(resType("MAP"), 1)}), Both(1, 0));
    EXPECT_EQ(handleText(handle), "m") << "the block now belongs to its holder";
    MemHandleFree(&handle);
    EXPECT_EQ(ResSetDeferredMode(1), 0);
    MemHandle deferred = ResLoad(resType("AIF"), 5);
    ASSERT_NE(deferred, 0u);
    EXPECT_EQ(Both(MemHandleGetSize(deferred), ResIsInUse(resType("AIF"), 5)), Both(5, 0))
        << "a deferred block is not counted as a use";
    // The preload cache fills a deferred block itself; the next load hands out that block.
    std::memcpy(MemHandleLock(deferred), "SOUND", 5);
    MemHandleUnlock(deferred);
    ResEndDeferred(&deferred);
    EXPECT_EQ((Both{deferred, ResSetDeferredMode(0)}), Both(0, 1));
    EXPECT_EQ(loadText("AIF", 5), "SOUND");
}

}  // namespace
