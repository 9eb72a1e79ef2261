// The registry store against a tree written by the test (and one written with Wine's reg program).
#include <gtest/gtest.h>

#include <ctime>

#include "ChildProcess.h"
#include "RegistryKey.h"
#include "StoreFixture.h"
#include "cDSSRegistry.h"

namespace {

using Names = std::vector<std::string>;

class RegistryStoreTest : public StoreFixture {
protected:
    cDSSRegistry store{root()};
};

TEST_F(RegistryStoreTest, OpenCreatesTheTreeAndReadsTheLists) {
    EXPECT_TRUE(store.open());
    EXPECT_TRUE(hasKey("SSIDs"));
    EXPECT_TRUE(store.ssids().empty());

    addRecord({"B1"});
    addRecord({"A2"});
    addApplication("App", 1);
    addApplication("Other", 0);
    setText("", "RecentlySeen", "A,B,,C");
    setText("", "StorageLocation", "c:\\store");
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.ssids(), (Names{"A2", "B1"}));
    EXPECT_EQ(store.appList(), (Names{"App", "Other"}));
    EXPECT_EQ(store.recentlySeen(), (Names{"A", "B", "", "C"}));
    EXPECT_EQ(store.storageLocation(), "c:\\store");
    EXPECT_NE(store.hostPath().find("glimmer_tests.exe"), std::string::npos);
}

TEST_F(RegistryStoreTest, ALongSubkeyNameEndsTheEnumeration) {
    addRecord({"AA"});
    addRecord({"B234567890123456"});  // 16 characters: does not fit
    addRecord({"CC"});
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.ssids(), Names{"AA"});
}

TEST_F(RegistryStoreTest, LoadsAWholeRecord) {
    RecordSpec splash{"Rec"};
    splash.showApps = "App,Other";
    splash.skipApps = "Bad";
    splash.maxViews = 7;
    splash.duration = 1500;
    splash.numPieces = 4;
    splash.nextPiece = 2;
    addRecord(splash);
    setBytes("SSIDs\\Rec\\DisplayInfo", "StartDate", REG_BINARY, {0x6D, 0x25, 0x35, 0x01});  // 20260205
    addHotspot("SSIDs\\Rec", "1", "http://one/", regionBytes({{0, 0}, {10, 0}, {10, 10}}));
    addHotspot("SSIDs\\Rec", "2", "http://two/", {1, 2, 3});
    ASSERT_TRUE(store.open());
    cDSSInfo record;
    ASSERT_TRUE(store.loadRecord("Rec", record));
    EXPECT_EQ(record.id, "Rec");
    EXPECT_EQ(record.version, 256u);
    EXPECT_EQ(record.showApps, (Names{"App", "Other"}));
    EXPECT_EQ(record.skipApps, Names{"Bad"});
    EXPECT_EQ(record.startDate, 20260205L);
    EXPECT_EQ(record.stopDate, 20261231L);
    EXPECT_EQ(record.maxViews, 7u);
    EXPECT_EQ(record.duration, 1500u);
    EXPECT_EQ(record.numPieces, 4);
    EXPECT_EQ(record.nextPiece, 2);
    EXPECT_EQ(record.isDefault, 0);
    EXPECT_EQ(record.imageName, folder.file("Rec.jpg"));
    ASSERT_EQ(record.hotspots.size(), 2u);
    EXPECT_EQ(record.hotspots[0].url, "http://one/");
    EXPECT_EQ(record.hotspots[0].region.size(), 3u);
    EXPECT_EQ(record.hotspots[1].url, "http://two/");
    EXPECT_TRUE(record.hotspots[1].region.empty());
}

TEST_F(RegistryStoreTest, ARecordNeedsItsThreeSubkeys) {
    for (const char* missing : {"DisplayInfo", "ImageInfo", "ImagePieces"}) {
        SCOPED_TRACE(missing);
        addRecord({"Rec"});
        ASSERT_TRUE(deleteKeyTree(root(), (std::string("Software\\Vellumark Software\\DSS\\SSIDs\\Rec\\") + missing).c_str()));
        ASSERT_TRUE(store.open());
        cDSSInfo record;
        EXPECT_FALSE(store.loadRecord("Rec", record));
    }
    cDSSInfo record;
    EXPECT_FALSE(store.loadRecord("Nobody", record));
    EXPECT_FALSE(store.loadRecord("", record));
}

TEST_F(RegistryStoreTest, OversizedValuesAreCutOrRefused) {
    RecordSpec splash{"Rec"};
    addRecord(splash);
    setText("SSIDs\\Rec", "ID", "AVeryLongIdentifierIndeed");
    setText("SSIDs\\Rec", "ShowAppList", "ApplicationNameTooLong,App");
    setBytes("SSIDs\\Rec", "Version", REG_BINARY, std::vector<std::uint8_t>(41, 1));  // more than 40 bytes: 0
    addApplication("App", 1);
    setText("AppList\\App", "LastSeen", "ThisIdIsSixteen!");
    ASSERT_TRUE(store.open());
    store.setApplication("App");
    cDSSInfo record;
    ASSERT_TRUE(store.loadRecord("Rec", record));
    EXPECT_EQ(record.id, "AVeryLongIdenti");
    EXPECT_EQ(record.showApps, (Names{"ApplicationName", "App"}));
    EXPECT_EQ(record.version, 0u);
    std::string lastSeen;
    EXPECT_FALSE(store.getLastSeen(lastSeen));
}

