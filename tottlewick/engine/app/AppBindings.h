// The contract between the engine and the activity layer: the numbered application messages, the
// configuration queries, and the two functions of the activity layer that the program links in.
#pragma once

#include <windows.h>

#include <cstdint>

// Application messages, all delivered through AppSendMessage.
constexpr UINT kAppModuleStart = 10000;     // wParam the call's argument, lParam the previous module
constexpr UINT kAppModuleEnd = 10001;       // lParam the module that follows
constexpr UINT kAppModuleSuspend = 10002;
constexpr UINT kAppModuleResume = 10003;
constexpr UINT kAppStartup = 10004;         // the managers are up: start the application
constexpr UINT kAppShutdown = 10005;
constexpr UINT kAppMayEnd = 10007;          // 0 refuses
constexpr UINT kAppTick = 10008;            // after every pass of the main loop; wParam 1 when it took something
constexpr UINT kAppMenuOpening = 10009;
constexpr UINT kAppCommand = 10010;         // wParam the command id
constexpr UINT kAppNotify = 10012;          // wParam the notification id

// Configuration queries of AppConfigCallback and what their data points at.
constexpr std::int16_t kAppQueryProductName = 1;   // a 256-byte buffer
constexpr std::int16_t kAppQueryRequirements = 2;  // the display information record (AppDisplayInfo)
constexpr std::int16_t kAppQueryWindowMode = 3;    // the placement record (DisplayPlacement)
constexpr std::int16_t kAppQueryFolders = 4;       // the application folder (AppFolders.h has all three)
constexpr std::int16_t kAppQueryEarlyPath = 5;     // the early resource path, kFilePathSize bytes

// Answers a configuration query; query 2 answers 0 to accept, above 0 to refuse and below 0 to measure
// again.
std::int32_t AppConfigCallback(std::int16_t query, void* data);
// Receives every message of the main window and every application message.
LRESULT AppMessageHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
