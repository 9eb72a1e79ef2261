// Shared pieces of the shape tests: byte strings written as lists, and plain destinations of 8- or
// 16-bit pixels whose rows read as text or as values.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "Rect.h"

inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

// 16-bit words in native (little-endian) order.
inline std::string words(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += bytes({v & 0xFF, v >> 8 & 0xFF});
    return out;
}

inline const std::uint8_t* data(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

// A width x height grid of 1- or 2-byte pixels, rows top-down.
class Pixels {
public:
    Pixels(int width, int height, int bytesPerPixel, std::uint16_t background)
        : width_(width), size_(bytesPerPixel), data_(std::size_t(width * height * bytesPerPixel)) {
        for (std::size_t i = 0; i < data_.size(); i += std::size_t(size_)) {
            std::memcpy(&data_[i], &background, std::size_t(size_));
        }
    }
    void* base() { return data_.data(); }
    std::int32_t step() const { return width_ * size_; }

    std::uint16_t at(int x, int y) const {
        std::uint16_t value = 0;
        std::memcpy(&value, &data_[std::size_t((y * width_ + x) * size_)], std::size_t(size_));
        return value;
    }
    std::string text(int y, int x, int right) const {
        std::string out;
        for (; x < right; ++x) out += static_cast<char>(at(x, y));
        return out;
    }
    std::vector<std::uint16_t> row(int y, int x, int right) const {
        std::vector<std::uint16_t> out;
        for (; x < right; ++x) out.push_back(at(x, y));
        return out;
    }

private:
    int width_;
    int size_;
    std::vector<std::uint8_t> data_;
};
