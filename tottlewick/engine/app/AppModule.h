// The module stack: the current module procedure and up to 6 suspended ones below it, switched with the
// application messages 10000-10003 and 10007, and the one road of every message to the application.
#pragma once

#include <windows.h>

#include <cstdint>

#include "Rect.h"

// A module: a procedure shaped like a window procedure.
using AppModuleProc = LRESULT(CALLBACK*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

constexpr int kAppModuleStackDepth = 6;
// The input messages that the engine treats as keyboard and mouse messages.
constexpr UINT kAppKeyFirst = 256;
constexpr UINT kAppKeyLast = 264;
constexpr UINT kAppMouseFirst = 512;
constexpr UINT kAppMouseLast = 521;

// Calls the application's message handler. The shutdown (10005 or WM_DESTROY) reaches it once per start:
// a later one is answered 0 without a call, so the application's shutdown never runs twice.
LRESULT AppSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Lets the next shutdown message through again; the start-up (10004) does this.
void AppArmShutdown();

// Each returns the module that was current at the call (AppPushModule 0 with a full stack, AppPopModule 0
// with an empty one); a module that answers 10007 with 0 keeps everything as it was.
AppModuleProc AppSetModule(HWND window, AppModuleProc module, WPARAM argument);
AppModuleProc AppGetModule();
AppModuleProc AppPushModule(HWND window, AppModuleProc module, WPARAM argument);
AppModuleProc AppPopModule(HWND window, WPARAM argument);
AppModuleProc AppReplaceModule(HWND window, AppModuleProc module, WPARAM argument);
std::uint16_t AppGetModuleDepth();

// Drops every waiting keyboard and then mouse message, so input given during a switch is not delivered
// to the new module.
void AppFlushInput();
// The end of every module chain: 1 for 10007, else DefWindowProc.
LRESULT CALLBACK AppDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The point of a message in the main-window canvas's coordinates: lParam for mouse messages, else the
// cursor position.
void AppGetEventPoint(Point* point, UINT message, LPARAM lParam);
