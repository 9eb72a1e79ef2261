// End to end: QUOMB_32.exe runs the sample title in a copy of its folder under Wine and writes the scripts'
// lines to debug.txt.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <string>
#include <vector>

#include "DataStoreWriter.h"
#include "Files.h"
#include "FolderCopy.h"
#include "ProgramWindow.h"
#include "SampleFolder.h"
#include "SampleIds.h"
#include "SampleMovie.h"
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

COLORREF colourOf(std::uint32_t rgb) { return RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF); }

// "A" in the meadow opens the assessment race. Watching the answer area on the screen, the test clicks it
// when the right answer shows for sets 1 and 2 (quizlets 2 and 3 of set 1, quizlet 2 of set 2) and when a
// wrong one shows for set 3: results 3, 2 and 1. The confirm screen marks each level; keep shows the exit
// picture, and about 4 s later the title ends, the results file kept. Exact colours: 24-bit world only.
TEST_F(SampleTitleTest, TheAssessmentRaceWritesTheLevelsAndTheConfirmScreenKeepsThem) {
    HDC screen = GetDC(nullptr);
    const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(trueColour) << "the answers are told apart by their colours on a 24-bit screen";
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
    ASSERT_NE(nullptr, scene) << "no trinket window";
    ASSERT_TRUE(waitForDebugText("meadow shown\r\n"));
    ProgramWindow::postCharacter(GetAncestor(scene, GA_ROOT), 'A', 'A');
    ASSERT_TRUE(waitForDebugText("meadow shown\r\nrace shown\r\n")) << debugText();
    const POINT answer{kRaceAnswerX + 30, kRaceAnswerY + 30};
    int clicks = 0;
    bool waitingForNext = false;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 6 * kTimeoutMs && debugText().find("confirm") == std::string::npos;
         Sleep(20)) {
        const COLORREF shown = ProgramWindow::colourAt(scene, answer);
        const bool anAnswer = shown == colourOf(kRightAnswerColour) || shown == colourOf(kWrongAnswerColour);
        if (waitingForNext) {
            waitingForNext = anAnswer;
            continue;
        }
        if (shown == colourOf(clicks < 3 ? kRightAnswerColour : kWrongAnswerColour)) {
            postClick(scene, answer.x, answer.y);
            ++clicks;
            waitingForNext = true;
        }
    }
    ASSERT_EQ("meadow shown\r\nrace shown\r\nconfirm\r\n", debugText());
    EXPECT_EQ(4, clicks);
    EXPECT_EQ("1 3\r\n2 2\r\n3 1\r\n", readWholeFile(folder.file("results.txt")));
    for (const POINT mark : {POINT{kConfLevelX[2], kConfSkillY[0]}, POINT{kConfLevelX[1], kConfSkillY[1]},
                             POINT{kConfLevelX[0], kConfSkillY[2]}})
        EXPECT_TRUE(title.waitForColour(scene, POINT{mark.x + 12, mark.y + 12}, colourOf(kLevelMarkColour), kTimeoutMs))
            << mark.x << "," << mark.y << " shows " << std::hex << ProgramWindow::colourAt(scene, POINT{mark.x + 12, mark.y + 12});
    postClick(scene, kConfKeepX + 50, kConfKeepY + 25);
    EXPECT_TRUE(title.waitForColour(scene, POINT{kConfExitX + 100, kConfExitY + 50}, colourOf(kConfExitColour), kTimeoutMs));
    const DWORD shownAt = GetTickCount();
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    EXPECT_GE(GetTickCount() - shownAt, 3000u);
    EXPECT_TRUE(fileExists(folder.file("results.txt")));
}

