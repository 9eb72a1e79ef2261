// Win32 file access for the log engine.
#include "LogFile.h"

#include <windows.h>

#include <new>

bool LogFile::open(const std::string& name, unsigned long access, unsigned long share) {
    close();
    if (name.empty()) return false;
    HANDLE h = CreateFileA(name.c_str(), access, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = h;
    return true;
}

bool LogFile::openForAppend(const std::string& name) {
    return open(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

bool LogFile::openForTrim(const std::string& name) {
    return open(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ);
}

void LogFile::close() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
}

bool LogFile::size(std::uint64_t& bytes) const {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(handle_, &value)) return false;
    bytes = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

bool LogFile::seek(std::uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN) != 0;
}

bool LogFile::writeAll(const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// The length is asked once, before the write: it decides the separator and, with the bytes written,
// gives the length for trimming. (Under Wine, seeking from the end costs twice as much as asking the
// length and seeking from the start.)
bool LogFile::appendLines(const std::string& lines, std::uint64_t& length) {
    std::uint64_t end = 0;
    if (!size(end) || !seek(end)) return false;
    pending_.assign(end > 0 ? "\r\n" : "");
    pending_ += lines;
    if (!writeAll(pending_)) return false;
    length = end + pending_.size();
    return true;
}

bool LogFile::keepTail(std::uint64_t keep) {
    std::uint64_t length = 0;
    if (!size(length)) return false;
    if (keep >= length) return true;
    std::string tail;
    try {
        tail.resize(static_cast<std::size_t>(keep));
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD got = 0;
    if (!seek(length - keep) ||
        !ReadFile(handle_, tail.data(), static_cast<DWORD>(keep), &got, nullptr) || got != keep)
        return false;
    return seek(0) && SetEndOfFile(handle_) && writeAll(tail);
}

bool readFoundFile(const std::string& name, std::string& text) {
    if (name.empty()) return false;
    char found[256];
    DWORD length = SearchPathA(nullptr, name.c_str(), nullptr, sizeof found, found, nullptr);
    if (length == 0 || length >= sizeof found) return false;
    HANDLE h = CreateFileA(found, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    std::string content;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart < 0x7FFFFFFF;
    if (ok) {
        try {
            content.resize(static_cast<std::size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    DWORD got = 0;
    ok = ok && ReadFile(h, content.data(), static_cast<DWORD>(content.size()), &got, nullptr) &&
         got == content.size();
    CloseHandle(h);
    if (ok) text.swap(content);
    return ok;
}
