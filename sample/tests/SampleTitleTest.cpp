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

COLORREF colourOf(std::uint32_t rgb) { return RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF); }

// The title is played as a person plays it: real mouse and keys (SendInput) on what the screen shows. Real
// input goes to whatever window lies under the pointer, so these tests run in a Wine world of their own at
// 24 bits per pixel, where nothing else runs and the screen shows exact colours.
class SampleTitleTest : public ::testing::Test {
protected:
    SampleTitleTest() { copyFolder(sampleFolder(), folder.path(), "debug.txt"); }

    void SetUp() override {
        HDC screen = GetDC(nullptr);
        const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
        ReleaseDC(nullptr, screen);
        ASSERT_TRUE(trueColour) << "real input and exact colours: the 24-bit world of its own only";
    }

    std::string debugText() const {
        return fileExists(folder.file("debug.txt")) ? readWholeFile(folder.file("debug.txt")) : std::string();
    }
    // Whether debug.txt reads `text` within kTimeoutMs.
    bool waitForDebugText(const std::string& text) const {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(20))
            if (debugText() == text) return true;
        return false;
    }
    // Expects the screen to show `rgb` (0x00RRGGBB) at `at` of the window within kTimeoutMs.
    static void expectShown(const ProgramWindow& title, HWND scene, POINT at, std::uint32_t rgb) {
        EXPECT_TRUE(title.waitForColour(scene, at, colourOf(rgb), kTimeoutMs))
            << at.x << "," << at.y << " shows " << std::hex << ProgramWindow::colourAt(scene, at) << ", not " << rgb;
    }
    // Starts the title and waits until the meadow shows and its script is ready; a click on the plain
    // ground then makes the window the active one, as a person's first click does, so that keys reach it.
    HWND startInMeadow(const ProgramWindow& title) const {
        const HWND scene = title.waitForWindow("OMWindowChildClass", kTimeoutMs);
        if (!scene) return nullptr;
        expectShown(title, scene, kGround, kMeadowGround);
        if (!waitForDebugText("meadow shown\r\n")) return nullptr;
        ProgramWindow::click(scene, kGround);
        return scene;
    }

    TempFolder folder;
};

// The meadow: a click on the sun's hot spot stops it; a click on the button is heard out before "pressed".
// Every screen it names comes with its letter in either case, and Esc leaves it for the meadow again (the
// sign-in screen, once its exit button shows, though its list holds the capture); Enter goes to the night of
// the precompiled script and back; Esc in the meadow quits with exit code 0.
TEST_F(SampleTitleTest, TheMeadowOpensEveryScreenItNamesAndEscLeavesThem) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = startInMeadow(title);
    ASSERT_NE(nullptr, scene) << debugText();
    ProgramWindow::click(scene, POINT{552, 72});
    std::string expected = "meadow shown\r\nturning 0\r\n";
    EXPECT_TRUE(waitForDebugText(expected));
    Sleep(600);  // past the time its three looks would take to play through at 8 frames a second
    ProgramWindow::click(scene, POINT{100, 419});
    expected += "pressed\r\n";
    EXPECT_TRUE(waitForDebugText(expected));
    const COLORREF buttonFace = ProgramWindow::colourAt(scene, POINT{100, 419});
    const struct { UINT key; bool shift; const char* shown; const char* left; } screens[] = {
        {'P', false, "puzzle shown\r\n", ""},  {'R', true, "problem\r\n", "left\r\n"},
        {'A', false, "race shown\r\n", "left\r\n"}, {'M', true, "signal 1\r\nsignal 5\r\nfinished\r\n", ""},
        {'G', false, "queued\r\n", ""},        {'S', true, "signin shown\r\n", ""},
        {VK_RETURN, false, "night shown\r\n", nullptr}};
    for (const auto& s : screens) {
        SCOPED_TRACE(s.shown);
        ProgramWindow::typeKey(s.key, s.shift);
        expected += s.shown;
        ASSERT_TRUE(waitForDebugText(expected)) << debugText();
        if (s.key == 'S') {
            EXPECT_TRUE(title.waitForColour(scene, POINT{560, 419}, buttonFace, kTimeoutMs)) << "no exit button";
        }
        ProgramWindow::typeKey(s.left ? VK_ESCAPE : VK_RETURN);
        expected += std::string(s.left ? s.left : "") + "meadow shown\r\n";
        ASSERT_TRUE(waitForDebugText(expected)) << debugText();
    }
    ProgramWindow::typeKey(VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    EXPECT_EQ(expected + "bye\r\n", debugText());
}

