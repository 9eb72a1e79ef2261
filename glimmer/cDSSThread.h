// The display thread and the auto-reset event that hands control between it and the host's thread.
#pragma once

#include <windows.h>

#include <cstdint>

// An auto-reset event, unsignalled at creation, without a name.
class cDSSEvent {
public:
    cDSSEvent();
    cDSSEvent(const cDSSEvent&) = delete;
    cDSSEvent& operator=(const cDSSEvent&) = delete;
    ~cDSSEvent();

    bool signal();
    // The wait's result (WAIT_OBJECT_0, WAIT_TIMEOUT, WAIT_FAILED); no time-out by default.
    DWORD wait(DWORD timeoutMs = INFINITE);
    void markFinished() { finished_ = 1; }

private:
    HANDLE handle_;
    DWORD lastWait_ = 0;
    std::uint16_t finished_ = 0;
};

class cDSSDisplay;

// A thread created suspended that runs `routine(display, ready)` once resumed. Destroying the object
// resumes a thread that never ran and waits until the thread has ended.
class cDSSThread {
public:
    using Routine = int (*)(cDSSDisplay* display, cDSSEvent& ready);

    cDSSThread(Routine routine, cDSSDisplay* display);
    cDSSThread(const cDSSThread&) = delete;
    cDSSThread& operator=(const cDSSThread&) = delete;
    ~cDSSThread();

    bool created() const { return handle_ != nullptr; }
    bool resume();
    cDSSEvent& ready() { return ready_; }

private:
    static unsigned __stdcall start(void* self);

    HANDLE handle_ = nullptr;
    unsigned id_ = 0;
    std::uint16_t suspended_ = 0;
    cDSSEvent ready_;
    Routine routine_;
    cDSSDisplay* display_;
};
