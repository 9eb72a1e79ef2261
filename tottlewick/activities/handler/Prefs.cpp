// The preference words and their file.
#include "Prefs.h"

#include <windows.h>

#include <cstring>

#include "AppBox.h"
#include "AppGlobals.h"
#include "File.h"
#include "FileDir.h"
#include "FilePath.h"

std::uint16_t gPrefClickOnly = 0;
std::uint16_t gPrefLevel = 1;
std::uint16_t gPrefThird = 1;

namespace {

constexpr int kPrefWords = 3;
constexpr std::uint32_t kPrefBytes = kPrefWords * 2;

std::uint16_t* const kWords[kPrefWords] = {&gPrefClickOnly, &gPrefLevel, &gPrefThird};

void prefsPath(char* out) {
    std::strcpy(out, AppGetApplicationFolder());
    FileAppendName(out, "PREFS.DAT");
}

}  // namespace

void PrefsLoad() {
    char path[kFilePathSize];
    prefsPath(path);
    if (!FileExists(path)) return;
    const FileRef file = FileOpen(path, kFileRead);
    if (!file) {
        AppAlert("Bad File");
        return;
    }
    std::uint8_t bytes[kPrefBytes] = {};
    const std::uint32_t got = FileRead(file, bytes, kPrefBytes);
    FileClose(file);
    for (std::uint32_t i = 0; i < kPrefWords && 2 * i + 1 < got; ++i)
        *kWords[i] = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

void PrefsSave() {
    const char* folder = AppGetApplicationFolder();
    if (!FileDirExists(folder)) FileCreateDirectory(folder);
    char path[kFilePathSize];
    prefsPath(path);
    // Created plain: the type code 'DATA' (0x44415441) as attribute bits would carry delete-on-close.
    if (!FileExists(path) && FileCreate(path, FILE_ATTRIBUTE_NORMAL) != kFileErrNone) return;
    const FileRef file = FileOpen(path, kFileWrite);
    if (!file) return;
    std::uint8_t bytes[kPrefBytes];
    for (int i = 0; i < kPrefWords; ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(*kWords[i]);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(*kWords[i] >> 8);
    }
    const std::uint32_t written = FileWrite(file, bytes, kPrefBytes);
    FileClose(file);
    if (written < kPrefBytes) AppAlert("File Error");
    else FileSetSize(path, kPrefBytes);  // a longer file written before is cut to the record
}
