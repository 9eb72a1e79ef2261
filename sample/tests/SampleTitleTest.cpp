// End to end: QUOMB_32.exe runs the sample title in a copy of its folder under Wine. The meadow appears
// (its ground in its palette's colour on the screen), Enter goes to the night scene of the precompiled
// script, Esc quits with exit code 0, and debug.txt holds the scripts' lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "Files.h"
#include "ProgramWindow.h"
#include "SampleFolder.h"
#include "SampleIds.h"
#include "TempFolder.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;

void copyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) copyFolder(from + "\\" + name, to + "\\" + name);
        else if (name != "debug.txt") CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

COLORREF colourOf(std::uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

// A point of plain ground, right of the hill and below the button's row.
const POINT kGround{600, 440};

TEST(SampleTitleTest, ShowsTheMeadowGoesToTheNightAndQuitsOnEsc) {
    TempFolder folder;
    copyFolder(sampleFolder(), folder.path());
    ProgramWindow title("\"" + folder.file("QUOMB_32.exe") + "\"", folder.path());
    ASSERT_TRUE(title.started());
    HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
    ASSERT_NE(nullptr, scene) << "no trinket window";
    HWND main = GetAncestor(scene, GA_ROOT);

    EXPECT_TRUE(title.waitForColour(scene, kGround, colourOf(kMeadowGround), kTimeoutMs))
        << "the meadow's ground shows " << std::hex << ProgramWindow::colourAt(scene, kGround);
    ProgramWindow::postCharacter(main, '\r', VK_RETURN);
    EXPECT_TRUE(title.waitForColour(scene, kGround, colourOf(kNightGround), kTimeoutMs))
        << "the night's ground shows " << std::hex << ProgramWindow::colourAt(scene, kGround);
    ProgramWindow::postCharacter(main, '\x1B', VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    EXPECT_EQ("meadow shown\r\nnight shown\r\nbye\r\n", readWholeFile(folder.file("debug.txt")));
}

}  // namespace
