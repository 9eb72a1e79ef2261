// The generated Tottlewick title in a test's folder and disc.
#include "GeneratedTitle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "Files.h"
#include "FolderCopy.h"

std::string generatedTitleFolder() {
    // The build folder is a path of the build machine, reached through Wine's drive Z:.
    std::string folder = "Z:" TOTTLEWICK_TITLE_DIR;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

static void dropIndexFiles(const std::string& resources) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((resources + "\\*.PRD").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do DeleteFileA((resources + "\\" + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}

bool useGeneratedTitle(const std::string& folder, const std::string& discRoot, const std::vector<std::string>& without) {
    const std::string title = generatedTitleFolder();
    copyFolder(title + "\\disc\\Resource", discRoot + "\\Resource");
    dropIndexFiles(discRoot + "\\Resource");
    for (const std::string& name : without) DeleteFileA((discRoot + "\\Resource\\" + name).c_str());
    CreateDirectoryA((folder + "\\Resource").c_str(), nullptr);
    return CopyFileA((title + "\\Resource\\Global.PRS").c_str(), (folder + "\\Resource\\Global.PRS").c_str(), FALSE);
}

// A PRS file is a 48-byte header and blocks, each a 28-byte header (type at 0, big-endian length of the
// whole block at 24) and its data.
bool withholdType(const std::string& path, const std::string& type) {
    std::string bytes = readWholeFile(path);
    constexpr std::size_t kFileHeader = 48, kBlockHeader = 28;
    bool renamed = false;
    for (std::size_t at = kFileHeader; at + kBlockHeader <= bytes.size();) {
        if (bytes.compare(at, 4, type + '\0') == 0) {
            bytes[at + 2] = '_';
            renamed = true;
        }
        std::uint32_t length = 0;
        for (int i = 0; i < 4; ++i) length = length << 8 | static_cast<std::uint8_t>(bytes[at + 24 + i]);
        if (length < kBlockHeader) break;
        at += length;
    }
    writeWholeFile(path, bytes);
    return renamed;
}
