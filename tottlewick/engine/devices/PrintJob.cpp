// The print job over the print seam, and the abort dialog that the user cancels it with.
#include "PrintJob.h"

#include "DisplayWindow.h"
#include "PrintDevice.h"
#include "PrintPlatform.h"
#include "Str.h"
#include "UtilFormat.h"
#include "UtilString.h"

namespace {

constexpr std::uint32_t kMessagePrinting = 33;
constexpr const char* kDefaultDocument = "Printing image";

struct AbortState {
    HWND dialog = nullptr;
    bool aborted = false;
    char text[256] = "Printing image";
};

AbortState abortState;

// The file-name part of a document name: after its last backslash or colon.
const char* fileNamePart(const char* name) {
    const char* part = name;
    for (const char* at = name; *at; ++at)
        if (*at == '\\' || *at == ':') part = at + 1;
    return part;
}

}  // namespace

std::int16_t PrintShowAbortDialog(HWND owner) {
    abortState.dialog = CreateDialogA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kPrintAbortDialog), owner,
                                      PrintAbortDlgProc);
    if (!abortState.dialog) {
        PrintSetLastError(kPrintErrorNoPrinter);
        return 0;
    }
    ShowWindow(abortState.dialog, SW_SHOWNORMAL);
    return 1;
}

INT_PTR CALLBACK PrintAbortDlgProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, kPrintAbortText, abortState.text);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    abortState.aborted = true;
    EnableWindow(GetParent(dialog), TRUE);
    DestroyWindow(dialog);
    abortState.dialog = nullptr;
    return TRUE;
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
    MSG message;
    while (!abortState.aborted && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (abortState.dialog && IsDialogMessageA(abortState.dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return abortState.aborted ? FALSE : TRUE;
}

void PrintResetAbort() {
    abortState.aborted = false;
    abortState.dialog = nullptr;
    UtilStrCopy(abortState.text, kDefaultDocument, sizeof abortState.text);
}

void PrintCloseAbortDialog() {
    if (abortState.dialog) DestroyWindow(abortState.dialog);
    abortState.dialog = nullptr;
}

std::int16_t PrintIsAborted() {
    return abortState.aborted ? 1 : 0;
}

std::int16_t PrintStartDoc(HDC dc, const char* name) {
    if (!dc) return 0;
    const PrintPlatform& platform = PrintGetPlatform();
    PrintResetAbort();
    platform.setAbortProc(dc, PrintAbortProc);
    const char* document = name ? name : kDefaultDocument;
    UtilFormat(abortState.text, StrGetMessage(kMessagePrinting, "Printing: %s"), fileNamePart(document));
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = document;
    if (platform.startDoc(dc, &info) <= 0) return 0;
    HWND window = DisplayGetWindow();
    if (!PrintShowAbortDialog(window)) {
        // Without its dialog the job cannot be cancelled: it is not started.
        EnableWindow(window, TRUE);
        PrintEndDoc(dc);
        return 0;
    }
    EnableWindow(window, FALSE);
    return 1;
}

std::int16_t PrintStartPage(HDC dc) {
    return PrintGetPlatform().startPage(dc) > 0 ? 1 : 0;
}

std::int16_t PrintEndPage(HDC dc) {
    return PrintGetPlatform().endPage(dc) > 0 ? 1 : 0;
}

std::int16_t PrintEndDoc(HDC dc) {
    PrintGetPlatform().endDoc(dc);
    if (abortState.aborted) return 0;
    EnableWindow(DisplayGetWindow(), TRUE);
    PrintCloseAbortDialog();
    return 1;
}
