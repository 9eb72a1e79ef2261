// QUOMB_32.exe end to end under Wine, each run in a title folder of its own with the hand-off file and
// scripts; checked through "debug.txt", the hand-off file, the exit code, alert boxes and the screen.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "Files.h"
#include "NeModuleWriter.h"
#include "ProbeHook.h"
#include "ProgramTitle.h"
#include "ProgramWindow.h"
#include "SmackerWriter.h"
#include "SoundResourceWriter.h"

namespace {

std::string handOff(std::int32_t mode, const std::string& variant) {
    std::string bytes(4, '\0');
    putU32(bytes, 0, static_cast<std::uint32_t>(mode));
    return bytes + variant;
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
    const POINT corner{GetSystemMetrics(SM_CXSCREEN) / 2 - 320, GetSystemMetrics(SM_CYSCREEN) / 2 - 240};
    EXPECT_EQ((std::vector<LONG>{corner.x, corner.y, corner.x + 640, corner.y + 460}),
              (std::vector<LONG>{frame.left, frame.top, frame.right, frame.bottom}));
    // In a 24-bit world the 8-bit canvases reach the screen in the palette's exact colours.
    HDC screen = GetDC(nullptr);
    const bool trueColour = GetDeviceCaps(screen, BITSPIXEL) >= 24;
    ReleaseDC(nullptr, screen);
    const std::pair<POINT, std::uint32_t> spots[] = {{{10, 10}, kLeft}, {{630, 450}, kRight}, {{101, 51}, kAnimation}};
    for (const auto& [at, rgb] : spots)
        EXPECT_TRUE(!trueColour || program.waitForColour(trinkets, at, RGB(rgb >> 16, rgb >> 8, rgb), 5000)) << at.x;
    ProgramWindow::postCharacter(GetParent(trinkets), 'q', 'Q');
    EXPECT_EQ(0u, program.waitForExit(20000));
    EXPECT_EQ("drawn 1 width 2\r\nplayed 1\r\ntyped\r\n", title.debugText());
}

std::string wave(std::size_t count, std::uint32_t rate = 11025) {
    WaveSound w;
    w.sampleRate = rate;
    w.samples = std::string(count, '\xC0');
    return writeWave(w);
}

// Every script class made by the program's own script (an object reads as the character 0xA5, a class the
// program lacks as its own name) and every action kind added to a queue. Then "RDitty" on Wine's null sound
// device: files that can never be heard are refused (no event, status 0); a wave file played three times
// starts three times and then finishes; a format 1 sound resource plays through "resSingle"; a file whose
// "data" runs past the end of the file plays what is there.
TEST(ProgramTest, EveryScriptClassAndActionKindIsMadeAndRDittyPlaysFilesAndResources) {
    const std::pair<const char*, const char*> classes[] = {
        {"a", "RAnimation 100 50 12"}, {"o", "OMAnimation 100 50 12"}, {"g", "OMMultiTrinket"}, {"b", "RPButton 12"},
        {"q", "RQueue"},  {"k", "RCompositeAction"}, {"h", "RHotSpot 300 200 100 50"}, {"i", "RKbdInp"},
        {"f", "RDescriptorFile"}, {"c", "RCharacter 12 0"}, {"d", "RDitty \"\""}, {"t", "RText ab 0 10 20 0 \"\""},
        {"ga", "RGraphicAnswer 10 10 5 12 cat 1"}, {"ta", "RGraphicTextAnswer 10 10 5 12 hi cat 1"},
        {"sc", "RStackingContainer 12 5 10 -1"}, {"ac", "RAttributeContainer 12 5 cat"}, {"pz", "RPuzzle"},
        {"sl", "RSlider 10 10 110 20 0 0"}, {"ws", "RWSlider 100 100 50 0 0 0"}, {"gg", "RGauge 10 300 0 0 0"},
        {"tn", "RToon 10 10 12 1 0 0"}, {"si", "signin 100 100 200"},
        {"px", "PXKill 5"}, {"df", "RDatFile 10 \"\""}, {"cf", "RConfirm"}, {"as", "RAssess 0"}, {"mv", "RSmackerMovie m.smk 0 0"}};
    const std::pair<const char*, const char*> actions[] = {
        {"SoundAction", "7"}, {"AnimAction", "12 1 1"}, {"PlayAnimAction", "'a'"}, {"DelayAction", "100"},
        {"RandomDelayAction", "100 200"}, {"EmptyAction", ""}, {"VerbAction", "'d' 1 stop"},
        {"PropertyAction", "'d' volume 50"}, {"CharacterAnimAction", "'c' 12"}, {"CharacterSpeechAction", "'c' 7"},
        {"MoveXAction", "'a' 'a' 0 1 0 10"}, {"MoveYAction", "'a' 'a' 0 1 0 10"},
        {"MoveXYAction", "'a' 'a' 0 1 0 10 0 1 0 10"}};
    Lines script{"Scene start"}, expected;
    for (const auto& [variable, creation] : classes) {
        const std::string name = std::string(creation).substr(0, std::string(creation).find(' '));
        script.insert(script.end(), {variable + std::string("=") + creation, "say " + name + " " + variable});
        expected.push_back(name + " \xA5");
    }
    for (const auto& [name, tokens] : actions) {
        script.insert(script.end(), {"play q add " + std::string(name) + " " + tokens, "get q actionCount n",
                                     "say " + std::string(name) + " n"});
        expected.push_back(name + std::string(" ") + std::to_string(expected.size() - std::size(classes) + 1));
    }
    script.insert(script.end(), {"set d start +started", "set d finished +done"});
    for (const std::string name : {"truncated.wav", "rate0.wav"})
        script.insert(script.end(), {"play d waveSingle " + name, "get d status s", "say " + name + " s"});
    for (const char* play : {"waveSingle tone.wav 100 3", "resSingle WAVE 7", "waveSingle long.wav"})
        script.insert(script.end(), {std::string("play d ") + play, "wait", "get d status s", "say status s"});
    script.insert(script.end(), {"quit", "procedure +started", "[", " get d status s", " say start s", "]",
                                 "procedure +done", "[", " say finished", " drop wait", "]"});
    expected.insert(expected.end(), {"truncated.wav 0", "rate0.wav 0", "start 1", "start 1", "start 1", "finished",
                                     "status 0", "start 1", "finished", "status 0", "start 1", "finished", "status 0"});
    Title title;
    title.script("dorIruvu.mps", script);
    std::string longData = wave(2000);
    longData[41] = '\x7F';
    const std::pair<const char*, std::string> files[] = {{"truncated.wav", wave(2000).substr(0, 30)},
                                                         {"rate0.wav", wave(2000, 0)},
                                                         {"tone.wav", wave(3000)},
                                                         {"long.wav", longData}};
    for (const auto& [name, bytes] : files) writeWholeFile(title.folder.file(name), bytes);
    const SmackerMovie movie{4, 4, 6666, 0, {{std::vector<std::uint8_t>(16, 10), std::vector<SmackerColor>(256), {}}}};
    const std::vector<std::uint8_t> smk = writeSmacker(movie);
    CreateDirectoryA(title.folder.file("rsc").c_str(), nullptr);
    writeWholeFile(title.folder.file("rsc\\m.smk"), std::string(smk.begin(), smk.end()));
    const std::string sound = writeSoundResource({1, 22050u << 16, false, std::string(5000, '\x40'), {}});
    const NeModule sounds{4, false, {{0, "WAVE", {{7, sound}}}}};
    writeWholeFile(title.folder.file("PRsc\\sounds.dll"), writeNeModule(sounds).bytes);
    EXPECT_EQ(0u, title.run().waitForExit(60000));
    std::string lines;
    for (const std::string& line : expected) lines += line + "\r\n";
    EXPECT_EQ(lines, title.debugText());
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

// A launch that fails is an alert, after which the main script starts again (and so comes to exec again);
// the second time the window is closed behind the alert, which ends the run.
TEST(ProgramTest, AFailedLaunchLeavesTheProgramRunningItsMainScriptAgain) {
    Title title;
    title.script("dorIruvu.mps", {"say run", "exec next", "say after exec"});
    writeWholeFile(title.folder.file("PLSDescriptor.txt"), titleDescriptor({{"WinExeName", {"no_such_program.exe"}}}));
    const ProgramWindow program = title.run();
    EXPECT_EQ("Alert: Unable to launch Application. after run\r\n", title.answerAlert(program, false));
    EXPECT_EQ("Alert: Unable to launch Application. after run\r\nrun\r\n", title.answerAlert(program, true));
    EXPECT_EQ(0u, program.waitForExit(20000));
}

// checkCD: a lesson under rsc\ asks for nothing; otherwise the disc (2 when the CD holds lesson 12) is asked
// for until the lesson is there, OK trying again, and Cancel ends the program with exit code 1.
TEST(ProgramTest, CheckCDAsksForTheDiscUntilTheLessonIsThereAndCancelEndsTheProgram) {
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "Cancel" : "OK");
        Title title;
        for (const char* folder : {"rsc", "lessons", "lessons\\lsn005", "lessons\\lsn012"})
            CreateDirectoryA(title.folder.file(folder).c_str(), nullptr);
        writeWholeFile(title.folder.file("rsc\\lsn007.rsc"), "x");
        if (cancel) writeWholeFile(title.folder.file("lessons\\lsn012\\lsn012.rsc"), "x");
        title.script("dorIruvu.mps", {"checkCD 7", "say seven", "checkCD 5", "say five", "quit"});
        const ProgramWindow program = title.run();
        ASSERT_NE(nullptr, program.waitForWindow("#32770", 20000));
        if (!cancel) writeWholeFile(title.folder.file("lessons\\lsn005\\lsn005.rsc"), "x");
        EXPECT_EQ(std::string("Alert: Please insert the Tallomar CD #") + (cancel ? "2" : "1") + ". after seven\r\n",
                  title.answerAlert(program, false, cancel ? IDCANCEL : IDOK));
        EXPECT_EQ(cancel ? 1u : 0u, program.waitForExit(20000));
        EXPECT_EQ(cancel ? "seven\r\n" : "seven\r\nfive\r\n", title.debugText());
    }
}

