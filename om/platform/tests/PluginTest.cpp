// Class plug-ins loaded from ".lrn" libraries: by class name, by the folder scan, and refused libraries.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "OMClassLibraries.h"
#include "OMGlobals.h"
#include "OMSR.h"
#include "OMScriptableObject.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "Files.h"

namespace {

int handlerRuns = 0;
void countHandler(OMArg) { ++handlerRuns; }

bool isLoaded(const char* file) { return GetModuleHandleA(file) != nullptr; }

// Works in a fresh folder holding the given plug-ins, with the Win32 loader installed.
class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        handlerRuns = 0;
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
    void provide(const char* file) {
        const std::string built = programFolder() + "plugins\\" + file;
        ASSERT_TRUE(CopyFileA(built.c_str(), folder.file(file).c_str(), FALSE)) << file;
    }

    TempFolder folder;
    char previous[MAX_PATH] = {};
};

TEST_F(PluginTest, FindClassLoadsThePluginWhoseClassThenWorks) {
    provide("RTally.lrn");
    ASSERT_FALSE(isLoaded("RTally.lrn"));
    ASSERT_EQ(findClass("rtally"), 1);
    EXPECT_TRUE(isLoaded("RTally.lrn"));
    EXPECT_NE(omGlobals().currentClass->library, nullptr);

    std::unique_ptr<OMScriptableObject> tally(createObject("RTALLY", "4"));
    ASSERT_NE(tally, nullptr);
    EXPECT_STREQ(tally->className, "RTally");
    EXPECT_STREQ(tally->getProperty("count"), "4");
    EXPECT_EQ(tally->setProperty("count", "9"), 1);
    EXPECT_STREQ(tally->getProperty("count"), "9");

    // The plug-in's verb pops the program's parameters and sees the program's in-call flag.
    OMLinkToFct handler(countHandler);
    ASSERT_EQ(tally->bindEvent("changed", &handler, nullptr), 1);
    EXPECT_EQ(tally->invokeMethod("add", "2"), 1);
    EXPECT_STREQ(tally->getProperty("count"), "11");
    EXPECT_EQ(handlerRuns, 0);
    EXPECT_EQ(tally->signalEvent("changed"), 1);
    EXPECT_EQ(handlerRuns, 1);
    tally.reset();

    freeClassLibraries("RTally");
    EXPECT_FALSE(isLoaded("RTally.lrn"));
    setClassAutoload(0);
    EXPECT_EQ(findClass("RTally"), 0);  // its record left with the library
}

// Libraries without the class, by name or by the scan, are released; the scan keeps the real plug-in.
TEST_F(PluginTest, FolderScanLoadsPluginsAndReleasesTheRest) {
    for (const char* file : {"RTally.lrn", "RSilent.lrn", "RNoEntry.lrn"}) provide(file);
    writeWholeFile(folder.file("RJunk.lrn"), "not a library");
    for (const char* name : {"RSilent", "RNoEntry", "RJunk", "RAbsent"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(findClass(name), 0);
        EXPECT_FALSE(isLoaded((std::string(name) + ".lrn").c_str()));
    }
    EXPECT_EQ(createObject("RSilent"), nullptr);

    loadClassLibraries(nullptr);
    EXPECT_TRUE(isLoaded("RTally.lrn"));
    EXPECT_FALSE(isLoaded("RSilent.lrn"));
    EXPECT_FALSE(isLoaded("RNoEntry.lrn"));
    setClassAutoload(0);
    ASSERT_EQ(findClass("RTally"), 1);
    std::unique_ptr<OMScriptableObject> tally(createObject("RTally", "1"));
    ASSERT_NE(tally, nullptr);
    EXPECT_EQ(tally->invokeMethod("add", "5"), 1);
    EXPECT_STREQ(tally->getProperty("count"), "6");
    EXPECT_EQ(findClass("RSilent"), 0);
    EXPECT_EQ(findClass("RJunk"), 0);
}

}  // namespace
