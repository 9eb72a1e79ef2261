// Native controls in a framework window: Tab cycling and Enter to the default button through the subclass
// procedure, colours resolved against the window's canvas, notifications from the owner window.
#include "OMNControl.h"
#include "OMWndCanvas.h"
#include "WindowSupport.h"

namespace {
constexpr OMColorRecord kInherit{0, 0, 0, kNoColor};

COLORREF rgb(const OMColorRecord& c) { return RGB(c.red >> 8, c.green >> 8, c.blue >> 8); }

// A concrete control over a native window class: it keeps the notifications it gets and runs its action on
// a button click.
struct NativeControl : OMNControl {
    NativeControl(OMWindow* window, const char* className, DWORD style, OMRect place, std::int32_t kind,
                  const OMColorRecord& text = kInherit, const OMColorRecord& background = kInherit)
        : OMNControl(window, &place, kind, &text, &background, nullptr) {
        hwnd = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                               place.right - place.left, place.bottom - place.top, window->hwnd, nullptr, appInstance(),
                               nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OMNControl::subclassProc)));
    }
    ~NativeControl() override { DestroyWindow(hwnd); }
    WNDPROC previousProc() override { return previous; }
    void notify(int a, int b) override {
        notes.emplace_back(a, b);
        if (HIWORD(b) == BN_CLICKED && actionLink()) actionLink()->invoke();
    }
    std::vector<std::pair<int, int>> notes;

private:
    WNDPROC previous = nullptr;
};

struct ControlTest : WindowFixture {
    void SetUp() override {
        WindowFixture::SetUp();
        makeApp();
        owner = makeWindow({10, 10, 330, 250}, kFrameCaption);
        owner->activate();
    }
    NativeControl* add(const char* className, DWORD style, OMRect frame, std::int32_t tabKind = kTabStop) {
        return new NativeControl(owner, className, style, frame, tabKind);
    }
    OMWindow* owner = nullptr;
};

TEST_F(ControlTest, TabCyclesTheFocusOverVisibleEnabledTabStops) {
    NativeControl* first = add("EDIT", 0, {10, 10, 110, 30});
    NativeControl* skipped = add("EDIT", 0, {10, 40, 110, 60}, kNoTabStop);
    NativeControl* second = add("EDIT", 0, {10, 70, 110, 90});
    NativeControl* button = add("BUTTON", BS_PUSHBUTTON, {10, 100, 110, 130});
    const OMLinkToFct gained = logLink("gained "), lost = logLink("lost ");
    second->setFocusGainedLink(&gained);
    second->setFocusLostLink(&lost);
    first->setFocus();
    ASSERT_TRUE(first->hasFocus());
    for (NativeControl* expected : {second, button, first}) {
        SendMessageA(GetFocus(), WM_CHAR, VK_TAB, 0);
        EXPECT_EQ(GetFocus(), expected->hwnd);
    }
    EXPECT_EQ(handlerLog, "gained lost ");
    EXPECT_STREQ(first->text(), "") << "the Tab character is not delivered";
    second->enable(0);
    button->show(0);
    SendMessageA(first->hwnd, WM_CHAR, VK_TAB, 0);
    EXPECT_TRUE(first->hasFocus()) << "no other eligible control: Tab does nothing";
    EXPECT_FALSE(skipped->hasFocus());
    NativeControl* keeper = add("EDIT", ES_MULTILINE | ES_WANTRETURN, {120, 10, 300, 90}, kKeepsTab);
    SendMessageA(keeper->hwnd, WM_CHAR, VK_TAB, 0);
    EXPECT_STREQ(keeper->text(), "\t") << "a control of tab kind 2 takes Tab itself";
}

