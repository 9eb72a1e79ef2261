// A small file wrapper over Win32 file handles: open in one of four modes, read, size, close.
#pragma once

#include <string>

class cDSSFile {
public:
    enum Mode { kRead = 0, kRefused = 1, kCreateReadWrite = 2, kOpenReadWrite = 3 };

    cDSSFile() = default;
    cDSSFile(const cDSSFile&) = delete;
    cDSSFile& operator=(const cDSSFile&) = delete;
    ~cDSSFile() { close(); }

    [[nodiscard]] bool open(const std::string& name, int mode);
    // Bytes read; 0 when `count` ≤ 0 or on failure; -1 when not open.
    long read(void* buffer, long count);
    // The file's size, or -1 when not open.
    long size() const;
    void close();

    static bool exists(const std::string& name);

private:
    void* handle_ = reinterpret_cast<void*>(-1);
    std::string name_;
    bool open_ = false;
};
