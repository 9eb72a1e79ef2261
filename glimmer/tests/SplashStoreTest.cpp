// The splash-screen store against registry trees written by the test: region records, comma lists, the
// store's lists and records, and the chooser with its checks, ranking, purge, fallbacks and view record.
#include <functional>
#include <sstream>
#include <tuple>

#include "DssFormats.h"
#include "SplashChooser.h"
#include "StoreFixture.h"

namespace {

using Texts = std::vector<std::string>;
using Choice = std::pair<std::string, std::uint32_t>;  // the chosen ID and a number read after choosing

struct SplashStoreTest : StoreFixture {
    void SetUp() override {
        addApplication("App", 1);
        addApplication("Other", 1);
        addDefault("App", "DEF");
    }
    // Opens the store for `app` as the display call does.
    SplashChooser& open(const char* app = "App") {
        store.setApplication(app);
        store.open();
        return chooser;
    }
    // The chosen ID; "" when nothing was found.
    std::string choose(const char* app = "App") {
        return open(app).chooseSplashScreen(record, kToday) ? record.id : "";
    }
    SplashChooser chooser{store};
};

TEST(SplashStoreFormatsTest, RegionRecordsAndCommaLists) {
    std::vector<std::uint8_t> triangle = regionBytes({{10, 20}, {-5, 300}, {640, -1}});
    std::vector<RegionPoint> points = parseRegionRecord(triangle.data(), triangle.size());
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(std::make_pair(points[1].x, points[1].y), std::make_pair(-5, 300));
    EXPECT_EQ(std::make_pair(points[2].x, points[2].y), std::make_pair(640, -1));
    std::vector<std::uint8_t> full = regionBytes(std::vector<std::pair<int, int>>(32, {1, 2}));
    EXPECT_EQ(parseRegionRecord(full.data(), full.size()).size(), 32u);
    for (int count : {33, -1, 0x7FFF}) {
        std::vector<std::uint8_t> bad = regionBytes({}, count);
        EXPECT_TRUE(parseRegionRecord(bad.data(), bad.size()).empty()) << count;
    }
    EXPECT_EQ((Texts{joinCommaList({"A", "", "C"}), joinCommaList({})}), (Texts{"A,,C", ""}));
}

// A 16-character SSIDs subkey ends the enumeration.
TEST_F(SplashStoreTest, OpenCreatesTheTreeAndReadsTheLists) {
    EXPECT_EQ((std::vector<bool>{store.open(), hasKey("SSIDs"), store.ssids().empty()}), std::vector<bool>(3, true));
    for (const char* id : {"B1", "A2", "C234567890123456", "D"}) addRecord(id);
    setText("", "RecentlySeen", "A,B,,C");
    ASSERT_TRUE(store.open());
    EXPECT_EQ((std::vector<Texts>{store.ssids(), store.appList(), store.recentlySeen()}),
              (std::vector<Texts>{{"A2", "B1"}, {"App", "Other"}, {"A", "B", "", "C"}}));
}

// Texts are cut to 15 characters; a number of more than 40 bytes reads as 0, a StartDate of 4 binary
// bytes as a REG_DWORD; Duration 0 as 3000; a Region of another size than 130 bytes gives no region.
TEST_F(SplashStoreTest, LoadsAWholeRecord) {
    addRecord("Rec");
    setText("SSIDs\\Rec", "ID", "AVeryLongIdentifierIndeed");
    setText("SSIDs\\Rec", "ShowAppList", "ApplicationNameTooLong,Other");
    setText("SSIDs\\Rec", "SkipAppList", "Bad");
    const std::vector<std::uint8_t> big(41, 1);
    setBytes("SSIDs\\Rec", "Version", REG_BINARY, big.data(), big.size());
    const std::uint8_t date[] = {0x6D, 0x25, 0x35, 0x01};  // 20260205
    setBytes("SSIDs\\Rec\\DisplayInfo", "StartDate", REG_BINARY, date, 4);
    setNumber("SSIDs\\Rec\\ImagePieces", "NumPieces", 4);
    addHotspot("SSIDs\\Rec", "1", "http://one/", regionBytes({{0, 0}, {10, 0}, {10, 10}}));
    addHotspot("SSIDs\\Rec", "2", "http://two/", {1, 2, 3});
    ASSERT_TRUE(store.open());
    ASSERT_TRUE(store.loadRecord("Rec", record));
    std::ostringstream got;
    got << record.id << " " << record.version << " show " << joinCommaList(record.showApps) << " skip "
        << joinCommaList(record.skipApps) << " dates " << record.startDate << "-" << record.stopDate << " views "
        << record.maxViews << " duration " << record.duration << " pieces " << record.numPieces << "/"
        << record.nextPiece << " default " << record.isDefault << " image " << record.imageName;
    for (const auto& spot : record.hotspots) got << " spot " << spot.url << " " << spot.region.size();
    EXPECT_EQ(got.str(), "AVeryLongIdenti 0 show ApplicationName,Other skip Bad dates 20260205-20991231 views 5 "
                         "duration 3000 pieces 4/1 default 0 image " + picture() +
                             " spot http://one/ 3 spot http://two/ 0");
}

// A record needs its three subkeys and a name; a LastSeen of 16 characters is not read.
TEST_F(SplashStoreTest, MissingKeysAndOversizedNamesFail) {
    for (const char* missing : {"DisplayInfo", "ImageInfo", "ImagePieces"}) {
        addRecord("Rec");
        ASSERT_TRUE(deleteKey(std::string("SSIDs\\Rec\\") + missing));
        ASSERT_TRUE(store.open());
        EXPECT_FALSE(store.loadRecord("Rec", record)) << missing;
    }
    for (const char* id : {"Nobody", ""}) EXPECT_FALSE(store.loadRecord(id, record)) << id;
    setText("AppList\\App", "LastSeen", "ThisIdIsSixteen!");
    store.setApplication("App");
    std::string lastSeen;
    EXPECT_FALSE(store.getLastSeen(lastSeen));
}

TEST_F(SplashStoreTest, EachCheckDecidesOnItsOwn) {
    const std::string x = "SSIDs\\X", info = "SSIDs\\X\\DisplayInfo", pieces = "SSIDs\\X\\ImagePieces";
    const std::tuple<const char*, std::function<void()>, bool> cases[] = {
        {"eligible", [] {}, true},
        {"never display", [&] { setNumber(x, "NeverDisplay", 1); }, false},
        {"not in the show list", [&] { setText(x, "ShowAppList", "Other,app"); }, false},
        {"empty show list", [&] { setText(x, "ShowAppList", ""); }, false},
        {"starts tomorrow", [&] { setNumber(info, "StartDate", kToday + 1); }, false},
        {"starts today", [&] { setNumber(info, "StartDate", kToday); }, true},
        {"stopped yesterday", [&] { setNumber(info, "StopDate", kToday - 1); }, false},
        {"stops today", [&] { setNumber(info, "StopDate", kToday); }, true},
        {"no dates", [&] { setNumber(info, "StartDate", 0); setNumber(info, "StopDate", 0); }, false},
        {"skips an installed application", [&] { setText(x, "SkipAppList", "Nobody,Other"); }, false},
        {"skips an absent application", [&] { setText(x, "SkipAppList", "Nobody"); }, true},
        {"views used up", [&] { setViews("X", {5}); }, false},
        {"one view left", [&] { setViews("X", {4}); }, true},
        {"unreadable view counts", [&] { setViews("X", {0, 0}); }, false},
        {"second application", [&] { setText(x, "ShowAppList", "Other,App"); setViews("X", {9, 0}); }, true},
        {"newer version", [&] { setNumber(x, "Version", 257); }, false},
        {"still downloading", [&] { setText("", "PartialDownload", "X"); }, false},
        {"pieces missing", [&] { setNumber(pieces, "NumPieces", 3); setNumber(pieces, "NextPiece", 2); }, false},
    };
    for (const auto& [name, change, chosen] : cases) {
        SCOPED_TRACE(name);
        addRecord("X");
        setText("", "PartialDownload", "");
        change();
        EXPECT_EQ(choose(), chosen ? "X" : "DEF");
        EXPECT_TRUE(deleteKey(x));
    }
}

// The first never-seen candidate wins at once (C, stopping the scan before the skip-list hit Z), else
// the one seen longest ago (B at 1 before A at 3); a skip-list hit is recorded for good. Recording B's
// view moves it to the end of RecentlySeen and counts it for App, its second application.
TEST_F(SplashStoreTest, RankingByRecentlySeenAndRecordingAView) {
    for (const char* id : {"A", "B", "C", "Z"}) addRecord(id);
    setText("SSIDs\\Z", "SkipAppList", "Other");
    setText("", "RecentlySeen", "Q,B,R,A");
    EXPECT_EQ((Choice{choose(), number("SSIDs\\Z", "NeverDisplay")}), (Choice{"C", 0}));
    setText("", "RecentlySeen", "Q,B,R,A,C");
    setText("SSIDs\\B", "ShowAppList", "Other,App");
    setViews("B", {7, 2});
    EXPECT_EQ((Choice{choose(), number("SSIDs\\Z", "NeverDisplay")}), (Choice{"B", 1}));
    setText("SSIDs\\Z", "SkipAppList", "");
    EXPECT_EQ(choose(), "B");
    chooser.recordView(record);
    EXPECT_EQ((Texts{text("", "RecentlySeen"), text("AppList\\App", "LastSeen")}), (Texts{"Q,R,A,C,B", "B"}));
    EXPECT_EQ(std::make_pair(numViews("B"), number("SSIDs\\B\\DisplayInfo", "MaxViews")),
              std::make_pair(std::vector<std::uint32_t>{7, 3}, 5u));
}

TEST_F(SplashStoreTest, PurgeRemovesRecordsWhosePictureIsGone) {
    addRecord("Gone");
    addRecord("Fetching");
    setText("SSIDs\\Gone\\ImageInfo", "ImageName", folder.file("missing.jpg"));
    setText("SSIDs\\Fetching\\ImageInfo", "ImageName", folder.file("missing.jpg"));
    setNumber("SSIDs\\Fetching", "NotRetrievingImage", 1);
    addHotspot("SSIDs\\Gone", "spot", "http://x/", regionBytes({{0, 0}, {4, 0}, {4, 4}}));
    setText("", "RecentlySeen", "Gone,Fetching");
    setText("", "PartialDownload", "Gone");
    setNumber("AppList\\App", "Active", 0);  // the purge runs before the Active test
    EXPECT_EQ(choose(), "DEF");
    EXPECT_EQ(std::make_pair(hasKey("SSIDs\\Gone"), hasKey("SSIDs\\Fetching")), std::make_pair(false, true));
    EXPECT_EQ(store.ssids(), Texts{"Fetching"});
    EXPECT_EQ((Texts{text("", "RecentlySeen"), text("", "PartialDownload")}), (Texts{"Fetching", "<missing>"}));
}

// Both rules fall back to the Default: the chooser when Active is 0, the most-recently-seen rule when
// Active is 0 or LastSeen names no record (an expired LastSeen record is shown end to end). The
// Default needs its ImageInfo key.
TEST_F(SplashStoreTest, FallbacksToTheDefault) {
    addRecord("X");
    setText("AppList\\App", "LastSeen", "X");
    setNumber("AppList\\App", "Active", 0);
    EXPECT_EQ(choose(), "DEF");
    EXPECT_EQ(std::make_pair(record.isDefault, record.duration), std::make_pair(std::uint16_t{1}, 3000u));
    ASSERT_TRUE(open().chooseLastSplashScreen(record));
    EXPECT_EQ(record.id, "DEF");
    setNumber("AppList\\App", "Active", 1);
    setText("AppList\\App", "LastSeen", "Missing");
    ASSERT_TRUE(open().chooseLastSplashScreen(record));
    EXPECT_EQ(record.id, "DEF");
    ASSERT_TRUE(deleteKey("AppList\\App\\Default\\ImageInfo"));
    setNumber("AppList\\App", "Active", 0);
    EXPECT_EQ(choose(), "");
}

}  // namespace