// guide.mps as the first script: a queue plays the character's greeting, moves the character along the
// sun's frames and waits; the character's "finished" and then the queue's are written, and the script quits.
TEST_F(SampleTitleTest, AQueueOfTheGreetingAMoveAndADelayRunsInOrder) {
    writeWholeFile(folder.file("PScripts\\dorIruvu.mps"), readWholeFile(folder.file("PScripts\\guide.mps")));
    EXPECT_EQ(0u, ProgramWindow(folder.file("QUOMB_32.exe"), folder.path()).waitForExit(kTimeoutMs));
    EXPECT_EQ("queued\r\nspoke\r\ndone 200\r\n", debugText());
}

// The puzzle: once the pets and both houses show, the test drags the pets with the mouse: the dog onto the
// sky goes home, the cat into its house, then the dog into its own, which fills, uses and solves the puzzle;
// each pet then shows in the middle of its house.
TEST_F(SampleTitleTest, ThePuzzleJudgesEachDropOfThePets) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = startInMeadow(title);
    ASSERT_NE(nullptr, scene) << debugText();
    ProgramWindow::typeKey('P');
    std::string expected = "meadow shown\r\npuzzle shown\r\n";
    ASSERT_TRUE(waitForDebugText(expected)) << debugText();
    const POINT cat{270, 414}, dog{350, 414};  // the middles of their fur
    for (const auto& [at, rgb] : {std::pair{cat, kCatColour}, {dog, kDogColour}, {POINT{120, 270}, kHouseWallColour},
                                  {POINT{420, 270}, kHouseWallColour}})
        expectShown(title, scene, at, rgb);
    Sleep(500);  // they stay
    EXPECT_EQ(colourOf(kCatColour), ProgramWindow::colourAt(scene, cat));
    EXPECT_EQ(colourOf(kHouseWallColour), ProgramWindow::colourAt(scene, POINT{420, 270}));
    const struct { POINT from, to; const char* lines; } drags[] = {
        {dog, {350, 150}, "dropped dog\r\noverflow\r\nup dog\r\n"},
        {cat, {150, 270}, "dropped cat\r\nadded cat\r\nplaced cathouse\r\nup cat\r\n"},
        {dog, {450, 270}, "dropped dog\r\nadded dog\r\nplaced doghouse\r\nfull\r\nused\r\nsolved\r\nup dog\r\n"}};
    for (const auto& d : drags) {
        expectShown(title, scene, d.from, d.from.x == cat.x ? kCatColour : kDogColour);
        ProgramWindow::drag(scene, d.from, d.to);
        expected += d.lines;
        EXPECT_TRUE(waitForDebugText(expected)) << debugText();
    }
    expectShown(title, scene, POINT{150, 270}, kCatColour);
    expectShown(title, scene, POINT{450, 270}, kDogColour);
    ProgramWindow::typeKey(VK_ESCAPE);
    EXPECT_TRUE(waitForDebugText(expected + "meadow shown\r\n")) << debugText();
}

// Whether the screen shows a pixel of `rgb` in the area (client coordinates of window), sampled every
// third pixel.
bool showsSomewhere(HWND window, RECT area, std::uint32_t rgb) {
    for (int y = area.top; y < area.bottom; y += 3)
        for (int x = area.left; x < area.right; x += 3)
            if (ProgramWindow::colourAt(window, POINT{x, y}) == colourOf(rgb)) return true;
    return false;
}

