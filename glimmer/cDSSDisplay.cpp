// Showing and removing a splash screen: the host's side of the handshake and the display thread.
//
// host thread                         display thread
//   display(): create thread,  ---->    choose, load, create and show the window, start the timer
//              wait for ready  <----    signal ready; pump messages
//   remove():  wait for ready  <----    on time-out, key or click: apply the check box, signal ready,
//              wait for the thread      destroy the window, leave the message loop
//              end, then release
#include "cDSSDisplay.h"

#include <ctime>

#include "DssTrace.h"
#include "SplashChooser.h"

cDSSDisplay::cDSSDisplay(cDSSRegistry& registry, HINSTANCE instance)
    : registry_(registry), instance_(instance) {}

cDSSDisplay::~cDSSDisplay() { thread_.reset(); }

void cDSSDisplay::display(const char* application, Mode mode) {
    registry_.setApplication(application);
    registry_.open();
    registry_.writeLastRun(std::time(nullptr));
    screen_ = std::make_unique<cDSSScreen>(instance_);
    screen_->depth();

    thread_.reset();
    thread_ = std::make_unique<cDSSThread>(displayThread, this);
    if (!thread_->created()) return;
    lastMode_ = mode;
    if (thread_->resume()) thread_->ready().wait();
}

int cDSSDisplay::displayThread(cDSSDisplay* display, cDSSEvent& ready) {
    dssTrace("DSS - display thread starting\n");
    if (!display->showSplashScreen()) {
        ready.signal();
        return -1;
    }
    ready.signal();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

bool cDSSDisplay::chooseRecord(cDSSInfo& record) {
    SplashChooser chooser(registry_);
    if (lastMode_ == kLast) {
        if (chooser.chooseLastSplashScreen(record)) return true;
        dssTrace("** Could not find the MRU DSS module to display (or default) in cDSSDisplay::showSplashScreen()\n");
        return false;
    }
    if (chooser.chooseSplashScreen(record, localToday())) return true;
    dssTrace("** Could not find an appropriate DSS module to display in cDSSDisplay::showSplashScreen()\n");
    return false;
}

bool cDSSDisplay::showSplashScreen() {
    cDSSInfo record;
    if (!chooseRecord(record)) return false;
    image_ = std::make_unique<cDSSImage>();
    if (!image_->load(record.imageName, screen_->depth())) {
        dssTrace("** Could not load JPEG file [%s] in cDSSDisplay::showSplashScreen()\n", record.imageName.c_str());
        return false;
    }
    window_ = std::make_unique<cDSSWindow>(*this);
    if (!window_->create(image_->width(), image_->height(), *screen_, registry_.getActive() == 0) ||
        !window_->show(*image_)) {
        return false;
    }
    window_->buildHotspots(record);
    window_->enableCloseOnKey();
    if (lastMode_ == kChoose) SplashChooser(registry_).recordView(record);
    timerId_ = SetTimer(window_->dialog(), 0, record.duration, nullptr);
    if (timerId_ == 0) return false;
    shown_ = 1;
    return true;
}

void cDSSDisplay::requestExit() {
    dssTrace("*** I'm sorry but it's time to go\n");
    HWND dialog = window_->dialog();
    KillTimer(dialog, timerId_);
    dssTrace("In requestingExit\n");
    if (window_->checkBoxChecked()) {
        dssTrace("*** Toggling DSS state due to user request\n");
        registry_.toggleActive();
    }
    if (thread_ != nullptr) thread_->ready().signal();
    // The window goes on this thread and the message loop ends normally; the host releases nothing
    // before the thread has ended.
    DestroyWindow(dialog);
    PostQuitMessage(0);
}

void cDSSDisplay::remove() {
    if (shown_ != 0) {
        dssTrace("** waiting for display timeout...\n");
        thread_->ready().wait();
    }
    thread_.reset();
    screen_.reset();
    window_.reset();
    image_.reset();
    // Also when nothing was shown: a length that no click set must not read as a URL's length.
    finishHandBack(urlBuffer_, urlLength_);
    if (shown_ != 0) dssTrace("** display removed\n");
    shown_ = 0;
}

void cDSSDisplay::handleHotspotsLocally(char* buffer, int* length) {
    urlBuffer_ = buffer;
    urlLength_ = length;
    if (buffer != nullptr) buffer[0] = '\0';
    registry_.setLaunchBrowser(false);
}

void cDSSDisplay::handBack(const std::string& url) { handBackUrl(urlBuffer_, urlLength_, url); }
