// The application object: construction of the main window, the main loop, activation and pause.
#include "OMApp.h"

#include "OMAssert.h"
#include "OMCursor.h"
#include "OMMainWindow.h"
#include "OMMenubar.h"
#include "OMSurface.h"
#include "OMSystemUtilities.h"
#include "OMWindow.h"
#include "OMWndCanvas.h"

OMApp* theApp = nullptr;
std::int32_t useDirectDraw = 0;
std::int32_t noDirectDrawSurfaces = 1;
std::int32_t directDrawActive = 0;
std::int32_t gdiMemoryCanvases = 1;

namespace {

void runLink(OMLink* link) {
    if (link) link->invoke();
}

void notifyCursor(void (OMCursor::*hook)()) {
    if (currentCursor) (currentCursor->*hook)();
}

}  // namespace

OMMenubar*& defaultMenubar() {
    static OMMenubar* bar = nullptr;
    return bar;
}

OMApp::OMApp(std::int32_t mode, const OMRect* givenFrame, const OMColorRecord* givenBackground, std::int32_t depth)
    : windowMode(mode), colourDepth(depth) {
    OM_ASSERT(mode >= 0 && mode <= 4);
    theApp = this;
    setAppTaskList(&tasks);
    if ((mode == 4) != (useDirectDraw == 1)) {
        windowMode = 2;
        noDirectDrawSurfaces = 1;
        useDirectDraw = 0;
    }
    if (givenBackground && !(givenBackground->index == kNoColor && useDirectDraw == 0)) background = *givenBackground;
    if (givenFrame) frame = *givenFrame;
    defaultMenubar() = new OMMenubar();
    menubar = defaultMenubar();
    registerWindowClass();
    readVersionStrings(appInstance(), productName, productVersion);
    title = productName;
    createMainWindow();
    startDirectDraw();
    directDrawActive = directDraw2 ? 1 : 0;
    gdiMemoryCanvases = (noDirectDrawSurfaces == 0 && directDrawActive == 1) ? 0 : 1;
    displayNumber = 0;
    rebuildSystemMenu(0);
    BringWindowToTop(window);
    ShowWindow(window, SW_SHOW);
    SetFocus(window);
    RECT placed;
    GetWindowRect(window, &placed);
    frame.set(placed.left, placed.top, placed.right, placed.bottom);
}

