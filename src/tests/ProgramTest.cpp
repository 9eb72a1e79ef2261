// QUOMB_32.exe end to end under Wine, each run in a folder of its own: the descriptor, the picture and
// sound modules under "PRsc\", the hand-off file and the scripts under "PScripts\"; checked through
// "debug.txt", the hand-off file, the exit code, alert boxes and the picture on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Files.h"
#include "NeModuleWriter.h"
#include "ProgramWindow.h"
#include "TempFolder.h"
#include "TitleFiles.h"

namespace {

using Lines = std::vector<std::string>;

std::string handOff(std::int32_t mode, const std::string& variant) {
    std::string bytes(4, '\0');
    putU32(bytes, 0, static_cast<std::uint32_t>(mode));
    return bytes + variant;
}

// A prepared folder; run() starts QUOMB_32.exe in it.
class Title {
public:
    Title() {
        for (const char* sub : {"PRsc", "PScripts", "users"}) CreateDirectoryA(folder.file(sub).c_str(), nullptr);
        writeWholeFile(folder.file("PLSDescriptor.txt"), titleDescriptor());
        writeWholeFile(folder.file("PRsc\\pictures.dll"), pictureModule());
        writeWholeFile(folder.file("PRsc\\sounds.dll"), soundModule());
    }
    void script(const std::string& name, const Lines& lines) const {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        writeWholeFile(folder.file("PScripts\\" + name), text);
    }
    std::string debugText() const {
        const std::string name = folder.file("debug.txt");
        return fileExists(name) ? readWholeFile(name) : std::string();
    }
    ProgramWindow run() const {
        char path[MAX_PATH];
        const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
        return ProgramWindow("\"" + own.substr(0, own.find_last_of('\\') + 1) + "QUOMB_32.exe\"", folder.path());
    }

    TempFolder folder;
};

BOOL CALLBACK collectStaticText(HWND child, LPARAM text) {
    char name[16] = {};
    char content[512] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, content, sizeof content) > 0)
        *reinterpret_cast<std::string*>(text) += content;
    return TRUE;
}

