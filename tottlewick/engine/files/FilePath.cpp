// Path splitters and builders. A drive part is a letter and a colon, a folder part ends with a backslash,
// a name part has no extension, and an extension holds at most three characters padded with zeros to four.
#include "FilePath.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t kFolderTextMax = 246;
constexpr std::size_t kNameMax = 255;
constexpr std::size_t kExtensionMax = 3;

std::size_t firstColonEnd(const std::string& path) {
    std::size_t colon = path.find(':');
    return colon == std::string::npos ? 0 : colon + 1;
}

// Index just behind the last backslash or colon (0 when there is none).
std::size_t nameStart(const std::string& path) {
    std::size_t separator = path.find_last_of("\\:");
    return separator == std::string::npos ? 0 : separator + 1;
}

// Index of the dot that starts the extension, or npos.
std::size_t extensionDot(const std::string& path) {
    std::size_t dot = path.rfind('.');
    return dot != std::string::npos && dot >= nameStart(path) ? dot : std::string::npos;
}

std::int16_t store(char* out, const std::string& text) {
    std::memcpy(out, text.c_str(), text.size() + 1);
    return static_cast<std::int16_t>(text.size());
}

std::string textOf(const char* text) { return text ? text : ""; }

// Writes `text` into a path buffer when it fits; else empties out and reports error 9.
std::int16_t storePath(char* out, const std::string& text) {
    if (text.size() < static_cast<std::size_t>(kFilePathSize)) return store(out, text);
    out[0] = 0;
    FileSetError(kFileErrName);
    return 0;
}

std::string joined(const char* drive, const char* folder, const char* name, const char* extension) {
    std::string path;
    if (drive && drive[0]) path += std::string(1, drive[0]) + ":";
    if (folder && folder[0]) {
        path += folder;
        if (path.back() != '\\') path += '\\';
    }
    path += textOf(name);
    if (extension && extension[0]) path += (extension[0] == '.' ? "" : ".") + std::string(extension);
    return path;
}

char* appendToPath(char* path, const char* part, bool closingBackslash) {
    if (!path) return nullptr;
    std::string text = path;
    if (text.empty() || text.back() != '\\') text += '\\';
    text += textOf(part);
    if (closingBackslash) text += '\\';
    if (text.size() >= static_cast<std::size_t>(kFilePathSize)) {
        FileSetError(kFileErrName);
        return nullptr;
    }
    store(path, text);
    return path;
}

}  // namespace

std::int16_t FileGetDrivePart(const char* path, char* drive) {
    std::string text = textOf(path);
    return store(drive, text.substr(0, firstColonEnd(text)));
}

std::int16_t FileGetFolderPart(const char* path, char* folder) {
    std::string text = textOf(path);
    std::size_t start = firstColonEnd(text);
    std::size_t end = nameStart(text);
    if (end <= start) return store(folder, "");
    std::size_t length = std::min(end - 1 - start, kFolderTextMax);
    return store(folder, text.substr(start, length) + text[end - 1]);
}

std::int16_t FileGetNamePart(const char* path, char* name) {
    std::string text = textOf(path);
    std::size_t start = nameStart(text);
    std::size_t dot = extensionDot(text);
    std::size_t length = (dot == std::string::npos ? text.size() : dot) - start;
    return store(name, text.substr(start, std::min(length, kNameMax)));
}

std::int16_t FileGetExtensionPart(const char* path, char* extension) {
    std::string text = textOf(path);
    std::size_t dot = extensionDot(text);
    std::string part = dot == std::string::npos ? "" : text.substr(dot + 1, kExtensionMax);
    std::memset(extension, 0, kFileExtensionSize);
    std::memcpy(extension, part.data(), part.size());
    return static_cast<std::int16_t>(part.size());
}

std::int16_t FileGetFileNamePart(const char* path, char* fileName) {
    std::string text = textOf(path);
    return store(fileName, text.substr(nameStart(text), kNameMax));
}

std::int16_t FileSplitPath(const char* path, char* drive, char* folder, char* name, char* extension) {
    int total = 0;
    if (drive) total += FileGetDrivePart(path, drive);
    if (folder) total += FileGetFolderPart(path, folder);
    if (name) total += FileGetNamePart(path, name);
    if (extension) total += FileGetExtensionPart(path, extension);
    return static_cast<std::int16_t>(total);
}

std::int16_t FileBuildPath(char* out, const char* drive, const char* folder, const char* name,
                           const char* extension) {
    return out ? storePath(out, joined(drive, folder, name, extension)) : 0;
}

char* FileAppendDir(char* path, const char* folder) { return appendToPath(path, folder, true); }

char* FileAppendName(char* path, const char* name) { return appendToPath(path, name, false); }

std::int16_t FileDriveNumber(const char* path) {
    if (!path || !path[0] || path[1] != ':') return -1;
    char letter = path[0];
    if (letter >= 'A' && letter <= 'Z') return static_cast<std::int16_t>(letter - 'A' + 1);
    if (letter >= 'a' && letter <= 'z') return static_cast<std::int16_t>(letter - 'a' + 1);
    return 0;
}

std::int16_t FileGetDriveNumber(const char* path) {
    char drive[kFilePathSize];
    FileGetDrivePart(path, drive);
    return drive[0] ? FileDriveNumber(drive) : 0;
}

std::int16_t FileBuildPathOnDrive(char* out, std::int16_t driveNumber, const char* folder, const char* name) {
    char drive[2] = {static_cast<char>('A' + driveNumber - 1), 0};
    bool hasDrive = driveNumber >= 1 && driveNumber <= 26;
    return FileBuildPath(out, hasDrive ? drive : nullptr, folder, name, nullptr);
}

void FileSplitName(const char* path, std::int16_t* driveNumber, char* folderOut, char* fileNameOut) {
    if (driveNumber) *driveNumber = FileGetDriveNumber(path);
    if (folderOut) FileGetFolderPart(path, folderOut);
    if (!fileNameOut) return;
    char name[kFilePathSize], extension[kFileExtensionSize];
    FileGetNamePart(path, name);
    FileGetExtensionPart(path, extension);
    FileBuildPath(fileNameOut, nullptr, nullptr, name, extension);
}
