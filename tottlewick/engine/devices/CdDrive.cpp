// Finding the data disc by volume label among the CD-ROM drives, and the prompt that asks for it.
#include "CdDrive.h"

#include <windows.h>

#include "AppBox.h"
#include "AppGlobals.h"
#include "FilePath.h"
#include "Str.h"
#include "UtilFormat.h"

namespace {

constexpr int kLabelSize = 41;  // at most 40 characters and a zero
constexpr std::uint32_t kInsertMessage = 20;
constexpr std::uint32_t kInsertCaption = 21;

std::int16_t firstCdDrive = -1;

// A drive whose label cannot be read counts as unlabelled, so no label of an earlier drive lingers.
void readLabel(const char* root, char* label) {
    if (!GetVolumeInformationA(root, label, kLabelSize, nullptr, nullptr, nullptr, nullptr, 0)) label[0] = '\0';
}

}  // namespace

std::int16_t CdScanDrives(const char* label, char* driveBuffer) {
    const DWORD drives = GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if (!(drives & (1u << index))) continue;
        char root[4];
        UtilFormat(root, "%c:\\", 'A' + index);
        if (GetDriveTypeA(root) != DRIVE_CDROM) continue;
        if (firstCdDrive < 0) firstCdDrive = static_cast<std::int16_t>(index);
        char found[kLabelSize];
        readLabel(root, found);
        FileGetDrivePart(root, driveBuffer);
        if (lstrcmpiA(found, label) == 0) return static_cast<std::int16_t>(index);
    }
    return -1;
}

std::int16_t CdIsPresent(const char* label, std::uint32_t) {
    char drive[kFilePathSize];
    return CdScanDrives(label, drive) >= 0 ? 1 : 0;
}

std::int16_t CdGetDriveNumber(const char* label, std::uint32_t, std::uint16_t* number) {
    char drive[kFilePathSize];
    const std::int16_t index = CdScanDrives(label, drive);
    if (index < 0) {
        *number = kCdNoDrive;
        return 0;
    }
    *number = static_cast<std::uint16_t>(index - firstCdDrive);
    return 1;
}

std::int16_t CdGetFirstDrive() {
    return firstCdDrive;
}

std::int16_t CdPrompt(const char* label, std::uint32_t ignored) {
    char text[kAppTextSize];
    UtilFormat(text, StrGetMessage(kInsertMessage, "Please insert the %s CD-ROM in the CD-ROM drive and press OK."),
               AppGetProductName());
    while (!CdIsPresent(label, ignored)) {
        if (AppMessageBox(text, StrGetMessage(kInsertCaption, "Insert Data CD"), MB_OKCANCEL) == IDCANCEL) return 0;
    }
    return 1;
}
