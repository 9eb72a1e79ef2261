// A title folder that QUOMB_32.exe runs in, with its scripts, and the heap checks of the programs it starts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Files.h"
#include "ProgramWindow.h"
#include "TempFolder.h"
#include "TitleFiles.h"

using Lines = std::vector<std::string>;

// Programs started while on have a heap that fills freed blocks (the image's global flags ask for tail and
// free checks), so that a use of a freed block faults; the flags are read when the program starts.
inline void askForFreeChecks(bool on) {
    const char* options = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\QUOMB_32.exe";
    const DWORD freeChecks = 0x30;
    if (on) RegSetKeyValueA(HKEY_LOCAL_MACHINE, options, "GlobalFlag", REG_DWORD, &freeChecks, sizeof freeChecks);
    else RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, options, "GlobalFlag");
}

// A title folder with "PScripts" and "users"; run() starts QUOMB_32.exe in it.
class Title {
public:
    Title() {
        writeTitle(folder.path());
        for (const char* sub : {"PScripts", "users"}) CreateDirectoryA(folder.file(sub).c_str(), nullptr);
    }
    void script(const std::string& name, const Lines& lines) const {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        writeWholeFile(folder.file("PScripts\\" + name), text);
    }
    std::string debugText() const {
        const std::string name = folder.file("debug.txt");
        return fileExists(name) ? readWholeFile(name) : std::string();
    }
    ProgramWindow run() const { return ProgramWindow(ProgramWindow::ownFolder() + "QUOMB_32.exe", folder.path()); }
    // Runs the program with freed-block filling until it exits: its exit code, or STILL_ACTIVE when it is
    // still running after timeoutMs (it is then ended).
    DWORD runWithFreeChecks(DWORD timeoutMs) const {
        askForFreeChecks(true);
        const ProgramWindow program = run();
        const DWORD exitCode = program.waitForExit(timeoutMs);
        askForFreeChecks(false);
        return exitCode;
    }
    // The alert box shown within 20 s as its title, ": ", its text and " after " the debug text so far; the
    // button (OK unless given) then closes it, after closing its owner window when `closeOwner`.
    // System-modal boxes are topmost.
    std::string answerAlert(const ProgramWindow& program, bool closeOwner, WPARAM button = IDOK) const {
        const HWND box = program.waitForWindow("#32770", 20000);
        char title[64] = {};
        char text[512] = {};
        GetWindowTextA(box, title, sizeof title);
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        const bool topmost = GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST;
        const std::string shown =
            std::string(title) + (topmost ? ": " : " (not topmost): ") + text + " after " + debugText();
        if (closeOwner) PostMessageA(GetWindow(box, GW_OWNER), WM_CLOSE, 0, 0);
        PostMessageA(box, WM_COMMAND, button, 0);
        for (int waited = 0; waited < 5000 && IsWindow(box); waited += 50) Sleep(50);
        return shown;
    }

    TempFolder folder;
};
