// End to end: QUOMB_32.exe runs the sample title in a copy of its folder under Wine and writes the scripts'
// lines to debug.txt.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Files.h"
#include "FolderCopy.h"
#include "ProgramWindow.h"
#include "SampleFolder.h"
#include "SampleIds.h"
#include "TempFolder.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;
// A point of plain ground, right of the hill and below the button's row.
const POINT kGround{600, 440};

class SampleTitleTest : public ::testing::Test {
protected:
    SampleTitleTest() { copyFolder(sampleFolder(), folder.path(), "debug.txt"); }

    std::string debugText() const {
        return fileExists(folder.file("debug.txt")) ? readWholeFile(folder.file("debug.txt")) : std::string();
    }
    // Whether debug.txt reads `text` within kTimeoutMs.
    bool waitForDebugText(const std::string& text) const {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20))
            if (debugText() == text) return true;
        return false;
    }
    // Expects the screen to show `rgb` (0x00RRGGBB) at kGround of the window within kTimeoutMs.
    static void expectGround(const ProgramWindow& title, HWND scene, std::uint32_t rgb) {
        EXPECT_TRUE(title.waitForColour(scene, kGround, RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF), kTimeoutMs))
            << "the ground shows " << std::hex << ProgramWindow::colourAt(scene, kGround);
    }

    TempFolder folder;
};

void postClick(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The meadow appears; a click on the sun's hot spot stops it; a click on the button is heard out before
// "pressed"; Enter goes to the night scene of the precompiled script; Esc quits with exit code 0.
TEST_F(SampleTitleTest, ShowsTheMeadowGoesToTheNightAndQuitsOnEsc) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
    ASSERT_NE(nullptr, scene) << "no trinket window";
    const HWND main = GetAncestor(scene, GA_ROOT);
    expectGround(title, scene, kMeadowGround);
    // The script has made its objects when it says so; a click before that would find no hot spot.
    ASSERT_TRUE(waitForDebugText("meadow shown\r\n"));
    postClick(scene, 552, 72);
    EXPECT_TRUE(waitForDebugText("meadow shown\r\nturning 0\r\n"));
    Sleep(600);  // past the time its three looks would take to play through at 8 frames a second
    postClick(scene, 100, 419);
    EXPECT_TRUE(waitForDebugText("meadow shown\r\nturning 0\r\npressed\r\n"));
    ProgramWindow::postCharacter(main, '\r', VK_RETURN);
    expectGround(title, scene, kNightGround);
    // The night is drawn before its script reaches its keyboard; an Esc before that would quit from there.
    ASSERT_TRUE(waitForDebugText("meadow shown\r\nturning 0\r\npressed\r\nnight shown\r\n"));
    ProgramWindow::postCharacter(main, '\x1B', VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    EXPECT_EQ("meadow shown\r\nturning 0\r\npressed\r\nnight shown\r\nbye\r\n", debugText());
}

// guide.mps as the first script: a queue plays the character's greeting, moves the character along the
// sun's frames and waits; the character's "finished" and then the queue's are written, and the script quits.
TEST_F(SampleTitleTest, AQueueOfTheGreetingAMoveAndADelayRunsInOrder) {
    writeWholeFile(folder.file("PScripts\\dorIruvu.mps"), readWholeFile(folder.file("PScripts\\guide.mps")));
    EXPECT_EQ(0u, ProgramWindow(folder.file("QUOMB_32.exe"), folder.path()).waitForExit(kTimeoutMs));
    EXPECT_EQ("queued\r\nspoke\r\ndone 200\r\n", debugText());
}

// "P" in the meadow opens the puzzle; posted drags of the pets: the dog onto the sky goes home, the cat into
// its house, then the dog into its own, which fills, uses and solves the puzzle. In a 24-bit world the
// screen shows each pet in the middle of its house.
TEST_F(SampleTitleTest, ThePuzzleJudgesEachDropOfThePets) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
    ASSERT_NE(nullptr, scene) << "no trinket window";
    ASSERT_TRUE(waitForDebugText("meadow shown\r\n"));
    ProgramWindow::postCharacter(GetAncestor(scene, GA_ROOT), 'P', 'P');
    std::string expected = "meadow shown\r\npuzzle shown\r\n";
    ASSERT_TRUE(waitForDebugText(expected)) << debugText();
    const struct { POINT from, to; const char* lines; } drags[] = {
        {{350, 410}, {350, 150}, "dropped dog\r\noverflow\r\nup dog\r\n"},
        {{270, 410}, {150, 270}, "dropped cat\r\nadded cat\r\nplaced cathouse\r\nup cat\r\n"},
        {{350, 410}, {450, 270},
         "dropped dog\r\nadded dog\r\nplaced doghouse\r\nfull\r\nused\r\nsolved\r\nup dog\r\n"}};
    for (const auto& d : drags) {
        PostMessageA(scene, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(d.from.x, d.from.y));
        PostMessageA(scene, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(d.to.x, d.to.y));
        PostMessageA(scene, WM_LBUTTONUP, 0, MAKELPARAM(d.to.x, d.to.y));
        expected += d.lines;
        EXPECT_TRUE(waitForDebugText(expected)) << debugText();
    }
    HDC screen = GetDC(nullptr);
    const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
    ReleaseDC(nullptr, screen);
    for (const auto& [middle, rgb] : {std::pair{POINT{150, 270}, kCatColour}, {POINT{450, 270}, kDogColour}})
        EXPECT_TRUE(!trueColour || title.waitForColour(scene, middle, RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF), kTimeoutMs))
            << middle.x << " shows " << std::hex << ProgramWindow::colourAt(scene, middle);
    ProgramWindow::postCharacter(GetAncestor(scene, GA_ROOT), '\x1B', VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
}

