// Self-registration of the automation object under HKEY_CLASSES_ROOT.
#include "WXLogOLE.h"

#include <olectl.h>

#include <string>

namespace {

const char kProgId[] = "Dunmoth.Logging";
const char kClsid[] = "{5B3E7A21-4C90-11CF-9D2E-6A1F0C3B7E55}";
const char kTypeName[] = "WXLog";

LONG setKeyValue(const std::string& keyPath, const char* valueName, const std::string& value) {
    HKEY key = nullptr;
    LONG error = RegCreateKeyExA(HKEY_CLASSES_ROOT, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_SET_VALUE, nullptr, &key, nullptr);
    if (error != ERROR_SUCCESS) return error;
    error = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return error;
}

}  // namespace

HRESULT registerWXLogServer() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(wxlogModule(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return SELFREG_E_CLASS;

    const std::string clsidKey = std::string("CLSID\\") + kClsid;
    const struct {
        std::string key;
        const char* name;
        std::string value;
    } entries[] = {
        {kProgId, nullptr, kTypeName},
        {std::string(kProgId) + "\\CLSID", nullptr, kClsid},
        {clsidKey, nullptr, kTypeName},
        {clsidKey + "\\ProgID", nullptr, kProgId},
        {clsidKey + "\\InprocServer32", nullptr, path},
        {clsidKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
    };
    for (const auto& entry : entries) {
        LONG error = setKeyValue(entry.key, entry.name, entry.value);
        if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
    }
    return S_OK;
}
