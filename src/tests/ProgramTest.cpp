// QUOMB_32.exe end to end under Wine, each run in a folder of its own: the descriptor, the picture and
// sound modules under "PRsc\", the hand-off file and the scripts under "PScripts\"; checked through
// "debug.txt", the hand-off file, the exit code, alert boxes and the picture on the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <future>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Files.h"
#include "NeModuleWriter.h"
#include "TempFolder.h"
#include "TitleFiles.h"

namespace {

using Lines = std::vector<std::string>;

std::string program() {
    char path[MAX_PATH];
    const std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return "\"" + own.substr(0, own.find_last_of('\\') + 1) + "QUOMB_32.exe\"";
}

std::string joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string handOff(std::int32_t mode, const std::string& variant) {
    std::string bytes(4, '\0');
    putU32(bytes, 0, static_cast<std::uint32_t>(mode));
    return bytes + variant;
}

// The scene, an animation, a draw that can give only 1, a queued sound of the sound module; then a key
// ends the run.
const Lines kSceneScript{"Scene start", "a=RAnimation 100 50 12", "get a width w", "RandomNumber 1 2 2",
                         "say drawn RESULT width w", "q=RQueue", "play q add SoundAction 7", "set q finished +played",
                         "play q start", "keys=RKbdInp", "set keys keyPressed +typed", "wait",
                         "procedure +played", "[", " get q actionCount n", " say played n", "]",
                         "procedure +typed", "[", " say typed", " quit", "]"};

class Title {
public:
    Title() {
        for (const char* sub : {"PRsc", "PScripts", "users"}) CreateDirectoryA(folder.file(sub).c_str(), nullptr);
        writeWholeFile(folder.file("PLSDescriptor.txt"), titleDescriptor());
        writeWholeFile(folder.file("PRsc\\pictures.dll"), pictureModule());
        writeWholeFile(folder.file("PRsc\\sounds.dll"), soundModule());
    }
    void script(const std::string& name, const Lines& lines) const {
        writeWholeFile(folder.file("PScripts\\" + name), joined(lines));
    }
    void handOffFile(const std::string& bytes) const { writeWholeFile(folder.file("users\\quomb.dat"), bytes); }
    std::string debugText() const {
        const std::string name = folder.file("debug.txt");
        return fileExists(name) ? readWholeFile(name) : std::string();
    }
    ChildResult run() const { return runChild(program(), folder.path(), 60000); }