// "R" in the meadow opens the racing game, whose horn Space presses every 150 ms. The scenery moves between
// two looks at the road; the race ends with one right answer and the prize or with five wrong ones and the
// game over, and the meadow comes back. In a 24-bit world lamp 0 shows lit after the first right answer.
TEST_F(SampleTitleTest, TheRacingGameRunsToThePrizeOrTheGameOver) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
    ASSERT_NE(nullptr, scene) << "no trinket window";
    const HWND main = GetAncestor(scene, GA_ROOT);
    ASSERT_TRUE(waitForDebugText("meadow shown\r\n"));
    ProgramWindow::postCharacter(main, 'R', 'R');
    ASSERT_TRUE(waitForDebugText("meadow shown\r\nproblem\r\n")) << debugText();
    const auto laneMarks = [scene] {
        std::vector<COLORREF> column;
        for (int y = 110; y < 272; y += 4) column.push_back(ProgramWindow::colourAt(scene, POINT{305, y}));
        return column;
    };
    const std::vector<COLORREF> before = laneMarks();
    Sleep(250);
    EXPECT_NE(before, laneMarks());
    HDC screen = GetDC(nullptr);
    const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
    ReleaseDC(nullptr, screen);
    bool lampChecked = false;
    std::string text;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 4 * kTimeoutMs; Sleep(150)) {
        ProgramWindow::postCharacter(main, ' ', VK_SPACE);
        text = debugText();
        if (!lampChecked && text.find("right\r\n") != std::string::npos) {
            lampChecked = true;
            EXPECT_TRUE(!trueColour || title.waitForColour(scene, POINT{kLampX, kLampY},
                                                           RGB(kLampColour >> 16, kLampColour >> 8 & 0xFF, kLampColour & 0xFF), 500))
                << "lamp 0 shows " << std::hex << ProgramWindow::colourAt(scene, POINT{kLampX, kLampY});
        }
        if (text.size() > 14 && text.compare(text.size() - 14, 14, "meadow shown\r\n") == 0) break;
    }
    const auto count = [&text](const std::string& line) {
        int n = 0;
        for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
        return n;
    };
    const bool won = text.find("prize\r\nmeadow shown\r\n") != std::string::npos && count("\nright\r\n") == 1;
    const bool lost = text.find("wrong\r\ngame over\r\nmeadow shown\r\n") != std::string::npos && count("\nwrong\r\n") == 5;
    EXPECT_TRUE(won || lost) << text;
    ProgramWindow::postCharacter(main, '\x1B', VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
}

}  // namespace
