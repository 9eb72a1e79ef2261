// Menus: mnemonic marks, a "MENU" resource, numbering and command dispatch through the
// main window, and pop-up menus that delete themselves after tracking.
#include "OMMenu.h"
#include "OMMenuText.h"
#include "OMMenubar.h"
#include "OMPopUpMenu.h"
#include "WindowSupport.h"

namespace {
TEST(MenuTextTest, MarkMnemonicMarksTheFirstMatchOfTheSecondCharacter) {
    const struct { const char* text; const char* mnemonic; const char* marked; } kCases[] = {
        {"Exit", "&x", "E&xit"}, {"Box of xylophones", "&x", "Bo&x of xylophones"}, {"Exit", "x", "Exit"},
        {"Exit", "", "Exit"}, {"Exit", nullptr, "Exit"}, {"Exit", "&q", "Exit"}, {"Exit", "&X", "Exit"}, {nullptr, "&x", ""}};
    for (std::size_t i = 0; i < std::size(kCases); ++i) {
        EXPECT_EQ(markMnemonic(kCases[i].text, kCases[i].mnemonic), kCases[i].marked) << "case " << i;
    }
    char text[] = "&Save && E&xit&";
    removeAmpersands(text);
    EXPECT_STREQ(text, "Save  Exit");
}

using MenuTest = WindowFixture;

// Ids in item order, submenus in place.
std::string idsOf(const OMMenu& menu) {
    std::string ids;
    for (OMListElement<OMMenuNode>* n = menu.items.head; n; n = n->next) {
        ids += n->element->submenu ? "(" + idsOf(*n->element->submenu) + ")" : std::to_string(n->element->id) + " ";
    }
    return ids;
}

// The resource's first drop-down becomes the menu; in the current bar its command items are numbered from
// 0 in bar order, the main window's commands run their links, and every insertion renumbers without losing
// a link or a text; positions outside a menu change nothing.
TEST_F(MenuTest, AMenuResourceInTheCurrentBarDispatchesCommandsThroughTheMainWindow) {
    makeApp();
    const OMLinkToFct opening = logLink("game-opening ");
    auto* game = new OMMenu(100, nullptr, &opening);
    EXPECT_STREQ(game->title(), "&Game");
    OMMenu* level = game->submenuAt(2);
    ASSERT_NE(level, nullptr);
    EXPECT_STREQ(level->title(), "&Level");
    EXPECT_EQ(std::make_pair(level->isItemChecked(1), game->isItemEnabled(3)), std::make_pair(true, false));
    const OMLinkToFct levelOpening = logLink("level-opening ");
    level->setHandler(&levelOpening);
    OMMenubar bar;
    EXPECT_TRUE(bar.appendMenu(game) && bar.appendMenu(new OMMenu("Help", nullptr, nullptr)));
    bar.menuAt(1)->appendItem("Index", nullptr, nullptr);
    EXPECT_EQ(idsOf(*game), "0 0 (0 0 )0 ") << "not the current bar: nothing numbered";
    app->setMenubar(&bar);
    EXPECT_EQ(GetMenu(app->window), bar.hmenu);
    EXPECT_EQ(idsOf(*game) + "| " + idsOf(*bar.menuAt(1)), "0 0 (1 2 )3 | 4 ");
    EXPECT_EQ(GetMenuItemID(level->hmenu, 1), 2u);
    const OMLinkToFct links[] = {logLink("new "), logLink("easy "), logLink("hard "), logLink("exit ")};
    game->setItemLink(0, &links[0]);
    level->setItemLink(0, &links[1]);
    level->setItemLink(1, &links[2]);
    game->setItemLink(3, &links[3]);
    const std::string longText(100, 'w');
    const OMLinkToFct open = logLink("open ");
    game->insertItem(0, "Open", &open, nullptr);
    level->appendItem(longText.c_str(), nullptr, nullptr);
    for (std::int32_t outside : {-1, 5}) {
        EXPECT_EQ(std::make_pair(game->itemText(outside), game->removeItem(outside)), (std::pair<const char*, OMMenu*>{}))
            << outside;
        game->deleteItem(outside);
    }
    EXPECT_EQ(idsOf(*game), "0 1 0 (2 3 4 )5 ");
    EXPECT_EQ(level->itemText(2), longText) << "numbering keeps the whole text";
    for (WPARAM id = 0; id <= 6; ++id) SendMessageA(app->window, WM_COMMAND, id, 0);
    EXPECT_EQ(handlerLog, "open new easy hard exit ") << "ids 4 and 6 run nothing";
    EXPECT_TRUE(OMMenu::isInCurrentMenubar(level));
    handlerLog.clear();
    SendMessageA(app->window, WM_INITMENU, reinterpret_cast<WPARAM>(bar.hmenu), 0);
    EXPECT_EQ(handlerLog, "game-opening level-opening ");
    bar.deleteMenu(0);
    EXPECT_EQ(GetMenuItemCount(bar.hmenu), 1);
}

// A missing resource gives an empty menu without a handle: it takes no items, runs no command, and a bar or
// a menu refuses it.
TEST_F(MenuTest, AMissingMenuResourceGivesAnEmptyMenuWithoutAHandle) {
    makeApp();
    auto* missing = new OMMenu(999, nullptr, nullptr);
    EXPECT_EQ(missing->hmenu, nullptr);
    EXPECT_STREQ(missing->plainTitle(), "");
    missing->appendItem("Lost", nullptr, nullptr);
    EXPECT_EQ(missing->items.count, 0) << "items follow the native menu";
    OMMenubar bar;
    app->setMenubar(&bar);
    OMMenu host("Host", nullptr, nullptr);
    EXPECT_EQ(std::make_pair(bar.appendMenu(missing), host.appendSubmenu(missing)), std::make_pair(false, false))
        << "refused, so still the caller's";
    OMPopUpMenu popUp("Context"), none(nullptr, "None");
    EXPECT_FALSE(popUp.insertSubmenu(0, &none)) << "a pop-up without a handle is refused too";
    EXPECT_EQ((std::vector<int>{bar.menus.count, GetMenuItemCount(bar.hmenu), host.items.count, popUp.items.count}),
              std::vector<int>(4, 0));
    EXPECT_EQ(SendMessageA(app->window, WM_COMMAND, 0, 0), 0);
    delete missing;
}

// The menu is tracked from a time slice; keys posted before it choose or dismiss. The chosen command comes
// back to the window, and the menu deletes itself through its task either way.
TEST_F(MenuTest, ATrackedPopUpMenuRunsTheChosenLinkAndDeletesItself) {
    makeApp();
    OMWindow* window = makeWindow({20, 20, 220, 220});
    window->activate();
    for (bool choose : {true, false}) {
        SCOPED_TRACE(choose ? "chosen" : "dismissed");
        handlerLog.clear();
        auto* popUp = new OMPopUpMenu("Context");
        const OMLinkToFct one = logLink("one ");
        popUp->insertItem(0, "One", &one);
        popUp->insertItem(1, "Two", nullptr);
        HMENU native = popUp->hmenu;
        std::int32_t tasksWhileTracked = 0;
        LoopRun(6, {[&] {
            if (choose) PostMessageA(window->hwnd, WM_KEYDOWN, VK_DOWN, 0x00500001);
            PostMessageA(window->hwnd, WM_KEYDOWN, choose ? VK_RETURN : VK_ESCAPE, choose ? 0x001C0001 : 0x00010001);
            popUp->track(window, {10, 10}, 0);
            tasksWhileTracked = app->tasks.count;
        }});
        EXPECT_EQ(handlerLog, choose ? "one " : "");
        EXPECT_EQ(tasksWhileTracked, 2) << "the loop's own task and the menu's";
        EXPECT_EQ(OMPopUpMenu::currentPopUp, nullptr);
        EXPECT_FALSE(IsMenu(native)) << "deleted with its native menu";
        EXPECT_EQ(app->tasks.count, 0);
    }
    EXPECT_EQ(SendMessageA(window->hwnd, WM_COMMAND, 1, 0), 0) << "a command after the menu went runs nothing";
}
}  // namespace
