// Path splitting and building, drive numbers, and the file-name checker.
#include <cstring>

#include "EngineTestSupport.h"
#include "File.h"
#include "FileName.h"
#include "FilePath.h"

namespace {

TEST(FilePathTest, SplitsIntoDriveFolderNameAndExtensionWithinTheirCaps) {
    struct Case { const char *path, *drive, *folder, *name, *extension, *fileName; } cases[] = {
        {"C:\\games\\old.dat", "C:", "\\games\\", "old", "dat", "old.dat"},
        {"C:dir\\name.text", "C:", "dir\\", "name", "tex", "name.text"}, {"a.b\\c", "", "a.b\\", "c", "", "c"},
        {"noext", "", "", "noext", "", "noext"}, {"D:file.x", "D:", "", "file", "x", "file.x"},
        {"dir\\arc.tar.gz", "", "dir\\", "arc.tar", "gz", "arc.tar.gz"}, {"", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char drive[kFilePathSize], folder[kFilePathSize], name[kFilePathSize], extension[kFileExtensionSize];
        std::memset(extension, 'x', sizeof extension);
        int total = FileSplitPath(c.path, drive, folder, name, extension);
        EXPECT_EQ(std::string(drive) + "|" + folder + "|" + name, std::string(c.drive) + "|" + c.folder + "|" + c.name);
        EXPECT_EQ(std::string(extension, 4), (c.extension + std::string(4, '\0')).substr(0, 4)) << "zero-filled";
        EXPECT_EQ(total, static_cast<int>(std::strlen(c.drive) + std::strlen(c.folder) + std::strlen(c.name) +
                                          std::strlen(c.extension)));
        char fileName[kFilePathSize];
        FileGetFileNamePart(c.path, fileName);
        EXPECT_STREQ(fileName, c.fileName);
    }
    std::string longFolder = "C:\\" + std::string(250, 'f') + "\\n";
    char folder[kFilePathSize], name[kFilePathSize];
    EXPECT_EQ(std::to_string(FileGetFolderPart(longFolder.c_str(), folder)) + folder,
              "247\\" + std::string(245, 'f') + "\\");
    EXPECT_EQ(FileGetNamePart(std::string(300, 'n').c_str(), name), 255);
    char self[kFilePathSize] = "dir\\file.txt";
    FileGetNamePart(self, self);  // the output may be the path's own buffer
    EXPECT_STREQ(self, "file");
    EXPECT_EQ(FileSplitPath("x\\y.z", nullptr, nullptr, nullptr, nullptr), 0);
}

TEST(FilePathTest, BuildsPathsRefusesOverlongOnesAndReadsDriveNumbers) {
    char out[kFilePathSize];
    // The length returned and the path built, as "length:path".
    auto built = [&](int length) { return std::to_string(length) + ":" + out; };
    EXPECT_EQ(built(FileBuildPath(out, "C", "dir", "name", "txt")), "14:C:dir\\name.txt");
    EXPECT_EQ(built(FileBuildPath(out, "C:", "dir\\", "name", ".txt")), "14:C:dir\\name.txt");
    EXPECT_EQ(built(FileBuildPath(out, "", nullptr, "name", "")), "4:name");
    EXPECT_EQ(built(FileBuildPathOnDrive(out, 4, "\\x", "y.z")), "8:D:\\x\\y.z");
    EXPECT_EQ(built(FileBuildPathOnDrive(out, 0, "x", "y")), "3:x\\y");
    FileSetError(0);
    std::string folder(200, 'f'), name(100, 'n');
    EXPECT_EQ(built(FileBuildPath(out, "C", folder.c_str(), name.c_str(), "txt")), "0:");
    EXPECT_EQ(FileGetError(), kFileErrName);
    char path[kFilePathSize] = "C:\\base";
    EXPECT_STREQ(FileAppendDir(path, "sub"), "C:\\base\\sub\\");
    EXPECT_STREQ(FileAppendName(path, "f.txt"), "C:\\base\\sub\\f.txt");
    std::strcpy(path, "C:\\base");
    EXPECT_EQ(FileAppendName(path, std::string(260, 'z').c_str()), nullptr);
    EXPECT_STREQ(path, "C:\\base");

    struct Case { const char* path; int number; int fromPart; } cases[] = {
        {"A:\\", 1, 1}, {"z:x", 26, 26}, {"c", -1, 0}, {"1:", 0, 0}, {"dir\\x", -1, 0}, {"", -1, 0},
        // A drive part that names no drive (the colon is not the second character) gives -1 as well.
        {"ab:c", -1, -1}, {"dir\\x:y", -1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ((Both{FileDriveNumber(c.path), FileGetDriveNumber(c.path)}), Both(c.number, c.fromPart)) << c.path;
    std::int16_t drive = -5;
    char folderPart[kFilePathSize], fileName[kFilePathSize];
    FileSplitName("E:\\data\\song.aiff", &drive, folderPart, fileName);
    EXPECT_EQ(std::to_string(drive) + " " + folderPart + " " + fileName, "5 \\data\\ song.aif");
}

TEST(FileNameTest, ChecksAndMends) {
    const std::string forty(40, 'k');
    struct Case { std::string name; std::uint16_t flags; int result; std::string after; } cases[] = {
        {"a:b", 0, 0, "a:b"},           {"a:b", 8, 0, "a-b"},
        {"verylongname", 1 | 8, 0, "verylong"},           {"verylongname", 1, 0, "verylongname"},
        {".hidden", 8, 0, "_hidden"},   {"good name.txt", 0, 1, "good name.txt"},
        {"a.b c", 1 | 8, 0, "a-b-c"},   {"x\x01y\xE9", 8, 0, "x_y_"},
        {"p*q?r<s>t|u%v/w\\", 8, 0, "p-q-r-s-t-u-v-w-"}, {"ok", 1, 1, "ok"},
        {forty, 4 | 8, 0, forty.substr(0, 32)},           {forty, 1 | 4 | 8, 0, forty.substr(0, 8)},
    };
    for (const Case& c : cases) {
        char name[300];
        std::strcpy(name, c.name.c_str());
        EXPECT_EQ((Both{FileNameCheck(name, c.flags), name == c.after}), Both(c.result, 1)) << c.name << " " << name;
    }
    EXPECT_EQ(FileNameCheck(nullptr, 8), 0);
    char out[300];
    EXPECT_EQ(FileSetName(out, "   my:file"), 0);
    EXPECT_STREQ(out, "my-file");
    EXPECT_EQ(FileSetName(out, std::string(400, 'w').c_str()), 1);
    EXPECT_EQ(std::strlen(out), 255u);
}

}  // namespace
