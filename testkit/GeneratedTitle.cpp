// The generated Tottlewick title in a test's folder and disc.
#include "GeneratedTitle.h"

#include <windows.h>

#include <algorithm>

#include "FolderCopy.h"

std::string generatedTitleFolder() {
    // The build folder is a path of the build machine, reached through Wine's drive Z:.
    std::string folder = "Z:" TOTTLEWICK_TITLE_DIR;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

bool useGeneratedTitle(const std::string& folder, const std::string& discRoot, const std::vector<std::string>& without) {
    const std::string title = generatedTitleFolder();
    copyFolder(title + "\\disc\\Resource", discRoot + "\\Resource");
    for (const std::string& name : without) DeleteFileA((discRoot + "\\Resource\\" + name).c_str());
    CreateDirectoryA((folder + "\\Resource").c_str(), nullptr);
    return CopyFileA((title + "\\Resource\\Global.PRS").c_str(), (folder + "\\Resource\\Global.PRS").c_str(), FALSE);
}
