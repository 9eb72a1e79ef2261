// Menus on a window of the test's own: the bar and pop-ups from tables, item states and texts by command,
// the hidden bar and Ctrl+letter accelerators.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppStandIn.h"
#include "DisplayWindow.h"
#include "Menu.h"

namespace {

std::vector<WPARAM> commands;
LRESULT CALLBACK commandWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) commands.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

class MenuTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        commands.clear();
        DisplaySetWindow(makeWindow(commandWindow, WS_OVERLAPPEDWINDOW, 300, 200));
    }
    void TearDown() override {
        MenuShowBar();
        DisplaySetWindow(nullptr);
        AppTest::TearDown();
    }
    // Ctrl and the key, as the main loop would offer the key press.
    std::int16_t pressControl(char key) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG message{window, WM_KEYDOWN, WPARAM(key), 0x00180001, 0, {0, 0}};
        const std::int16_t taken = MenuTranslateAccelerator(&message);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        return taken;
    }
    std::string text(std::uint32_t command) {
        char buffer[64] = {};
        MenuGetItemText(command, buffer, sizeof buffer);
        return buffer;
    }
};

const MenuBarRecord kBar[] = {{10, "File"}, {kMenuBarEntryOnly, "Help"}, {20, "Edit"}, {0, nullptr}};
const MenuItemRecord kItems[] = {
    {kMenuCommand, 10, 101, "Open", 'O'}, {kMenuSeparator, 10, 0, nullptr, 0}, {kMenuSubmenu, 10, 30, "Recent", 0},
    {kMenuCommand, 30, 301, "First", 0},  {kMenuCommand, 20, 201, "Copy", 'c'}, {kMenuCommand, 99, 999, "Lost", 'L'},
    {kMenuEnd, 0, 0, nullptr, 0}};

TEST_F(MenuTest, TheBarIsBuiltFromTheTablesAndItemsAnswerByCommand) {
    EXPECT_EQ(MenuBuild(kBar, kItems), 1);
    const HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenuItemCount(bar), 2) << "the bar-only record makes no pop-up";
    EXPECT_EQ(text(101), "Open\tCtrl+O");
    EXPECT_EQ(text(301), "First");
    EXPECT_EQ(text(201), "Copy\tCtrl+c");
    EXPECT_EQ(text(999), "") << "an item of an unknown pop-up is not added";
    EXPECT_EQ(MenuAppendItem(99, 998, "Lost", 0), 0);
    EXPECT_EQ(MenuAppendSeparator(99), 0);
    EXPECT_EQ(MenuAppendSubmenu(99, 40, "Lost"), 0);

    MenuCheckItem(301);
    EXPECT_EQ(MenuIsItemChecked(301), 1);
    MenuUncheckItem(301);
    EXPECT_EQ(MenuIsItemChecked(301), 0);
    MenuDisableItem(101);
    EXPECT_EQ(MenuIsItemGrayed(101), 1);
    MenuEnableItem(101);
    EXPECT_EQ(MenuIsItemGrayed(101), 0);
    MenuDisablePopup(20);
    EXPECT_TRUE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
    MenuEnableAllPopups();
    EXPECT_FALSE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(MenuSetItemText(301, "Last"), 1);
    EXPECT_EQ(text(301), "Last");

    // Hidden, the bar still answers.
    MenuHideBar();
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(MenuIsBarHidden(), 1);
    MenuCheckItem(201);
    EXPECT_EQ(MenuIsItemChecked(201), 1);
    MenuToggleBar();
    EXPECT_EQ(GetMenu(window), bar);
    EXPECT_EQ(MenuIsItemChecked(201), 1);
}

TEST_F(MenuTest, ControlAndALetterSendsTheCommand) {
    MenuBuild(kBar, kItems);
    EXPECT_EQ(pressControl('O'), 1);
    EXPECT_EQ(pressControl('C'), 1);
    EXPECT_EQ(pressControl('F'), 0);
    EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(101, 1), MAKEWPARAM(201, 1)})) << "from an accelerator";

    const MenuItemRecord plain[] = {{kMenuCommand, 10, 101, "Open", 0}, {kMenuEnd, 0, 0, nullptr, 0}};
    MenuBuild(kBar, plain);
    EXPECT_EQ(pressControl('O'), 0) << "no letters, no table";
}

}  // namespace
