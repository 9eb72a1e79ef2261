// The developer's script file dialog.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "YScriptLoader.h"
#include "YVariable.h"

void chooseScriptFile(char* nameOut, std::size_t size, std::int32_t save) {
    char name[129] = "*.mps";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = name;
    dialog.nMaxFile = 128;
    dialog.lpstrTitle = "Script";
    dialog.Flags = 0x804;
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) name[0] = '\0';
    copyCut(nameOut, size, name, std::strlen(name));
}
