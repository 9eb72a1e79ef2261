// The Help and checkCD commands: the help file on the CD, and lesson files on the hard disk or a
// numbered CD.
#pragma once

#include <windows.h>

#include "OMLink.h"

// The Windows help engine; tests install their own (null restores WinHelpA). Returns the one it replaces.
using HelpEngine = BOOL(WINAPI*)(HWND, LPCSTR, UINT, ULONG_PTR);
HelpEngine setHelpEngine(HelpEngine engine);

// Help (topic): the CD root's "QUOMB.HLP" at the topic found by partial keyword (command 0x105).
void helpCommand(OMArg);
// checkCD (lesson number): asks for the CD that holds the lesson until it is there; Cancel ends the
// program with exit code 1.
void checkCDCommand(OMArg);
