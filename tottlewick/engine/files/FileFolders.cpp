// The file manager's three folders and the folder-list searches of the resource manager and file cache.
#include "FileFolders.h"

#include <windows.h>

#include <string>

#include "FileDir.h"
#include "FilePath.h"
#include "UtilString.h"

namespace {

char programFolder[kFilePathSize];
char dataFolder[kFilePathSize];
char userFolder[kFilePathSize];
bool userFolderSet = false;

using Probe = std::int16_t (*)(const char* path);

bool fits(const std::string& path) { return path.size() < static_cast<std::size_t>(kFilePathSize); }

std::int16_t pathIn(const char* folder, const char* name, char* out) {
    if (!out) return 0;
    std::string path = std::string(folder) + "\\" + (name ? name : "");
    if (!fits(path)) {
        FileSetError(kFileErrName);
        return 0;
    }
    UtilStrCopy(out, path.c_str(), kFilePathSize);
    return 1;
}

// The first folder of the list in which probe accepts folder + name, or null.
const char* findIn(const char* name, std::int16_t count, const char* const* folders, Probe probe,
                   std::string* hit) {
    if (!name || !folders) return nullptr;
    for (std::int16_t i = 0; i < count && folders[i]; ++i) {
        std::string candidate = std::string(folders[i]) + name;
        if (fits(candidate) && probe(candidate.c_str())) {
            if (hit) *hit = candidate;
            return folders[i];
        }
    }
    return nullptr;
}

std::int16_t findFolder(const char* name, std::int16_t count, const char* const* folders,
                        const char** foundFolder, Probe probe) {
    const char* found = findIn(name, count, folders, probe, nullptr);
    if (foundFolder) *foundFolder = found;
    return found ? 1 : 0;
}

std::int16_t findPath(const char* name, std::int16_t count, const char* const* folders, char* out, Probe probe) {
    std::string hit;
    if (!findIn(name, count, folders, probe, &hit)) return 0;
    if (out) UtilStrCopy(out, hit.c_str(), kFilePathSize);
    return 1;
}

}  // namespace

void FileInitFolders() {
    char path[kFilePathSize];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) path[0] = 0;
    char drive[kFilePathSize], folder[kFilePathSize];
    FileGetDrivePart(path, drive);
    FileGetFolderPart(path, folder);
    std::string program = std::string(drive) + folder;
    if (!program.empty() && program.back() == '\\') program.pop_back();
    UtilStrCopy(programFolder, program.c_str(), kFilePathSize);
    UtilStrCopy(dataFolder, programFolder, kFilePathSize);
    UtilStrCopy(userFolder, programFolder, kFilePathSize);
    userFolderSet = false;
}

std::int16_t FileSetDataFolder(const char* folder) {
    if (!FileNameUsable(folder)) return 0;
    UtilStrCopy(dataFolder, folder, kFilePathSize);
    return 1;
}

std::int16_t FileSetUserFolder(const char* folder) {
    if (!folder) return 1;
    while (*folder == ' ') ++folder;
    if (!*folder) return 1;
    UtilStrCopy(userFolder, folder, kFilePathSize);  // at most 259 characters
    userFolderSet = true;
    return 0;
}

const char* FileGetProgramFolder() { return programFolder; }
const char* FileGetDataFolder() { return dataFolder; }
const char* FileGetUserFolder() { return userFolder; }

std::int16_t FileUserPath(const char* name, char* out) { return userFolderSet ? pathIn(userFolder, name, out) : 0; }
std::int16_t FileProgramPath(const char* name, char* out) { return pathIn(programFolder, name, out); }
std::int16_t FileDataPath(const char* name, char* out) { return pathIn(dataFolder, name, out); }

std::int16_t FileFindInFolders(const char* name, std::int16_t count, const char* const* folders,
                               const char** foundFolder) {
    return findFolder(name, count, folders, foundFolder, FileExists);
}

std::int16_t FileFindPathInFolders(const char* name, std::int16_t count, const char* const* folders, char* out) {
    return findPath(name, count, folders, out, FileExists);
}

std::int16_t FileFindDirInFolders(const char* name, std::int16_t count, const char* const* folders,
                                  const char** foundFolder) {
    return findFolder(name, count, folders, foundFolder, FileDirExists);
}

std::int16_t FileFindDirPathInFolders(const char* name, std::int16_t count, const char* const* folders,
                                      char* out) {
    return findPath(name, count, folders, out, FileDirExists);
}
