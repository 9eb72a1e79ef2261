// The standard open and save dialogs of the file manager.
#pragma once

#include <cstdint>

// Remembers the filter list (pairs of zero-terminated texts ending in an empty one) both dialogs use.
void FileSetDialogFilter(const char* filter);
void FileSetDialogDefaultExtension(const char* extension);
// Shows the open dialog; buffer (260 characters) receives the chosen file. 1 for OK.
std::int16_t FileOpenDialog(char* buffer);
// Shows the save dialog starting from initialName; a chosen name whose full path does not fit 260
// characters is refused with a message box and the dialog shown again. 1 for OK, 0 for Cancel.
std::int16_t FileSaveDialog(char* buffer, const char* initialName, char* fileTitleBuffer);
// Writes the full path of name to out (260 characters; may be name itself); 0 when it does not fit.
std::int16_t FileFullPath(const char* name, char* out);
