// The registry store against a tree written by the test (and one written with Wine's reg program).
#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "ChildProcess.h"
#include "DssFormats.h"
#include "StoreFixture.h"
#include "cDSSRegistry.h"

namespace {

using Names = std::vector<std::string>;

std::string describe(const cDSSInfo& r) {
    std::ostringstream text;
    text << r.id << " " << r.version << " show " << joinCommaList(r.showApps) << " skip " << joinCommaList(r.skipApps)
         << " dates " << r.startDate << "-" << r.stopDate << " views " << r.maxViews << " duration " << r.duration
         << " pieces " << r.numPieces << "/" << r.nextPiece << " default " << r.isDefault << " image " << r.imageName;
    for (const auto& spot : r.hotspots) text << " spot " << spot.url << " " << spot.region.size();
    return text.str();
}

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
    EXPECT_EQ(describe(record), "Rec 256 show App,Other skip Bad dates 20260205-20261231 views 7 duration 1500 "
                                "pieces 4/2 default 0 image " + folder.file("Rec.jpg") +
                                    " spot http://one/ 3 spot http://two/ 0");
}

TEST_F(RegistryStoreTest, ARecordNeedsItsThreeSubkeysAndKeysMustExist) {
    cDSSInfo record;
    for (const char* missing : {"DisplayInfo", "ImageInfo", "ImagePieces"}) {
        SCOPED_TRACE(missing);
        addRecord({"Rec"});
        ASSERT_TRUE(deleteKey(std::string("SSIDs\\Rec\\") + missing));
        ASSERT_TRUE(store.open());
        EXPECT_FALSE(store.loadRecord("Rec", record));
    }
    EXPECT_FALSE(store.loadRecord("Nobody", record));
    EXPECT_FALSE(store.loadRecord("", record));
    EXPECT_FALSE(deleteKeyTree(HKEY_CURRENT_USER, "Software\\GlimmerTests\\NoSuchKey\\Deeper"));
    RegistryKey key;
    EXPECT_FALSE(key.open(HKEY_CURRENT_USER, ""));
    EXPECT_FALSE(key.open(HKEY_CURRENT_USER, nullptr));
}

TEST_F(RegistryStoreTest, OversizedValuesAreCutOrRefused) {
    addRecord({"AA"});
    addRecord({"B234567890123456"});  // 16 characters: does not fit, and ends the enumeration
    addRecord({"Rec"});
    setText("SSIDs\\Rec", "ID", "AVeryLongIdentifierIndeed");
    setText("SSIDs\\Rec", "ShowAppList", "ApplicationNameTooLong,App");
    setBytes("SSIDs\\Rec", "Version", REG_BINARY, std::vector<std::uint8_t>(41, 1));  // more than 40 bytes: 0
    addApplication("App", 1);
    setText("AppList\\App", "LastSeen", "ThisIdIsSixteen!");
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.ssids(), Names{"AA"});
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
    EXPECT_TRUE(store.writeNumViews("Rec", {3, 0x01020304}));
    EXPECT_EQ(numViews("Rec"), (std::vector<std::uint32_t>{3, 0x01020304}));

    store.setApplication("Missing");
    EXPECT_FALSE(store.toggleActive());
    EXPECT_FALSE(store.writeLastRun(std::time_t{1}));
    EXPECT_FALSE(hasKey("AppList\\Missing"));
}

TEST_F(RegistryStoreTest, ReadsATreeWrittenWithTheRegProgram) {
    const std::string key = "HKCU\\" + rootPath() + "\\Software\\Vellumark Software\\DSS\\SSIDs\\Reg1";
    const std::string image = picture("reg.jpg");
    const char* const values[][4] = {
        {"", "ID", "REG_SZ", "Reg1"},
        {"", "Version", "REG_DWORD", "256"},
        {"", "ShowAppList", "REG_SZ", "App,Two"},
        {"\\DisplayInfo", "StartDate", "REG_DWORD", "20260101"},
        {"\\DisplayInfo", "StopDate", "REG_DWORD", "20270101"},
        {"\\DisplayInfo", "Duration", "REG_DWORD", "0"},
        {"\\ImageInfo", "ImageName", "REG_SZ", image.c_str()},
        {"\\ImagePieces", "NumPieces", "REG_DWORD", "3"},
    };
    for (const auto& value : values) {
        const std::string command = "reg add \"" + key + value[0] + "\" /v " + value[1] + " /t " + value[2] +
                                    " /d \"" + value[3] + "\" /f";
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

}  // namespace
