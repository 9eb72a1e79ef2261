// The chooser against registry trees written by the test: each check on its own, the ranking by
// RecentlySeen, the purge, the MRU rule, the Default and the recording of a view.
#include <gtest/gtest.h>

#include "StoreFixture.h"
#include "SplashChooser.h"

namespace {

class SplashChooserTest : public StoreFixture {
protected:
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

    cDSSRegistry store{root()};
    SplashChooser chooser{store};
    cDSSInfo record;
};

TEST_F(SplashChooserTest, EachCheckDecidesOnItsOwn) {
    const struct {
        const char* name;
        void (*change)(RecordSpec&);
        const char* partialDownload;
        bool chosen;
    } cases[] = {
        {"eligible", [](RecordSpec&) {}, "", true},
        {"never display", [](RecordSpec& r) { r.neverDisplay = 1; }, "", false},
        {"not in the show list", [](RecordSpec& r) { r.showApps = "Other,app"; }, "", false},
        {"empty show list", [](RecordSpec& r) { r.showApps = ""; }, "", false},
        {"starts tomorrow", [](RecordSpec& r) { r.startDate = 20261207; }, "", false},
        {"starts today", [](RecordSpec& r) { r.startDate = 20261206; }, "", true},
        {"stopped yesterday", [](RecordSpec& r) { r.stopDate = 20261205; }, "", false},
        {"stops today", [](RecordSpec& r) { r.stopDate = 20261206; }, "", true},
        {"no dates", [](RecordSpec& r) { r.startDate = r.stopDate = 0; }, "", false},
        {"skips an installed application", [](RecordSpec& r) { r.skipApps = "Nobody,Other"; }, "", false},
        {"skips an absent application", [](RecordSpec& r) { r.skipApps = "Nobody"; }, "", true},
        {"views used up", [](RecordSpec& r) { r.numViews = {5}; }, "", false},
        {"one view left", [](RecordSpec& r) { r.numViews = {4}; }, "", true},
        {"no view counts", [](RecordSpec& r) { r.numViews = {}; }, "", false},
        {"counts for the second application", [](RecordSpec& r) { r.showApps = "Other,App"; r.numViews = {9, 0}; }, "", true},
        {"newer version", [](RecordSpec& r) { r.version = 257; }, "", false},
        {"still downloading", [](RecordSpec&) {}, "X", false},
        {"pieces missing", [](RecordSpec& r) { r.numPieces = 3; r.nextPiece = 2; }, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordSpec splash{"X"};
        c.change(splash);
        addRecord(splash);
        setText("", "PartialDownload", c.partialDownload);
        EXPECT_EQ(choose(), c.chosen ? "X" : "DEF");
        EXPECT_TRUE(deleteKey("SSIDs\\X"));
    }
}

TEST_F(SplashChooserTest, ASkipListHitIsRecordedForGood) {
    RecordSpec splash{"X"};
    splash.skipApps = "Other";
    addRecord(splash);
    EXPECT_EQ(choose(), "DEF");
    EXPECT_EQ(number("SSIDs\\X", "NeverDisplay"), 1u);
    setText("SSIDs\\X", "SkipAppList", "");
    EXPECT_EQ(choose(), "DEF");
}

TEST_F(SplashChooserTest, TheOneSeenLongestAgoWinsUnlessOneWasNeverSeen) {
    addRecord({"A"});
    addRecord({"B"});
    setText("", "RecentlySeen", "Q,B,R,A");  // A at position 3, B at position 1
    EXPECT_EQ(choose(), "B");
    addRecord({"C"});  // never seen, after both in list order
    EXPECT_EQ(choose(), "C");
    setText("", "RecentlySeen", "Q,B,R,A,C");
    EXPECT_EQ(choose(), "B");
}

TEST_F(SplashChooserTest, AFirstNeverSeenCandidateStopsTheScan) {
    addRecord({"A"});
    addRecord({"M"});
    RecordSpec skipper{"Z"};
    skipper.skipApps = "Other";
    addRecord(skipper);
    setText("", "RecentlySeen", "A");
    EXPECT_EQ(choose(), "M");
    EXPECT_EQ(number("SSIDs\\Z", "NeverDisplay"), 0u) << "Z was checked after the scan had stopped";
}

TEST_F(SplashChooserTest, PurgeRemovesRecordsWhosePictureIsGone) {
    RecordSpec gone{"Gone"};
    gone.pictureExists = false;
    RecordSpec fetching{"Fetching"};
    fetching.pictureExists = false;
    fetching.notRetrievingImage = 1;
    addRecord(gone);
    addRecord(fetching);
    addHotspot("SSIDs\\Gone", "spot", "http://x/", regionBytes({{0, 0}, {4, 0}, {4, 4}}));
    setText("", "RecentlySeen", "Gone,Fetching");
    setText("", "PartialDownload", "Gone");
    setNumber("AppList\\App", "Active", 0);  // the purge runs before the Active test
    EXPECT_EQ(choose(), "DEF");
    EXPECT_FALSE(hasKey("SSIDs\\Gone"));
    EXPECT_TRUE(hasKey("SSIDs\\Fetching"));
    EXPECT_EQ(store.ssids(), std::vector<std::string>{"Fetching"});
    EXPECT_EQ(text("", "RecentlySeen"), "Fetching");
    EXPECT_EQ(text("", "PartialDownload"), "<missing>");
}

TEST_F(SplashChooserTest, InactiveApplicationsGetTheirDefaultWhichNeedsItsImageInfo) {
    addRecord({"X"});
    setNumber("AppList\\App", "Active", 0);
    EXPECT_EQ(choose(), "DEF");
    EXPECT_EQ(record.isDefault, 1);
    EXPECT_EQ(record.duration, 3000u);
    EXPECT_EQ(record.imageName, folder.file("DEF.jpg"));
    EXPECT_EQ(choose("Nobody"), "") << "no Default either";
    ASSERT_TRUE(deleteKey("AppList\\App\\Default\\ImageInfo"));
    EXPECT_EQ(choose(), "");
    EXPECT_FALSE(store.loadDefault(record));
}

TEST_F(SplashChooserTest, TheLastSeenRecordIsShownWithoutChecks) {
    RecordSpec old{"Old"};
    old.stopDate = 20000101;
    old.numViews = {99};
    addRecord(old);
    const struct {
        std::uint32_t active;
        const char* lastSeen;
        const char* shown;
    } cases[] = {{1, "Old", "Old"}, {0, "Old", "DEF"}, {1, "Missing", "DEF"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "Active " << c.active << ", LastSeen " << c.lastSeen);
        setNumber("AppList\\App", "Active", c.active);
        setText("AppList\\App", "LastSeen", c.lastSeen);
        ASSERT_TRUE(open().chooseLastSplashScreen(record));
        EXPECT_EQ(record.id, c.shown);
    }
}

TEST_F(SplashChooserTest, RecordingAViewCountsItAndMovesItToTheEnd) {
    RecordSpec splash{"X"};
    splash.showApps = "Other,App";
    splash.numViews = {7, 2};
    addRecord(splash);
    setText("", "RecentlySeen", "X,Y");
    ASSERT_EQ(choose(), "X");
    chooser.recordView(record);
    EXPECT_EQ(text("", "RecentlySeen"), "Y,X");
    EXPECT_EQ(text("AppList\\App", "LastSeen"), "X");
    EXPECT_EQ(numViews("X"), (std::vector<std::uint32_t>{7, 3}));
    EXPECT_EQ(number("SSIDs\\X\\DisplayInfo", "MaxViews"), 5u);

    ASSERT_TRUE(store.loadDefault(record));
    chooser.recordView(record);
    EXPECT_EQ(text("", "RecentlySeen"), "Y,X") << "a Default view is not recorded";
}

}  // namespace