// A dialog's caption, then each control's id and text.
std::string dialogTexts(HWND box) {
    char text[256] = {};
    GetWindowTextA(box, text, sizeof text);
    std::string all = text;
    for (HWND control = GetWindow(box, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        GetWindowTextA(control, text, sizeof text);
        all += "|" + std::to_string(GetDlgCtrlID(control)) + " " + text;
    }
    return all;
}

// exitQUOMB shows "Exit" centred on the screen: "&No" lets the script go on, "&Yes" ends with exit code 0.
TEST(ProgramTest, TheExitDialogGoesOnWithNoAndQuitsWithYes) {
    Title title;
    title.script("dorIruvu.mps", {"say before", "exitQUOMB", "say stayed", "exitQUOMB", "wait"});
    const ProgramWindow program = title.run();
    for (const int button : {11, 10}) {
        SCOPED_TRACE(button);
        const HWND box = program.waitForWindow("#32770", 20000);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Exit|65535 You are about to leave the game. Your current game will be saved.|65535 Do you want to "
                  "leave?|10 &Yes|11 &No",
                  dialogTexts(box));
        RECT frame{};
        GetWindowRect(box, &frame);
        EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
        EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        for (int waited = 0; waited < 20000 && IsWindow(box); waited += 50) Sleep(50);
    }
    EXPECT_EQ(0u, program.waitForExit(20000));
    EXPECT_EQ("before\r\nstayed\r\n", title.debugText());
}

