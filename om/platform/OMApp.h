// The application object, its main window and the main loop of messages and time slices.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "OMColorRecord.h"
#include "OMLink.h"
#include "OMList.h"
#include "OMRect.h"
#include "OMTask.h"

class OMMenubar;
struct IDirectDraw;
struct IDirectDraw2;

// Main window styles of the window modes 0 to 3 (mode 4 runs as mode 2).
inline constexpr DWORD kWindowModeStyles[4] = {
    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
    WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
    WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN,
    WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
};
// Command id of the system menu's About item.
inline constexpr UINT kAboutCommand = 0x200;

// The one application object, reached through theApp. Each of the fourteen handler operations runs
// its link when one is set, else its default; the setters store a clone (null clears).
class OMApp {
public:
    OMApp(std::int32_t mode, const OMRect* givenFrame, const OMColorRecord* givenBackground, std::int32_t depth);
    OMApp(const OMApp&) = delete;
    OMApp& operator=(const OMApp&) = delete;
    virtual ~OMApp();

    virtual void about();
    virtual void activated();
    virtual void quitRequested();
    virtual void deactivated();
    virtual void idle();
    virtual void maximized();
    virtual void minimized();
    virtual void beforeDispatch();
    virtual void afterDispatch();
    virtual void moved();
    virtual void resumed();
    virtual void restored();
    virtual void resized();
    virtual void paused();

    void setAboutHandler(const OMLink* link) { replaceLink(aboutLink, link); }
    OMLink* aboutHandler() const { return aboutLink; }
    void setActivatedHandler(const OMLink* link) { replaceLink(activatedLink, link); }
    OMLink* activatedHandler() const { return activatedLink; }
    void setQuitHandler(const OMLink* link) { replaceLink(quitRequestedLink, link); }
    OMLink* quitHandler() const { return quitRequestedLink; }
    void setDeactivatedHandler(const OMLink* link) { replaceLink(deactivatedLink, link); }
    OMLink* deactivatedHandler() const { return deactivatedLink; }
    void setIdleHandler(const OMLink* link) { replaceLink(idleLink, link); }
    OMLink* idleHandler() const { return idleLink; }
    void setMaximizedHandler(const OMLink* link) { replaceLink(maximizedLink, link); }
    OMLink* maximizedHandler() const { return maximizedLink; }
    void setMinimizedHandler(const OMLink* link) { replaceLink(minimizedLink, link); }
    OMLink* minimizedHandler() const { return minimizedLink; }
    void setBeforeDispatchHandler(const OMLink* link) { replaceLink(beforeDispatchLink, link); }
    OMLink* beforeDispatchHandler() const { return beforeDispatchLink; }
    void setAfterDispatchHandler(const OMLink* link) { replaceLink(afterDispatchLink, link); }
    OMLink* afterDispatchHandler() const { return afterDispatchLink; }
    void setMovedHandler(const OMLink* link) { replaceLink(movedLink, link); }
    OMLink* movedHandler() const { return movedLink; }
    void setResumedHandler(const OMLink* link) { replaceLink(resumedLink, link); }
    OMLink* resumedHandler() const { return resumedLink; }
    void setRestoredHandler(const OMLink* link) { replaceLink(restoredLink, link); }
    OMLink* restoredHandler() const { return restoredLink; }
    void setResizedHandler(const OMLink* link) { replaceLink(resizedLink, link); }
    OMLink* resizedHandler() const { return resizedLink; }
    void setPausedHandler(const OMLink* link) { replaceLink(pausedLink, link); }
    OMLink* pausedHandler() const { return pausedLink; }

    // Takes one message per pass, then gives one slice to every unsuspended task; returns when
    // `running` is 0. WM_QUIT does not end it: only quit does.
    void runMessageLoop();
    void quit() { running = 0; }
    void setMenubar(OMMenubar* bar);
    void rebuildMenubar();
    void setTitle(const char* text);
    void setBackground(const OMColorRecord* colour);
    void activateApp();
    void deactivateApp();
    void pause();
    void resume();
    void rebuildSystemMenu(std::int32_t keepMove);
    // Full-screen mode 4 only: sets the display mode and covers the new screen; 1 on success, else 0.
    std::int32_t changeDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bits);
    // 1 when DirectDraw works and lists the display mode, else 0.
    static std::int32_t isDisplayModeAvailable(std::int32_t width, std::int32_t height, std::int32_t bits);

    std::string productName;
    std::string productVersion;
    std::int32_t running = 0;
    OMMenubar* menubar = nullptr;
    OMColorRecord background{0, 0, 0, kColorFromComponents};
    OMRect frame = kEmptyRect;
    std::string title;
    std::int32_t windowMode;
    std::int32_t displayNumber = 0;
    std::int32_t colourDepth;
    OMList<OMTask> tasks{compareTaskPriority};
    OMLink* aboutLink = nullptr;
    OMLink* activatedLink = nullptr;
    OMLink* deactivatedLink = nullptr;
    OMLink* quitRequestedLink = nullptr;
    OMLink* idleLink = nullptr;
    OMLink* maximizedLink = nullptr;
    OMLink* minimizedLink = nullptr;
    OMLink* beforeDispatchLink = nullptr;
    OMLink* afterDispatchLink = nullptr;
    OMLink* movedLink = nullptr;
    OMLink* resumedLink = nullptr;
    OMLink* restoredLink = nullptr;
    OMLink* resizedLink = nullptr;
    OMLink* pausedLink = nullptr;
    std::int32_t active = 0;
    std::int32_t inPause = 0;
    std::int32_t waiting = 0;
    HWND window = nullptr;
    WNDCLASSEXA windowClass{};
    // Owned; null unless DirectDraw is in use. The driver is always the primary display's (null).
    IDirectDraw* directDraw = nullptr;
    IDirectDraw2* directDraw2 = nullptr;
    GUID* driverGuid = nullptr;

private:
    void registerWindowClass();
    void createMainWindow();
    // With useDirectDraw 1: obtains IDirectDraw2 for the main window; any failure falls back to mode 2
    // without DirectDraw.
    void startDirectDraw();
    bool openDirectDraw();
    void releaseDirectDraw();
    // One pass of the loop: at most one message, then the slices unless waiting.
    void runOnePass();
};

// The application object while it exists, else null.
extern OMApp* theApp;

// DirectDraw settings and results; this system draws through GDI, so useDirectDraw stays 0. Set
// useDirectDraw to 1 before constructing the application in mode 4 to draw through DirectDraw, and
// noDirectDrawSurfaces to 0 to make memory canvases surfaces too.
extern std::int32_t useDirectDraw;
extern std::int32_t noDirectDrawSurfaces;
extern std::int32_t directDrawActive;
extern std::int32_t gdiMemoryCanvases;

// The application's own menu bar, made by the constructor and again whenever it is deleted while
// current; null once deleted while not current.
OMMenubar*& defaultMenubar();

// The program's module instance, stored by the entry.
HINSTANCE appInstance();
void setAppInstance(HINSTANCE instance);

// The main window's class name, "KPR: " + product name + " " + product version, built by
// findRunningInstance.
std::string& windowClassName();

// Reads ProductName and ProductVersion from the version block of `module` (language 0409, code page
// 04E4); both stay empty unless both are present.
void readVersionStrings(HMODULE module, std::string& name, std::string& version);
// Builds windowClassName; when a window of that class exists, restores and raises its last active
// pop-up and returns 1, else 0.
std::int32_t findRunningInstance(HINSTANCE instance);

// Provided by the program: everything between start-up and shut-down.
void applicationMain();
