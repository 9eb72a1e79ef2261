// The module procedures: one per screen, each making its scene object on 10000 and letting it go after
// 10001; every other message goes to the default paint procedure.
#pragma once

#include <windows.h>

LRESULT CALLBACK BandModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MR_PLINKModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ToppersModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BLOK_STAKModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK HatShopModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ZibbModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK BlueGooModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK QuitConfirmModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK OptionsModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SlideShowModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IntroModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PickerModuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