// Adds "id:text|" of a dialog's control to the string at `texts`.
BOOL CALLBACK addControlText(HWND control, LPARAM texts) {
    char text[128] = {};
    GetWindowTextA(control, text, sizeof text);
    *reinterpret_cast<std::string*>(texts) += std::to_string(GetDlgCtrlID(control)) + ":" + text + "|";
    return TRUE;
}
// "S" in the meadow opens the sign-in screen over a user list of eight names, so its slider's grey track
// shows beside the list. "ann" and Enter add Ann ("signed in 1"); the next run lists her, and "a" highlights
// her row in grey 127 with the typed A in blue (checked in a 24-bit world) before Enter selects her ("signed
// in 0"). Signed in, the exit button opens the exit dialog: "&No" lets the script go on, "&Yes" quits.
TEST_F(SampleTitleTest, SignInAddsANewNameAndSelectsItTheNextTime) {
    CreateDirectoryA(folder.file("users").c_str(), nullptr);
    std::vector<StoredVariable> users{{"newUserID", "9", 0}, {"totalUsers", "8", 0}};
    for (const char* name : {"Bea", "Cal", "Dan", "Eve", "Fay", "Gus", "Hal", "Ivy"})
        users.push_back({"user" + std::to_string(users.size() - 1), name, 0});
    writeWholeFile(folder.file("users\\USERS.DAT"), variableFileBytes(users, 1000));
    HDC screen = GetDC(nullptr);
    const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
    ReleaseDC(nullptr, screen);
    for (const bool known : {false, true}) {
        SCOPED_TRACE(known ? "known" : "new");
        DeleteFileA(folder.file("debug.txt").c_str());
        const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
        const HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
        ASSERT_NE(nullptr, scene) << "no trinket window";
        const HWND main = GetAncestor(scene, GA_ROOT);
        ASSERT_TRUE(waitForDebugText("meadow shown\r\n"));
        ProgramWindow::postCharacter(main, 'S', 'S');
        std::string expected = "meadow shown\r\nsignin shown\r\n";
        ASSERT_TRUE(waitForDebugText(expected)) << debugText();
        EXPECT_TRUE(title.waitForColour(scene, POINT{308, 200}, RGB(192, 192, 192), kTimeoutMs)) << "no slider";
        for (const char c : std::string(known ? "a" : "ann")) ProgramWindow::postCharacter(main, c, std::toupper(c));
        if (known && trueColour) {
            const std::uint32_t grey = kSignInHighlightColour;
            EXPECT_TRUE(title.waitForColour(scene, POINT{290, 110}, RGB(grey >> 16, grey >> 8 & 0xFF, grey & 0xFF), kTimeoutMs));
            int blue = 0;
            for (int y = 100; y < 120; ++y)
                for (int x = 100; x < 130; ++x) blue += ProgramWindow::colourAt(scene, POINT{x, y}) == RGB(0, 0, 255);
            EXPECT_GT(blue, 5) << "the typed A";
        }
        ProgramWindow::postCharacter(main, '\r', VK_RETURN);
        expected += known ? "signed in 0\r\n" : "signed in 1\r\n";
        ASSERT_TRUE(waitForDebugText(expected)) << debugText();
        for (const WPARAM button : known ? std::vector<WPARAM>{11, 10} : std::vector<WPARAM>{10}) {
            postClick(scene, 560, 419);
            const HWND box = title.waitForWindow("#32770", kTimeoutMs);
            ASSERT_NE(nullptr, box) << "no exit dialog";
            std::string texts;
            EnumChildWindows(box, addControlText, reinterpret_cast<LPARAM>(&texts));
            char caption[32] = {};
            GetWindowTextA(box, caption, sizeof caption);
            EXPECT_EQ(std::string(caption) + " " + texts,
                      "Exit 65535:You are about to leave the game. Your current game will be saved.|"
                      "65535:Do you want to leave?|10:&Yes|11:&No|");
            PostMessageA(box, WM_COMMAND, button, 0);
            if (button == 10) break;
            expected += "stayed\r\n";
            ASSERT_TRUE(waitForDebugText(expected)) << debugText();
        }
        EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    }
}

// "M" in the meadow plays the sample movie: "signal" when its frame reads 1 and 5, then "finished"; in a
// 24-bit world the screen then shows the last frame's colours. Esc goes back to the meadow, which repaints
// where the movie was, and Esc again quits.
TEST_F(SampleTitleTest, TheMovieSignalsFinishesAndGivesWayToTheMeadow) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
    ASSERT_NE(nullptr, scene) << "no trinket window";
    const HWND main = GetAncestor(scene, GA_ROOT);
    ASSERT_TRUE(waitForDebugText("meadow shown\r\n"));
    ProgramWindow::postCharacter(main, 'M', 'M');
    const std::string played = "meadow shown\r\nsignal 1\r\nsignal 5\r\nfinished\r\n";
    ASSERT_TRUE(waitForDebugText(played)) << debugText();
    HDC screen = GetDC(nullptr);
    const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
    ReleaseDC(nullptr, screen);
    const POINT square{kMovieX + kMovieSquareX, kMovieY + kMovieSquareY};
    const COLORREF squareColour = RGB(kMovieLastSquare >> 16, kMovieLastSquare >> 8 & 0xFF, kMovieLastSquare & 0xFF);
    const std::pair<POINT, COLORREF> shown[] = {
        {square, squareColour},
        {{kMovieX + kMovieGroundX, kMovieY + kMovieGroundY},
         RGB(kMovieLastGround >> 16, kMovieLastGround >> 8 & 0xFF, kMovieLastGround & 0xFF)}};
    for (const auto& [point, colour] : shown)
        EXPECT_TRUE(!trueColour || title.waitForColour(scene, point, colour, kTimeoutMs))
            << point.x << " shows " << std::hex << ProgramWindow::colourAt(scene, point);
    ProgramWindow::postCharacter(main, '\x1B', VK_ESCAPE);
    ASSERT_TRUE(waitForDebugText(played + "meadow shown\r\n")) << debugText();
    bool repainted = false;
    for (const DWORD start = GetTickCount(); !repainted && GetTickCount() - start < kTimeoutMs; Sleep(20))
        repainted = ProgramWindow::colourAt(scene, square) != squareColour;
    EXPECT_TRUE(repainted);
    ProgramWindow::postCharacter(main, '\x1B', VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    EXPECT_EQ(played + "meadow shown\r\nbye\r\n", debugText());
}

}  // namespace
