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
// searched; a scan is a snapshot.
TEST(SearchPathTest, ScannedDirectoriesMatchWithoutLetterCaseAndTheLastIsTheFallback) {
    TempFolder x;
    TempFolder y;
    writeWholeFile(x.file("Sound.wav"), "RIFF");
    ASSERT_TRUE(CreateDirectoryA(x.file("sub").c_str(), nullptr));
    addSearchDirectory(x.path().c_str(), 1);
    addSearchDirectory(y.path().c_str(), 0);
    writeWholeFile(x.file("late.wav"), "RIFF");
    for (const char* name : {"C:\\DATA\\A.WAV", "sub\\a.wav", "E:a.wav"}) EXPECT_EQ(resolved(name), name);
    EXPECT_EQ(resolved("SOUND.WAV"), x.path() + "\\SOUND.WAV");
    EXPECT_EQ(resolved("other.wav"), y.path() + "\\other.wav");
    EXPECT_EQ(resolved("sub"), y.path() + "\\sub") << "folders are not listed";
    EXPECT_EQ(resolved(""), "(null)");
    setSearchAll(1);
    EXPECT_EQ(resolved("other.wav"), "(null)");
    writeWholeFile(y.file("other.wav"), "RIFF");
    EXPECT_EQ(resolved("other.wav"), y.path() + "\\other.wav");
    EXPECT_EQ(resolved("late.wav"), "(null)") << "a scan is a snapshot";
    setSearchAll(0);
    clearSearchPath();
    for (const char* given : {"C:\\data", "C:\\data\\"}) EXPECT_EQ(OMPathDirectory(given, 0).path, "C:\\data\\");
    EXPECT_TRUE(OMPathDirectory((x.path() + "\\absent").c_str(), 1).fileNames.empty());
    addSearchDirectory("", 0);
    addSearchDirectory(nullptr, 1);
    EXPECT_EQ(resolved("a.wav"), "a.wav") << "an empty path resolves every name to itself";
    clearSearchPath();
}

}  // namespace
