// Framework windows on screen: the shared class, frame kinds and system menus, handler slots, the
// active and modal window with their Z order, mouse dispatch and capture.
#include "WindowSupport.h"

namespace {
using WindowTest = WindowFixture;

bool childClassRegistered(WNDCLASSA* found = nullptr) {
    WNDCLASSA own{};
    return GetClassInfoA(appInstance(), kWindowChildClass, found ? found : &own) != FALSE;
}

TEST_F(WindowTest, TheFirstWindowRegistersTheClassAndTheLastUnregistersIt) {
    makeApp();
    EXPECT_FALSE(childClassRegistered());
    auto first = std::make_unique<OMWindow>(&kEmptyRect, kFrameNone, 0);
    WNDCLASSA found{};
    ASSERT_TRUE(childClassRegistered(&found));
    EXPECT_EQ(std::make_pair(found.style, found.cbWndExtra), std::make_pair(0x2Bu, 8));
    EXPECT_EQ(GetWindowLongA(first->hwnd, 4), 0x2B2B4D4F) << "the tag: O, M, +, + in memory order";
    EXPECT_EQ(OMWindow::fromHandle(app->window), nullptr) << "a window without the tag";
    EXPECT_FALSE(GetWindowLongA(first->hwnd, GWL_STYLE) & WS_VISIBLE) << "created hidden";
    auto second = std::make_unique<OMWindow>(&kEmptyRect, kFrameNone, 0);
    first.reset();
    EXPECT_TRUE(childClassRegistered());
    second.reset();
    EXPECT_FALSE(childClassRegistered());
}

// The main window takes its children along; the framework's lists and pointers must not keep them.
TEST_F(WindowTest, AWindowThatOutlivesTheApplicationLeavesNothingBehind) {
    makeApp();
    auto window = std::make_unique<OMWindow>(&kEmptyRect, kFrameCaption, 0);
    window->activate();
    window->makeModal();
    app.reset();
    window.reset();
    EXPECT_EQ(OMWindow::windows.count + OMWindow::modalWindows.count, 0);
    EXPECT_EQ(std::make_pair(OMWindow::activeWindow, OMWindow::modalWindow), (std::pair<OMWindow*, OMWindow*>{}));
    EXPECT_FALSE(childClassRegistered());
}

// Kinds 2 and 3 rebuild the system menu; the caption kind greys what it cannot do.
TEST_F(WindowTest, FrameKindsGiveTheirStylesClientAreasAndSystemMenus) {
    makeApp();
    constexpr DWORD kStyles[] = {0x44000000, 0x44800000, 0x44CA0000, 0x44CF0000};
    const char* const kTexts[] = {"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "", "&Close           Ctrl-F4"};
    constexpr UINT kIds[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, 0, SC_CLOSE};
    const OMLinkToFct close = logLink("close ");
    for (std::int32_t kind = 0; kind < 4; ++kind) {
        SCOPED_TRACE("kind " + std::to_string(kind));
        const OMRect wanted{20, 30, 220, 130};
        OMWindow window(&wanted, kind, 1);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window.hwnd, GWL_STYLE)), kStyles[kind]);
        EXPECT_EQ(clientPlace(window.hwnd), "20,30,220,130");
        handlerLog.clear();
        window.setCloseHandler(&close);
        SendMessageA(window.hwnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(handlerLog, kind >= kFrameCaption ? "close " : "") << "only captioned windows are closed";
        if (kind < kFrameCaption) continue;
        HMENU menu = GetSystemMenu(window.hwnd, FALSE);
        ASSERT_EQ(GetMenuItemCount(menu), 7);
        for (int p = 0; p < 7; ++p) {
            SCOPED_TRACE("item " + std::to_string(p));
            char text[64] = {};
            GetMenuStringA(menu, p, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, kTexts[p]);
            EXPECT_EQ(GetMenuItemID(menu, p), kIds[p]);
            if (p == 5) continue;
            const bool greyed = GetMenuState(menu, p, MF_BYPOSITION) & MF_GRAYED;
            EXPECT_EQ(greyed, p == 0 || (kind == kFrameCaption && (p == 1 || p == 2 || p == 4)));
        }
    }
}

// Positions are in the main window's client coordinates; a minimised window does not move.
TEST_F(WindowTest, GeometryFollowsTheMainWindowsClientArea) {
    makeApp();
    OMWindow* window = makeWindow({10, 20, 110, 90}, kFrameCaption);
    window->activate();
    EXPECT_EQ(window->frameMetrics().borderX, GetSystemMetrics(SM_CXBORDER) + 2);
    EXPECT_EQ(window->frameMetrics().caption, GetSystemMetrics(SM_CYCAPTION));
    window->moveTo(30, 40);
    window->offsetBy(-5, 5);
    EXPECT_TRUE(window->rectInMainWindow() == (OMRect{25, 45, 125, 115}));
    window->setTitle("Sums");
    window->setTitle(nullptr);
    char text[16] = {};
    GetWindowTextA(window->hwnd, text, sizeof text);
    EXPECT_STREQ(text, "Sums") << "a null title leaves the window text";
    ShowWindow(window->hwnd, SW_MINIMIZE);
    const OMRect minimised = window->rectInMainWindow();
    window->moveTo(0, 0);
    EXPECT_TRUE(window->rectInMainWindow() == minimised);
}

