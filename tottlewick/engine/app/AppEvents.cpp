// The posted-event table, a stack read newest first.
#include "AppEvents.h"

namespace {

AppPostedEvent events[kAppPostedEvents];
std::int16_t count = 0;

}  // namespace

void AppPostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (count == kAppPostedEvents) count = 0;
    events[count++] = {window, message, wParam, lParam};
}

std::int16_t AppGetPostedCount() { return count; }

bool AppTakePostedEvent(AppPostedEvent* event) {
    if (count == 0) return false;
    *event = events[--count];
    return true;
}

void AppClearPostedEvents() { count = 0; }
