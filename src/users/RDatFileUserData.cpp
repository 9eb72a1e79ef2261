// loadMRData and writeMRData: the user data file "quomb.dat" in the Windows directory, moved into and
// out of the store's variables through record 0 and the switches.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "RDatFile.h"
#include "UserData.h"
#include "UserDataFile.h"
#include "VariableFile.h"

namespace {

std::string& folderOverride() {
    static std::string folder;
    return folder;
}

std::string windowsDirectory() {
    char path[256] = {};
    const UINT length = GetWindowsDirectoryA(path, sizeof path);
    return length < sizeof path ? std::string(path, length) : std::string();
}

std::int16_t shortOf(const char* text) { return static_cast<std::int16_t>(std::atoi(text)); }

}  // namespace

std::string userDataPath() {
    std::string folder = folderOverride().empty() ? windowsDirectory() : folderOverride();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + "quomb.dat";
}

void setUserDataFolder(const std::string& folder) { folderOverride() = folder; }

void RDatFile::loadUserData() {
    std::vector<std::uint8_t> bytes;
    if (!readFileBytes(userDataPath(), bytes)) return;
    readUserData(bytes.data(), bytes.size(), userData());
    publishUserData();
}

void RDatFile::writeUserData() {
    foldUserData();
    const std::string bytes = ::writeUserData(userData());
    static_cast<void>(writeFileBytes(userDataPath(), bytes));
}

// The switches, the user count and record 0 as variables, in the file's order.
void RDatFile::publishUserData() {
    const UserDataBlock& block = userData();
    const std::pair<const char*, std::int16_t> header[] = {{"sfxFlag", block.sfx},
                                                           {"musicFlag", block.music},
                                                           {"voiceFlag", block.voice},
                                                           {"totalUsers", block.userCount}};
    for (const auto& [name, value] : header) setVariable(name, std::to_string(value).c_str());
    const UserRecord& record = block.records[0];
    for (const UserField& field : userFields()) {
        const std::string value =
            field.isText() ? recordName(record) : std::to_string(fieldValue(record, field.offset));
        setVariable(field.variable.c_str(), value.c_str());
    }
}

// The switches into their variables, record 0 from its variables, then the user count back from its
// variable. The switches keep their values: read back, they would give what was just set, or 0 for one that
// a full store had no room for.
void RDatFile::foldUserData() {
    UserDataBlock& block = userData();
    setVariable("sfxFlag", std::to_string(block.sfx).c_str());
    setVariable("musicFlag", std::to_string(block.music).c_str());
    setVariable("voiceFlag", std::to_string(block.voice).c_str());
    UserRecord& record = block.records[0];
    for (const UserField& field : userFields()) {
        const char* value = getVariable(field.variable.c_str());
        if (field.isText()) setRecordName(record, value);
        else setFieldValue(record, field.offset, shortOf(value));
    }
    block.userCount = shortOf(getVariable("totalUsers"));
}