TEST(ProgramTest, AMissingFirstScriptIsReportedInAnAlertAndEndsTheProgram) {
    Title title;
    const ProgramWindow program = title.run();
    const std::string shown = title.answerAlert(program, false);
    EXPECT_EQ(": unknown script after ", shown.substr(shown.find(':')));
    EXPECT_EQ(1u, program.waitForExit(20000));
}

// The version block names the window class that the single-instance test looks for: a second start, in
// a folder of its own, ends at once with 0 without running its script, and the first runs on.
TEST(ProgramTest, TheWindowClassNamesTheProductAndASecondStartEndsAtOnce) {
    Title first;
    first.script("dorIruvu.mps", {"wait"});
    const ProgramWindow program = first.run();
    const HWND main = program.waitForWindow("KPR: QUOMB_32 1.0", 20000);
    ASSERT_NE(nullptr, main);
    EXPECT_EQ(main, FindWindowA("KPR: QUOMB_32 1.0", nullptr));
    Title second;
    second.script("dorIruvu.mps", {"say second", "quit"});
    EXPECT_EQ(0u, second.run().waitForExit(20000));
    EXPECT_EQ("", second.debugText());
    EXPECT_EQ(STILL_ACTIVE, program.waitForExit(0));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.waitForExit(20000));
}

