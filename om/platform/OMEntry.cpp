// The program's instance, its version strings and the single-instance test.
#include <cstring>
#include <memory>

#include "OMApp.h"

namespace {

HINSTANCE programInstance = nullptr;

// One string of the version block's 0409/04E4 table, or false.
bool queryVersionString(const void* block, const char* key, std::string& out) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
    if (!VerQueryValueA(block, path.c_str(), &value, &length) || !value) return false;
    const char* text = static_cast<const char*>(value);
    out.assign(text, strnlen(text, length));
    return true;
}

}  // namespace

HINSTANCE appInstance() { return programInstance; }
void setAppInstance(HINSTANCE instance) { programInstance = instance; }

std::string& windowClassName() {
    static std::string name;
    return name;
}

void readVersionStrings(HMODULE module, std::string& name, std::string& version) {
    name.clear();
    version.clear();
    char path[MAX_PATH + 1] = {};
    if (!GetModuleFileNameA(module, path, MAX_PATH)) return;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (!size) return;
    std::unique_ptr<char[]> block(new char[size]);
    if (!GetFileVersionInfoA(path, 0, size, block.get())) return;
    std::string productName;
    std::string productVersion;
    if (!queryVersionString(block.get(), "ProductName", productName)) return;
    if (!queryVersionString(block.get(), "ProductVersion", productVersion)) return;
    name = productName;
    version = productVersion;
}

std::int32_t findRunningInstance(HINSTANCE instance) {
    std::string name;
    std::string version;
    readVersionStrings(instance, name, version);
    windowClassName() = "KPR: " + name + " " + version;
    HWND found = FindWindowA(windowClassName().c_str(), nullptr);
    if (!found) return 0;
    HWND popup = GetLastActivePopup(found);
    if (IsIconic(popup)) SendMessageA(popup, WM_SYSCOMMAND, SC_RESTORE, 0);
    BringWindowToTop(popup);
    SetForegroundWindow(popup);
    return 1;
}