TEST_F(RegistryStoreTest, WritesWhatTheLibraryChanges) {
    addApplication("App", 0);
    addRecord({"Rec"});
    ASSERT_TRUE(store.open());
    store.setApplication("App");
    EXPECT_TRUE(store.toggleActive());
    EXPECT_EQ(number("AppList\\App", "Active"), 1u);
    EXPECT_TRUE(store.toggleActive());
    EXPECT_EQ(number("AppList\\App", "Active"), 0u);
    EXPECT_TRUE(store.writeLastRun(std::time_t{1700000000}));
    EXPECT_EQ(number("AppList\\App", "LastRun"), 1700000000u);
    EXPECT_TRUE(store.writeLastSeen("Rec"));
    EXPECT_EQ(text("AppList\\App", "LastSeen"), "Rec");
    EXPECT_TRUE(store.markNeverDisplay("Rec"));
    EXPECT_EQ(number("SSIDs\\Rec", "NeverDisplay"), 1u);
    EXPECT_TRUE(store.writeNumViews("Rec", {3, 0x01020304}));
    EXPECT_EQ(numViews("Rec"), (std::vector<std::uint32_t>{3, 0x01020304}));

    store.setApplication("Missing");
    EXPECT_FALSE(store.toggleActive());
    EXPECT_FALSE(store.writeLastRun(std::time_t{1}));
    EXPECT_FALSE(hasKey("AppList\\Missing"));
}

TEST_F(RegistryStoreTest, RemovingASplashScreenDeletesItsWholeKey) {
    addRecord({"Gone"});
    addRecord({"Kept"});
    addHotspot("SSIDs\\Gone", "spot", "http://x/", regionBytes({{0, 0}, {1, 1}, {0, 1}}));
    setText("", "RecentlySeen", "Kept,Gone,Other");
    setText("", "PartialDownload", "Gone");
    ASSERT_TRUE(store.open());
    EXPECT_TRUE(store.removeSplashScreen("Gone"));
    EXPECT_FALSE(hasKey("SSIDs\\Gone"));
    EXPECT_TRUE(hasKey("SSIDs\\Kept"));
    EXPECT_EQ(text("", "RecentlySeen"), "Kept,Other");
    EXPECT_FALSE(hasValue("", "PartialDownload"));
    EXPECT_EQ(store.ssids(), Names{"Kept"});
}

TEST_F(RegistryStoreTest, ReadsATreeWrittenWithTheRegProgram) {
    const std::string key = "HKCU\\" + rootPath() + "\\Software\\Vellumark Software\\DSS\\SSIDs\\Reg1";
    const std::string image = picture("reg.jpg");
    const std::vector<std::string> commands = {
        "reg add \"" + key + "\" /v ID /t REG_SZ /d Reg1 /f",
        "reg add \"" + key + "\" /v Version /t REG_DWORD /d 256 /f",
        "reg add \"" + key + "\" /v ShowAppList /t REG_SZ /d App,Two /f",
        "reg add \"" + key + "\\DisplayInfo\" /v StartDate /t REG_DWORD /d 20260101 /f",
        "reg add \"" + key + "\\DisplayInfo\" /v StopDate /t REG_DWORD /d 20270101 /f",
        "reg add \"" + key + "\\DisplayInfo\" /v Duration /t REG_DWORD /d 0 /f",
        "reg add \"" + key + "\\ImageInfo\" /v ImageName /t REG_SZ /d \"" + image + "\" /f",
        "reg add \"" + key + "\\ImagePieces\" /v NumPieces /t REG_DWORD /d 3 /f",
    };
    for (const std::string& command : commands) {
        ChildResult result = runChild(command);
        ASSERT_TRUE(result.started) << command;
        ASSERT_EQ(result.exitCode, 0u) << command << "\n" << result.output;
    }
    ASSERT_TRUE(store.open());
    cDSSInfo record;
    ASSERT_TRUE(store.loadRecord("Reg1", record));
    EXPECT_EQ(record.showApps, (Names{"App", "Two"}));
    EXPECT_EQ(record.stopDate, 20270101L);
    EXPECT_EQ(record.duration, 3000u);
    EXPECT_EQ(record.numPieces, 3);
    EXPECT_EQ(record.imageName, image);
}

TEST(RegistryKeyTest, DeletingATreeNeedsAnExistingKey) {
    EXPECT_FALSE(deleteKeyTree(HKEY_CURRENT_USER, "Software\\GlimmerTests\\NoSuchKey\\Deeper"));
    RegistryKey key;
    EXPECT_FALSE(key.open(HKEY_CURRENT_USER, ""));
    EXPECT_FALSE(key.open(HKEY_CURRENT_USER, nullptr));
}

}  // namespace
