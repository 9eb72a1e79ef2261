// The turns of a puzzle: for each turn the answers' and containers' attributes and the texts and graphics
// to show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DSAnswer {
    std::string attribute;
    std::string value;
};

struct DSContainer {
    std::string attribute;
};

// width and height -1: a text hanging from (x, y) instead of one in a box.
struct DSText {
    std::int16_t number;
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
    std::int32_t z;
    std::string text;
    std::int32_t userData;
};

struct DSGraphic {
    std::int32_t x;
    std::int32_t y;
    std::int32_t z;
    std::int16_t id;
};

struct DSEntry {
    std::vector<DSAnswer> answers;
    std::vector<DSContainer> containers;
    std::vector<DSText> texts;
    std::vector<DSGraphic> graphics;
};

// Entry k (from 0) is turn k + 1.
struct DataSet {
    // The entry of a 1-based number taken as 16 bits (below 1: the first); missing entries up to it are
    // appended empty.
    DSEntry& entry(std::int32_t number);

    std::vector<DSEntry> entries;
};
