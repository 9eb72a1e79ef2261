// Class plug-ins loaded from ".lrn" libraries: by class name, by the folder scan, and refused libraries.
#include "OMClassLibraries.h"
#include "OMScriptableObject.h"
#include "TestSupport.h"

namespace {
bool isLoaded(const std::string& file) { return GetModuleHandleA(file.c_str()) != nullptr; }

// Works in a fresh folder holding the given plug-ins, with the Win32 loader installed.
struct PluginTest : ::testing::Test {
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous);
        ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
        installClassLibraryLoader();
        setClassAutoload(1);
    }
    void TearDown() override {
        freeClassLibraries(nullptr);
        setClassLibraryLoader(nullptr);
        SetCurrentDirectoryA(previous);
    }
    void provide(const std::string& file, const std::string& as = "") {
        const std::string built = programFolder() + "plugins\\" + file;
        ASSERT_TRUE(CopyFileA(built.c_str(), folder.file(as.empty() ? file : as).c_str(), FALSE)) << file;
    }
    TempFolder folder;
    char previous[MAX_PATH] = {};
};

TEST_F(PluginTest, FindClassLoadsThePluginWhoseClassThenWorks) {
    provide("RTally.lrn");
    ASSERT_FALSE(isLoaded("RTally.lrn"));
    ASSERT_EQ(findClass("rtally"), 1);
    EXPECT_TRUE(isLoaded("RTally.lrn"));
    std::unique_ptr<OMScriptableObject> tally(createObject("RTALLY", "9"));
    ASSERT_NE(tally, nullptr);
    EXPECT_STREQ(tally->className, "RTally");
    // The plug-in's verb pops the program's parameters and sees the program's in-call flag (an event that
    // reached its handler would add 1000).
    OMLinkToFct handler([](OMArg) {});
    ASSERT_EQ(tally->bindEvent("changed", &handler, nullptr), 1);
    EXPECT_EQ(tally->invokeMethod("add", "2"), 1);
    EXPECT_STREQ(tally->getProperty("count"), "11");
    EXPECT_EQ(tally->signalEvent("changed"), 1);
    tally.reset();
    freeClassLibraries("RTally");
    EXPECT_FALSE(isLoaded("RTally.lrn"));
    setClassAutoload(0);
    EXPECT_EQ(findClass("RTally"), 0) << "its record left with the library";
    setClassAutoload(1);
    provide("RTally.lrn", "RTally.plg");
    loadClassLibraries("RTally.plg");
    EXPECT_TRUE(isLoaded("RTally.plg")) << "a name with an extension is the file's own";
}

// Libraries without the class, by name or by the scan, are released; the scan keeps the real plug-in.
TEST_F(PluginTest, FolderScanLoadsPluginsAndReleasesTheRest) {
    for (const char* file : {"RTally.lrn", "RSilent.lrn", "RNoEntry.lrn"}) provide(file);
    writeWholeFile(folder.file("RJunk.lrn"), "not a library");
    for (const std::string name : {"RSilent", "RNoEntry", "RJunk", "RAbsent"}) {
        EXPECT_EQ(findClass(name.c_str()), 0) << name;
        EXPECT_FALSE(isLoaded(name + ".lrn")) << name;
    }
    loadClassLibraries(nullptr);
    EXPECT_EQ(std::pair(isLoaded("RTally.lrn"), isLoaded("RSilent.lrn") || isLoaded("RNoEntry.lrn")),
              std::pair(true, false));
    setClassAutoload(0);
    EXPECT_EQ(findClass("RTally"), 1);
}
}  // namespace
