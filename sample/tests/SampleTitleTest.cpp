// End to end: QUOMB_32.exe runs the sample title in a copy of its folder under Wine. The meadow appears
// (its ground in its palette's colour on the screen), a click on the sun's hot spot stops it, a click on
// the button is heard out before "hit", Enter goes to the night scene of the precompiled script, Esc quits
// with exit code 0, and debug.txt holds the scripts' lines.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "Files.h"
#include "FolderCopy.h"
#include "ProgramWindow.h"
#include "SampleFolder.h"
#include "SampleIds.h"
#include "TempFolder.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;

// Whether debug.txt of the folder reads `text` within kTimeoutMs.
bool waitForDebugText(const TempFolder& folder, const std::string& text) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20)) {
        if (readWholeFile(folder.file("debug.txt")) == text) return true;
    }
    return false;
}

void postClick(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

COLORREF colourOf(std::uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

// A point of plain ground, right of the hill and below the button's row.
const POINT kGround{600, 440};

TEST(SampleTitleTest, ShowsTheMeadowGoesToTheNightAndQuitsOnEsc) {
    TempFolder folder;
    copyFolder(sampleFolder(), folder.path(), "debug.txt");
    ProgramWindow title("\"" + folder.file("QUOMB_32.exe") + "\"", folder.path());
    ASSERT_TRUE(title.started());
    HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
    ASSERT_NE(nullptr, scene) << "no trinket window";
    HWND main = GetAncestor(scene, GA_ROOT);

    EXPECT_TRUE(title.waitForColour(scene, kGround, colourOf(kMeadowGround), kTimeoutMs))
        << "the meadow's ground shows " << std::hex << ProgramWindow::colourAt(scene, kGround);
    postClick(scene, 552, 72);
    EXPECT_TRUE(waitForDebugText(folder, "meadow shown\r\nturning 0\r\n"));
    postClick(scene, 100, 419);
    EXPECT_TRUE(waitForDebugText(folder, "meadow shown\r\nturning 0\r\npressed\r\n"));
    ProgramWindow::postCharacter(main, '\r', VK_RETURN);
    EXPECT_TRUE(title.waitForColour(scene, kGround, colourOf(kNightGround), kTimeoutMs))
        << "the night's ground shows " << std::hex << ProgramWindow::colourAt(scene, kGround);
    ProgramWindow::postCharacter(main, '\x1B', VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    EXPECT_EQ("meadow shown\r\nturning 0\r\npressed\r\nnight shown\r\nbye\r\n",
              readWholeFile(folder.file("debug.txt")));
}

}  // namespace
