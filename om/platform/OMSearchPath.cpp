// Search-path directories, their scans and name resolution.
#include "OMSearchPath.h"

#include <windows.h>

#include <sys/stat.h>

#include <cstring>
#include <string.h>

#include "OMAppInitTerm.h"
#include "OMList.h"

namespace {

OMList<OMPathDirectory>& pathList() {
    static OMList<OMPathDirectory> list;
    return list;
}

std::int32_t searchAll = 0;

OMAppInitTerm searchPathRecord{nullptr, clearSearchPath};

struct SearchPathRegistration {
    SearchPathRegistration() { registerInitTerm(&searchPathRecord); }
} searchPathRegistration;

std::unique_ptr<char[]> copyText(const std::string& text) {
    std::unique_ptr<char[]> copy(new char[text.size() + 1]);
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

bool fileStatusOk(const std::string& candidate) {
    struct _stat status;
    return _stat(candidate.c_str(), &status) == 0;
}

bool holdsFile(const OMPathDirectory& directory, const char* name) {
    if (!directory.scanned) return fileStatusOk(directory.path + name);
    for (const std::string& fileName : directory.fileNames) {
        if (_stricmp(fileName.c_str(), name) == 0) return true;
    }
    return false;
}

}  // namespace

OMPathDirectory::OMPathDirectory(const char* directory, std::int32_t scan) : path(directory), scanned(scan) {
    if (path.empty() || path.back() != '\\') path += '\\';
    if (!scan) return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) fileNames.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void addSearchDirectory(const char* path, std::int32_t scan) {
    if (!path || !*path) return;
    pathList().append(new OMPathDirectory(path, scan));
}

void setSearchAll(std::int32_t flag) { searchAll = flag; }

void clearSearchPath() { pathList().clear(true); }

std::unique_ptr<char[]> resolvePath(const char* name) {
    if (!name || !*name) return nullptr;
    const OMList<OMPathDirectory>& list = pathList();
    if (std::strpbrk(name, ":\\") || !list.head) return copyText(name);
    const OMListElement<OMPathDirectory>* fallback = searchAll ? nullptr : list.tail;
    for (const OMListElement<OMPathDirectory>* n = list.head; n != fallback; n = n->next) {
        if (holdsFile(*n->element, name)) return copyText(n->element->path + name);
    }
    return fallback ? copyText(fallback->element->path + name) : nullptr;
}
