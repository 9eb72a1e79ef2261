// Puzzles driven by scripts run by QUOMB_32.exe and played with the real mouse.
#include <gtest/gtest.h>

#include <string>

#include "ProgramTitle.h"

namespace {

constexpr POINT kTileCentre{120, 120};
// The scene beside the tile.
constexpr POINT kBeside{60, 60};
constexpr DWORD kTimeoutMs = 20000;

// Whether the trinket window shows the tile (its colour differs from the scene beside it) and the script
// has said `said`, within kTimeoutMs.
bool waitForTile(const Title& title, HWND trinkets, const std::string& said) {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += 50) {
        const bool shown = ProgramWindow::colourAt(trinkets, kTileCentre) != ProgramWindow::colourAt(trinkets, kBeside);
        if (shown && title.debugText() == said) return true;
        Sleep(50);
    }
    return false;
}

// The answer at (100, 100) whose picture is the 40 x 40 tile.
std::string tile() { return "RGraphicAnswer 100 100 5 " + std::to_string(kTilePicture) + " 'a' 1"; }

}  // namespace

// The tile dragged over two boxes, with a handler of one event that detaches the tile from the puzzle or
// deletes the puzzle or the box that the tile moves on to: nothing the handler deleted is called, and the
// release ends the wait.
TEST(PuzzleScriptTest, AHandlerThatDetachesDuringADragLeavesTheProgramRunning) {
    struct Case {
        const char* binding;
        const char* detach;
    } cases[] = {{"a pickedUp", "drop pz"},
                 {"a pickedUp", "play pz removeAnswer 'a'"},
                 {"a dropped", "drop pz"},
                 {"a dropped", "play pz removeAnswer 'a'"},
                 {"box answerFlyOff", "drop box2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.binding) + ": " + c.detach);
        Title title;
        title.script("dorIruvu.mps",
                     {"Scene start", "pz=RPuzzle", "a=" + tile(), "box=RStackingContainer 200 150 100 100 4 0 -1",
                      "box2=RStackingContainer 300 150 100 100 4 0 -1", "play pz addAnswer 'a'",
                      "play pz addContainer 'box'", "play pz addContainer 'box2'",
                      std::string("set ") + c.binding + " +p", "set a mouseUp +up", "say begin", "wait", "say end",
                      "quit", "procedure +p", "[", std::string(" ") + c.detach, "]", "procedure +up", "[",
                      " drop wait", "]"});
        askForFreeChecks(true);
        const ProgramWindow program = title.run();
        const HWND trinkets = program.waitForWindow("OMWindowChildClass", kTimeoutMs);
        askForFreeChecks(false);
        ASSERT_NE(nullptr, trinkets);
        ASSERT_TRUE(waitForTile(title, trinkets, "begin\r\n")) << title.debugText();
        ProgramWindow::drag(trinkets, kTileCentre, {330, 200});
        EXPECT_EQ(0u, program.waitForExit(kTimeoutMs));
        EXPECT_EQ("begin\r\nend\r\n", title.debugText());
    }
}
