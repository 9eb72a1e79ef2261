// The whole title: Tottlewick.exe on the generated title in a true-colour Wine world whose drive E: holds
// a copy of the title's disc, driven through the live mouse (SendInput: the kit reads the real cursor) and
// a key, and watched on the screen, where each picture shows in the exact colours of its palette. Every
// activity is played with the mouse alone until it shows its reward.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "GeneratedTitle.h"
#include "ProgramWindow.h"
#include "TempFolder.h"
#include "TitleIds.h"
#include "TitleLayout.h"
#include "TitlePaint.h"

namespace {

using namespace title_layout;

constexpr DWORD kTimeoutMs = 20000, kPlayMs = 120000;
// How long a pick watches for the reward after its click. BlueGoo's closing animation starts after the
// last fed jar's reaction (600 ms) and shows its star after a blank first frame (500 ms); a click before
// then cuts it short, so a click on a jar is watched longer.
constexpr DWORD kWatchMs = 600, kJarWatchMs = 2000;
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

// The backdrop's gradient at row y (TitleArt::backdrop).
COLORREF gradientOf(const std::string& module, int y) {
    return entry(hueOf(module), hueShade(8 + y * 16 / 480));
}

struct Spot {
    int x, y;
    DWORD watchMs = kWatchMs;
};

struct WholeTitleTest : testing::Test {
    void SetUp() override {
        const std::string title = generatedTitleFolder();
        for (const char* name : {"Tottlewick.exe", "mss32.dll"})
            ASSERT_TRUE(CopyFileA((title + "\\" + name).c_str(), folder.file(name).c_str(), FALSE)) << name;
        ASSERT_TRUE(useGeneratedTitle(folder.path()));
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

    COLORREF colour(int x, int y) const { return ProgramWindow::colourAt(window, at(x, y)); }

    // A move to (x, y), then `buttons` presses and releases.
    void mouse(int x, int y, int buttons) const {
        POINT point = at(x, y);
        ClientToScreen(window, &point);
        INPUT input[3]{};
        for (INPUT& each : input) each.type = INPUT_MOUSE;
        input[0].mi.dx = point.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input[0].mi.dy = point.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(1 + 2 * buttons, input, sizeof(INPUT));
    }
    void click(int x, int y) const { mouse(x, y, 1); }
    void click(const TitleBox& box) const { click(box.centreX(), box.centreY()); }
    // Whether the reward shows within ms.
    bool rewardWithin(DWORD ms) const {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(25))
            if (showsReward()) return true;
        return false;
    }
    // As a child does: onto the thing from elsewhere (things that answer the pointer's arrival, too), then a
    // click, and watching for watchMs; a click would cut some rewards short. Whether the reward shows.
    bool pick(int x, int y, DWORD watchMs = kWatchMs) const {
        mouse(340, 470, 0);
        if (rewardWithin(100)) return true;
        click(x, y);
        return rewardWithin(watchMs);
    }

    // Clicks the box, as a child clicks again a thing that does not answer yet, until (x, y) shows the colour.
    bool clickUntilShown(const TitleBox& box, int x, int y, COLORREF wanted) const {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs;) {
            click(box);
            mouse(340, 470, 0);
            if (program->waitForColour(window, at(x, y), wanted, 3000)) return true;
        }
        return false;
    }

