// Characters and private key codes to the active window, key-ups matched to their key-downs.
#include "OMKeyRouting.h"

#include "OMApp.h"
#include "OMPrivateKeys.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"

namespace {

std::uint32_t scanCodeOf(LPARAM lParam) { return static_cast<std::uint32_t>(lParam) & 0x00FF0000; }

// The private code of a character that has one, else the character itself.
WPARAM mapCharacter(WPARAM character) {
    for (const OMPrivateKey* key = kPrivateKeys; key->code; ++key) {
        if (key->character && key->character == character) return key->code;
    }
    return character;
}

// The private code of a key that arrives only as WM_KEYDOWN; 0 for any other key.
std::uint32_t privateCodeOfKey(WPARAM virtualKey) {
    for (const OMPrivateKey* key = kPrivateKeys; key->code; ++key) {
        if (!key->character && static_cast<WPARAM>(key->virtualKey) == virtualKey) return key->code;
    }
    return 0;
}

OMKeyDownSent* findKeyDown(std::uint32_t scanCode) {
    for (OMListElement<OMKeyDownSent>* n = keyDownsSent().head; n; n = n->next) {
        if (n->element->scanCode == scanCode) return n->element;
    }
    return nullptr;
}

bool isFullScreen() { return theApp->windowMode == 2 || theApp->windowMode == 4; }

}  // namespace

OMList<OMKeyDownSent>& keyDownsSent() {
    static OMList<OMKeyDownSent> sent;
    return sent;
}

void routeCharacter(OMWindow* window, std::int32_t translated) {
    MSG message;
    getCurrentMessage(&message);
    if (!translated) message.wParam = mapCharacter(message.wParam);
    setCurrentMessage(&message);
    if (!window || !window->isActivated()) return;
    const std::uint32_t scanCode = scanCodeOf(message.lParam);
    if (!findKeyDown(scanCode)) {
        keyDownsSent().append(new OMKeyDownSent{static_cast<std::uint32_t>(message.wParam), scanCode});
    }
    window->dispatchKey();
}

// Ctrl+F4 asks the active window to close when the main window has a system menu.
LRESULT routeKeyDown(WPARAM wParam) {
    OMWindow* active = OMWindow::activeWindow;
    if (wParam == VK_F4 && GetKeyState(VK_CONTROL) < 0) {
        if ((GetWindowLongA(theApp->window, GWL_STYLE) & WS_SYSMENU) && active) active->closeRequested();
        theApp->resume();
        return 0;
    }
    const std::uint32_t code = privateCodeOfKey(wParam);
    if (!code || !active || !active->isActivated()) return 0;
    MSG message;
    getCurrentMessage(&message);
    message.message = WM_CHAR;
    message.wParam = code;
    setCurrentMessage(&message);
    routeCharacter(active, 1);
    return 0;
}

// A key-up whose key-down was never delivered reaches no window. Alt's release ends the pause that
// Alt+Tab began.
LRESULT routeKeyUp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_MENU) theApp->resume();
    if (OMKeyDownSent* sent = findKeyDown(scanCodeOf(lParam))) {
        MSG current;
        getCurrentMessage(&current);
        current.wParam = sent->code;
        setCurrentMessage(&current);
        delete keyDownsSent().remove(sent);
        if (OMWindow::activeWindow) OMWindow::activeWindow->afterKey();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Alt+letter reaches a frameless full-screen window as a plain character; Alt+'-' opens the active
// window's system menu.
LRESULT routeSystemCharacter(HWND window, WPARAM wParam, LPARAM lParam) {
    OMWindow* active = OMWindow::activeWindow;
    const bool qualifies = !active || active->kind <= kFrameBorder;
    HWND target = wParam == '-' && active ? active->hwnd : window;
    if (qualifies && isFullScreen()) routeCharacter(active, 0);
    return DefWindowProcA(target, WM_SYSCHAR, wParam, lParam);
}