// The racing game: the scenery moves between two looks at the road. Whenever a sign's number shows on the
// road, Space presses the horn; the race ends with two right answers and the prize or with five wrong ones
// and the game over, and the meadow comes back. Lamp 0 shows lit after the first right answer.
TEST_F(SampleTitleTest, TheRacingGameRunsToThePrizeOrTheGameOver) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = startInMeadow(title);
    ASSERT_NE(nullptr, scene) << debugText();
    ProgramWindow::typeKey('R');
    ASSERT_TRUE(waitForDebugText("meadow shown\r\nproblem\r\n")) << debugText();
    const auto laneMarks = [scene] {
        std::vector<COLORREF> column;
        for (int y = 110; y < 272; y += 4) column.push_back(ProgramWindow::colourAt(scene, POINT{305, y}));
        return column;
    };
    const std::vector<COLORREF> before = laneMarks();
    Sleep(250);
    EXPECT_NE(before, laneMarks());
    bool lampChecked = false, pressed = false;
    int signs = 0;
    std::string text;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 4 * kTimeoutMs; Sleep(20)) {
        const bool signShows = showsSomewhere(scene, RECT{270, 125, 330, 155}, kRacingGlyphColour);
        if (signShows && !pressed) {
            ProgramWindow::typeKey(VK_SPACE);
            ++signs;
        }
        pressed = signShows;
        text = debugText();
        if (!lampChecked && text.find("right\r\n") != std::string::npos) {
            lampChecked = true;
            expectShown(title, scene, POINT{kLampX, kLampY}, kLampColour);
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
    EXPECT_GE(signs, won ? 2 : 5);
    ProgramWindow::typeKey(VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
}

// "A" in the meadow opens the assessment race. Watching the answer area on the screen, the test clicks it
// when the right answer shows for sets 1 and 2 (quizlets 2 and 3 of set 1, quizlet 2 of set 2) and when a
// wrong one shows for set 3: results 3, 2 and 1. The confirm screen marks each level; keep shows the exit
// picture, and about 4 s later the title ends, the results file kept.
TEST_F(SampleTitleTest, TheAssessmentRaceWritesTheLevelsAndTheConfirmScreenKeepsThem) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = startInMeadow(title);
    ASSERT_NE(nullptr, scene) << debugText();
    ProgramWindow::typeKey('A', true);
    ASSERT_TRUE(waitForDebugText("meadow shown\r\nrace shown\r\n")) << debugText();
    const POINT answer{kRaceAnswerX + 5, kRaceAnswerY + 30};  // beside the number
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
            ProgramWindow::click(scene, answer);
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
    ProgramWindow::click(scene, POINT{kConfKeepX + 50, kConfKeepY + 25});
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
// her row in grey 127 with the typed A in blue before Enter selects her ("signed in 0"). Signed in, the exit
// button opens the exit dialog: "&No" lets the script go on, "&Yes" quits.
TEST_F(SampleTitleTest, SignInAddsANewNameAndSelectsItTheNextTime) {
    CreateDirectoryA(folder.file("users").c_str(), nullptr);
    std::vector<StoredVariable> users{{"newUserID", "9", 0}, {"totalUsers", "8", 0}};
    for (const char* name : {"Bea", "Cal", "Dan", "Eve", "Fay", "Gus", "Hal", "Ivy"})
        users.push_back({"user" + std::to_string(users.size() - 1), name, 0});
    writeWholeFile(folder.file("users\\USERS.DAT"), variableFileBytes(users, 1000));
    for (const bool known : {false, true}) {
        SCOPED_TRACE(known ? "known" : "new");
        DeleteFileA(folder.file("debug.txt").c_str());
        const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
        const HWND scene = startInMeadow(title);
        ASSERT_NE(nullptr, scene) << debugText();
        ProgramWindow::typeKey('S');
        std::string expected = "meadow shown\r\nsignin shown\r\n";
        ASSERT_TRUE(waitForDebugText(expected)) << debugText();
        EXPECT_TRUE(title.waitForColour(scene, POINT{308, 200}, RGB(192, 192, 192), kTimeoutMs)) << "no slider";
        for (const char c : std::string(known ? "a" : "ann")) ProgramWindow::typeKey(std::toupper(c));
        if (known) {
            expectShown(title, scene, POINT{290, 110}, kSignInHighlightColour);
            int blue = 0;
            for (int y = 100; y < 120; ++y)
                for (int x = 100; x < 130; ++x) blue += ProgramWindow::colourAt(scene, POINT{x, y}) == RGB(0, 0, 255);
            EXPECT_GT(blue, 5) << "the typed A";
        }
        ProgramWindow::typeKey(VK_RETURN);
        expected += known ? "signed in 0\r\n" : "signed in 1\r\n";
        ASSERT_TRUE(waitForDebugText(expected)) << debugText();
        for (const WPARAM button : known ? std::vector<WPARAM>{11, 10} : std::vector<WPARAM>{10}) {
            ProgramWindow::click(scene, POINT{560, 419});
            const HWND box = title.waitForWindow("#32770", kTimeoutMs);
            ASSERT_NE(nullptr, box) << "no exit dialog";
            std::string texts;
            EnumChildWindows(box, addControlText, reinterpret_cast<LPARAM>(&texts));
            char caption[32] = {};
            GetWindowTextA(box, caption, sizeof caption);
            EXPECT_EQ(std::string(caption) + " " + texts,
                      "Exit 65535:You are about to leave the game. Your current game will be saved.|"
                      "65535:Do you want to leave?|10:&Yes|11:&No|");
            const HWND pressed = GetDlgItem(box, int(button));
            RECT face{};
            GetClientRect(pressed, &face);
            ProgramWindow::click(pressed, POINT{face.right / 2, face.bottom / 2});
            if (button == 10) break;
            expected += "stayed\r\n";
            ASSERT_TRUE(waitForDebugText(expected)) << debugText();
        }
        EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    }
}

// "M" in the meadow plays the sample movie: "signal" when its frame reads 1 and 5, then "finished"; the
// screen then shows the last frame's colours. Esc goes back to the meadow, which repaints where the movie
// was, and Esc again quits.
TEST_F(SampleTitleTest, TheMovieSignalsFinishesAndGivesWayToTheMeadow) {
    const ProgramWindow title(folder.file("QUOMB_32.exe"), folder.path());
    const HWND scene = startInMeadow(title);
    ASSERT_NE(nullptr, scene) << debugText();
    ProgramWindow::typeKey('M');
    const std::string played = "meadow shown\r\nsignal 1\r\nsignal 5\r\nfinished\r\n";
    ASSERT_TRUE(waitForDebugText(played)) << debugText();
    const POINT square{kMovieX + kMovieSquareX, kMovieY + kMovieSquareY};
    expectShown(title, scene, square, kMovieLastSquare);
    expectShown(title, scene, POINT{kMovieX + kMovieGroundX, kMovieY + kMovieGroundY}, kMovieLastGround);
    const COLORREF squareColour = colourOf(kMovieLastSquare);
    ProgramWindow::typeKey(VK_ESCAPE);
    ASSERT_TRUE(waitForDebugText(played + "meadow shown\r\n")) << debugText();
    bool repainted = false;
    for (const DWORD start = GetTickCount(); !repainted && GetTickCount() - start < kTimeoutMs; Sleep(20))
        repainted = ProgramWindow::colourAt(scene, square) != squareColour;
    EXPECT_TRUE(repainted);
    ProgramWindow::typeKey(VK_ESCAPE);
    EXPECT_EQ(0u, title.waitForExit(kTimeoutMs));
    EXPECT_EQ(played + "meadow shown\r\nbye\r\n", debugText());
}

}  // namespace
