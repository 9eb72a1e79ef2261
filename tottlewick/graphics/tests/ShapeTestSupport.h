// Shared pieces of the shape tests: byte strings written as lists, plain destinations of 8- or 16-bit
// pixels whose rows read as text or as values, and the forged banks of every format.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "Rect.h"
#include "XpkForge.h"

inline std::string bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

// 16-bit words in native (little-endian) order.
inline std::string words(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += bytes({v & 0xFF, v >> 8 & 0xFF});
    return out;
}

inline const std::uint8_t* data(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

const std::uint16_t kFormats[] = {0xC002, 0xC001, 0xB002, 0xB001};

// Three varied pictures and one 5 x 5 without pixel data, over a colour map of 256 entries.
inline ForgeBank forgedBank(std::uint16_t format) {
    ForgeBank bank;
    bank.format = format;
    for (int i = 0; i < 256; ++i) bank.colourMap.push_back(std::uint16_t((i * 2713 + 97) & 0x7FFF));
    bank.shapes = {forgePattern(format, 37, 21, 11), forgePattern(format, 140, 9, 12),
                   forgePattern(format, 23, 30, 13), ForgeShape{}};
    bank.shapes[3].width = bank.shapes[3].height = 5;
    return bank;
}

// A width x height grid of 1- or 2-byte pixels, rows top-down.
class Pixels {
public:
    Pixels(int width, int height, int bytesPerPixel, std::uint16_t background)
        : width_(std::size_t(width)), size_(std::size_t(bytesPerPixel)), data_(width_ * std::size_t(height) * size_) {
        for (std::size_t i = 0; i < data_.size(); i += size_) std::memcpy(&data_[i], &background, size_);
    }
    void* base() { return data_.data(); }
    std::int32_t step() const { return std::int32_t(width_ * size_); }
    std::vector<std::uint16_t> row(int y) const {
        std::vector<std::uint16_t> out(width_);
        const std::uint8_t* from = &data_[std::size_t(y) * width_ * size_];
        for (std::size_t x = 0; x < out.size(); ++x) std::memcpy(&out[x], from + x * size_, size_);
        return out;
    }
    std::string text(int y) const {
        const std::vector<std::uint16_t> values = row(y);
        return std::string(values.begin(), values.end());
    }
private:
    std::size_t width_;
    std::size_t size_;
    std::vector<std::uint8_t> data_;
};