// The class icon and the cursor the window sets are the program's own (icon "OM_APP_ICON", cursor 5 with
// its hotspot at the fingertip), as a hook inside the running program sees them.
TEST(ProgramTest, TheWindowShowsTheProgramsOwnIconAndCursor) {
    Title title;
    title.script("dorIruvu.mps", {"wait"});
    const ProgramWindow program = title.run();
    const HWND trinkets = program.waitForWindow("OMWindowChildClass", 20000);
    ASSERT_NE(nullptr, trinkets);
    const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, probeMessage, GetModuleHandleA("quomb_probe_hook.dll"),
                                         GetWindowThreadProcessId(trinkets, nullptr));
    ASSERT_NE(nullptr, hook);
    PostMessageA(trinkets, RegisterWindowMessageA(kProbeMessage), 0, 0);
    const std::string answer = title.folder.file(kProbeFile);
    for (int waited = 0; waited < 20000 && (!fileExists(answer) || readWholeFile(answer).empty()); waited += 50)
        Sleep(50);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ("icon own 32x32, cursor own hotspot 11,0", fileExists(answer) ? readWholeFile(answer) : "");
    PostMessageA(GetParent(trinkets), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.waitForExit(20000));
}

// The program ends cleanly with the mouse over two overlapping hot spots. The script's objects end in the
// order made and "top" raised the first, so its end moves the hover to the second, which shows its cursor
// while the program takes its trinkets down. Wine's heap fills freed blocks in this run, so a cursor freed
// before the trinkets faults there.
TEST(ProgramTest, TheProgramEndsCleanlyWhileTheMouseHoversOverlappingHotSpots) {
    Title title;
    title.script("dorIruvu.mps", {"a=RHotSpot 100 100 300 300", "b=RHotSpot 150 150 250 250", "play a top", "wait"});
    askForFreeChecks(true);
    const ProgramWindow program = title.run();
    const HWND trinkets = program.waitForWindow("OMWindowChildClass", 20000);
    askForFreeChecks(false);
    ASSERT_NE(nullptr, trinkets);
    ProgramWindow::click(trinkets, {200, 200});
    Sleep(500);
    PostMessageA(GetParent(trinkets), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.waitForExit(20000));
}

// The ".lrn" modules that the process of window has loaded, by name, blank-separated.
std::string loadedPlugins(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    std::string names;
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        const std::string name = module.szModule;
        if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".lrn") == 0) names += name + " ";
    }
    CloseHandle(snapshot);
    return names;
}

// A class that only a plug-in beside the title provides: the script makes it, sets its count, calls its
// verb and hears its event (raised on a later pass, since events raised inside a verb are dropped).
// Before that, names that no plug-in provides stay texts and leave nothing loaded: a file that is no
// library, a library that registers no class, and no file at all. The program then ends cleanly, with the
// plug-in still loaded and its object still held, in a run whose heap fills freed blocks.
TEST(ProgramTest, AScriptMakesAndDrivesAClassOfAPluginBesideTheTitle) {
    Title title;
    for (const char* plugin : {"RTally.lrn", "RSilent.lrn"}) {
        const std::string built = ProgramWindow::ownFolder() + "plugins\\" + plugin;
        ASSERT_TRUE(CopyFileA(built.c_str(), title.folder.file(plugin).c_str(), FALSE)) << plugin;
    }
    writeWholeFile(title.folder.file("RJunk.lrn"), "not a library");
    title.script("dorIruvu.mps", {"keys=RKbdInp", "set keys keyPressed +typed", "j=RJunk 1", "s=RSilent 2",
                                  "n=RAbsent 3", "say failed j s n", "wait", "procedure +typed", "[", " t=RTally 9",
                                  " set t count 4", " set t changed +changed", " play t add 2", "]",
                                  "procedure +changed", "[", " get t count c", " say changed c", "]"});
    askForFreeChecks(true);
    const ProgramWindow program = title.run();
    const HWND trinkets = program.waitForWindow("OMWindowChildClass", 20000);
    askForFreeChecks(false);
    ASSERT_NE(nullptr, trinkets);
    const std::string failed = "failed RJunk RSilent RAbsent\r\n";
    for (int waited = 0; waited < 20000 && title.debugText() != failed; waited += 50) Sleep(50);
    ASSERT_EQ(failed, title.debugText());
    EXPECT_EQ("", loadedPlugins(trinkets));
    ProgramWindow::postCharacter(GetParent(trinkets), 'k', 'K');
    const std::string heard = failed + "changed 6\r\n";
    for (int waited = 0; waited < 20000 && title.debugText().size() < heard.size(); waited += 50) Sleep(50);
    EXPECT_EQ(heard, title.debugText());
    EXPECT_EQ("RTally.lrn ", loadedPlugins(trinkets));
    PostMessageA(GetParent(trinkets), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, program.waitForExit(20000));
}

}  // namespace
