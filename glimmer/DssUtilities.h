// Path, file, library and settings helpers that the splash-screen library carries for its hosts'
// installers; each returns true on success and false on failure.
#pragma once

#include <windows.h>

#include <string>

// The drive and directory of `path` ("c:\a\b.jpg" gives "c:\a\").
bool folderOfPath(const std::string& path, std::string& folder);
// Replaces the file name of `path` by `name`.
bool replaceFileName(std::string& path, const std::string& name);
// Appends the file-name part of `path` to `text`.
bool appendFileName(std::string& text, const std::string& path);
// Whether the file exists (OpenFile with OF_EXIST).
bool fileExistsOnDisk(const std::string& name);
// Whether `name` exists in `folder`; on success `folder` holds the full name, else it is unchanged.
bool fileExistsIn(std::string& folder, const std::string& name);
// The folder of a module, without its trailing backslash.
bool moduleFolder(HMODULE module, std::string& folder);
// LoadLibraryA without the system's error boxes for missing files or drives.
HMODULE loadLibraryQuietly(const char* name);

// Settings live in an INI file (`root` null: `place` is the file, `group` the section) or in the
// registry (`place` a key under `root`, `group` an optional subkey).
bool readSettingText(HKEY root, const char* place, const char* group, const char* name, std::string& value);
bool readSettingNumber(HKEY root, const char* place, const char* group, const char* name, unsigned long& value);
bool writeSettingText(HKEY root, const char* place, const char* group, const char* name, const char* value);
bool writeSettingNumber(HKEY root, const char* place, const char* group, const char* name, unsigned long value);
// Whether `subkey` exists under `key` of `root`.
bool subkeyExists(HKEY root, const char* key, const char* subkey);
