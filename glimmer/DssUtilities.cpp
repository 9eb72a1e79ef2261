// Helpers of the splash-screen library for paths, files, libraries and settings.
#include "DssUtilities.h"

#include <cstdio>
#include <cstdlib>

#include "RegistryKey.h"

namespace {

std::string keyPath(const char* key, const char* subkey) {
    std::string path = key != nullptr ? key : "";
    if (subkey != nullptr && subkey[0] != '\0') path += std::string("\\") + subkey;
    return path;
}

std::size_t fileNameStart(const std::string& path) {
    std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

}  // namespace

bool folderOfPath(const std::string& path, std::string& folder) {
    if (path.empty()) return false;
    folder = path.substr(0, fileNameStart(path));
    return true;
}

bool replaceFileName(std::string& path, const std::string& name) {
    if (name.empty()) return false;
    path = path.substr(0, fileNameStart(path)) + name;
    return true;
}

bool appendFileName(std::string& text, const std::string& path) {
    std::string name = path.substr(fileNameStart(path));
    if (name.empty()) return false;
    text += name;
    return true;
}

bool fileExistsOnDisk(const std::string& name) {
    OFSTRUCT info = {};
    return OpenFile(name.c_str(), &info, OF_EXIST) != HFILE_ERROR;
}

bool fileExistsIn(std::string& folder, const std::string& name) {
    std::string full = folder;
    if (full.empty() || full.back() != '\\') full += '\\';
    full += name;
    if (!fileExistsOnDisk(full)) return false;
    folder = full;
    return true;
}

bool moduleFolder(HMODULE module, std::string& folder) {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::string full(path, length);
    std::size_t separator = full.find_last_of('\\');
    if (separator == std::string::npos) return false;
    folder = full.substr(0, separator);
    return true;
}

HMODULE loadLibraryQuietly(const char* name) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(name);
    SetErrorMode(previous);
    return module;
}

bool readSettingText(HKEY root, const char* place, const char* group, const char* name, std::string& value) {
    if (root == nullptr) {
        char text[1024] = {};
        GetPrivateProfileStringA(group, name, "~", text, sizeof text, place);
        value = text[0] == '~' && text[1] == '\0' ? "" : text;
        return !value.empty();
    }
    RegistryKey key;
    return key.open(root, keyPath(place, group).c_str()) && key.readText(name, value);
}

bool readSettingNumber(HKEY root, const char* place, const char* group, const char* name, unsigned long& value) {
    if (root == nullptr) {
        value = GetPrivateProfileIntA(group, name, 0, place);
        return true;
    }
    RegistryKey key;
    BYTE bytes[64] = {};
    DWORD size = sizeof bytes - 1;
    if (!key.open(root, keyPath(place, group).c_str()) || !key.readValue(name, bytes, size)) return false;
    if (bytes[0] >= '0' && bytes[0] <= '9') {
        value = std::strtoul(reinterpret_cast<const char*>(bytes), nullptr, 10);
    } else {
        value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<unsigned long>(bytes[3]) << 24);
    }
    return true;
}

bool writeSettingText(HKEY root, const char* place, const char* group, const char* name, const char* value) {
    if (root == nullptr) return WritePrivateProfileStringA(group, name, value, place) != 0;
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, keyPath(place, group).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::string text = value != nullptr ? value : "";
    bool written = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                  static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return written;
}

bool writeSettingNumber(HKEY root, const char* place, const char* group, const char* name, unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "%lu", value);
    return writeSettingText(root, place, group, name, text);
}

bool subkeyExists(HKEY root, const char* key, const char* subkey) { return keyExists(root, keyPath(key, subkey).c_str()); }