    // With the mouse at (340, 470), below everything an activity draws: the pointer's white shows up to 45
    // pixels above and 40 to the left of it (each activity's pointer offset).
    bool showsPointer() const {
        mouse(340, 470, 0);
        return waitForPointer([](POINT corner) { return corner.x >= 0; });
    }
    // The same, with the white's top-left corner at (x, y) of the picture.
    bool showsPointerAt(int x, int y) const {
        mouse(340, 470, 0);
        return waitForPointer([x, y](POINT corner) { return corner.x == x && corner.y == y; });
    }
    bool waitForPointer(const std::function<bool(POINT)>& wanted) const {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < kTimeoutMs; Sleep(50))
            if (wanted(pointerWhiteCorner())) return true;
        return false;
    }
    // The top-left corner of the white around the mouse at (340, 470), in the picture; (-1, -1) when none.
    POINT pointerWhiteCorner() const {
        constexpr int kLeft = 300, kTop = 424, kW = 60, kH = 56;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const POINT origin = at(kLeft, kTop);
        BitBlt(memory, 0, 0, kW, kH, screen, origin.x, origin.y, SRCCOPY);
        POINT corner{-1, -1};
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        for (int i = 0; i < kW * kH; ++i) {
            if ((pixels[i] & 0xFFFFFF) != 0xFFFFFF) continue;
            const LONG x = kLeft + i % kW, y = kTop + i / kW;
            if (corner.x < 0 || x < corner.x) corner.x = x;
            if (corner.y < 0 || y < corner.y) corner.y = y;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, screen);
        return corner;
    }

    bool showsReward() const { return colour(kReward.centreX(), kReward.centreY()) == fixed(kRewardColour); }

    // Clicks, in turn, each spot where more than the backdrop shows, until the activity shows its reward.
    bool clickUntilReward(const std::string& module, const std::vector<Spot>& spots) const {
        const DWORD start = GetTickCount();
        for (std::size_t i = 0; GetTickCount() - start < kPlayMs; ++i) {
            if (showsReward()) return true;
            const Spot& spot = spots[i % spots.size()];
            if (colour(spot.x, spot.y) != gradientOf(module, spot.y) && pick(spot.x, spot.y, spot.watchMs)) return true;
        }
        return false;
    }

    // Toppers: the cat whose hat is the target hat's colour.
    bool matchHatsUntilReward() const {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kPlayMs) {
            if (showsReward()) return true;
            const COLORREF target = colour(kTargetHatX, kTargetHatY);
            for (const TitleBox& cat : kCats) {
                if (target == colour(cat.x + cat.w / 2, kCatHatY) && pick(cat.x + cat.w / 2, cat.y + cat.h - 42))
                    return true;
            }
            Sleep(100);
        }
        return false;
    }

    // HatShop: the mouse sweeps the hat, all but the brim's lowest part, until the hat is filled in.
    bool paintUntilFilled() const {
        for (int row = 0; row * 25 <= 235; ++row) {
            for (int step = 0; step <= 24; ++step) {
                mouse(kHat.x + 5 + (row % 2 ? 24 - step : step) * 12, kHat.y + 10 + row * 25, 0);
                Sleep(15);
            }
        }
        return shows(kHat.x + 150, kHat.y + 272, fixed(kHatSchemes[0][2]));
    }

    TempFolder folder;
    std::unique_ptr<ProgramWindow> program;
    HWND window = nullptr;
};