// The joined texts of a message box's static controls.
std::string staticText(HWND box) {
    std::string text;
    EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

// The hand-off's script: the scene, an animation, a draw that can give only 1 and a queued sound; a key ends it.
TEST(ProgramTest, TheSceneScriptOfTheHandOffRunsShowsItsPictureAndEndsOnAKey) {
    Title title;
    title.script("rtnmm.mps", {"Scene start", "a=RAnimation 100 50 12", "get a width w", "RandomNumber 1 2 2",
                               "say drawn RESULT width w", "q=RQueue", "play q add SoundAction 7",
                               "set q finished +played", "play q start", "keys=RKbdInp", "set keys keyPressed +typed",
                               "wait", "procedure +played", "[", " get q actionCount n", " say played n", "]",
                               "procedure +typed", "[", " say typed", " quit", "]"});
    writeWholeFile(title.folder.file("users\\quomb.dat"), handOff(1, "x"));
    const ProgramWindow program = title.run();
    // The main window covers the screen; the trinket window inside it has the window rectangle.
    const HWND trinkets = program.waitForWindow("OMWindowChildClass", 20000);
    ASSERT_NE(nullptr, trinkets);
    for (int waited = 0; waited < 20000 && title.debugText().size() < 27; waited += 50) Sleep(50);
    EXPECT_EQ("drawn 1 width 2\r\nplayed 1\r\n", title.debugText());
    EXPECT_FALSE(fileExists(title.folder.file("users\\quomb.dat")));
    RECT frame{};
    GetWindowRect(trinkets, &frame);
    const LONG left = GetSystemMetrics(SM_CXSCREEN) / 2 - 320;
    const LONG top = GetSystemMetrics(SM_CYSCREEN) / 2 - 240;
    EXPECT_EQ((Lines{std::to_string(left), std::to_string(top), std::to_string(left + 640), std::to_string(top + 460)}),
              (Lines{std::to_string(frame.left), std::to_string(frame.top), std::to_string(frame.right),
                     std::to_string(frame.bottom)}));
    HDC screen = GetDC(nullptr);
    const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
    ReleaseDC(nullptr, screen);
    // In a 24-bit world the 8-bit canvases reach the screen in the palette's exact colours.
    const std::pair<POINT, std::uint32_t> spots[] = {{{10, 10}, kLeft}, {{630, 450}, kRight}, {{101, 51}, kAnimation}};
    for (const auto& [at, rgb] : spots) {
        if (!trueColour) break;
        const COLORREF colour = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
        EXPECT_TRUE(program.waitForColour(trinkets, at, colour, 5000)) << at.x << "," << at.y;
    }
    ProgramWindow::postCharacter(GetParent(trinkets), 'q', 'Q');
    EXPECT_EQ(0u, program.waitForExit(20000));
    EXPECT_EQ("drawn 1 width 2\r\nplayed 1\r\ntyped\r\n", title.debugText());
}

TEST(ProgramTest, EachHandOffRowPicksItsScriptAndExecWithFalseQuits) {
    const std::pair<std::string, const char*> rows[] = {
        {"", "dorIruvu.mps"},           {handOff(1, "m"), "rtnsm.mps"}, {handOff(1, "x"), "rtnmm.mps"},
        {handOff(1, ""), "rtnsm.mps"},  {handOff(2, "x"), "exit.mps"},  {handOff(3, "m"), "rtnsi.mps"},
        {handOff(-1, "m"), "dorIruvu.mps"}};
    for (const auto& [bytes, script] : rows) {
        SCOPED_TRACE(script + std::string(" from ") + std::to_string(bytes.size()) + " bytes");
        Title title;
        for (const char* name : {"dorIruvu.mps", "rtnsm.mps", "rtnmm.mps", "exit.mps", "rtnsi.mps"})
            title.script(name, {std::string("say ") + name, "exec next", "say after exec"});
        if (!bytes.empty()) writeWholeFile(title.folder.file("users\\quomb.dat"), bytes);
        EXPECT_EQ(0u, title.run().waitForExit(60000));
        EXPECT_EQ(std::string(script) + "\r\n", title.debugText());
        EXPECT_FALSE(fileExists(title.folder.file("users\\quomb.dat")));
    }
}

TEST(ProgramTest, MissingOrDamagedFilesLeaveTheScriptRunningToItsEnd) {
    std::string damaged = pictureModule();
    putU16(damaged, 0x80 + 0x24, 0xFFF0);  // the resource table lies past the end
    const std::pair<const char*, std::string> cases[] = {
        {"PLSDescriptor.txt", ""}, {"PRsc\\pictures.dll", ""}, {"PRsc\\pictures.dll", damaged.substr(0, 0x200)},
        {"PRsc\\pictures.dll", "MZ"}};
    for (const auto& [file, bytes] : cases) {
        SCOPED_TRACE(file + std::string(" of ") + std::to_string(bytes.size()) + " bytes");
        Title title;
        title.script("dorIruvu.mps", {"Scene start", "a=RAnimation 100 50 12", "copyPal 500 0 300 250", "BlackScreen",
                                      "say end", "quit"});
        if (bytes.empty()) DeleteFileA(title.folder.file(file).c_str());
        if (!bytes.empty()) writeWholeFile(title.folder.file(file), bytes);
        EXPECT_EQ(0u, title.run().waitForExit(60000));
        EXPECT_EQ("end\r\n", title.debugText());
    }
}

// A launch that fails is an alert, after which the main script starts again (and so comes to exec again).
TEST(ProgramTest, AFailedLaunchLeavesTheProgramRunningItsMainScriptAgain) {
    Title title;
    title.script("dorIruvu.mps", {"say run", "exec next", "say after exec"});
    writeWholeFile(title.folder.file("PLSDescriptor.txt"), titleDescriptor({{"WinExeName", {"no_such_program.exe"}}}));
    const ProgramWindow program = title.run();
    for (const std::string said : {"run\r\n", "run\r\nrun\r\n"}) {
        const HWND box = program.waitForWindow("#32770", 20000);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Unable to launch Application.", staticText(box));
        EXPECT_EQ(said, title.debugText());
        // The second time the window is closed behind the alert, which ends the run.
        if (said.size() > 5) PostMessageA(GetWindow(box, GW_OWNER), WM_CLOSE, 0, 0);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int waited = 0; waited < 5000 && IsWindow(box); waited += 50) Sleep(50);
    }
    EXPECT_EQ(0u, program.waitForExit(20000));
}

TEST(ProgramTest, AMissingFirstScriptIsReportedInAnAlertAndEndsTheProgram) {
    Title title;
    const ProgramWindow program = title.run();
    const HWND box = program.waitForWindow("#32770", 20000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("unknown script", staticText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1u, program.waitForExit(20000));
}

}  // namespace
