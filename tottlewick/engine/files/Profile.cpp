// Profile wrappers over GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "Profile.h"

#include <windows.h>

#include "UtilString.h"

namespace {

char profileName[MAX_PATH];

}  // namespace

void ProfileSetFileName(const char* name) { UtilStrCopy(profileName, name, sizeof profileName); }

std::uint32_t ProfileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                               std::uint32_t size) {
    if (!buffer || size == 0) return 0;
    if (!profileName[0]) {
        char* end = UtilStrCopy(buffer, defaultValue, size);
        return static_cast<std::uint32_t>(end - buffer);
    }
    return GetPrivateProfileStringA(section, key, defaultValue ? defaultValue : "", buffer, size, profileName);
}

std::int16_t ProfileSetString(const char* section, const char* key, const char* value) {
    if (!profileName[0]) return 0;
    return WritePrivateProfileStringA(section, key, value, profileName) ? 1 : 0;
}