void OMApp::registerWindowClass() {
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = appInstance();
    windowClass.hIcon = LoadIconA(appInstance(), "OM_APP_ICON");
    if (!windowClass.hIcon) windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = windowClassName().c_str();
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(appInstance(), "OM_APP_ICON_SMALL", IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExA(&windowClass);
}

// Mode 0 keeps the rectangle given to the constructor, so do the full-screen modes 2 and 4 under
// DirectDraw; the others cover the screen. Mode 4 has the style of mode 2.
void OMApp::createMainWindow() {
    const bool fullScreen = windowMode == 2 || windowMode == 4;
    if (windowMode != 0 && !(fullScreen && useDirectDraw == 1)) frame = screenBounds(0);
    const DWORD style = kWindowModeStyles[windowMode == 4 ? 2 : windowMode];
    window = CreateWindowExA(0, windowClassName().c_str(), title.c_str(), style, frame.left, frame.top,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, appInstance(),
                             nullptr);
}

OMApp::~OMApp() {
    menubar = nullptr;
    delete defaultMenubar();
    defaultMenubar() = nullptr;
    theApp = nullptr;
    for (OMLink** link : {&aboutLink, &activatedLink, &deactivatedLink, &quitRequestedLink, &idleLink,
                          &maximizedLink, &minimizedLink, &beforeDispatchLink, &afterDispatchLink, &movedLink,
                          &resumedLink, &restoredLink, &resizedLink, &pausedLink}) {
        replaceLink(*link, nullptr);
    }
    DestroyWindow(window);
    window = nullptr;
    UnregisterClassA(windowClassName().c_str(), appInstance());
    if (windowClass.hIcon != LoadIconA(nullptr, IDI_APPLICATION)) DestroyIcon(windowClass.hIcon);
    releaseDirectDraw();
    if (windowClass.hIconSm) DestroyIcon(windowClass.hIconSm);
    tasks.clear(false);
    setAppTaskList(nullptr);
}

void OMApp::about() {
    if (aboutLink) return aboutLink->invoke();
    alertBox((productName + " " + productVersion).c_str(), 0x3000, "About");
}

void OMApp::activated() { runLink(activatedLink); }

void OMApp::quitRequested() {
    if (quitRequestedLink) return quitRequestedLink->invoke();
    quit();
}

void OMApp::deactivated() { runLink(deactivatedLink); }
void OMApp::idle() { runLink(idleLink); }
void OMApp::maximized() { runLink(maximizedLink); }
void OMApp::minimized() { runLink(minimizedLink); }
void OMApp::beforeDispatch() { runLink(beforeDispatchLink); }
void OMApp::afterDispatch() { runLink(afterDispatchLink); }
void OMApp::moved() { runLink(movedLink); }
void OMApp::resumed() { runLink(resumedLink); }
void OMApp::restored() { runLink(restoredLink); }
void OMApp::resized() { runLink(resizedLink); }
void OMApp::paused() { runLink(pausedLink); }

void OMApp::runMessageLoop() {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    flushInput();
    setMenubar(menubar);
    running = 1;
    while (running == 1) runOnePass();
}

// GetMessageA's -1 (an error) counts as no message, like its 0 for WM_QUIT.
void OMApp::runOnePass() {
    MSG msg;
    const BOOL obtained = waiting ? GetMessageA(&msg, nullptr, 0, 0) > 0 : PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    if (obtained) {
        setCurrentMessage(&msg);
        beforeDispatch();
        getCurrentMessage(&msg);
        if (msg.message != 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        afterDispatch();
    }
    if (waiting) return;
    idle();
    runTaskSlices(tasks);
}

void OMApp::setMenubar(OMMenubar* bar) {
    OM_ASSERT(bar);
    menubar = bar;
    SetMenu(window, (windowMode == 2 || windowMode == 4) ? nullptr : bar->hmenu);
    bar->renumber();
}

void OMApp::rebuildMenubar() {
    SetMenu(window, nullptr);
    if (menubar == defaultMenubar() || !defaultMenubar()) defaultMenubar() = new OMMenubar();
    setMenubar(defaultMenubar());
}

void OMApp::setTitle(const char* text) {
    title = text ? text : "";
    SetWindowTextA(window, title.c_str());
}

void OMApp::setBackground(const OMColorRecord* colour) {
    if (colour->index == kNoColor && directDrawActive == 0) return;
    background = *colour;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void OMApp::activateApp() {
    if (!active) {
        if (cursorHidden) ShowCursor(FALSE);
        waiting = 0;
        active = 1;
        notifyCursor(&OMCursor::windowActivated);
        activated();
    }
    if (OMWindow* shown = OMWindow::activeWindow) {
        if (windowMode != 4 || restoreIfLost(shown->canvas->surface)) shown->paint();
        if (cancelModePending) {
            pause();
        } else {
            reactivateActiveWindow();
        }
    }
    SetFocus(window);
}

void OMApp::deactivateApp() {
    resume();
    if (OMWindow::activeWindow) OMWindow::activeWindow->becomeInactive();
    if (active) {
        if (cursorHidden) ShowCursor(TRUE);
        active = 0;
        waiting = 1;
        deactivated();
        notifyCursor(&OMCursor::windowDeactivated);
    }
    OMWindow::releaseMouse();
}

void OMApp::pause() {
    if (inPause) return;
    inPause = 1;
    paused();
    notifyCursor(&OMCursor::windowDeactivated);
}

void OMApp::resume() {
    if (!inPause) return;
    inPause = 0;
    notifyCursor(&OMCursor::windowActivated);
    resumed();
}

// Modes 2 to 4 keep an empty system menu; modes 0 and 1 get the About item.
void OMApp::rebuildSystemMenu(std::int32_t keepMove) {
    GetSystemMenu(window, TRUE);
    HMENU menu = GetSystemMenu(window, FALSE);
    if (windowMode >= 2) {
        while (DeleteMenu(menu, 0, MF_BYPOSITION)) {}
        return;
    }
    if (windowMode == 1 && keepMove != 1) DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kAboutCommand, ("&About " + productName + "...").c_str());
    flushInput();
}
