// The CD root: the drive letter after the first "=" of QUOMB.INI, read once in the working folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "CDRoot.h"
#include "ChildProcess.h"
#include "Files.h"
#include "TempFolder.h"

namespace {

TEST(CDRootTest, DriveLetterFollowsTheFirstEquals) {
    EXPECT_EQ(cdRootFromIni("[QUOMB]\r\nCDROM=E\r\nOther=F\r\n"), "E:\\QUOMB\\");
    EXPECT_EQ(cdRootFromIni("=D"), "D:\\QUOMB\\");
    EXPECT_EQ(cdRootFromIni(""), "");
    EXPECT_EQ(cdRootFromIni("no drive"), "");
    EXPECT_EQ(cdRootFromIni("CDROM="), "");
}

// Run only in a child started by the test below, in a folder the parent prepared.
TEST(CDRootChild, DISABLED_PrintRoot) {
    const std::string& root = cdRoot();
    EXPECT_EQ(&cdRoot(), &root);
    std::printf("root <%s>\n", root.c_str());
}

std::string rootInFolder(const char* ini, unsigned long* exitCode) {
    TempFolder folder;
    if (ini) writeWholeFile(folder.file("QUOMB.INI"), ini);
    const ChildResult child = runOwnTests("CDRootChild.*", folder.path());
    *exitCode = child.exitCode;
    return child.output;
}

TEST(CDRootTest, ReadFromTheWorkingFolderOrEmptyOrTheProgramEnds) {
    unsigned long exitCode = 1;
    EXPECT_NE(rootInFolder(nullptr, &exitCode).find("root <>"), std::string::npos);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_NE(rootInFolder("[QUOMB]\r\nDrive=G\r\n", &exitCode).find("root <G:\\QUOMB\\>"), std::string::npos);
    const std::string corrupt = rootInFolder("", &exitCode);
    EXPECT_NE(corrupt.find("Alert: QUOMB.INI file corrupted, please reinstall."), std::string::npos) << corrupt;
    EXPECT_EQ(corrupt.find("root <"), std::string::npos) << corrupt;
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
