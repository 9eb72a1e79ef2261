// File and memory movie sources.
#include "MovieSource.h"

#include <algorithm>
#include <cstring>

namespace {

class FileSource final : public MovieSource {
public:
    FileSource(std::FILE* file, std::int64_t size) : file_(file), size_(size) {}
    ~FileSource() override { std::fclose(file_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(std::uint8_t* out, std::size_t size) override { return std::fread(out, 1, size, file_); }
    bool seek(std::int64_t position) override {
        return position >= 0 && position <= size_ && std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
    }
    std::int64_t size() const override { return size_; }

private:
    std::FILE* file_;
    std::int64_t size_;
};

class MemorySource final : public MovieSource {
public:
    explicit MemorySource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t read(std::uint8_t* out, std::size_t size) override {
        std::size_t count = std::min(size, bytes_.size() - position_);
        if (count) std::memcpy(out, bytes_.data() + position_, count);
        position_ += count;
        return count;
    }
    bool seek(std::int64_t position) override {
        if (position < 0 || static_cast<std::uint64_t>(position) > bytes_.size()) return false;
        position_ = static_cast<std::size_t>(position);
        return true;
    }
    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_.size()); }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace

std::unique_ptr<MovieSource> openMovieFile(const std::string& path, bool preload) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return nullptr;
    }
    auto source = std::make_unique<FileSource>(file, size);
    if (!preload) return source;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (source->read(bytes.data(), bytes.size()) != bytes.size()) return nullptr;
    return movieFromBytes(std::move(bytes));
}

std::unique_ptr<MovieSource> movieFromBytes(std::vector<std::uint8_t> bytes) {
    return std::make_unique<MemorySource>(std::move(bytes));
}