// The Intro's first picture, a click to the Picker, every activity with its pointer, played to its reward
// and back by its exit button, the options with the slide show, the quit screen and a key: exit code 0,
// and never a message box.
TEST_F(WholeTitleTest, IntroPickerEveryActivityPlayedOptionsSlidesAndQuit) {
    program = std::make_unique<ProgramWindow>(folder.file("Tottlewick.exe"), folder.path());
    window = program->waitForWindow("Tottlewick", kTimeoutMs);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(showsBackdrop(backdropOf("Intro"))) << "no Intro picture 750";
    click(320, 240);
    const COLORREF picker = fixed(kPickerColour);
    ASSERT_TRUE(showsBackdrop(picker)) << "no Picker";
    // What a child clicks in each activity, in the Picker's order.
    const auto centre = [](const TitleBox& box) { return Spot{box.centreX(), box.centreY()}; };
    std::vector<Spot> zibb, blueGoo, plink;
    for (const auto& point : kZibbPoints) zibb.push_back({point[0], point[1]});
    for (const auto& place : kGooPlaces) blueGoo.push_back({place[0], place[1] + 26});  // below the jars
    for (const TitleBox& jar : kJars) blueGoo.push_back({jar.centreX(), jar.centreY(), kJarWatchMs});
    for (const TitleBox& spot : kPlinkSpots) plink.push_back(centre(spot));
    const std::function<bool(const std::string&)> plays[7] = {
        [&](const std::string& m) { return clickUntilReward(m, {centre(kMusician0), centre(kConductor)}); },
        [&](const std::string& m) { return clickUntilReward(m, zibb); },
        [&](const std::string& m) { return clickUntilReward(m, blueGoo); },
        [&](const std::string& m) { return clickUntilReward(m, {{272, 244}, {410, 245}, {554, 245}}); },  // blocks
        [&](const std::string& m) { return clickUntilReward(m, plink); },
        [&](const std::string&) { return matchHatsUntilReward(); },
        [&](const std::string&) { return paintUntilFilled(); },
    };
    for (int choice = 0; choice < 7; ++choice) {
        SCOPED_TRACE(kChoiceNames[choice]);
        click(kChoices[choice]);
        EXPECT_TRUE(showsBackdrop(backdropOf(kChoiceNames[choice]))) << "not shown";
        EXPECT_TRUE(showsPointer()) << "no pointer";
        EXPECT_TRUE(plays[choice](kChoiceNames[choice])) << "not played to its end";
        // Band counts as played when its reaction has ended: the exit waits for the reward to go.
        for (const DWORD start = GetTickCount(); showsReward() && GetTickCount() - start < kTimeoutMs;) Sleep(50);
        click(kExit);
        // The Picker marks an activity played to its end with a picture of its own (HatShop has none).
        if (choice < 6) {
            EXPECT_TRUE(showsBackdrop(fixed(kWellDoneColour))) << "no well-done picture";
        }
        EXPECT_TRUE(showsBackdrop(picker)) << "no way back by the exit button";
        EXPECT_TRUE(noBox());
    }
    const COLORREF panel = fixed(kPanelColour);
    click(kOptions);
    EXPECT_TRUE(shows(kOptionsPanel.x + 10, 200, panel)) << "no options";
    for (const TitleBox& choice : {kClickOnly, kLevels[1], kLevels[2]})  // not chosen: not pressed
        EXPECT_EQ(colour(choice.x + choice.w - 6, choice.y + choice.h - 6), fixed(kButtonColour)) << choice.x << "," << choice.y;
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

// With the click-only preference chosen in the options, a click on Band's help button leaves its pointer
// where Band puts it: the arrow's white (from 1, 2 of the arrow) at 12 - 1 left of and 45 - 2 above the mouse.
TEST_F(WholeTitleTest, InClickOnlyModeAHelpClickLeavesBandsPointerInPlace) {
    program = std::make_unique<ProgramWindow>(folder.file("Tottlewick.exe"), folder.path());
    window = program->waitForWindow("Tottlewick", kTimeoutMs);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(showsBackdrop(backdropOf("Intro"))) << "no Intro picture 750";
    click(320, 240);
    const COLORREF picker = fixed(kPickerColour);
    ASSERT_TRUE(showsBackdrop(picker)) << "no Picker";
    click(kOptions);
    ASSERT_TRUE(shows(kOptionsPanel.x + 10, 200, fixed(kPanelColour))) << "no options";
    click(kClickOnly);
    const auto pressed = [this] {
        return colour(kClickOnly.x + kClickOnly.w - 6, kClickOnly.y + kClickOnly.h - 6) != fixed(kButtonColour);
    };
    for (const DWORD start = GetTickCount(); !pressed() && GetTickCount() - start < kTimeoutMs;) Sleep(50);
    ASSERT_TRUE(pressed()) << "click-only not pressed";
    click(kOptionsBack);
    ASSERT_TRUE(shows(kOptionsPanel.x + 10, 200, picker)) << "the options still up";
    click(kChoices[0]);
    ASSERT_TRUE(showsBackdrop(backdropOf("Band"))) << "no Band";
    ASSERT_TRUE(showsPointerAt(340 - 11, 470 - 43)) << "Band's pointer not in its place";
    // A click on the backdrop cuts Band's intro short; its help button answers from the next pass on, and
    // the wait leaves it many passes.
    click(kBackdropX, kBackdropY);
    Sleep(1000);
    click(kHelp);
    EXPECT_TRUE(showsPointerAt(340 - 11, 470 - 43)) << "the pointer moved after help";
    // The exit answers once the help has been said.
    EXPECT_TRUE(clickUntilShown(kExit, kBackdropX, kBackdropY, picker)) << "no way back by the exit button";
    EXPECT_TRUE(clickUntilShown(kExit, kQuitPanel.x + 10, kQuitPanel.y + 10, fixed(kPanelColour))) << "no quit screen";
    EXPECT_TRUE(noBox());
    ProgramWindow::postCharacter(window, 'q', 'Q');
    EXPECT_EQ(0u, program->waitForExit(kTimeoutMs));
}

}  // namespace