    TempFolder folder;
};

struct WindowSearch {
    std::string prefix;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name).rfind(search->prefix, 0) != 0 || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The first visible top-level window whose class starts with `prefix`, or null.
HWND findTopWindow(const std::string& prefix) {
    WindowSearch search{prefix, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK collectStaticText(HWND child, LPARAM data) {
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    char content[512] = {};
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, content, sizeof content) > 0)
        *reinterpret_cast<std::string*>(data) += content;
    return TRUE;
}

// The texts of a message box's static controls, joined.
std::string boxText(HWND box) {
    std::string text;
    EnumChildWindows(box, collectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

template <class Done>
bool waitFor(Done done, int ms = 20000) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (done()) return true;
        Sleep(50);
    }
    return done();
}

std::uint32_t screenColour(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return std::uint32_t(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

int screenDepth() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

TEST(ProgramTest, TheSceneScriptOfTheHandOffRunsShowsItsPictureAndEndsOnAKey) {
    Title title;
    title.script("rtnmm.mps", kSceneScript);
    title.handOffFile(handOff(1, "x"));
    auto child = std::async(std::launch::async, [&title] { return title.run(); });
    ASSERT_TRUE(waitFor([&] { return title.debugText() == "drawn 1 width 2\r\nplayed 1\r\n"; })) << title.debugText();
    EXPECT_FALSE(fileExists(title.folder.file("users\\quomb.dat")));
    HWND main = findTopWindow("KPR: ");
    ASSERT_NE(nullptr, main);
    // The main window covers the screen; the trinket window inside it has the window rectangle.
    HWND trinkets = FindWindowExA(main, nullptr, "OMWindowChildClass", nullptr);
    ASSERT_NE(nullptr, trinkets);
    RECT frame{};
    GetWindowRect(trinkets, &frame);
    const int left = GetSystemMetrics(SM_CXSCREEN) / 2 - 320;
    const int top = GetSystemMetrics(SM_CYSCREEN) / 2 - 240;
    EXPECT_EQ((std::vector<LONG>{left, top, left + 640, top + 460}),
              (std::vector<LONG>{frame.left, frame.top, frame.right, frame.bottom}));
    if (screenDepth() >= 24) {
        Sleep(300);
        EXPECT_EQ(kLeft, screenColour(left + 10, top + 10));
        EXPECT_EQ(kRight, screenColour(left + 630, top + 450));
        EXPECT_EQ(kAnimation, screenColour(left + 101, top + 51));
    }
    PostMessageA(main, WM_CHAR, 'q', 1);
    const ChildResult result = child.get();
    ASSERT_TRUE(result.started);
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_EQ("drawn 1 width 2\r\nplayed 1\r\ntyped\r\n", title.debugText());
}

TEST(ProgramTest, EachHandOffRowPicksItsScript) {
    struct Row {
        const char* what;
        std::string bytes;
        const char* script;
    } const rows[] = {
        {"no hand-off file", "", "dorIruvu.mps"},   {"mode 1, variant m", handOff(1, "m"), "rtnsm.mps"},
        {"mode 1, variant x", handOff(1, "x"), "rtnmm.mps"}, {"mode 1 in 4 bytes", handOff(1, ""), "rtnsm.mps"},
        {"mode 2", handOff(2, "x"), "exit.mps"},     {"mode 3", handOff(3, "m"), "rtnsi.mps"},
        {"mode -1", handOff(-1, "m"), "dorIruvu.mps"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Title title;
        for (const char* name : {"dorIruvu.mps", "rtnsm.mps", "rtnmm.mps", "exit.mps", "rtnsi.mps"})
            title.script(name, {std::string("say ") + name, "quit"});
        if (!row.bytes.empty()) title.handOffFile(row.bytes);
        const ChildResult result = title.run();
        EXPECT_EQ(0u, result.exitCode) << result.output;
        EXPECT_EQ(std::string(row.script) + "\r\n", title.debugText());
        EXPECT_FALSE(fileExists(title.folder.file("users\\quomb.dat")));
    }
}

TEST(ProgramTest, MissingOrDamagedFilesLeaveTheScriptRunningToItsEnd) {
    struct Case {
        const char* what;
        void (*spoil)(const Title&);
    } const cases[] = {
        {"no descriptor", [](const Title& t) { DeleteFileA(t.folder.file("PLSDescriptor.txt").c_str()); }},
        {"no picture module", [](const Title& t) { DeleteFileA(t.folder.file("PRsc\\pictures.dll").c_str()); }},
        {"a damaged picture module",
         [](const Title& t) {
             std::string bytes = pictureModule();
             putU16(bytes, 0x80 + 0x24, 0xFFF0);  // the resource table lies past the end
             writeWholeFile(t.folder.file("PRsc\\pictures.dll"), bytes.substr(0, 0x200));
         }},
        {"a picture module cut short", [](const Title& t) { writeWholeFile(t.folder.file("PRsc\\pictures.dll"), "MZ"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Title title;
        title.script("dorIruvu.mps", {"Scene start", "a=RAnimation 100 50 12", "copyPal 500 0 300 250",
                                      "BlackScreen", "say end", "quit"});
        c.spoil(title);
        const ChildResult result = title.run();
        EXPECT_EQ(0u, result.exitCode) << result.output;
        EXPECT_EQ("end\r\n", title.debugText());
    }
}

TEST(ProgramTest, ExecWithFalseQuitsWithoutStartingAnything) {
    Title title;
    title.script("dorIruvu.mps", {"say run", "exec next", "say after exec"});
    const ChildResult result = title.run();
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_EQ("run\r\n", title.debugText());
}

TEST(ProgramTest, AMissingFirstScriptIsReportedInAnAlertAndEndsTheProgram) {
    Title title;
    auto child = std::async(std::launch::async, [&title] { return title.run(); });
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = findTopWindow("#32770")) != nullptr; }));
    EXPECT_EQ("unknown script", boxText(box));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    const ChildResult result = child.get();
    EXPECT_EQ(1u, result.exitCode) << result.output;
}

}  // namespace
