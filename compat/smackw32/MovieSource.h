// The bytes of a movie file: read through an open file, or held whole in memory (the preload flag).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class MovieSource {
public:
    virtual ~MovieSource() = default;
    // Up to size bytes at the position, which advances; the count read (0 at the end).
    virtual std::size_t read(std::uint8_t* out, std::size_t size) = 0;
    // Moves to an absolute position; false past the end.
    [[nodiscard]] virtual bool seek(std::int64_t position) = 0;
    virtual std::int64_t size() const = 0;
};

// Null when the file cannot be opened (or, preloaded, read).
std::unique_ptr<MovieSource> openMovieFile(const std::string& path, bool preload);
// A source over bytes already in memory.
std::unique_ptr<MovieSource> movieFromBytes(std::vector<std::uint8_t> bytes);
