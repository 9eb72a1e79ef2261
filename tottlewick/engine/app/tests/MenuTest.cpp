// Menus on a window of the test's own: the bar and pop-ups from tables, item states and texts by command,
// the hidden bar and Ctrl+letter accelerators.
#include "AppStandIn.h"
#include "DisplayWindow.h"
#include "EngineTestSupport.h"
#include "Menu.h"

namespace {

std::vector<WPARAM> commands;
LRESULT CALLBACK commandWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) commands.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

struct MenuTest : AppTest {
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
    EXPECT_EQ((Texts{text(101), text(301), text(201), text(999)}), (Texts{"Open\tCtrl+O", "First", "Copy\tCtrl+c", ""}))
        << "an item of an unknown pop-up is not added";
    EXPECT_EQ((Results{MenuAppendItem(99, 998, "Lost", 0), MenuAppendSeparator(99), MenuAppendSubmenu(99, 40, "Lost")}),
              (Results{0, 0, 0}));
    // Each state read back after it is set.
    auto after = [](void (*set)(std::uint32_t), std::uint32_t command, std::int16_t (*read)(std::uint32_t)) {
        set(command);
        return read(command);
    };
    EXPECT_EQ((Results{after(MenuCheckItem, 301, MenuIsItemChecked), after(MenuUncheckItem, 301, MenuIsItemChecked),
                       after(MenuDisableItem, 101, MenuIsItemGrayed), after(MenuEnableItem, 101, MenuIsItemGrayed)}),
              (Results{1, 0, 1, 0}));
    MenuDisablePopup(20);
    EXPECT_TRUE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
    MenuEnableAllPopups();
    EXPECT_FALSE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(MenuSetItemText(301, "Last"), 1);
    EXPECT_EQ(text(301), "Last");
    // Hidden, the bar still answers.
    MenuHideBar();
    MenuCheckItem(201);
    EXPECT_EQ((Results{GetMenu(window) == nullptr, MenuIsBarHidden(), MenuIsItemChecked(201)}), (Results{1, 1, 1}));
    MenuToggleBar();
    EXPECT_EQ((Both{GetMenu(window) == bar, MenuIsItemChecked(201)}), Both(1, 1));
}

TEST_F(MenuTest, ControlAndALetterSendsTheCommand) {
    MenuBuild(kBar, kItems);
    EXPECT_EQ((Results{pressControl('O'), pressControl('C'), pressControl('F')}), (Results{1, 1, 0}));
    EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(101, 1), MAKEWPARAM(201, 1)})) << "from an accelerator";
    const MenuItemRecord plain[] = {{kMenuCommand, 10, 101, "Open", 0}, {kMenuEnd, 0, 0, nullptr, 0}};
    MenuBuild(kBar, plain);
    EXPECT_EQ(pressControl('O'), 0) << "no letters, no table";
}

}  // namespace
