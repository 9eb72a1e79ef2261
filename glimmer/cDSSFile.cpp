// The file wrapper of the splash-screen library.
#include "cDSSFile.h"

#include <windows.h>

#include <io.h>

bool cDSSFile::open(const std::string& name, int mode) {
    close();
    DWORD access = GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = 0;
    switch (mode) {
    case kRead: access = GENERIC_READ; disposition = OPEN_EXISTING; break;
    case kCreateReadWrite: disposition = CREATE_ALWAYS; break;
    case kOpenReadWrite: disposition = OPEN_ALWAYS; break;
    default: return false;
    }
    HANDLE file = CreateFileA(name.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = file;
    name_ = name.substr(0, MAX_PATH - 1);
    open_ = true;
    return true;
}

long cDSSFile::read(void* buffer, long count) {
    if (!open_) return -1;
    DWORD got = 0;
    if (count <= 0 || !ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr)) return 0;
    return static_cast<long>(got);
}

long cDSSFile::size() const {
    if (!open_) return -1;
    return static_cast<long>(GetFileSize(handle_, nullptr));
}

void cDSSFile::close() {
    if (open_) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    name_.clear();
    open_ = false;
}

bool cDSSFile::exists(const std::string& name) { return _access(name.c_str(), 0) == 0; }
