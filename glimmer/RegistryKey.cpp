// Registry helpers of the splash-screen store.
#include "RegistryKey.h"

bool RegistryKey::create(HKEY parent, const char* subkey) {
    close();
    if (RegCreateKeyA(parent, subkey, &key_) == ERROR_SUCCESS) return true;
    key_ = nullptr;
    return false;
}

bool RegistryKey::open(HKEY parent, const char* subkey) {
    close();
    if (parent == nullptr || subkey == nullptr || subkey[0] == '\0') return false;
    if (RegOpenKeyExA(parent, subkey, 0, KEY_ALL_ACCESS, &key_) == ERROR_SUCCESS) return true;
    key_ = nullptr;
    return false;
}

void RegistryKey::close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
}

bool RegistryKey::readValue(const char* name, void* buffer, DWORD& size) const {
    if (key_ == nullptr) return false;
    return RegQueryValueExA(key_, name, nullptr, nullptr, static_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
}

std::uint32_t RegistryKey::readNumber(const char* name) const {
    BYTE bytes[40] = {};
    DWORD size = sizeof bytes;
    if (!readValue(name, bytes, size)) return 0;
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool RegistryKey::readText(const char* name, std::string& text) const {
    if (key_ == nullptr) return false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExA(key_, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) return false;
        std::vector<char> bytes(size + 1, '\0');
        LONG status = RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (status == ERROR_MORE_DATA) continue;  // the value grew in between
        if (status != ERROR_SUCCESS) return false;
        text.assign(bytes.data());
        return true;
    }
    return false;
}

bool RegistryKey::writeNumber(const char* name, std::uint32_t value) {
    DWORD dword = value;
    return writeBytes(name, REG_DWORD, &dword, sizeof dword);
}

bool RegistryKey::writeText(const char* name, const char* text) {
    if (text == nullptr) text = "";
    return writeBytes(name, REG_SZ, text, static_cast<DWORD>(lstrlenA(text) + 1));
}

bool RegistryKey::writeBytes(const char* name, DWORD type, const void* bytes, DWORD size) {
    if (key_ == nullptr) return false;
    return RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(bytes), size) == ERROR_SUCCESS;
}

bool RegistryKey::deleteValue(const char* name) {
    return key_ != nullptr && RegDeleteValueA(key_, name) == ERROR_SUCCESS;
}

bool RegistryKey::subkeyName(DWORD index, DWORD capacity, std::string& name) const {
    if (key_ == nullptr) return false;
    std::vector<char> buffer(capacity + 1, '\0');
    DWORD length = capacity;
    if (RegEnumKeyExA(key_, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    name.assign(buffer.data(), length);
    return true;
}

std::vector<std::string> RegistryKey::subkeyNames(DWORD capacity) const {
    std::vector<std::string> names;
    std::string name;
    for (DWORD index = 0; subkeyName(index, capacity, name); ++index) names.push_back(name);
    return names;
}

bool deleteKeyTree(HKEY parent, const char* subkey) {
    {
        RegistryKey key;
        if (!key.open(parent, subkey)) return false;
        std::string child;
        while (key.subkeyName(0, MAX_PATH, child)) {
            if (!deleteKeyTree(key.handle(), child.c_str())) return false;
        }
    }
    return RegDeleteKeyA(parent, subkey) == ERROR_SUCCESS;
}

bool keyExists(HKEY parent, const char* subkey) {
    RegistryKey key;
    return key.open(parent, subkey);
}
