// The whole title: Tottlewick.exe on the generated title in a true-colour Wine world whose drive E: holds
// the title's disc, driven through the live mouse (SendInput: the kit reads the real cursor) and a key,
// and watched on the screen, where each picture shows in the exact colours of its palette.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "GeneratedTitle.h"
#include "ProgramWindow.h"
#include "TempFolder.h"
#include "TitleIds.h"
#include "TitleLayout.h"
#include "TitlePaint.h"

namespace {

using namespace title_layout;

constexpr DWORD kTimeoutMs = 20000;
// A point of every backdrop that nothing is drawn over: the gradient's shade 11 there.
constexpr int kBackdropX = 4, kBackdropY = 100;

std::uint32_t hueOf(const std::string& module) {
    for (const TitleModule& each : kTitleModules)
        if (module == each.name) return each.hue;
    return 0;
}

// The screen colour of entry `index` of the palette of that hue.
COLORREF entry(std::uint32_t hue, std::uint8_t index) {
    const std::uint32_t rgb = titleColours(hue)[index];
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}
COLORREF fixed(std::uint32_t rgb) {
    return entry(0, cubeColour(rgb));
}
COLORREF backdropOf(const std::string& module) {
    return entry(hueOf(module), hueShade(11));
}

struct WholeTitleTest : testing::Test {
    void SetUp() override {
        const std::string title = generatedTitleFolder();
        for (const char* name : {"Tottlewick.exe", "mss32.dll"})
            ASSERT_TRUE(CopyFileA((title + "\\" + name).c_str(), folder.file(name).c_str(), FALSE)) << name;
        CreateDirectoryA(folder.file("Resource").c_str(), nullptr);
        ASSERT_TRUE(
            CopyFileA((title + "\\Resource\\Global.PRS").c_str(), folder.file("Resource\\Global.PRS").c_str(), FALSE));
    }

    // The 640 x 480 picture is centred in the full-screen window.
    POINT at(int x, int y) const {
        RECT client;
        GetClientRect(window, &client);
        return {(client.right - 640) / 2 + x, (client.bottom - 480) / 2 + y};
    }
    bool shows(int x, int y, COLORREF colour) const {
        return program->waitForColour(window, at(x, y), colour, kTimeoutMs);
    }
    bool showsBackdrop(COLORREF colour) const { return shows(kBackdropX, kBackdropY, colour); }
    bool noBox() const { return program->waitForWindow("#32770", 0) == nullptr; }

    void click(int x, int y) const {
        POINT point = at(x, y);
        ClientToScreen(window, &point);
        INPUT input[3]{};
        for (INPUT& each : input) each.type = INPUT_MOUSE;
        input[0].mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input[0].mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(3, input, sizeof(INPUT));
    }
    void click(const TitleBox& box) const { click(box.centreX(), box.centreY()); }

    TempFolder folder;
    std::unique_ptr<ProgramWindow> program;
    HWND window = nullptr;
};

// The Intro's first picture, a click to the Picker, every choice's backdrop and back by its exit button,
// the options with the slide show, the quit screen and a key: exit code 0, and never a message box.
TEST_F(WholeTitleTest, IntroPickerChoicesOptionsSlidesAndQuit) {
    program = std::make_unique<ProgramWindow>(folder.file("Tottlewick.exe"), folder.path());
    window = program->waitForWindow("Tottlewick", kTimeoutMs);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(showsBackdrop(backdropOf("Intro"))) << "no Intro picture 750";
    click(320, 240);
    const COLORREF picker = fixed(kPickerColour);
    ASSERT_TRUE(showsBackdrop(picker)) << "no Picker";
    for (int choice = 0; choice < 7; ++choice) {
        SCOPED_TRACE(kChoiceNames[choice]);
        click(kChoices[choice]);
        EXPECT_TRUE(showsBackdrop(backdropOf(kChoiceNames[choice]))) << "not shown";
        click(kExit);
        EXPECT_TRUE(showsBackdrop(picker)) << "no way back by the exit button";
        EXPECT_TRUE(noBox());
    }
    const COLORREF panel = fixed(kPanelColour);
    click(kOptions);
    EXPECT_TRUE(shows(kOptionsPanel.x + 10, 200, panel)) << "no options";
    click(kSlides);
    EXPECT_TRUE(showsBackdrop(fixed(kSlideColours[0]))) << "no slide show";
    click(320, 240);
    EXPECT_TRUE(shows(kOptionsPanel.x + 10, 200, panel)) << "no options after the slide show";
    click(kOptionsBack);
    EXPECT_TRUE(shows(kOptionsPanel.x + 10, 200, picker)) << "the options still up";
    click(kExit);
    EXPECT_TRUE(shows(kQuitPanel.x + 10, kQuitPanel.y + 10, panel)) << "no quit screen";
    EXPECT_TRUE(noBox());
    ProgramWindow::postCharacter(window, 'q', 'Q');
    EXPECT_EQ(0u, program->waitForExit(kTimeoutMs));
}

}  // namespace
