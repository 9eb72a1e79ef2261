// The main window procedure: keys routed to the active window as characters and private codes with
// matched key-ups, mouse input forwarded in the active window's coordinates, and background paint.
#include "DrawingSupport.h"
#include "OMKeyRouting.h"
#include "OMMainWindow.h"
#include "OMWndCanvas.h"
#include "WindowSupport.h"

namespace {
// Key message lParams: scan code in bits 16-23; bit 30 marks a repeat, bits 30 and 31 a release.
constexpr LPARAM kF5Down = 0x003F0001;
constexpr LPARAM kF5Repeat = 0x403F0001;
constexpr LPARAM kF5Up = static_cast<LPARAM>(0xC03F0001);

struct MainWindowTest : WindowFixture {
    // An active window logging what its key, after-key and mouse-down handlers read.
    OMWindow* makeListener() {
        OMWindow* window = makeWindow({50, 40, 150, 140});
        window->setKeyHandler(&key);
        window->setAfterKeyHandler(&up);
        window->setMouseDownHandler(&down);
        window->activate();
        return window;
    }
    std::function<void()> keyMessage(UINT message, WPARAM virtualKey, LPARAM lParam) {
        return post(app->window, message, virtualKey, lParam);
    }
    const OMLinkToFct key = messageLink("key"), up = messageLink("up"), down = messageLink("down");
};

// F5 has no character: its key-down becomes the private code as a character, and its key-up carries the same
// code. Enter comes as a character and is mapped too; a letter arrives as TranslateMessage makes it. A held
// key leaves one record that its key-up removes; a key pressed while the window was not activated and
// released after it was reaches no window.
TEST_F(MainWindowTest, KeysReachTheActiveWindowAsPrivateCodesWithMatchingKeyUps) {
    makeApp();
    OMWindow* window = makeListener();
    std::int32_t records[2] = {};
    const auto idle = [] {};  // a pass for the character that TranslateMessage posts
    LoopRun(20, {keyMessage(WM_KEYDOWN, VK_F5, kF5Down), keyMessage(WM_KEYUP, VK_F5, kF5Up),
                 keyMessage(WM_KEYDOWN, VK_RETURN, 0x001C0001), idle, keyMessage(WM_KEYUP, VK_RETURN, 0xC01C0001),
                 keyMessage(WM_KEYDOWN, 'A', 0x001E0001), idle, [&] { records[0] = keyDownsSent().count; },
                 keyMessage(WM_KEYUP, 'A', 0xC01E0001), keyMessage(WM_KEYDOWN, VK_F5, kF5Down),
                 keyMessage(WM_KEYDOWN, VK_F5, kF5Repeat), keyMessage(WM_KEYDOWN, VK_F5, kF5Repeat),
                 [&] { records[1] = keyDownsSent().count; }, keyMessage(WM_KEYUP, VK_F5, kF5Up),
                 [&] { window->becomeInactive(); }, keyMessage(WM_KEYDOWN, VK_F5, kF5Down),
                 [&] { window->becomeActive(); }, keyMessage(WM_KEYUP, VK_F5, kF5Up)});
    EXPECT_EQ(handlerLog, "key 102 e813 0,0 up 101 e813 0,0 key 102 e802 0,0 up 101 e802 0,0 key 102 61 0,0 "
                          "up 101 61 0,0 key 102 e813 0,0 key 102 e813 0,0 key 102 e813 0,0 up 101 e813 0,0 ");
    EXPECT_EQ(records[0], 1) << "the letter's key-down waits for its key-up";
    EXPECT_EQ(records[1], 1) << "one record for a held key";
    EXPECT_EQ(keyDownsSent().count, 0);
}

// Ctrl+F4 asks the active window to close; without Control, F4 is the private code 0xE812. In the
// frameless full-screen mode Alt+letter reaches the window as a plain character.
TEST_F(MainWindowTest, CtrlF4ClosesAndAltLetterIsAPlainCharacterInFullScreenMode) {
    makeApp(2);
    OMWindow* window = makeListener();
    const OMLinkToFct close = logLink("close ");
    window->setCloseHandler(&close);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(app->window, WM_KEYDOWN, VK_F4, 0x003E0001);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    LoopRun(6, {keyMessage(WM_KEYDOWN, VK_F4, 0x003E0001), keyMessage(WM_SYSCHAR, 'a', 0x201E0001),
                keyMessage(WM_SYSKEYUP, 'A', 0xE01E0001)});
    EXPECT_EQ(handlerLog, "close key 102 e812 0,0 key 106 61 0,0 up 105 61 0,0 ");
    keyDownsSent().clear(true);
}

// Client mouse messages of the main window go to the active window, mapped; nothing while the application
// is inactive.
TEST_F(MainWindowTest, MouseInputIsForwardedToTheActiveWindowInItsCoordinates) {
    makeApp();
    makeListener();
    LoopRun(7, {post(app->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 70)), [] {}, [] {}, [&] {
                    app->active = 0;
                    PostMessageA(app->window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(61, 71));
                }});
    EXPECT_EQ(handlerLog, "down 201 1 10,30 ");
    OMWindow::releaseMouse();
}

// The main window's colour is painted by WM_PAINT alone; a background without colour is not painted. A
// framework window erases with its canvas's background colour.
TEST_F(MainWindowTest, BackgroundsArePaintedOnlyByThePaintMessage) {
    ASSERT_EQ(displayBitsPerPixel(0), 8) << "compares with the 8-bit display's static colours";
    makeApp();
    OMWindow* window = makeListener();
    window->canvas->backgroundColor = {0, 0, 0, 250};
    InvalidateRect(window->hwnd, nullptr, TRUE);
    UpdateWindow(window->hwnd);
    EXPECT_EQ(screenColor(window->hwnd, 20, 20), systemRgb(250));
    const OMColorRecord entry{0, 0, 0, 249};
    app->setBackground(&entry);
    EXPECT_EQ(screenColor(app->window, 300, 300), systemRgb(249));
    HDC dc = GetDC(app->window);
    EXPECT_EQ(SendMessageA(app->window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    const RECT spot{290, 290, 310, 310};
    FillRect(dc, &spot, blue);
    DeleteObject(blue);
    ReleaseDC(app->window, dc);
    app->background.index = kNoColor;
    InvalidateRect(app->window, nullptr, TRUE);
    UpdateWindow(app->window);
    EXPECT_EQ(screenColor(app->window, 300, 300), 0x0000FFu) << "nothing painted over";
}
}  // namespace
