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

}  // namespace

// An answer's "pickedUp" or "dropped" handler that deletes its puzzle or takes the answer out of it: the
// puzzle's link that the handler cleared is not called, and the program goes on.
TEST(PuzzleScriptTest, AHandlerThatDetachesTheAnswerDuringItsDragLeavesTheProgramRunning) {
    struct Case {
        const char* event;
        const char* detach;
    } cases[] = {{"pickedUp", "drop pz"},
                 {"pickedUp", "play pz removeAnswer 'a'"},
                 {"dropped", "drop pz"},
                 {"dropped", "play pz removeAnswer 'a'"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.event) + ": " + c.detach);
        Title title;
        title.script("dorIruvu.mps", {"Scene start", "pz=RPuzzle",
                                      "a=RGraphicAnswer 100 100 5 " + std::to_string(kTilePicture) + " 'a' 1",
                                      "play pz addAnswer 'a'", std::string("set a ") + c.event + " +p", "say begin",
                                      "wait", "say end", "quit", "procedure +p", "[", std::string(" ") + c.detach,
                                      " drop wait", "]"});
        askForFreeChecks(true);
        const ProgramWindow program = title.run();
        const HWND trinkets = program.waitForWindow("OMWindowChildClass", kTimeoutMs);
        askForFreeChecks(false);
        ASSERT_NE(nullptr, trinkets);
        ASSERT_TRUE(waitForTile(title, trinkets, "begin\r\n")) << title.debugText();
        ProgramWindow::drag(trinkets, kTileCentre, {300, 200});
        EXPECT_EQ(0u, program.waitForExit(kTimeoutMs));
        EXPECT_EQ("begin\r\nend\r\n", title.debugText());
    }
}