// Enter from any control presses the default button as a Space key, and the button's click runs its action;
// a default control that goes leaves no default behind.
TEST_F(ControlTest, EnterPressesTheDefaultButton) {
    NativeControl* field = add("EDIT", 0, {10, 10, 110, 30});
    auto* button = add("BUTTON", BS_PUSHBUTTON, {10, 40, 110, 70});
    const OMLinkToFct pressed = logLink("pressed ");
    button->setActionLink(&pressed);
    owner->defaultControl = button;
    field->setFocus();
    SendMessageA(field->hwnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    SendMessageA(field->hwnd, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC01C0001));
    EXPECT_EQ(handlerLog, "pressed ");
    EXPECT_EQ(button->notes.size(), 1u) << "the click, not the Enter key";
    handlerLog.clear();
    owner->dispatchKey();
    EXPECT_EQ(handlerLog, "pressed ") << "the window's keys go to the default control's action";
    delete button;
    EXPECT_EQ(owner->defaultControl, nullptr);
    SendMessageA(field->hwnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(handlerLog, "pressed ");
}

TEST_F(ControlTest, ColoursResolveAgainstTheCanvasAndAnswerTheOwnersColourRequests) {
    OMWndCanvas& canvas = *owner->canvas;
    canvas.textColor = colorOf(1, 2, 3);
    canvas.backgroundColor = {0, 0, 0, kNoColor};
    const OMColorRecord red = colorOf(200, 10, 20);
    const OMColorRecord entry{0, 0, 0, 249};
    const OMColorRecord invalid{0x1100, 0x2200, 0x3300, -7};
    NativeControl field(owner, "EDIT", 0, {10, 10, 110, 30}, kTabStop, kInherit, kInherit);
    EXPECT_EQ(field.textColor.red >> 8, 1) << "inherited from the canvas";
    HDC ownerDC = GetDC(owner->hwnd);
    const COLORREF dcBackground = GetBkColor(ownerDC);
    ReleaseDC(owner->hwnd, ownerDC);
    EXPECT_EQ(rgb(field.backgroundColor), dcBackground) << "neither has one: the window's device context";
    const struct { OMColorRecord given, stored; } kCases[] = {{red, red}, {entry, canvas.colorAt(249)}, {invalid, invalid}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.given.index);
        field.setColors(&c.given, &red);
        EXPECT_EQ(std::make_pair(field.textColor.index, rgb(field.textColor)),
                  std::make_pair(c.stored.index, rgb(c.stored)));
    }
    field.setColors(&entry, &red);  // the stored text colour is entry 249's, with index -1
    HDC dc = GetDC(field.hwnd);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(owner->hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(field.hwnd)));
    EXPECT_EQ(brush, field.brush);
    LOGBRUSH made{};
    GetObjectA(brush, sizeof made, &made);
    EXPECT_EQ(std::make_pair(made.lbColor, GetTextColor(dc)), std::make_pair(RGB(200, 10, 20), rgb(field.textColor)));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    ReleaseDC(field.hwnd, dc);
}

// Frames, texts and notifications; a foreign native child's user-data word is never taken for a control.
TEST_F(ControlTest, FramesTextsAndNotificationsOfTheOwnerWindow) {
    NativeControl* field = add("EDIT", ES_AUTOHSCROLL, {10, 10, 110, 30});
    field->moveTo(40, 50);
    EXPECT_TRUE(field->frame == (OMRect{40, 50, 140, 70}));
    EXPECT_EQ(clientPlace(field->hwnd), "40,50,140,70");
    const std::string longText(300, 'q');
    field->setText(longText.c_str());
    EXPECT_EQ(field->text(), longText.substr(0, 256));
    ASSERT_FALSE(field->notes.empty()) << "the edit control's own change notices";
    EXPECT_EQ(field->notes.back(), std::make_pair(static_cast<int>(reinterpret_cast<LPARAM>(field->hwnd)), EN_CHANGE << 16));
    field->notes.clear();
    SendMessageA(owner->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), MAKELPARAM(45, 55));
    SendMessageA(owner->hwnd, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0), MAKELPARAM(5, 5));
    SendMessageA(owner->hwnd, WM_VKEYTOITEM, VK_RETURN, reinterpret_cast<LPARAM>(field->hwnd));
    const std::vector<std::pair<int, int>> expected{{0x04000210, 0x04000201}, {13, 13}};
    EXPECT_EQ(field->notes, expected);
    NativeControl frameless(owner, "STATIC", 0, kEmptyRect, kNoTabStop);
    frameless.moveTo(5, 5);
    EXPECT_TRUE(frameless.frame == kEmptyRect);
    const POINT corner{0, 0};
    EXPECT_FALSE(frameless.containsPoint(&corner));
    HWND foreign = CreateWindowExA(0, "STATIC", "abc", WS_CHILD, 0, 0, 10, 10, owner->hwnd, nullptr, appInstance(), nullptr);
    SetWindowLongPtrA(foreign, GWLP_USERDATA, 0x12345678);
    EXPECT_EQ(SendMessageA(owner->hwnd, WM_COMMAND, 0, reinterpret_cast<LPARAM>(foreign)), 0);
    EXPECT_EQ(SendMessageA(owner->hwnd, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(foreign)), 0);
    SetWindowLongPtrA(foreign, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OMNControl::subclassProc));
    EXPECT_EQ(SendMessageA(foreign, WM_GETTEXTLENGTH, 0, 0), 0) << "not a control of its window: swallowed";
    DestroyWindow(foreign);
}
}  // namespace
