// The open-file table, named-file operations, folders and directories against a temporary folder.
#include "ChildProcess.h"
#include "EngineTestSupport.h"
#include "FileDialog.h"
#include "FileDir.h"
#include "FileFolders.h"

namespace {

using FileTest = EngineTest;

// Run only in a child started by the test below, whose open counter has not moved yet.
TEST(FileFreshProcess, DISABLED_ReferencesCountFromOne) {
    TempFolder folder;
    writeWholeFile(folder.file("a"), "a");
    FileInit();
    FileRef first = FileOpen(folder.file("a").c_str(), kFileRead);
    EXPECT_EQ(FileOpen(folder.file("a").c_str(), kFileRead), 0x301u);
    EXPECT_EQ(FileClose(first), 0);
    EXPECT_EQ(Both(first, FileOpen(folder.file("a").c_str(), kFileRead)), Both(0x100, 0x500));
    FileTerm();
}

TEST(FileTableTest, FirstReferenceIs0x100InAFreshProcess) {
    ChildResult child =
        runChild("\"" + programPath() + "\" --gtest_also_run_disabled_tests --gtest_filter=FileFreshProcess.*");
    ASSERT_TRUE(child.started);
    EXPECT_EQ(child.exitCode, 0u) << child.output;
    EXPECT_NE(child.output.find("[  PASSED  ] 1 test"), std::string::npos) << child.output;
}

// A result and the error word it left, as "result/error".
std::string withError(std::int64_t result) { return std::to_string(result) + "/" + std::to_string(FileGetError()); }

TEST_F(FileTest, SeventeenthOpenFailsWithError12AndChangesNoSlotAndTermClosesThemAll) {
    std::string name = make("data.bin", "0123456789");
    std::vector<FileRef> refs;
    for (int i = 0; i < kFileSlots; ++i) refs.push_back(FileOpen(name.c_str(), kFileRead));
    EXPECT_EQ(refs.back() & 0xFF, 15u);
    EXPECT_EQ(withError(FileOpen(name.c_str(), kFileRead)), "0/12");
    for (FileRef ref : refs) EXPECT_EQ(withError(FileTell(ref)), "0/0") << ref;
    EXPECT_EQ((Both{FileClose(refs[3]), FileOpen(name.c_str(), kFileRead) & 0xFF}), Both(0, 3));
    EXPECT_EQ(withError(FileTell(refs[3])), "0/3") << "the closed reference names a reused slot";
    EXPECT_EQ(FileClose(refs[3]), kFileErrBadRef);
    // FileTerm closes every slot, handle and all.
    FileTerm();
    EXPECT_EQ(withError(FileTell(refs[0])), "0/3");
    EXPECT_NE(FileOpen(name.c_str(), kFileWrite | kFileDenyRead | kFileDenyWrite), 0u);
}

TEST_F(FileTest, BadReferencesGiveError3AndTheirResults) {
    std::string name = make("data.bin", "0123456789");
    FileRef ref = FileOpen(name.c_str(), kFileRead);
    ASSERT_EQ(FileClose(ref), 0);
    char buffer[4];
    struct Case { const char* what; std::int32_t got; std::int32_t expected; };
    std::vector<Case> cases = {
        {"tell 0", FileTell(0), -1}, {"tell closed", FileTell(ref), 0}, {"seek 0", FileSeek(0, 0, 0), -1},
        {"seek closed", FileSeek(ref, 0, 0), 0}, {"size 0", FileGetSize(0), -1},
        {"size forged", FileGetSize(0x1234), 0},
        {"read closed", static_cast<std::int32_t>(FileRead(ref, buffer, 4)), 0},
        {"write closed", static_cast<std::int32_t>(FileWrite(ref, buffer, 4)), 0},
        {"times closed", FileGetTimes(ref, nullptr, nullptr), 0},
        {"path closed", FileGetPath(ref, buffer), kFileErrBadRef}, {"slot 16", FileClose(0x110), kFileErrBadRef},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
    EXPECT_EQ(FileGetError(), kFileErrBadRef);
    FileRef open = FileOpen(name.c_str(), kFileRead);
    EXPECT_EQ(withError(FileRead(open, nullptr, 4)), "0/9");
    EXPECT_EQ(FileGetPath(open, nullptr), kFileErrName);
}

TEST_F(FileTest, ReadsSeeksAndShortReads) {
    std::string name = make("data.bin", std::string(100, 'a') + "0123456789");
    FileRef ref = FileOpen(name.c_str(), kFileRead);
    EXPECT_EQ((Both{FileGetSize(ref), FileSeek(ref, -10, 2)}), Both(110, 100));
    char buffer[100];
    EXPECT_EQ(withError(FileRead(ref, buffer, 100)), "10/6");
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    FileSeek(ref, 5, 0);
    EXPECT_EQ(withError(FileSeek(ref, 3, 1)), "8/0");
    EXPECT_EQ(withError(FileSeek(ref, 0, 7)), "-1/5");
    EXPECT_EQ(withError(FileWrite(ref, "x", 1)), "0/6") << "opened for reading only";
    char path[kFilePathSize];
    FileTime modified{};
    SYSTEMTIME now;
    GetSystemTime(&now);
    EXPECT_EQ((Results{FileGetPath(ref, path), path == name, FileGetTimes(ref, nullptr, &modified), modified.year}),
              (Results{0, 1, 1, now.wYear}));
}

TEST_F(FileTest, NamedFilesDenyModesSizesRenamesOverlongPathsAndFreeSpace) {
    std::string name = folder.file("new.dat");
    EXPECT_EQ(FileCreate(name.c_str(), FILE_ATTRIBUTE_NORMAL), 0);
    EXPECT_EQ(FileCreate(name.c_str(), FILE_ATTRIBUTE_NORMAL), kFileErrExists);
    EXPECT_EQ(FileCreate(nullptr, 0) + FileCreate("", 0) + FileDelete(nullptr), 3 * kFileErrName);
    FileRef ref = FileOpen(name.c_str(), kFileRead | kFileWrite | kFileDenyRead | kFileDenyWrite);
    EXPECT_EQ(withError(FileWrite(ref, "hello world", 11)), "11/0");
    EXPECT_EQ(withError(FileOpen(name.c_str(), kFileRead)), "0/1") << "the deny modes keep others out";
    EXPECT_EQ((Both{FileClose(ref), FileSetSize(name.c_str(), 5) + FileSetSize(name.c_str(), 8)}), Both(0, 0));
    EXPECT_EQ(readWholeFile(name), std::string("hello\0\0\0", 8)) << "cut to 5, grown with zeros to 8";
    EXPECT_EQ(FileSetSize(folder.file("absent").c_str(), 8), kFileErrSystem);
    EXPECT_EQ((Both{FileDelete(name.c_str()), FileDelete(name.c_str())}), Both(0, kFileErrSystem));
    EXPECT_EQ(withError(FileExists(name.c_str())), "0/0");
    EXPECT_EQ(withError(FileExists(nullptr)), "0/9");
    EXPECT_EQ(withError(FileOpen(name.c_str(), kFileRead)), "0/9") << "no such file";
    // A rename keeps the folder and cuts the extension.
    std::string from = make("old.dat", "payload");
    EXPECT_EQ(FileRename(from.c_str(), "new.text"), 0);
    EXPECT_EQ(readWholeFile(folder.file("new.tex")), "payload");
    EXPECT_EQ(FileRename(from.c_str(), "again.dat"), kFileErrSystem);
    EXPECT_EQ(withError(FileRename(nullptr, "x")), "1/9");
    // Overlong paths are refused with error 9.
    std::string longName = folder.path() + "\\" + std::string(300, 'L');
    EXPECT_EQ(withError(FileOpen(longName.c_str(), kFileRead)), "0/9");
    EXPECT_EQ(FileCreate(longName.c_str(), 0) + FileDelete(longName.c_str()), 2 * kFileErrName);
    EXPECT_EQ(withError(FileExists(longName.c_str())), "0/9");
    EXPECT_EQ(FileDirExists(longName.c_str()) + FileCreateDirectory(longName.c_str()), 0);
    char full[kFilePathSize];
    EXPECT_EQ((Both{FileFullPath(longName.c_str(), full), FileFullPath("x.txt", full)}), Both(0, 1));
    // Free space is saturated, not wrapped.
    EXPECT_EQ(FileFreeSpaceProduct(8, 512, 1000), 4096000u);
    EXPECT_EQ(FileFreeSpaceProduct(64, 512, 200000), 0xFFFFFFFFu);  // 6,553,600,000 bytes
    EXPECT_EQ((Both{FileFreeSpace(0) > 0, FileGetError()}), Both(1, 0));
    EXPECT_EQ(withError(FileFreeSpace(27)), "0/1");
}

TEST_F(FileTest, FoldersAndSearches) {
    FileInitFolders();
    EXPECT_EQ(std::string(FileGetProgramFolder()) + "\\tottlewick_files_tests.exe", programPath());
    EXPECT_STREQ(FileGetDataFolder(), FileGetProgramFolder());
    char out[kFilePathSize] = "untouched";
    EXPECT_EQ(FileUserPath("prefs", out), 0) << "no user folder yet";
    EXPECT_STREQ(out, "untouched");
    EXPECT_EQ(FileSetUserFolder("   ") + FileSetUserFolder(nullptr), 2);
    std::string longFolder = folder.path() + "\\" + std::string(300, 'L');
    EXPECT_EQ(FileSetUserFolder(longFolder.c_str()), 0);
    EXPECT_EQ(std::string(FileGetUserFolder()), longFolder.substr(0, 259)) << "cut at 259 characters";
    EXPECT_EQ((Results{FileSetUserFolder(("  " + folder.path()).c_str()), FileUserPath("PREFS", out),
                       out == folder.file("PREFS")}),
              (Results{0, 1, 1})) << "leading blanks skipped";
    EXPECT_EQ(FileSetDataFolder(folder.path().c_str()), 1);
    EXPECT_EQ(withError(FileDataPath(std::string(300, 'd').c_str(), out)), "0/9");
    // The path and folder forms of the search are driven end to end by the resource tests.
    make("Resource.PRS", "r");
    std::string missing = folder.file("missing") + "\\";
    std::string present = folder.path() + "\\";
    const char* folders[] = {missing.c_str(), present.c_str(), nullptr, "never"};
    const char* found = "x";
    EXPECT_EQ((Both{FileFindInFolders("Resource.PRS", 4, folders, &found), found == folders[1]}), Both(1, 1));
    EXPECT_EQ((Both{FileFindInFolders("Global.PRX", 4, folders, &found), found == nullptr}), Both(0, 1))
        << "a miss clears the found folder";
    EXPECT_EQ(FileFindInFolders("Resource.PRS", 1, folders, &found), 0);  // the count limits the list
    EXPECT_EQ(FileFindInFolders(nullptr, 4, folders, &found) + FileFindInFolders("x", 4, nullptr, &found), 0);
}

// FileForEachPath, FileWalk and FileRemoveDirectory have no caller and no fixed contract: not pinned here.
TEST_F(FileTest, DirectoryOperations) {
    std::string top = folder.file("top");
    EXPECT_EQ((Both{FileCreateDirectory(top.c_str()), FileCreateDirectory(top.c_str())}), Both(1, 0));
    writeWholeFile(top + "\\a.txt", "a");
    EXPECT_EQ(FileDirExists(top.c_str()), 1);
    EXPECT_EQ(FileDirExists((top + "\\a.txt").c_str()) + FileDirExists(nullptr), 0);
    char before[kFilePathSize], current[kFilePathSize], tiny[8] = "same";
    GetCurrentDirectoryA(sizeof before, before);
    SetCurrentDirectoryA(top.c_str());
    EXPECT_EQ(FileGetCurrentDirectory(current, sizeof current), 1);
    EXPECT_EQ(std::string(current), top + "\\");
    EXPECT_EQ(FileGetCurrentDirectory(tiny, sizeof tiny), 0);
    EXPECT_STREQ(tiny, "same");
    SetCurrentDirectoryA("C:\\");
    EXPECT_EQ(FileGetCurrentDirectory(current, sizeof current), 1);
    EXPECT_STREQ(current, "C:\\\\") << "the root comes back with its backslash, and one more is added";
    SetCurrentDirectoryA(before);
}

}  // namespace