// Each setter fills its own slot; the slot runs a clone, so the caller's link may go at once. Most other
// slots are driven by real events here and in the main window and application tests.
TEST_F(WindowTest, EachHandlerSlotRunsItsOwnClonedLink) {
    makeApp();
    OMWindow window(&kEmptyRect, kFrameNone, 0);
    {
        const OMLinkToFct maximized = logLink("maximized "), sized = logLink("sized ");
        window.setMaximizedHandler(&maximized);
        window.setSizedHandler(&sized);
        EXPECT_NE(window.maximizedHandler(), &maximized) << "keeps a copy";
    }
    window.maximized();
    window.sized();
    EXPECT_EQ(handlerLog, "maximized sized ");
    window.setSizedHandler(nullptr);
    EXPECT_EQ(window.sizedHandler(), nullptr);
}

// Z order from the top, among the given windows.
std::vector<OMWindow*> stacking(HWND parent, const std::vector<OMWindow*>& among) {
    std::vector<OMWindow*> order;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        for (OMWindow* w : among) if (w->hwnd == child) order.push_back(w);
    }
    return order;
}

// The modal band stacks above the others; a click on another window reaches only the modal window, in its
// coordinates; hiding the modal window ends the modal state.
TEST_F(WindowTest, AModalWindowTakesEveryClickAndStacksOnTop) {
    makeApp();
    OMWindow* a = makeWindow({0, 0, 200, 150});
    OMWindow* b = makeWindow({250, 100, 400, 200});
    OMWindow* c = makeWindow({30, 300, 130, 400}, kFrameCaption);
    const OMLinkToFct aDown = messageLink("a-down"), bDown = messageLink("b-down");
    a->setMouseDownHandler(&aDown);
    b->setMouseDownHandler(&bDown);
    a->activate();
    b->activate();
    c->showInactive();
    EXPECT_EQ(OMWindow::activeWindow, b);
    EXPECT_EQ(stacking(app->window, {a, b, c}), (std::vector<OMWindow*>{b, a, c})) << "the last activated on top";
    a->makeModal();
    EXPECT_EQ(OMWindow::activeWindow, a);
    EXPECT_EQ(stacking(app->window, {a, b, c}), (std::vector<OMWindow*>{a, b, c}));
    b->activate();
    EXPECT_EQ(OMWindow::activeWindow, a) << "nothing else is activated under a modal window";
    EXPECT_EQ(SendMessageA(c->hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_FALSE(IsIconic(c->hwnd)) << "system commands of other windows are ignored";
    LoopRun(4, {post(b->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20))});
    EXPECT_EQ(handlerLog, "a-down 201 1 260,120 ") << "mapped from b's client area into a's";
    EXPECT_EQ(GetCapture(), a->hwnd);
    OMWindow::releaseMouse();
    a->hide();
    EXPECT_EQ(OMWindow::modalWindow, nullptr);
    EXPECT_EQ(OMWindow::activeWindow, b) << "the top visible window of the other band";
}

// Only a captured button-down ends with the button-up handler; right and middle buttons reach none; a
// window destroyed while holding the capture takes it along.
TEST_F(WindowTest, OnlyACapturedClickEndsInTheButtonUpHandler) {
    makeApp();
    OMWindow* stays = makeWindow({0, 0, 100, 100});
    const OMRect goesFrame{150, 0, 250, 100};
    auto goes = std::make_unique<OMWindow>(&goesFrame, kFrameNone, 0);
    const OMLinkToFct down = messageLink("down"), up = messageLink("up");
    for (OMWindow* w : {stays, goes.get()}) {
        w->setMouseDownHandler(&down);
        w->setMouseUpHandler(&up);
    }
    stays->activate();
    std::vector<std::function<void()>> clicks;
    for (UINT message : {WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP}) {
        clicks.push_back(post(stays->hwnd, message, 0, MAKELPARAM(5, 6)));
    }
    LoopRun(7, clicks);
    EXPECT_EQ(std::make_pair(handlerLog, OMWindow::mouseCaptured),
              std::make_pair(std::string("down 201 0 5,6 up 202 0 5,6 "), 0));
    handlerLog.clear();
    goes->activate();
    LoopRun(3, {post(goes->hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(1, 2))});
    EXPECT_EQ(GetCapture(), goes->hwnd);
    goes.reset();
    EXPECT_EQ(OMWindow::activeWindow, stays);
    EXPECT_EQ(OMWindow::mouseCaptured, 0) << "no capture outlives its window";
    SendMessageA(stays->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(handlerLog, "down 201 0 1,2 ") << "a button-up after the capturing window went reaches no handler";
}

// Minimising the active window passes activation to the top window that is neither hidden nor minimised,
// and to a minimised one when nothing else is left.
TEST_F(WindowTest, MinimisingTheActiveWindowActivatesTheNext) {
    makeApp();
    OMWindow* a = makeWindow({0, 0, 100, 80}, kFrameCaption);
    OMWindow* b = makeWindow({120, 0, 220, 80}, kFrameCaption);
    OMWindow* c = makeWindow({240, 0, 340, 80}, kFrameCaption);
    const OMLinkToFct minimized = logLink("min ");
    c->setMinimizedHandler(&minimized);
    b->setMinimizedHandler(&minimized);
    for (OMWindow* w : {b, a, c}) w->activate();
    SendMessageA(c->hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(c->hwnd));
    EXPECT_EQ(OMWindow::activeWindow, a);
    a->hide();
    EXPECT_EQ(OMWindow::activeWindow, b);
    SendMessageA(b->hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(OMWindow::activeWindow, c) << "only minimised windows remain";
    EXPECT_EQ(handlerLog, "min min ");
    EXPECT_EQ(app->inPause, 0) << "the system command's pause ended";
}
}  // namespace
