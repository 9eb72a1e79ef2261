// The posted-event table: 16 messages that kit objects and modules post for the main loop, which
// delivers them newest first through AppSendMessage.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int kAppPostedEvents = 16;

struct AppPostedEvent {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Stores the event; when 16 are already pending, all of them are dropped first, without a report.
void AppPostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
std::int16_t AppGetPostedCount();
// Removes the newest event into *event; false when none is pending.
bool AppTakePostedEvent(AppPostedEvent* event);
// Drops every pending event (a new run starts with none).
void AppClearPostedEvents();
