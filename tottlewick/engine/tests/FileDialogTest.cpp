// The open and save dialogs driven as a user would: a helper thread answers the dialog window.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

#include "File.h"
#include "FileDialog.h"
#include "TempFolder.h"

namespace {

constexpr int kFileNameControl = 0x47C;  // the file-name box of the common dialog

HWND waitForDialog() {
    for (int i = 0; i < 400; ++i) {
        DWORD process = 0;
        HWND dialog = FindWindowA("#32770", nullptr);
        if (dialog) GetWindowThreadProcessId(dialog, &process);
        if (dialog && process == GetCurrentProcessId() && IsWindowVisible(dialog)) return dialog;
        Sleep(25);
    }
    return nullptr;
}

// Answers the next dialog: types name (when given) and presses OK, or presses Cancel.
std::thread answerDialog(const std::string& name) {
    return std::thread([name] {
        HWND dialog = waitForDialog();
        if (dialog && !name.empty()) SetDlgItemTextA(dialog, kFileNameControl, name.c_str());
        if (dialog) PostMessageA(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
    });
}

TEST(FileDialogTest, CancelAnswersZeroAndOkGivesTheFullPath) {
    TempFolder folder;
    FileSetDialogFilter("Data files\0*.dat\0All files\0*.*\0");
    FileSetDialogDefaultExtension("dat");
    char buffer[kFilePathSize] = "stale";

    std::thread cancel = answerDialog("");
    EXPECT_EQ(FileOpenDialog(buffer), 0);
    cancel.join();
    EXPECT_STREQ(buffer, "");  // emptied before the dialog

    std::thread ok = answerDialog(folder.file("saved.dat"));
    char title[kFilePathSize] = "";
    EXPECT_EQ(FileSaveDialog(buffer, "first.dat", title), 1);
    ok.join();
    EXPECT_STRCASEEQ(buffer, folder.file("saved.dat").c_str());
    EXPECT_STRCASEEQ(title, "saved.dat");
    FileSetDialogFilter(nullptr);
    FileSetDialogDefaultExtension(nullptr);
}

}  // namespace
