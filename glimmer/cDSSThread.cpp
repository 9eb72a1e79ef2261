// Event and thread wrappers of the splash-screen library.
#include "cDSSThread.h"

#include <process.h>

#include "DssTrace.h"

// Created at once rather than on first wait, so that a signal given before the host waits is kept.
cDSSEvent::cDSSEvent() : handle_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

cDSSEvent::~cDSSEvent() {
    if (handle_ != nullptr) CloseHandle(handle_);
}

bool cDSSEvent::signal() { return handle_ != nullptr && SetEvent(handle_) != 0; }

DWORD cDSSEvent::wait(DWORD timeoutMs) {
    lastWait_ = handle_ != nullptr ? WaitForSingleObject(handle_, timeoutMs) : WAIT_FAILED;
    return lastWait_;
}

cDSSThread::cDSSThread(Routine routine, cDSSDisplay* display) : routine_(routine), display_(display) {
    suspended_ = 1;
    uintptr_t thread = _beginthreadex(nullptr, 0, start, this, CREATE_SUSPENDED, &id_);
    handle_ = reinterpret_cast<HANDLE>(thread);
}

cDSSThread::~cDSSThread() {
    if (handle_ == nullptr) return;
    if (suspended_ != 0) resume();
    ready_.markFinished();
    WaitForSingleObject(handle_, INFINITE);
    CloseHandle(handle_);
}

bool cDSSThread::resume() {
    if (handle_ == nullptr || ResumeThread(handle_) == static_cast<DWORD>(-1)) return false;
    suspended_ = 0;
    return true;
}

unsigned __stdcall cDSSThread::start(void* self) {
    auto* thread = static_cast<cDSSThread*>(self);
    return static_cast<unsigned>(thread->routine_(thread->display_, thread->ready_));
}
