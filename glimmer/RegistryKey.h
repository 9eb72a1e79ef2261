// Thin wrappers over the Win32 registry calls that the splash-screen store uses; each reports
// success as true and failure as false (or 0, or an empty text) and never reads past a buffer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { close(); }

    // Creates the key when missing (RegCreateKeyA).
    [[nodiscard]] bool create(HKEY parent, const char* subkey);
    // Opens an existing key with full access; an empty or null name fails.
    [[nodiscard]] bool open(HKEY parent, const char* subkey);
    void close();
    HKEY handle() const { return key_; }
    bool isOpen() const { return key_ != nullptr; }

    // The raw bytes of a value that fits `size` bytes; `size` receives the length read.
    [[nodiscard]] bool readValue(const char* name, void* buffer, DWORD& size) const;
    // The first 32-bit word of a value of at most 40 bytes (REG_DWORD or binary); 0 when missing.
    std::uint32_t readNumber(const char* name) const;
    // A text of any length, up to its first terminator.
    [[nodiscard]] bool readText(const char* name, std::string& text) const;
    bool writeNumber(const char* name, std::uint32_t value);
    bool writeText(const char* name, const char* text);
    bool writeBytes(const char* name, DWORD type, const void* bytes, DWORD size);
    bool deleteValue(const char* name);
    // The name of subkey `index` when it fits `capacity` characters with its terminator.
    [[nodiscard]] bool subkeyName(DWORD index, DWORD capacity, std::string& name) const;
    // Names of subkeys 0, 1, 2 ... up to the first that cannot be read into `capacity` characters.
    std::vector<std::string> subkeyNames(DWORD capacity) const;

private:
    HKEY key_ = nullptr;
};

// Deletes `subkey` of `parent` with all its subkeys; stops and fails when one cannot be deleted.
[[nodiscard]] bool deleteKeyTree(HKEY parent, const char* subkey);
// Whether `subkey` of `parent` exists.
bool keyExists(HKEY parent, const char* subkey);
