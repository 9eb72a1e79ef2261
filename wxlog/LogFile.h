// The log file as the engine uses it: a Win32 file handle opened in one of two sharing modes.
#pragma once

#include <cstdint>
#include <string>

class LogFile {
public:
    LogFile() = default;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile() { close(); }

    // For appending: write access, created if missing, others may read and write.
    [[nodiscard]] bool openForAppend(const std::string& name);
    // For trimming: read and write, created if missing, others may only read.
    [[nodiscard]] bool openForTrim(const std::string& name);
    bool isOpen() const { return handle_ != nullptr; }
    void close();

    // Writes CR LF (when the file is not empty) and then `lines` at the end of the file; `length` is
    // then the file's length.
    [[nodiscard]] bool appendLines(const std::string& lines, std::uint64_t& length);
    // Keeps only the last `keep` bytes of the file.
    [[nodiscard]] bool keepTail(std::uint64_t keep);

private:
    [[nodiscard]] bool size(std::uint64_t& bytes) const;
    [[nodiscard]] bool open(const std::string& name, unsigned long access, unsigned long share);
    [[nodiscard]] bool seek(std::uint64_t offset);
    [[nodiscard]] bool writeAll(const std::string& bytes);

    void* handle_ = nullptr;
    std::string pending_;  // separator and lines of the write under way, kept to reuse its storage
};

// Finds `name` on the standard search path and reads the whole file. False, and `text` untouched,
// when it cannot be found or read.
[[nodiscard]] bool readFoundFile(const std::string& name, std::string& text);
