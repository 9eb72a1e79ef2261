// A print job on a printer DC: the document and its pages, with the modeless "Printing" dialog whose
// Cancel button aborts the job at the next call of the abort procedure.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int kPrintAbortDialog = 900;
constexpr int kPrintAbortText = 100;

// Creates and shows dialog 900 over owner; 0 and last error 26 when it cannot be made.
std::int16_t PrintShowAbortDialog(HWND owner);
extern "C" INT_PTR CALLBACK PrintAbortDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
extern "C" BOOL CALLBACK PrintAbortProc(HDC dc, int code);
// Clears the abort flag, forgets the dialog and gives it its default text, for a new job.
void PrintResetAbort();
void PrintCloseAbortDialog();
std::int16_t PrintIsAborted();

std::int16_t PrintStartDoc(HDC dc, const char* name);
std::int16_t PrintStartPage(HDC dc);
std::int16_t PrintEndPage(HDC dc);
// Ends the document; unless aborted, re-enables the main window and closes the dialog. 1 when not aborted.
std::int16_t PrintEndDoc(HDC dc);
