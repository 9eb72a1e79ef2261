// Keeping the data disc's label over the disc search.
#include "Disc.h"

#include <cstring>

#include "CdDrive.h"
#include "FilePath.h"
#include "UtilString.h"

namespace {

constexpr std::size_t kDiscLabelSize = 12;

struct DiscState {
    char label[kDiscLabelSize + 1] = {};
    bool set = false;
    std::uint16_t drive = kCdNoDrive;
};

DiscState disc;

// Remembers the drive of a disc found in driveBuffer ("X:"), unless it is known already.
void noteDrive(const char* driveBuffer) {
    if (disc.drive == kCdNoDrive) disc.drive = static_cast<std::uint16_t>(FileDriveNumber(driveBuffer));
}

}  // namespace

std::int16_t DiscFind(const char* label, char* driveOut) {
    return CdScanDrives(label, driveOut) >= 0 ? 1 : 0;
}

std::int16_t DiscFindStored(char* driveOut) {
    return DiscFind(disc.label, driveOut);
}

std::int16_t DiscRequest(const char* label) {
    return CdPrompt(label, 0);
}

std::int16_t DiscRequestStored() {
    return DiscRequest(disc.label);
}

std::int16_t DiscSetLabel(const char* label) {
    if (disc.set) return 1;
    char drive[kFilePathSize];
    if (!DiscFind(label, drive)) {
        if (!DiscRequest(label) || !DiscFind(label, drive)) return 0;
    }
    UtilStrCopy(disc.label, label, sizeof disc.label);
    disc.set = true;
    noteDrive(drive);
    return 1;
}

void DiscClearLabel() {
    if (!disc.set) return;
    std::memset(disc.label, 0, sizeof disc.label);
    disc.set = false;
}

void DiscCheck() {
    if (disc.set) DiscRequestStored();
}

std::int16_t DiscIsSet() {
    return disc.set ? 1 : 0;
}

// Without a stored label there is nothing to look for: an empty one would match a drive without a label.
std::uint16_t DiscGetDrive() {
    char drive[kFilePathSize];
    if (disc.set && disc.drive == kCdNoDrive && DiscFindStored(drive)) noteDrive(drive);
    return disc.drive;
}
