// Search-path resolution: names with folders, scanned and unscanned directories, the fallback.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "Files.h"
#include "OMSearchPath.h"
#include "TempFolder.h"

namespace {

std::string resolved(const char* name) {
    const std::unique_ptr<char[]> path = resolvePath(name);
    return path ? std::string(path.get()) : std::string("(null)");
}

// x is scanned and holds Sound.wav; y is not scanned and is the fallback unless every directory is
// searched.
class SearchPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeWholeFile(x.file("Sound.wav"), "RIFF");
        addSearchDirectory(x.path().c_str(), 1);
        addSearchDirectory(y.path().c_str(), 0);
    }
    void TearDown() override {
        clearSearchPath();
        setSearchAll(0);
    }
    std::string inX(const char* name) const { return x.path() + "\\" + name; }
    std::string inY(const char* name) const { return y.path() + "\\" + name; }

    TempFolder x;
    TempFolder y;
};

TEST_F(SearchPathTest, NamesWithADriveOrFolderAreKept) {
    for (const char* name : {"C:\\DATA\\A.WAV", "sub\\a.wav", "E:a.wav"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(resolved(name), name);
    }
}

TEST_F(SearchPathTest, ScannedDirectoryMatchesWithoutLetterCaseAndTheLastIsTheFallback) {
    EXPECT_EQ(resolved("SOUND.WAV"), inX("SOUND.WAV"));
    EXPECT_EQ(resolved("other.wav"), inY("other.wav"));
    EXPECT_EQ(resolved(""), "(null)");
    EXPECT_EQ(resolved(nullptr), "(null)");
}

TEST_F(SearchPathTest, SearchingEveryDirectoryHasNoFallback) {
    setSearchAll(1);
    EXPECT_EQ(resolved("other.wav"), "(null)");
    writeWholeFile(y.file("other.wav"), "RIFF");
    EXPECT_EQ(resolved("other.wav"), inY("other.wav"));
    EXPECT_EQ(resolved("sound.wav"), inX("sound.wav"));
    writeWholeFile(x.file("late.wav"), "RIFF");
    EXPECT_EQ(resolved("late.wav"), "(null)") << "a scan is a snapshot";
}

TEST_F(SearchPathTest, DirectoriesGetOneTrailingBackslashAndUnlistableOnesHoldNothing) {
    for (const char* given : {"C:\\data", "C:\\data\\"}) EXPECT_EQ(OMPathDirectory(given, 0).path, "C:\\data\\");
    const OMPathDirectory missing((x.path() + "\\absent").c_str(), 1);
    EXPECT_EQ(missing.scanned, 1);
    EXPECT_TRUE(missing.fileNames.empty());
    ASSERT_TRUE(CreateDirectoryA(x.file("sub").c_str(), nullptr));
    const OMPathDirectory listed(x.path().c_str(), 1);
    RemoveDirectoryA(x.file("sub").c_str());
    EXPECT_EQ(listed.fileNames, std::vector<std::string>{"Sound.wav"}) << "folders are not listed";
}

TEST(SearchPathEmpty, EveryNameResolvesToACopyOfItself) {
    addSearchDirectory("", 0);
    addSearchDirectory(nullptr, 1);
    EXPECT_EQ(resolved("a.wav"), "a.wav");
}

}  // namespace
