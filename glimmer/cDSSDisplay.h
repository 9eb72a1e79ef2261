// The display object: shows the chosen splash screen on a thread of its own, closes it, records the
// check box, and hands a clicked URL back to the host when asked to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "cDSSImage.h"
#include "cDSSRegistry.h"
#include "cDSSScreen.h"
#include "cDSSThread.h"
#include "cDSSWindow.h"

class cDSSDisplay {
public:
    enum Mode { kChoose = 0, kLast = 1 };

    cDSSDisplay(cDSSRegistry& registry, HINSTANCE instance);
    cDSSDisplay(const cDSSDisplay&) = delete;
    cDSSDisplay& operator=(const cDSSDisplay&) = delete;
    ~cDSSDisplay();

    // The two display exports: return once the splash screen is up or could not be shown.
    void display(const char* application, Mode mode);
    // Blocks until the splash screen has closed and its thread has ended, then releases it.
    void remove();
    void handleHotspotsLocally(char* buffer, int* length);

    // Called on the display thread.
    void requestExit();
    void handBack(const std::string& url);
    bool launchesBrowser() const { return registry_.launchBrowser(); }

private:
    static int displayThread(cDSSDisplay* display, cDSSEvent& ready);
    [[nodiscard]] bool showSplashScreen();
    [[nodiscard]] bool chooseRecord(cDSSInfo& record);

    cDSSRegistry& registry_;
    HINSTANCE instance_;
    std::unique_ptr<cDSSImage> image_;
    std::unique_ptr<cDSSScreen> screen_;
    std::unique_ptr<cDSSWindow> window_;
    std::unique_ptr<cDSSThread> thread_;
    std::uint16_t shown_ = 0;
    int lastMode_ = kChoose;
    char* urlBuffer_ = nullptr;
    int* urlLength_ = nullptr;
    UINT_PTR timerId_ = 0;
};
