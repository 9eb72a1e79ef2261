// Open and save dialogs over GetOpenFileNameA and GetSaveFileNameA.
#include "FileDialog.h"

#include <windows.h>

#include <commdlg.h>

#include "EngineMessageBox.h"
#include "File.h"
#include "UtilString.h"

namespace {

const char kTooLongText[] =
    "The filename you have entered is too long to be created in the current location. "
    "Please try a shorter filename.";
const char kSaveCaption[] = "Save File";

const char* dialogFilter = nullptr;
const char* defaultExtension = nullptr;

OPENFILENAMEA dialogRecord(char* buffer, char* fileTitleBuffer, DWORD flags) {
    OPENFILENAMEA record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = GetActiveWindow();
    record.lpstrFilter = dialogFilter;
    record.lpstrFile = buffer;
    record.nMaxFile = kFilePathSize;
    record.lpstrFileTitle = fileTitleBuffer;
    record.nMaxFileTitle = fileTitleBuffer ? kFilePathSize : 0;
    record.lpstrDefExt = defaultExtension;
    record.Flags = flags | OFN_HIDEREADONLY;
    return record;
}

}  // namespace

void FileSetDialogFilter(const char* filter) { dialogFilter = filter; }

void FileSetDialogDefaultExtension(const char* extension) { defaultExtension = extension; }

std::int16_t FileOpenDialog(char* buffer) {
    if (!buffer) return 0;
    buffer[0] = 0;
    OPENFILENAMEA record = dialogRecord(buffer, nullptr, OFN_FILEMUSTEXIST);
    return GetOpenFileNameA(&record) ? 1 : 0;
}

std::int16_t FileFullPath(const char* name, char* out) {
    char full[kFilePathSize];
    DWORD length = name && out ? GetFullPathNameA(name, sizeof full, full, nullptr) : 0;
    if (length == 0 || length >= sizeof full) return 0;
    UtilStrCopy(out, full, kFilePathSize);
    return 1;
}

std::int16_t FileSaveDialog(char* buffer, const char* initialName, char* fileTitleBuffer) {
    if (!buffer) return 0;
    UtilStrCopy(buffer, initialName, kFilePathSize);
    for (;;) {
        OPENFILENAMEA record = dialogRecord(buffer, fileTitleBuffer, OFN_OVERWRITEPROMPT);
        if (!GetSaveFileNameA(&record)) return 0;
        if (FileFullPath(buffer, buffer)) return 1;
        EngineMessageBox(record.hwndOwner, kTooLongText, kSaveCaption, MB_OK | MB_ICONINFORMATION);
    }
}
